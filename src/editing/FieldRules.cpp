// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/FieldRules.h"

#include "app/Convert.h"
#include "racepoints/Cp1252.h"
#include "racepoints/RacePointsManage.h"

namespace FieldRules {

namespace {

// Only the blank counts: a pasted tab or line break is left for the user to see.
QStringView TrimSpaces(QStringView text)
{
    while (!text.isEmpty() && text.front() == u' ')
        text = text.sliced(1);
    while (!text.isEmpty() && text.back() == u' ')
        text.chop(1);
    return text;
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

bool IsAsciiLetter(char16_t c)
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool NameAndPlaceFull(const QStringList &fields)
{
    return fields[NameField - 1].size() == MaxLengths[NameField - 1]
        && fields[PlaceField - 1].size() == MaxLengths[PlaceField - 1];
}

} // namespace

Kind KindOf(int field)
{
    if (field == 1)
        return Kind::Number;
    if (field == NameField || field == PlaceField)
        return Kind::Text;
    return Kind::Coordinate;
}

bool Takes(Kind kind, QChar typed)
{
    const char16_t c = typed.unicode();
    if (c == u'\b' || IsDigit(c))
        return true;
    if (kind != Kind::Text)
        return false;
    return IsAsciiLetter(c) || c == u' ' || c == u'+' || c == u',' || c == u'-' || c == u'.';
}

QString Entering(QStringView text)
{
    return TrimSpaces(text).toString();
}

QString Leaving(Kind kind, QStringView text, int maxLength)
{
    switch (kind) {
    case Kind::Number: {
        const QString number = TrimSpaces(text).toString();
        return number.isEmpty() ? number : number.rightJustified(maxLength, u'0');
    }
    case Kind::Text: {
        const QString name = TrimSpaces(text).toString();
        return name.isEmpty() ? name : name.leftJustified(maxLength, u' ');
    }
    case Kind::Coordinate:
        return text.toString().rightJustified(2, u'0');
    }
    return text.toString();
}

QStringList FieldTexts(const QByteArray &record)
{
    QStringList texts;
    int offset = 0;
    for (const int width : MaxLengths) {
        texts.append(Cp1252::Decode(record.mid(offset, width)));
        offset += width;
    }
    return texts;
}

QString CoordinateText(const QStringList &fieldTexts, bool longitude)
{
    const int first = longitude ? 4 : 0;
    QString text;
    for (int i = first; i < first + 4; ++i)
        text += fieldTexts[3 + i] + QString::fromUtf16(CoordinateSigns[i]);
    return text;
}

std::optional<QStringList> NumberLookup(QStringView numberText)
{
    using namespace RacePointsManage;
    const std::optional<int> slot = SlotOf(numberText);
    if (!slot)
        return std::nullopt;
    const QByteArray &record = RacePoints[*slot];
    if (Cp1252::Decode(record.left(NumberColumn.width)) != numberText)
        return std::nullopt;
    return FieldTexts(record).mid(1);
}

QString StoredCoordinate(const QString &text)
{
    return text.size() == 2 ? text : QStringLiteral("00");
}

QByteArray BuildRecord(const QStringList &fields)
{
    // A pasted line break would split the record's line in the data file, and
    // the next load would find the file damaged; it is kept as the blank the
    // field shows in its place.
    QByteArray record = Cp1252::Encode(fields.join(QString()));
    record.replace('\r', ' ').replace('\n', ' ');
    return record;
}

bool AddInputValid(const QStringList &fields)
{
    using namespace RacePointsManage;
    return Convert::ToInteger(fields[0], FirstNumber, LastNumber).has_value() && NameAndPlaceFull(fields);
}

bool AlterInputValid(const QStringList &fields)
{
    return Convert::ToInteger(fields[0], 1, RacePointsManage::LastNumber).has_value() && NameAndPlaceFull(fields);
}

} // namespace FieldRules
