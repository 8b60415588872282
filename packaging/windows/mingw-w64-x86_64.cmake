# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# CMake toolchain file for the Windows build: 64-bit Windows
# (x86_64-w64-mingw32) with Debian's MinGW-w64 cross compilers, POSIX thread
# model (g++-mingw-w64-x86-64-posix, which std::thread needs).
#
# Used to build Qt for Windows (packaging/windows/build-qt) and the program
# itself (scripts/package-windows):
#
#   cmake -G Ninja -S . -B build-win \
#     -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw-w64-x86_64.cmake \
#     -DCMAKE_PREFIX_PATH=<Qt for Windows> -DCMAKE_BUILD_TYPE=Release
#
# A cross-built Qt takes its host tools (moc, rcc, uic) from a Linux Qt of the
# same version: Debian's qt6-base-dev-tools 6.4.2.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${_mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER  ${_mingw_triplet}-windres)
set(CMAKE_AR           /usr/bin/${_mingw_triplet}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${_mingw_triplet}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP        /usr/bin/${_mingw_triplet}-strip CACHE FILEPATH "")

# Headers, libraries and CMake packages come from the MinGW sysroot and from
# the prefixes the caller adds (Qt for Windows); programs (moc, rcc, ...)
# always come from the Linux host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${_mingw_triplet})
if(CMAKE_PREFIX_PATH)
  list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The host Qt (Debian's Linux Qt 6.4.2) with moc, rcc and uic.
if(NOT DEFINED QT_HOST_PATH)
  set(QT_HOST_PATH /usr CACHE PATH "Host Qt prefix")
endif()
if(NOT DEFINED QT_HOST_PATH_CMAKE_DIR)
  set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "Host Qt CMake folder")
endif()
