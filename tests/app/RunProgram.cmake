# Runs the real program with the given arguments and checks its exit code and what it printed.
# -DPROGRAM=... -DARGS="a,b" -DEXPECT_CODE=n -DEXPECT_STDOUT=regex -DEXPECT_STDERR=regex
string(REPLACE "," ";" ARGS "${ARGS}")
execute_process(COMMAND ${PROGRAM} ${ARGS}
                RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err TIMEOUT 20)
if(NOT code STREQUAL EXPECT_CODE)
    message(FATAL_ERROR "exit code ${code}, expected ${EXPECT_CODE}\nstdout: ${out}\nstderr: ${err}")
endif()
if(DEFINED EXPECT_STDOUT AND NOT out MATCHES "${EXPECT_STDOUT}")
    message(FATAL_ERROR "stdout does not match '${EXPECT_STDOUT}':\n${out}")
endif()
if(DEFINED EXPECT_STDERR AND NOT err MATCHES "${EXPECT_STDERR}")
    message(FATAL_ERROR "stderr does not match '${EXPECT_STDERR}':\n${err}")
endif()
