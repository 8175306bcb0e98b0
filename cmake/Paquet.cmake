# The Debian package of the program, built by CPack from the installation
# rules:  cmake --build build --target package   (or: cd build && cpack -G DEB)
# gives build/orvane_<version>_<architecture>.deb.
#
# The libraries the executables link (Qt 6, libjpeg, libmodbus, libxlsxwriter
# for the workbook export of both programs ...) become dependencies through
# dpkg-shlibdeps (libxlsxwriter4 for the last). What they load without linking is
# named here: the display plugins of Qt (the X11 and Wayland platforms), Qt's
# translations (its own dialogs and buttons in French and Spanish), the
# fonts the windows are drawn with, and the desktop's database tools that
# register the work-file type and the icon (through their own triggers).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvane")
set(CPACK_PACKAGE_CONTACT "Orvane developers <orvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Electrical-machines laboratory test bench with an active load")
set(CPACK_PACKAGE_DESCRIPTION
    "Orvane commands the servo drive of an active load over Modbus RTU (serial)\n"
    "or TCP/IP, reads its measurements, traces the characteristics of the\n"
    "machine under study, makes the load behave like an industrial load and\n"
    "animates the matching industrial application. It includes a simulated\n"
    "bench and the command-line companion orvanectl.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, fonts-dejavu-core, shared-mime-info, desktop-file-utils")

include(CPack)
