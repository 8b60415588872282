// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/ClubLocation.h"

#include "app/Init.h"

#include <QFileInfo>
#include <QLocale>

namespace ClubLocation {

namespace {

// Far more than the one line the file holds: anything larger is not ours.
constexpr qint64 MaxFileSize = 4096;

} // namespace

std::optional<Location> Current;

QString FilePath()
{
    return Init::WorkPath + QLatin1String(FileName);
}

std::optional<Location> Parse(QByteArrayView content)
{
    const QString text = QString::fromLatin1(content).trimmed();
    const std::optional<Coordinates::Reading> reading = Coordinates::Read(text, Coordinates::Axis::Latitude);
    if (!reading || !reading->latitude || !reading->longitude)
        return std::nullopt;
    // A location's hemispheres are always known: north and east unless said.
    Location location{*reading->latitude, *reading->longitude};
    location.latitude.hemisphereGiven = location.longitude.hemisphereGiven = true;
    return location;
}

QByteArray Format(const std::optional<Location> &location)
{
    if (!location)
        return QByteArray();
    const auto value = [](const Coordinates::Angle &angle, char positive, char negative) {
        const QStringList f = Coordinates::Fields(angle);
        return QStringLiteral("%1 %2 %3.%4 ").arg(f[0], f[1], f[2], f[3]).toLatin1()
            + (angle.negative ? negative : positive);
    };
    return value(location->latitude, 'N', 'S') + ", " + value(location->longitude, 'E', 'W') + "\r\n";
}

void Load()
{
    Current.reset();
    QByteArray content;
    if (QFileInfo(FilePath()).size() > MaxFileSize || !Init::ReadWholeFile(FilePath(), content))
        return;
    Current = Parse(content);
}

bool Save(const std::optional<Location> &location, QString *reason)
{
    if (!Init::WriteWholeFile(FilePath(), Format(location), reason))
        return false;
    Current = location;
    return true;
}

Coordinates::Position PositionOf(const Location &location)
{
    return {Coordinates::Degrees(location.latitude), Coordinates::Degrees(location.longitude)};
}

std::optional<Coordinates::Position> RacePointPosition(const QStringList &coordinateFields)
{
    if (coordinateFields.size() != 8)
        return std::nullopt;
    std::optional<Coordinates::Angle> latitude = Coordinates::FromFields(coordinateFields[0], coordinateFields[1],
                                                                         coordinateFields[2], coordinateFields[3]);
    std::optional<Coordinates::Angle> longitude = Coordinates::FromFields(coordinateFields[4], coordinateFields[5],
                                                                          coordinateFields[6], coordinateFields[7]);
    // All zeros: coordinates never entered.
    if (!latitude || !longitude || (latitude->hundredths == 0 && longitude->hundredths == 0))
        return std::nullopt;
    // No latitude lies beyond the pole.
    if (latitude->hundredths > 90 * Coordinates::HundredthsPerDegree)
        return std::nullopt;
    latitude->negative = Current && Current->latitude.negative;
    longitude->negative = Current && Current->longitude.negative;
    return Coordinates::Position{Coordinates::Degrees(*latitude), Coordinates::Degrees(*longitude)};
}

bool OtherHemisphere(const Coordinates::Reading &reading)
{
    const auto other = [](const std::optional<Coordinates::Angle> &angle, bool clubNegative) {
        return angle && angle->hemisphereGiven && angle->hundredths > 0 && angle->negative != clubNegative;
    };
    return other(reading.latitude, Current && Current->latitude.negative)
        || other(reading.longitude, Current && Current->longitude.negative);
}

std::optional<double> DistanceMetres(const QStringList &coordinateFields)
{
    const std::optional<Coordinates::Position> position = RacePointPosition(coordinateFields);
    if (!Current || !position)
        return std::nullopt;
    return Coordinates::DistanceMetres(PositionOf(*Current), *position);
}

QString KilometresText(double metres)
{
    return QLocale().toString(metres / 1000, 'f', 3);
}

} // namespace ClubLocation
