// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The coordinate reader, over text pasted into a coordinate field or read
// from the club location file: whatever it takes fits the record's fields,
// and what it gives is read back the same.
#include "FuzzSupport.h"

#include "app/ClubLocation.h"
#include "racepoints/Coordinates.h"

using namespace Coordinates;

namespace {

void CheckAngle(const Angle &angle, Axis axis)
{
    FUZZ_CHECK(angle.hundredths >= 0);
    FUZZ_CHECK(angle.hundredths <= (axis == Axis::Latitude ? 90 : 100) * HundredthsPerDegree);
    const QStringList fields = Fields(angle);
    FUZZ_CHECK(fields.size() == 4);
    for (const QString &field : fields)
        FUZZ_CHECK(field.size() == 2 && field[0].isDigit() && field[1].isDigit());
    const std::optional<Angle> back = FromFields(fields[0], fields[1], fields[2], fields[3]);
    FUZZ_CHECK(back && back->hundredths == angle.hundredths);
    // The four fields as text are read as the same value.
    const QString text = QStringLiteral("%1 %2 %3.%4").arg(fields[0], fields[1], fields[2], fields[3]);
    const std::optional<Reading> again = Read(text, axis);
    FUZZ_CHECK(again);
    const std::optional<Angle> &value = axis == Axis::Latitude ? again->latitude : again->longitude;
    FUZZ_CHECK(value && value->hundredths == angle.hundredths);
}

} // namespace

// The input: the first byte's lowest bit is the row pasted into, the rest is
// the text as UTF-8.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const Axis row = data[0] & 1 ? Axis::Longitude : Axis::Latitude;
    const QByteArrayView bytes = Bytes(data + 1, size - 1);
    if (const std::optional<Reading> reading = Read(QString::fromUtf8(bytes), row)) {
        FUZZ_CHECK(reading->latitude || reading->longitude);
        if (reading->latitude)
            CheckAngle(*reading->latitude, Axis::Latitude);
        if (reading->longitude)
            CheckAngle(*reading->longitude, Axis::Longitude);
    }
    // As the club location file: a location read is written and read back.
    if (const std::optional<ClubLocation::Location> location = ClubLocation::Parse(bytes)) {
        const QByteArray written = ClubLocation::Format(location);
        FUZZ_CHECK(ClubLocation::Parse(written) == location);
    }
    return 0;
}
