// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>
#include <optional>

namespace Convert {

// The text-to-integer conversion used wherever the program reads a number
// out of a text (count line, record number, list line, port number):
// blanks around the number are ignored, one leading sign is allowed, the
// rest must be decimal digits. Returns nothing for anything else and for
// values beyond the given range, so callers never see a wrapped value.
std::optional<int> ToInteger(QStringView text, int min, int max);

// The same within the signed 16-bit range.
std::optional<int> ToInt16(QStringView text);

} // namespace Convert
