// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// The timing terminal at the far end of the benchmark's serial line: one
// that confirms each whole frame, or one that stays silent. On Linux the
// benchmark plays it itself on a pseudo-terminal; on Windows it sits behind
// a COM port that the command line names, played by another program (under
// Wine, termsim on a pseudo-terminal: scripts/transferbench-windows).
// One implementation per platform, in BenchTerminal_<platform>.cpp.
namespace BenchTerminal {

// The frame of 19 race points, which the terminal confirms once all of it is in.
constexpr qsizetype FrameBytes = 1290;

// The arguments after the number of rounds, as the platform needs them.
extern const char *const Arguments;
// Takes them; false when they do not fit.
bool Configure(const QStringList &arguments);
// Makes a terminal that lasts as long as `owner` and returns the device of
// its serial line, "" when there is none.
QString Make(bool answers, QObject &owner);

} // namespace BenchTerminal
