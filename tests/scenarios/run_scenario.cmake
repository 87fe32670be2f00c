# Runs one scenario through vexa-sim and compares its transcript with the expected one.
execute_process(
    COMMAND ${SIM} run ${SCENARIO} --format jsonl
    OUTPUT_FILE ${ACTUAL}
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
if(DEFINED ENV{ORBD_UPDATE_EXPECTED} AND "$ENV{ORBD_UPDATE_EXPECTED}" STREQUAL "1")
    file(COPY_FILE ${ACTUAL} ${EXPECTED})
    message(STATUS "rewrote ${EXPECTED}")
    return()
endif()
file(READ ${ACTUAL} actual)
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
    execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL})
    message(FATAL_ERROR "the transcript differs from ${EXPECTED} (vexa-sim exit ${status}) ${errors}")
endif()
if(NOT status EQUAL 0)
    message(FATAL_ERROR "vexa-sim exited with ${status}: ${errors}")
endif()
