#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 the Racepoints developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# The launcher of the installed program, run against a stand-in program in an
# install tree of its own: which catalogue a first start gets, where the
# program starts, and that nothing the club already has is replaced.
# Usage: tst_launcher.sh SOURCE_DIR LAUNCHER
set -u
source_dir=$(cd "$1" && pwd)
launcher=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

prefix="$root/usr"
mkdir -p "$prefix/bin" "$prefix/share/racepoints"
cp "$launcher" "$prefix/bin/racepoints-launch"
cp -r "$source_dir/club" "$prefix/share/racepoints/club"
# The stand-in records the folder it was started in.
cat > "$prefix/bin/racepoints" <<'STUB'
#!/bin/sh
pwd > "$HOME/started-in"
STUB
chmod +x "$prefix/bin/racepoints"

passed=0 failed=0
check() { # description, command...
    local what=$1; shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}

# Runs the launcher with a fresh home (its path holds a blank) and only the
# given locale variables; prints nothing, leaves the home in $home.
launch() {
    home=$(mktemp -d "$root/home XXXX")
    env -i PATH=/usr/bin:/bin HOME="$home" "$@" "$prefix/bin/racepoints-launch" 2>"$home/stderr"
}

for case in "LANG=de_DE.UTF-8 de" "LANG=nl_BE.UTF-8 nl" "LANG=fr_FR.UTF-8 fr" "LANG=fr fr" \
            "LANG=en_GB.UTF-8 -" "LANG=it_IT.UTF-8 -" "LANG=C.UTF-8 -" "LANG=POSIX -" "LANG= -" \
            "LC_ALL=fr_CH.UTF-8 LANG=de_DE.UTF-8 fr" "LC_MESSAGES=nl_NL.UTF-8 LANG=de_DE.UTF-8 nl" \
            "LC_ALL=C.UTF-8 LC_MESSAGES=de_DE.UTF-8 -" "LC_ALL= LANG=de_AT.UTF-8 de"; do
    read -r -a words <<<"$case"
    language=${words[-1]}
    unset 'words[-1]'
    launch "${words[@]}"
    expected="$source_dir/club/club.txt"
    [ "$language" = - ] || expected="$source_dir/club/$language/club.txt"
    check "$case: catalogue" cmp -s "$expected" "$home/Racepoints/club.txt"
    check "$case: started in the working folder" [ "$(cat "$home/started-in" 2>/dev/null)" = "$home/Racepoints" ]
    check "$case: nothing left over" [ "$(ls -A "$home/Racepoints")" = club.txt ]
done

# What the club has is never replaced, whatever the language.
home=$(mktemp -d "$root/home XXXX")
mkdir -p "$home/Racepoints/racepo"
printf 'frmInfo.Caption=Our own\r\n' > "$home/Racepoints/club.txt"
printf '3\r\n' > "$home/Racepoints/OPTIONS.PAR"
printf ' 0 \r\n' > "$home/Racepoints/racepo/racepo.dat"
(cd "$home/Racepoints" && md5sum club.txt OPTIONS.PAR racepo/racepo.dat) > "$root/before"
env -i PATH=/usr/bin:/bin HOME="$home" LANG=de_DE.UTF-8 "$prefix/bin/racepoints-launch"
check "own files kept" sh -c "cd '$home/Racepoints' && md5sum -c --quiet '$root/before'"
check "own files: program started" [ -f "$home/started-in" ]

# A club.txt that is a dangling link counts as present: nothing is written
# through it.
home=$(mktemp -d "$root/home XXXX")
mkdir "$home/Racepoints"
ln -s "$home/elsewhere.txt" "$home/Racepoints/club.txt"
env -i PATH=/usr/bin:/bin HOME="$home" "$prefix/bin/racepoints-launch"
check "dangling link not followed" [ ! -e "$home/elsewhere.txt" ]

# Started through a link elsewhere (as from a menu or /usr/local/bin).
home=$(mktemp -d "$root/home XXXX")
ln -s "$prefix/bin/racepoints-launch" "$root/linked-launch"
env -i PATH=/usr/bin:/bin HOME="$home" LANG=nl_NL.UTF-8 "$root/linked-launch"
check "through a link" cmp -s "$source_dir/club/nl/club.txt" "$home/Racepoints/club.txt"

# A plain file where the folder belongs: a clear message, no program.
home=$(mktemp -d "$root/home XXXX")
echo notes > "$home/Racepoints"
env -i PATH=/usr/bin:/bin HOME="$home" "$prefix/bin/racepoints-launch" 2>"$home/stderr"
check "unusable folder: fails" [ $? -ne 0 ]
check "unusable folder: says which" grep -q "working folder $home/Racepoints" "$home/stderr"
check "unusable folder: program not started" [ ! -e "$home/started-in" ]
check "unusable folder: file kept" [ "$(cat "$home/Racepoints")" = notes ]

# No home to put the working folder in: a clear message, no program.
env -i PATH=/usr/bin:/bin "$prefix/bin/racepoints-launch" 2>"$root/stderr"
check "no home: fails" [ $? -ne 0 ]
check "no home: says so" grep -q "home" "$root/stderr"

# A program that cannot be started: a clear message with the system's reason.
chmod -x "$prefix/bin/racepoints"
home=$(mktemp -d "$root/home XXXX")
env -i PATH=/usr/bin:/bin HOME="$home" "$prefix/bin/racepoints-launch" 2>"$root/stderr"
check "program not startable: fails" [ $? -ne 0 ]
check "program not startable: says why" grep -qx "racepoints-launch: cannot start $prefix/bin/racepoints: Permission denied" "$root/stderr"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
