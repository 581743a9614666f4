# Checks a generated man page: `man` renders it without a single groff warning, and it names every
# option the program's --help prints, and every option each of its subcommands' --help prints.
# -DPROGRAM=... -DPAGE=....1.gz [-DSUBCOMMANDS=a,b]
set(helps "")
string(REPLACE "," ";" SUBCOMMANDS "${SUBCOMMANDS}")
foreach(arguments IN ITEMS "" ${SUBCOMMANDS})
    execute_process(COMMAND "${PROGRAM}" ${arguments} --help
                    RESULT_VARIABLE status OUTPUT_VARIABLE help ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${PROGRAM} ${arguments} --help failed (${status}): ${err}")
    endif()
    string(APPEND helps "${help}\n")
endforeach()

# A wide page, so that no option is broken across lines.
set(ENV{LC_ALL} C.UTF-8)
set(ENV{MANWIDTH} 200)
execute_process(COMMAND man --warnings=w -l "${PAGE}"
                RESULT_VARIABLE status OUTPUT_VARIABLE page ERROR_VARIABLE warnings)
if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
    message(FATAL_ERROR "man -l ${PAGE} (${status}) warned:\n${warnings}")
endif()

string(REGEX MATCHALL "(^|[ ,(\n])--?[A-Za-z0-9][A-Za-z0-9-]*" options "${helps}")
list(TRANSFORM options REPLACE "^[ ,(\n]" "")
list(REMOVE_DUPLICATES options)
if(NOT options)
    message(FATAL_ERROR "found no options in the help:\n${helps}")
endif()
set(missing "")
foreach(option IN LISTS options)
    string(REGEX MATCH "(^|[ ,(\n])${option}([ ,.)\n]|$)" hit "${page}")
    if(hit STREQUAL "")
        list(APPEND missing ${option})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "the man page lacks options the help prints: ${missing}\n${page}")
endif()
message(STATUS "man page names all of: ${options}")
