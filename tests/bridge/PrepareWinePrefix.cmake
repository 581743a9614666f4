# Prepares the tests' Wine prefix once: its first start takes most of a minute, later starts a second.
# -DWINE=loader -DPREFIX=folder; WINEPREFIX is set by the test's environment.
if(NOT EXISTS ${PREFIX}/system.reg)
    execute_process(COMMAND ${WINE} wineboot -i RESULT_VARIABLE failed OUTPUT_QUIET ERROR_QUIET TIMEOUT 300)
    if(failed OR NOT EXISTS ${PREFIX}/system.reg)
        message(FATAL_ERROR "wineboot could not prepare ${PREFIX}: ${failed}")
    endif()
endif()
