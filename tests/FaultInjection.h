// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Fails one system call of a save, as a full disk, a failing disk or a full
// quota would, to prove that no failure at any step loses the old file.
// Linux only: the library (tests/helpers/faultinject.cpp) takes the place of
// the C library's file calls in the test program linked against it.
//
// While armed, the calls of the arming thread that touch files in `folder`
// are counted: open and create, write, fsync and fdatasync, rename and link,
// close; the folder itself counts too (a save syncs it with fsync). The `failAt`-th (from 1; 0: none) fails with `error`; an error of 0
// makes it a short write instead, which writes half of what it was given
// (counted only for a write of two bytes or more).
extern "C" {
void FaultInject_Arm(const char *folder, int failAt, int error);
// Ends the counting; returns the number of calls counted.
int FaultInject_Disarm();
// Whether the chosen call came and failed.
int FaultInject_Injected();
// What the index-th counted call was ("open", "write", ...).
const char *FaultInject_Call(int index);
}
