# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts that run the program, its tests or lintian. A
# minimal Debian sets no locale, and Qt 6.8 then warns at every start that it
# needs a UTF-8 one; the locale that every Debian has, where none is set.
[ -n "${LC_ALL:-}${LC_CTYPE:-}${LANG:-}" ] || export LANG=C.UTF-8
