# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What the Debian package installs, and the package itself (cpack in the
# build folder, or scripts/package).
include(GNUInstallDirs)
# Directories 755, whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)

# The launcher finds the program beside itself and the catalogues in
# ../share/racepoints/club, the layout these default folders give.
install(TARGETS racepoints racepoints-launch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# A stripped program (CPACK_STRIP_FILES) loses the compilers' version notes
# too, as dh_strip does it.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program racepoints racepoints-launch)
      execute_process(COMMAND ${CMAKE_STRIP} --remove-section=.comment --remove-section=.note
                      \$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")
install(FILES packaging/racepoints.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The software centres' entry (AppStream).
install(FILES packaging/org.example.racepoints.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES packaging/racepoints.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES packaging/racepoints.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)
install(DIRECTORY club/ DESTINATION ${CMAKE_INSTALL_DATADIR}/racepoints/club
        FILES_MATCHING PATTERN club.txt)

# The shipped programs are hardened as Debian hardens its own packages
# (dpkg-buildflags with hardening=+all). Not in the sanitizer and fuzzing
# builds, whose run-time checks clash with the fortified C library, nor
# without optimisation, which the fortified C library needs.
if(NOT RACEPOINTS_SANITIZE AND NOT RACEPOINTS_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(optimised $<NOT:$<CONFIG:Debug>>)
  foreach(target racepoints_core racepoints_ui racepoints racepoints-launch)
    target_compile_options(${target} PRIVATE -fstack-protector-strong -fstack-clash-protection
                           -Wformat -Werror=format-security $<${optimised}:-D_FORTIFY_SOURCE=2>)
  endforeach()
  target_link_options(racepoints PRIVATE -Wl,-z,relro,-z,now)
  target_link_options(racepoints-launch PRIVATE -Wl,-z,relro,-z,now)
endif()

# What Debian asks of every package: the copyright in its machine-readable
# form, the changelog and the manual pages, these two gzipped with the
# highest compression and no time stamp.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "the Racepoints developers <racepoints@example.org>")
configure_file(packaging/changelog.in changelog @ONLY)
set(changelog ${CMAKE_CURRENT_BINARY_DIR}/changelog)
set(manpages ${CMAKE_CURRENT_SOURCE_DIR}/packaging/man/racepoints.1
             ${CMAKE_CURRENT_SOURCE_DIR}/packaging/man/racepoints-launch.1)
set(gzipped)
foreach(file ${changelog} ${manpages})
  get_filename_component(name ${file} NAME)
  set(gz ${CMAKE_CURRENT_BINARY_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${gz} COMMAND gzip -9nc ${file} > ${gz} DEPENDS ${file} VERBATIM)
  list(APPEND gzipped ${gz})
endforeach()
add_custom_target(gzipped-docs ALL DEPENDS ${gzipped})
set(docdir ${CMAKE_INSTALL_DATADIR}/doc/racepoints)
install(FILES ${changelog}.gz packaging/debian/copyright DESTINATION ${docdir})
install(FILES packaging/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME racepoints)
list(REMOVE_ITEM gzipped ${changelog}.gz)
install(FILES ${gzipped} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME racepoints)
set(CPACK_PACKAGE_VENDOR "Racepoints")
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
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://racepoints.example.org/)
# Control files 644, whatever the builder's umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
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
