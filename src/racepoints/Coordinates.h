// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <optional>

// Latitudes and longitudes: reading them in the forms in which federations,
// maps and GPS receivers write them, the record's eight two-digit fields, and
// the distance between two places on the earth. No window, no file.
//
// The record holds a latitude and a longitude as degrees, minutes, seconds and
// hundredths of a second, two digits each and without a hemisphere: the club
// location's hemispheres apply to every race point (ClubLocation). Two digits
// of degrees hold longitudes below 100°.
namespace Coordinates {

enum class Axis : std::uint8_t { Latitude, Longitude };

inline constexpr std::int64_t HundredthsPerSecond = 100;
inline constexpr std::int64_t HundredthsPerMinute = 60 * HundredthsPerSecond;
inline constexpr std::int64_t HundredthsPerDegree = 60 * HundredthsPerMinute;

// One latitude or longitude, rounded to the nearest hundredth of a second.
struct Angle {
    std::int64_t hundredths = 0; // of a second of arc, never negative
    bool negative = false;       // south or west
    // Whether the text said the hemisphere (a letter or a sign).
    bool hemisphereGiven = false;

    bool operator==(const Angle &) const = default;
};

// What a text held: one value, or a latitude and a longitude.
struct Reading {
    std::optional<Angle> latitude, longitude;
};

// Reads one value or a pair (latitude first, as maps and federation lists
// give them), in any of these forms, each with a point or a comma as the
// decimal sign, with or without the signs ° ' " and blanks:
//   decimal degrees                51.123456   -4.5
//   degrees and decimal minutes    51°07.407'  51 07.407  51:07.407
//   degrees, minutes, seconds      51°07'24.4"  51 07 24,44  51:07:24
//   compact DDMMSS.s / DDDMMSS.s   510724.4  0043404.4
// The hemisphere is a letter before or after the value (N, S, E, W; O for the
// Dutch and German east, Z for the Dutch south; small letters too) or a sign.
// A letter also says which of the two a value is, so "4.5E 51.1N" is a pair
// too. A pair is separated by a comma, a semicolon, a slash, a line break, a
// tab, or blanks where the values' forms leave no doubt.
// `row` is the value a single value without a letter is taken for.
// Nothing for anything else: other characters, minutes or seconds of 60 or
// more, more than two values, two latitudes, a latitude over 90°, a longitude
// the record cannot hold (100° or more), a text longer than any coordinate.
std::optional<Reading> Read(QStringView text, Axis row);

// The four field texts of a value ("51", "07", "24", "44").
QStringList Fields(const Angle &angle);

// A value from its four field texts, each of two digits; nothing when one is
// not (a blank record's spaces). Minutes and seconds of 60 and more count as
// what they are, as the record may hold them. The sign is not set.
std::optional<Angle> FromFields(QStringView degrees, QStringView minutes, QStringView seconds,
                                QStringView hundredths);

// Degrees with a sign, south and west negative.
double Degrees(const Angle &angle);

// As the dialogs show it: 51°07'24,44" N.
QString Text(const Angle &angle, Axis axis);

// A place on the earth in degrees, south and west negative.
struct Position {
    double latitude = 0;
    double longitude = 0;
};

// The length of the shortest way between two places on the WGS84 ellipsoid
// (a geodesic, as federations compute flying distances), in metres.
double DistanceMetres(const Position &from, const Position &to);

// The address of OpenStreetMap's page with a marker on the place.
QString MapAddress(const Position &position);

} // namespace Coordinates
