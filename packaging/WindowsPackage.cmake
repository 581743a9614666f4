# The Windows package: the programs with the Qt DLLs and plugins they load and the MinGW-w64 runtime, as
# a zip (`cpack -G ZIP`) and as an installer (`cpack -G NSIS`), built by scripts/package-windows.
#
# Qt finds its plugins in folders beside the executable (platforms/, styles/), so the installed folder
# runs as it is, from wherever it was unpacked. Besides that folder the installer writes only its
# Start-menu entry and the uninstall entry Windows lists under its installed programs.
set(qt_prefix ${VCM_QT_WINDOWS_PREFIX})
if(NOT qt_prefix)
    set(qt_prefix ${QT6_INSTALL_PREFIX})
endif()
foreach(module Core Gui Widgets Network)
    install(FILES ${qt_prefix}/bin/Qt6${module}.dll DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()
install(FILES ${qt_prefix}/plugins/platforms/qwindows.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/platforms)
install(FILES ${qt_prefix}/plugins/styles/qwindowsvistastyle.dll DESTINATION ${CMAKE_INSTALL_BINDIR}/styles)
install(FILES ${VCM_WINDOWS_RUNTIME_DLLS} DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VCM7310 bench program authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bench program of the VCM7310 evaluation board")
set(CPACK_PACKAGE_HOMEPAGE_URL ${VCM_HOMEPAGE})
set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "VCM7310 Bench")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
# The zip unpacks into a folder of its own; the installer into the folder the user picks.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
# The Start-menu entry, with the program's own icon (the executable carries it).
set(CPACK_PACKAGE_EXECUTABLES "vcm7310-bench;VCM7310 Bench")
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\vcm7310-bench.exe")
set(CPACK_NSIS_MUI_ICON ${VCM_ICON_ICO})
set(CPACK_NSIS_MUI_UNIICON ${VCM_ICON_ICO})
set(CPACK_NSIS_DISPLAY_NAME "VCM7310 Bench ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME "VCM7310 Bench")
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MODIFY_PATH OFF)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# A 64-bit installer for 64-bit programs: it installs into the 64-bit Program Files, and runs where no
# 32-bit code does. CPack has no setting of its own for NSIS's Target; the compressor's line of its
# script, which comes before anything is compressed, carries it.
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma\n  Target amd64-unicode")
include(CPack)
