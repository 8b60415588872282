// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The entry rules of the eleven race point fields: whatever the user types or
// pastes, a record the add or alter dialog accepts is 61 bytes and survives
// the data file unchanged.
#include "FuzzSupport.h"

#include "editing/FieldRules.h"
#include "racepoints/RacePointsManage.h"

using namespace FieldRules;

namespace {

// What the field holds after the user typed `input` key by key (filtered,
// Backspace removing the last character) or pasted it (unfiltered), both cut
// at the field's maximum length as the line edit does.
QString Entered(Kind kind, QStringView input, int maxLength, bool typed)
{
    if (!typed)
        return input.left(maxLength).toString();
    QString text;
    for (const QChar c : input) {
        if (!Takes(kind, c))
            continue;
        if (c == u'\b')
            text.chop(1);
        else if (text.size() < maxLength)
            text.append(c);
    }
    return text;
}

bool Allowed(Kind kind, QChar c)
{
    return c != u'\b' && Takes(kind, c);
}

} // namespace

// The input: two bytes saying, one bit a field, which fields were typed and
// which pasted; then the texts of Text1 to Text11 as UTF-8, separated by 0xFF
// bytes (which UTF-8 never holds).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const unsigned typedMask = data[0] | (data[1] << 8);
    const QByteArrayList inputs = Bytes(data + 2, size - 2).toByteArray().split('\xff');

    QStringList fields;
    for (int field = 1; field <= FieldCount; ++field) {
        const Kind kind = KindOf(field);
        const int maxLength = MaxLengths[field - 1];
        const bool typed = typedMask & (1u << (field - 1));
        const QString input = field - 1 < inputs.size() ? QString::fromUtf8(inputs[field - 1]) : QString();

        // Into the field, through it with the focus, and out again.
        const QString left = Leaving(kind, Entering(Entered(kind, input, maxLength, typed)), maxLength);
        FUZZ_CHECK(left.size() <= maxLength);
        // Passing through the field again changes nothing (a coordinate is
        // not trimmed on leaving, so a pasted blank in it may become a zero).
        FUZZ_CHECK(Leaving(kind, Entering(left), maxLength) == left || kind == Kind::Coordinate);
        if (typed) {
            const QChar fill = kind == Kind::Text ? u' ' : u'0';
            for (const QChar c : left)
                FUZZ_CHECK(Allowed(kind, c) || c == fill);
        }
        fields.append(kind == Kind::Coordinate ? StoredCoordinate(left) : left);
    }

    const QByteArray record = BuildRecord(fields);
    if (!AddInputValid(fields) && !AlterInputValid(fields))
        return 0;
    FUZZ_CHECK(record.size() == RacePointsManage::RecordLength);
    FUZZ_CHECK(FieldTexts(record).size() == FieldCount);

    // Saved and loaded again, the record comes back as it was.
    RacePointsManage::Table table;
    table.count = 1;
    table.records.append(record);
    const std::optional<RacePointsManage::Table> loaded =
        RacePointsManage::ParseDataFile(RacePointsManage::FormatDataFile(table));
    FUZZ_CHECK(loaded && loaded->records == table.records);
    return 0;
}
