# The Windows-side programs: the adapter bridge and the stand-in adapter library the tests use.
#
# Elsewhere than on Windows they are cross-built with MinGW-w64 when the cross compilers are installed,
# and skipped otherwise: the 32-bit bridge (the board maker's library is 32-bit) beside vcm7310-bench,
# and a 64-bit one in bridge-x86_64/, for a 64-bit library and for test machines that run no 32-bit
# code. On Windows the 32-bit bridge is built by a build of its own, since the main build makes 64-bit
# programs.
#
# For each word size built, VCM_BRIDGE_<arch> is the bridge and VCM_STANDIN_<arch> the folder of the
# stand-in library's variants (arch: i686, x86_64).
include(ExternalProject)

set(forwarded -DCMAKE_BUILD_TYPE=Release)
if(CMAKE_CXX_COMPILER_LAUNCHER)
    list(APPEND forwarded -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

if(WIN32 AND NOT CMAKE_CROSSCOMPILING)
    set(platform "")
    if(CMAKE_GENERATOR MATCHES "Visual Studio")
        set(platform Win32)
    endif()
    ExternalProject_Add(vcm_bridge_i686
        SOURCE_DIR ${PROJECT_SOURCE_DIR}/bridge
        BINARY_DIR ${PROJECT_BINARY_DIR}/bridge-i686
        CMAKE_GENERATOR_PLATFORM "${platform}"
        CMAKE_ARGS ${forwarded} -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${PROJECT_BINARY_DIR}
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        BUILD_BYPRODUCTS ${PROJECT_BINARY_DIR}/vcm7310-adapter-bridge.exe)
    install(PROGRAMS ${PROJECT_BINARY_DIR}/vcm7310-adapter-bridge.exe DESTINATION bin)
    return()
endif()

# vcm_windows_side(arch bridge-folder): the bridge and the stand-in for one word size.
function(vcm_windows_side arch folder)
    find_program(VCM_MINGW_CXX_${arch} ${arch}-w64-mingw32-g++)
    if(NOT VCM_MINGW_CXX_${arch})
        message(STATUS "${arch}-w64-mingw32-g++ not found: no ${arch} adapter bridge")
        return()
    endif()
    set(toolchain -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/MinGW.cmake
                  -DMINGW_TRIPLET=${arch}-w64-mingw32)
    ExternalProject_Add(vcm_bridge_${arch}
        SOURCE_DIR ${PROJECT_SOURCE_DIR}/bridge
        BINARY_DIR ${PROJECT_BINARY_DIR}/bridge-build-${arch}
        CMAKE_ARGS ${toolchain} ${forwarded} -DCMAKE_RUNTIME_OUTPUT_DIRECTORY=${folder}
        BUILD_ALWAYS ON
        INSTALL_COMMAND ""
        BUILD_BYPRODUCTS ${folder}/vcm7310-adapter-bridge.exe)
    set(VCM_BRIDGE_${arch} ${folder}/vcm7310-adapter-bridge.exe PARENT_SCOPE)
    if(BUILD_TESTING)
        set(standin ${PROJECT_BINARY_DIR}/tests/bridge/${arch})
        ExternalProject_Add(vcm_standin_${arch}
            SOURCE_DIR ${PROJECT_SOURCE_DIR}/tests/bridge/standin
            BINARY_DIR ${PROJECT_BINARY_DIR}/standin-build-${arch}
            CMAKE_ARGS ${toolchain} ${forwarded} -DVCM_OUTPUT_DIR=${standin}
            BUILD_ALWAYS ON
            INSTALL_COMMAND ""
            BUILD_BYPRODUCTS ${standin}/standin/crvhid.dll)
        set(VCM_STANDIN_${arch} ${standin} PARENT_SCOPE)
    endif()
endfunction()

vcm_windows_side(i686 ${PROJECT_BINARY_DIR})
# Installed beside the programs on Windows; elsewhere as a private program of the package. The program
# looks for it beside itself first, then there.
if(VCM_BRIDGE_i686 AND WIN32)
    install(PROGRAMS ${VCM_BRIDGE_i686} DESTINATION ${CMAKE_INSTALL_BINDIR})
elseif(VCM_BRIDGE_i686)
    install(PROGRAMS ${VCM_BRIDGE_i686} DESTINATION lib/vcm7310-bench)
endif()
vcm_windows_side(x86_64 ${PROJECT_BINARY_DIR}/bridge-x86_64)
