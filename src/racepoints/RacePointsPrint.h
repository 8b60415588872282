// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>

class QPagedPaintDevice;

// The race point list on paper: a title with the program's caption and the
// date, then a table of the race points that exist, its column heads in the
// catalogue's language and repeated at the top of every page.
namespace RacePointsPrint {

struct Sheet {
    QString title;    // the program's caption
    QString subtitle; // what the table holds
    QString date;
    QStringList heads; // number, name, place, latitude, longitude; distance with a club location
    QList<QStringList> rows;
};

// The race point table in memory as the list shows it: the slots 1 to
// RacePointCount that hold a race point, numbered by their slot, the
// coordinates as the dialogs show them. Texts come from the catalogue as
// loaded, in English where it lacks them. Touches no file.
Sheet RacePointsSheet(const QDate &date);

// Paints the sheet onto the device's pages. The font (sized in points) is
// made smaller where the table is wider than the page, and names and places
// wrap where even the smallest type does not fit. False when the device
// cannot be painted on (a printer that failed, a file that cannot be written).
bool PrintSheet(QPagedPaintDevice &device, const Sheet &sheet, const QFont &font);

// The race point table, dated today, in the program's type at 10 points.
bool PrintRacePoints(QPagedPaintDevice &device);

} // namespace RacePointsPrint
