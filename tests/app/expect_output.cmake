# Runs vexa-sim with ARGS (a ;-list) and expects exit code CODE and standard output matching
# the regular expression OUTPUT. EMULATOR, if set, runs a cross-compiled vexa-sim.
execute_process(
    COMMAND ${EMULATOR} ${SIM} ${ARGS}
    OUTPUT_VARIABLE output
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(NOT status EQUAL CODE)
    message(FATAL_ERROR "vexa-sim ${ARGS} exited with ${status}, not ${CODE}: ${errors}")
endif()
if(NOT output MATCHES "${OUTPUT}")
    message(FATAL_ERROR "vexa-sim ${ARGS} wrote\n${output}\nwhich does not match ${OUTPUT}")
endif()
