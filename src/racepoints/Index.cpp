// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/Index.h"

#include "app/frmMain.h"
#include "racepoints/RacePointsManage.h"

#include <QListWidget>

namespace Index {

qint16 SavedListIndex = 0;
qint16 SavedListCount = 0;

namespace {

int SelectedLine(const QListWidget &list)
{
    const QList<QListWidgetItem *> selected = list.selectedItems();
    return selected.isEmpty() ? -1 : list.row(selected.first());
}

QStringList Lines(const QListWidget &list)
{
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines.append(list.item(row)->text());
    return lines;
}

} // namespace

void RememberListSelection(const frmMain &main)
{
    SavedListIndex = static_cast<qint16>(SelectedLine(*main.List1));
    SavedListCount = static_cast<qint16>(main.List1->count());
}

void RestoreListSelection(frmMain &main)
{
    const int line = RestoredListIndex(SavedListIndex, SavedListCount, Lines(*main.List1),
                                       {main.txtNoClub, main.txtNoFancier, main.txtNoPigeons});
    if (line >= 0)
        main.List1->setCurrentRow(line);
}

int RestoredListIndex(int savedIndex, int savedCount, const QStringList &lines, const QStringList &noDataTexts)
{
    if (lines.isEmpty() || noDataTexts.contains(lines.first()))
        return -1;
    const int count = int(lines.size());
    if (savedIndex < count)
        return savedIndex < 0 ? -1 : savedIndex;
    // The list got shorter: the line before the remembered one, which is
    // the last line once the list lost more than one.
    if (count < savedCount)
        return count - 1;
    return -1;
}

std::optional<int> SelectedSlot(QStringView selectedNumber)
{
    const std::optional<int> slot = RacePointsManage::SlotOf(selectedNumber);
    if (!slot || *slot > RacePointsManage::RacePointCount)
        return std::nullopt;
    return slot;
}

} // namespace Index
