// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Fixed texts that name the program; they are not translated.
inline constexpr const char *ProgramName = "Oribex Manage Racepoints";
inline constexpr const char *ProgramVersion = " V1.00";
inline constexpr const char *VersionCode = "MR 1.00-DK";
inline constexpr const char *ReleaseDate = "03.11.2009";

// The main window's caption: the name, one blank, and " V1.00", so that two
// blanks stand before "V1.00".
inline QString ProgramCaption()
{
    return QLatin1String(ProgramName) + u' ' + QLatin1String(ProgramVersion);
}
