# A Windows build made on Linux with MinGW-w64: what it ships besides its own programs, and how its tests
# run here.
#
# VCM_WINDOWS_RUNTIME_DLLS: the MinGW-w64 runtime DLLs the executables load, from the compilers' own
# folders. VCM_QT_WINDOWS_PREFIX: the Qt for Windows built against. With wine64 installed, CTest starts
# every test program through `wine-run` in the build folder: wine64 in a prefix of the build's own
# (VCM_WINEPREFIX), with the Qt and runtime DLLs on its path.
if(NOT WIN32 OR NOT CMAKE_CROSSCOMPILING)
    return()
endif()

set(VCM_QT_WINDOWS_PREFIX ${QT6_INSTALL_PREFIX})
set(VCM_WINDOWS_RUNTIME_DLLS "")
foreach(dll libgcc_s_seh-1.dll libstdc++-6.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll} OUTPUT_VARIABLE path
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${path}" OR NOT EXISTS "${path}")
        message(FATAL_ERROR "The MinGW-w64 runtime ${dll} was not found beside ${CMAKE_CXX_COMPILER}")
    endif()
    list(APPEND VCM_WINDOWS_RUNTIME_DLLS ${path})
endforeach()

find_program(VCM_WINE64 NAMES wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT VCM_WINE64)
    message(STATUS "wine64 not found: the Windows tests are built but cannot run here")
    return()
endif()
find_program(VCM_WINESERVER NAMES wineserver wineserver64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(VCM_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
set(dll_folders "")
foreach(dll IN LISTS VCM_WINDOWS_RUNTIME_DLLS)
    get_filename_component(folder ${dll} DIRECTORY)
    list(APPEND dll_folders Z:${folder})
endforeach()
list(REMOVE_DUPLICATES dll_folders)
list(JOIN dll_folders ";" wine_path)
# The offscreen platform of Qt for Windows finds fonts only in QT_QPA_FONTDIR, and Wine passes no QT_
# variable from Linux to a Windows program: the prefix's own environment names a folder holding the
# faces the tests draw with (Arial's twin and DejaVu Sans, as on Linux).
set(VCM_WINE_FONTS ${PROJECT_BINARY_DIR}/wine-fonts)
file(GLOB faces /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf
                /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf /usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf)
file(COPY ${faces} DESTINATION ${VCM_WINE_FONTS})
string(REPLACE "/" "\\" fonts_native "Z:${VCM_WINE_FONTS}")
# Wine's own diagnostics stay out of the tests' output; Mono and Gecko are never asked for. The build's
# prefix is made on first use, once, whichever test comes first.
file(CONFIGURE OUTPUT ${PROJECT_BINARY_DIR}/wine-run CONTENT [[#!/bin/sh
# Runs a Windows program of this build under Wine, as CTest does.
export WINEPREFIX="${WINEPREFIX:-@VCM_WINEPREFIX@}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
# The DLLs of Qt and of the MinGW runtime, unless the caller says otherwise (WINEPATH= for none).
export WINEPATH="${WINEPATH-Z:@VCM_QT_WINDOWS_PREFIX@/bin;@wine_path@}"
# A prefix of the build's own (the tests may ask for one beside the shared one) is made ready once.
case "$WINEPREFIX" in @PROJECT_BINARY_DIR@/wineprefix*) ours=yes ;; *) ours=no ;; esac
if [ "$ours" = yes ] && [ ! -f "$WINEPREFIX/.prepared" ]; then
    mkdir -p "$WINEPREFIX"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.prepared" ]; then
            "@VCM_WINE64@" wineboot --init >/dev/null 2>&1
            "@VCM_WINE64@" reg add 'HKCU\Environment' /v QT_QPA_FONTDIR /d '@fonts_native@' /f >/dev/null
            "@VCM_WINESERVER@" -w
            touch "$WINEPREFIX/.prepared"
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec "@VCM_WINE64@" "$@"
]] @ONLY)
file(CHMOD ${PROJECT_BINARY_DIR}/wine-run PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
           GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_BINARY_DIR}/wine-run)
