# SPDX-License-Identifier: MIT
# SPDX-FileCopyrightText: The Varnex developers
# The Debian package: `cpack -G DEB` in the build folder writes
# varnex_VERSION_ARCH.deb, its Depends computed from the shared libraries.
set(CPACK_PACKAGE_NAME varnex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Varnex developers")
set(CPACK_PACKAGE_CONTACT "The Varnex developers <developers@varnex.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find and configure network devices on the local segment")
set(CPACK_PACKAGE_DESCRIPTION
    "Varnex finds the small network devices on the local Ethernet segment with\n"
    "one UDP broadcast probe and lists every device that answers: name, IP\n"
    "address, subnet mask, gateway, MAC address and firmware version. It sets a\n"
    "device's addresses and MAC, restarts it, puts it into firmware-update mode\n"
    "and opens its web page.\n"
    "\n"
    "The package holds the desktop program varnex, varnex-cli for scripts, and\n"
    "varnex-sim, simulated devices for trying it all without hardware.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://varnex.org/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The web page command starts the desktop's browser through xdg-utils.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")

include(CPack)
