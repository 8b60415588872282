// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// What looks wrong in a race point's coordinates while they are typed: plain
// notes for the user, which never stop a race point from being stored (the
// record takes minutes and seconds up to 99).
namespace CoordinateNotes {

enum class Kind : std::uint8_t {
    SixtyOrMore,     // minutes or seconds of 60 or more
    LatitudeOver90,
    FarAway,         // more than FarAwayKm from the club location
    SameAsOther,     // the same coordinates as another race point
    Swapped,         // latitude and longitude swapped lie far nearer the club
};

inline constexpr double FarAwayKm = 1500;

struct Note {
    Kind kind;
    int otherNumber = 0; // SameAsOther: the other race point
    QString otherName;   // and its name, without the filling blanks

    bool operator==(const Note &) const = default;
};

// The notes for the eight coordinate field texts (latitude degrees to
// longitude hundredths) of the race point `ownNumber`, against the race
// point table and the club location. None while a field holds no two digits.
QList<Note> Check(const QStringList &coordinateFields, int ownNumber);

} // namespace CoordinateNotes
