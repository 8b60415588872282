# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What the Debian package installs, and the package itself (cpack in the
# build folder, or scripts/package).
include(GNUInstallDirs)

# The launcher finds the program beside itself and the catalogues in
# ../share/racepoints/club, the layout these default folders give.
install(TARGETS racepoints racepoints-launch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES packaging/racepoints.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The software centres' entry (AppStream).
install(FILES packaging/org.example.racepoints.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/racepoints.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/racepoints.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(DIRECTORY club/ DESTINATION ${CMAKE_INSTALL_DATADIR}/racepoints/club
        FILES_MATCHING PATTERN club.txt)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME racepoints)
set(CPACK_PACKAGE_VENDOR "Racepoints")
set(CPACK_PACKAGE_CONTACT "Racepoints developers <racepoints@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "race points of a racing-pigeon club, sent to the timing terminal")
set(CPACK_PACKAGE_DESCRIPTION
    "Racepoints keeps the race points of a racing-pigeon club (release sites
numbered 80 to 98 with name, place, latitude and longitude) and sends them
over a serial line to the club's timing terminal. It speaks English, German,
Dutch and French; the launcher sets up a working folder in the user's home.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The libraries come from dpkg-shlibdeps; the platform plugins (the X11
# window plugin among them) are loaded at run time, so it cannot see them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The list wants a fixed-pitch font with Courier New's metrics; qt6-wayland
# gives a native window on a Wayland desktop instead of one through XWayland;
# qt6-translations-l10n puts Qt's own texts (a field's context menu, the
# buttons of standard boxes) in the desktop's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, qt6-wayland, qt6-translations-l10n")
# Printing needs nothing more: libqt6printsupport6 (from dpkg-shlibdeps) holds
# the plugin that lists the CUPS printers. Without a CUPS server (cups, or one
# on the network) the print dialog offers a PDF file only.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")
include(CPack)
