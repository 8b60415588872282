// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/CoordinateNotes.h"

#include "app/ClubLocation.h"
#include "racepoints/Cp1252.h"
#include "racepoints/RacePointsManage.h"

namespace CoordinateNotes {

namespace {

// Swapped, the point must lie at most this share of its distance away.
constexpr double SwappedShare = 0.2;
// Nearer than this, a point is no sign of a swap.
constexpr double SwappedFromKm = 300;

} // namespace

QList<Note> Check(const QStringList &fields, int ownNumber)
{
    using namespace Coordinates;
    QList<Note> notes;
    if (fields.size() != 8)
        return notes;
    const std::optional<Angle> latitude = FromFields(fields[0], fields[1], fields[2], fields[3]);
    const std::optional<Angle> longitude = FromFields(fields[4], fields[5], fields[6], fields[7]);
    if (!latitude || !longitude)
        return notes;

    for (const int minutesOrSeconds : {1, 2, 5, 6}) {
        if (fields[minutesOrSeconds].toInt() >= 60) {
            notes.append({Kind::SixtyOrMore, 0, {}});
            break;
        }
    }
    if (latitude->hundredths > 90 * HundredthsPerDegree)
        notes.append({Kind::LatitudeOver90, 0, {}});

    if (const std::optional<double> metres = ClubLocation::DistanceMetres(fields)) {
        const QStringList swapped = fields.mid(4) + fields.mid(0, 4);
        const std::optional<double> swappedMetres = ClubLocation::DistanceMetres(swapped);
        if (*metres > SwappedFromKm * 1000 && swappedMetres && *swappedMetres < *metres * SwappedShare)
            notes.append({Kind::Swapped, 0, {}});
        else if (*metres > FarAwayKm * 1000)
            notes.append({Kind::FarAway, 0, {}});
    }

    // Coordinates never entered are all zeros, and no twins.
    if (latitude->hundredths == 0 && longitude->hundredths == 0)
        return notes;
    using namespace RacePointsManage;
    const QString own = fields.join(QString());
    for (int slot = 1; slot <= RacePointCount && slot <= SlotCount; ++slot) {
        const int number = slot + FirstNumber - 1;
        const QByteArray &record = RacePoints[slot];
        if (number == ownNumber || IsBlankRecord(record) || Cp1252::Decode(record.mid(CoordinatesOffset)) != own)
            continue;
        const QString name = Cp1252::Decode(record.mid(NameColumn.offset, NameColumn.width)).trimmed();
        notes.append({Kind::SameAsOther, number, name});
    }
    return notes;
}

} // namespace CoordinateNotes
