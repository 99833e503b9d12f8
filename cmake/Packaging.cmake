# A Debian package of vandrel and vandrelctl: cpack -G DEB in a build folder (after building)
# writes vandrel_<version>_<arch>.deb. It installs under /usr, the udev rule in
# /usr/lib/udev/rules.d; postinst and postrm have udev reload its rules. The shared libraries
# the programs link against give the dependencies (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME vandrel)
set(CPACK_PACKAGE_VENDOR "Vandrel")
set(CPACK_PACKAGE_CONTACT "Vandrel developers <vandrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Configuration suite for the Vandrel gaming mouse, keyboards and mouse pad")
set(CPACK_PACKAGE_DESCRIPTION
    "Buttons, DPI, lighting, macros and profiles of the Vandrel USB peripherals: the tray
program vandrel, the command line vandrelctl and a device simulator.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# udevadm for the scripts; libqt6svg6 holds the image-format plugin that shows an SVG file a user
# picks as the window's picture (the skin's own pictures are PNGs), which no library the programs
# link against names; the fonts cover the Latin and Chinese texts; qt6-wayland runs the window
# natively on a Wayland desktop (Qt falls back to XWayland without it).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "udev, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-wqy-microhei, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/debian/postinst ${PROJECT_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
