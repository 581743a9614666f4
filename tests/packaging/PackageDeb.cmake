# Builds the .deb from the build folder and checks its control fields and its files.
# -DCPACK=... -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=x.y.z -DEXPECTED=a,b,c (paths under /usr)
file(REMOVE_RECURSE "${WORK_DIR}")
execute_process(COMMAND "${CPACK}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "cpack failed (${status}):\n${out}${err}")
endif()
file(GLOB debs "${WORK_DIR}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb in ${WORK_DIR}, found: ${debs}")
endif()

execute_process(COMMAND dpkg-deb --info "${debs}" OUTPUT_VARIABLE info RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb --info failed")
endif()
# The dependencies are worked out from the binaries: the Qt libraries they link, with versions.
foreach(field
        "\n Package: vcm7310-bench\n"
        "\n Version: ${VERSION}\n"
        "\n Maintainer: [^\n]+ <[^>\n]+@[^>\n]+>\n"
        "\n Depends: [^\n]*libqt6widgets6 \\(>= [0-9.]+\\)"
        "\n Depends: [^\n]*libc6 \\(>= [0-9.]+\\)")
    if(NOT info MATCHES "${field}")
        message(FATAL_ERROR "control fields do not match '${field}':\n${info}")
    endif()
endforeach()
# The icon comes drawn at build time: the programs do not load Qt Svg.
if(info MATCHES "libqt6svg6")
    message(FATAL_ERROR "the package depends on Qt Svg:\n${info}")
endif()

execute_process(COMMAND dpkg-deb --contents "${debs}" OUTPUT_VARIABLE contents RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "dpkg-deb --contents failed")
endif()
string(REGEX MATCHALL "\\./usr/[^\n]*[^/\n]\n" files "${contents}")
list(TRANSFORM files REPLACE "^\\./usr/(.*)\n$" "\\1")
list(SORT files)
string(REPLACE "," ";" expected "${EXPECTED}")
list(SORT expected)
if(NOT files STREQUAL expected)
    message(FATAL_ERROR "packaged files differ from the expected ones:\n${contents}")
endif()
