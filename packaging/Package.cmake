# The .deb: `cpack -G DEB` in the build folder (scripts/package). It packages what the install rules
# install, under /usr, with stripped executables.
set(VCM_PACKAGE_MAINTAINER "VCM7310 bench program authors <vcm7310-bench@example.org>"
    CACHE STRING "Maintainer field of the .deb: a name and an address")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The VCM7310 bench program authors")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "bench program of the VCM7310 evaluation board")
set(CPACK_PACKAGE_DESCRIPTION
    "Reads and sets the digitally controlled potentiometer that trims the VCOM output of a VCM7310\n"
    "display power chip, programs its EEPROM, and works out the resistor divider around it. Runs\n"
    "without hardware on a simulated board.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGE_HOMEPAGE_URL ${VCM_HOMEPAGE})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${VCM_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The libraries the executables link are worked out from the binaries by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The native Wayland window system plugin is loaded at run time, so no binary names it; without it the
# program still runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
# The board maker's own adapter runs through the bridge under Wine.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS wine)

include(CPack)
