# SPDX-FileCopyrightText: 2026 Tamrel <tamrel@example.org>
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package of the program, which scripts/package makes with `cpack -G DEB` in the
# build directory (build_debian_package in scripts/lib.sh).
set(CPACK_PACKAGE_NAME ddvelmor)
set(CPACK_PACKAGE_VENDOR Tamrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "DD search coil calculator for Velmor ARM / AVR metal detectors")
set(CPACK_PACKAGE_DESCRIPTION
    "Computes the inductances, the receive turn count and the copper\n\
cross-sections of the two windings of a DD search coil from the desired\n\
frequencies, capacitances and wire diameters. The user interface is in Russian.")
set(CPACK_PACKAGE_CONTACT "Tamrel <tamrel@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianStrip.cmake)
set(CPACK_DDV_STRIP ${CMAKE_STRIP})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# cpack names this machine's architecture unless the build is for another (debian-cross.cmake).
if(DDV_DEBIAN_ARCH)
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${DDV_DEBIAN_ARCH})
endif()
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://example.org/ddvelmor)
# The shared libraries (Qt, the C++ runtime) come from dpkg-shlibdeps, so their package names
# follow the Debian release the package is built on. The platform plugins and the fonts the
# windows ask for are loaded at run time and have to be named, as is the catalogue of Qt's own
# texts in Russian.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, qt6-translations-l10n")

include(CPack)
