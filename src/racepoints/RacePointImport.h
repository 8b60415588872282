// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "racepoints/Coordinates.h"
#include "racepoints/RacePointLists.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

// What the rows of a list become: which columns hold the number, the name,
// the place and the coordinates, the race point each row gives, and why a
// row is left out. Names and places pass the rules of typing them into the
// dialogs; the table changes only when a plan is applied.
namespace RacePointImport {

enum class Reason : std::uint8_t {
    NumberOutside, // not 80 to 98
    NumberTwice,   // an earlier row has it
    NumberInUse,   // the list has a race point there, and only free numbers are filled
    NoCoordinates, // none, or none the coordinate reader understands
    NoName,
    NoFreeNumber, // more rows than free numbers
};

enum class Note : std::uint8_t {
    NameCut,          // longer than 13 characters
    PlaceCut,         // longer than 30 characters
    Replaced,         // letters the dialogs do not take, as their plain letters (é as e)
    LeftOut,          // characters the dialogs do not take and that have no plain letter
    OtherHemisphere,  // south or west of what the list holds: the record keeps no hemisphere
};

struct Kept {
    int line = 0;
    QByteArray record; // 61 characters, as the data file holds it
    QList<Note> notes;
    std::optional<double> distance; // from the club location, in km
};

struct LeftOut {
    int line = 0;
    Reason reason = Reason::NoCoordinates;
    QString text; // the row's cells as the file has them
};

struct Plan {
    QList<Kept> kept;
    QList<LeftOut> leftOut;
};

// The plan for a file's rows, either replacing the whole list or filling
// only the numbers without a race point in the table in memory. Rows
// without a number take the free numbers in order.
Plan MakePlan(const RacePointLists::Sheet &sheet, bool replace);

// Puts the plan into the table in memory: the default list of 19 blank
// race points (replace) or the list as it is, grown to 19 (fill), with the
// kept rows in their slots. The caller saves.
void Apply(const Plan &plan, bool replace);

// A name or place as the dialogs would take it, at most `width` characters;
// what had to change is added to `notes`.
QString TypedText(QStringView text, int width, Note cut, QList<Note> &notes);

} // namespace RacePointImport
