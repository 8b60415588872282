// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <optional>

class frmMain;

// The selected race point and keeping the list selection across a refill,
// so that after altering or deleting the user stays on the same line.
namespace Index {

// The list's selected line (0-based, -1 for none) and its line count at the
// last remembering.
extern qint16 SavedListIndex;
extern qint16 SavedListCount;

void RememberListSelection(const frmMain &main);
// Selects the remembered line again after the list was refilled, exactly as
// a click on it would.
void RestoreListSelection(frmMain &main);

// The line to select again, or -1 for none: none when the list is empty or
// its first line is one of the "no data" texts; never a line beyond the last.
int RestoredListIndex(int savedIndex, int savedCount, const QStringList &lines, const QStringList &noDataTexts);

// The slot of the selected race point's stored record, from the number of
// the selected line; nothing when that number names no slot or the file
// holds no record there (a line numbered 100 or more starts with "10").
std::optional<int> SelectedSlot(QStringView selectedNumber);

} // namespace Index
