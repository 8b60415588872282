// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "racepoints/Coordinates.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>

// The club's location (its club house or the secretary's loft), from which
// the distances of the race points are measured. It is kept in a small file
// of its own in the working folder, one line in a form the coordinate reader
// reads back: "51 07 24.44 N, 04 34 04.40 E". A missing, empty or damaged
// file means that no location is set.
//
// The race point records hold no hemisphere: the race points are taken to
// lie in the club location's hemispheres, or north and east while none is set.
namespace ClubLocation {

inline constexpr const char *FileName = "clublocation.txt";

struct Location {
    Coordinates::Angle latitude, longitude; // negative: south, west

    bool operator==(const Location &) const = default;
};

// The location read at start-up or saved since; nothing when none is set.
extern std::optional<Location> Current;

QString FilePath(); // WorkPath + FileName

// The file's content, without any file. An empty content is no location.
std::optional<Location> Parse(QByteArrayView content);
QByteArray Format(const std::optional<Location> &location);

// Reads the file into Current.
void Load();
// Writes the file with the safe save, then sets Current; false, with the
// operating system's reason, when the file could not be written, and then
// Current stays as it was. Nothing is written as an empty file.
bool Save(const std::optional<Location> &location, QString *reason = nullptr);

Coordinates::Position PositionOf(const Location &location);

// Where a race point lies: its eight coordinate field texts (latitude
// degrees to longitude hundredths) in the club location's hemispheres;
// nothing when a field does not hold two digits, the latitude lies beyond
// the pole, or all are zeros (never entered).
std::optional<Coordinates::Position> RacePointPosition(const QStringList &coordinateFields);

// Whether a value read says a hemisphere other than the club location's
// (north and east without one): the record cannot keep it.
bool OtherHemisphere(const Coordinates::Reading &reading);

// The race point's distance from the club location in metres; nothing
// without a location or without coordinates.
std::optional<double> DistanceMetres(const QStringList &coordinateFields);

// A distance in kilometres with three decimals, as the user's language writes
// numbers ("54.972", "54,972").
QString KilometresText(double metres);

} // namespace ClubLocation
