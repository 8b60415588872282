# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# What only the Windows build has: the programs' icon and version resources,
# and the system libraries of the launcher and the serial component.
foreach(name description IN ZIP_LISTS "racepoints;racepoints-launch"
        "Racepoints;Racepoints: sets up the working folder and starts Racepoints")
  configure_file(packaging/windows/racepoints.rc.in ${name}.rc @ONLY)
  target_sources(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${name}.rc)
endforeach()
# Documents folder (shell32, ole32, uuid) and message box (user32).
target_link_libraries(racepoints-launch PRIVATE shell32 ole32 uuid user32)
# The system's timer tick, which the serial component asks to be 1 ms where
# it has only coarse timers (winmm).
target_link_libraries(racepoints_core PUBLIC winmm)
