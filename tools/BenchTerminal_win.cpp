// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BenchTerminal.h"

namespace {

QString answering, silent;

} // namespace

namespace BenchTerminal {

const char *const Arguments = " COMa COMs (COMa behind a terminal that answers, COMs one that stays silent)";

bool Configure(const QStringList &arguments)
{
    if (arguments.size() != 2)
        return false;
    answering = arguments[0];
    silent = arguments[1];
    return true;
}

QString Make(bool answers, QObject &)
{
    return answers ? answering : silent;
}

} // namespace BenchTerminal
