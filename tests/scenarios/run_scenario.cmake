# Runs one scenario through vexa-sim and compares its transcript with the expected one.
# EMULATOR, if set, runs a cross-compiled vexa-sim (Wine for the Windows build). With
# --changes=run the transcript also holds what the run wrote into the drawing: right calls that
# leave the wrong data behind fail as well.
execute_process(
    COMMAND ${EMULATOR} ${SIM} run ${SCENARIO} --format jsonl --changes=run
    OUTPUT_FILE ${ACTUAL}
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(DEFINED ENV{ORBD_UPDATE_EXPECTED} AND "$ENV{ORBD_UPDATE_EXPECTED}" STREQUAL "1")
    file(COPY_FILE ${ACTUAL} ${EXPECTED})
    message(STATUS "rewrote ${EXPECTED}")
    return()
endif()
file(READ ${ACTUAL} actual)
string(REPLACE "\r\n" "\n" actual "${actual}")  # Windows writes text lines with CR LF
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
    message(FATAL_ERROR "the transcript differs from ${EXPECTED} (vexa-sim exit ${status}) ${errors}")
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "vexa-sim exited with ${status}: ${errors}")
endif()
