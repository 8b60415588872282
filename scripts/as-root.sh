# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Sourced by the scripts that install packages or change the system.
# as_root command...: runs the command as root, through sudo when the script
# runs as another user; a minimal system may not have sudo, and then it says
# in one line what to do instead of failing with "command not found".
as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "$(basename "$0"): this needs root, and sudo is not installed: run it as root, or install sudo (as root: apt-get install sudo; adduser $(id -un) sudo) and log in again" >&2
        exit 1
    fi
}
