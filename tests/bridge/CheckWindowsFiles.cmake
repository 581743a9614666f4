# Checks what Wine cannot show on a machine that runs no 32-bit code: that the bridge is a console program
# of the expected word size needing no MinGW runtime beside it, and that the stand-in exports the five
# names undecorated (32-bit stdcall names are decorated unless the linker is told otherwise).
# -DOBJDUMP=... -DFORMAT=pei-i386|pei-x86-64 -DBRIDGE=.../vcm7310-adapter-bridge.exe -DSTANDIN=.../crvhid.dll
execute_process(COMMAND ${OBJDUMP} -p ${BRIDGE} OUTPUT_VARIABLE bridge RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "${OBJDUMP} cannot read ${BRIDGE}")
endif()
foreach(expected "file format ${FORMAT}" "Subsystem[ \t]+00000003" "DLL Name: OLEAUT32.dll" "SafeArrayCreate")
    if(NOT bridge MATCHES "${expected}")
        message(FATAL_ERROR "${BRIDGE}: '${expected}' not found")
    endif()
endforeach()
if(bridge MATCHES "DLL Name: (lib[^\n]*)")
    message(FATAL_ERROR "${BRIDGE} needs ${CMAKE_MATCH_1} beside it")
endif()

execute_process(COMMAND ${OBJDUMP} -p ${STANDIN} OUTPUT_VARIABLE standin RESULT_VARIABLE failed)
foreach(name crvHID_connect crvHID_indicateSelectedModule crvHID_setGPIOConfiguration crvHID_doI2CRead
             crvHID_doI2CWrite)
    if(NOT standin MATCHES "\\] ${name}\n")
        message(FATAL_ERROR "${STANDIN} does not export ${name} undecorated:\n${standin}")
    endif()
endforeach()
