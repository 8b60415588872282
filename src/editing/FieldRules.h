// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <optional>

// The entry rules of the eleven race point fields Text1 to Text11, one per
// record column group, so that a dialog builds a record by joining the
// field texts: numbers are zero-filled on the left, names and places
// space-filled on the right.
namespace FieldRules {

enum class Kind { Number, Text, Coordinate };

inline constexpr int FieldCount = 11;
// Maximum lengths of Text1 to Text11: the widths of the record's columns.
inline constexpr std::array<int, FieldCount> MaxLengths{2, 13, 30, 2, 2, 2, 2, 2, 2, 2, 2};
inline constexpr int NameField = 2;  // Text2
inline constexpr int PlaceField = 3; // Text3

// The kind of Text1 to Text11 (field 1 to 11).
Kind KindOf(int field);

// Whether a typed character reaches the field. Backspace always does.
bool Takes(Kind kind, QChar typed);

// On receiving the focus: the text without leading and trailing spaces.
QString Entering(QStringView text);

// On losing the focus: the number and the text fills trim and then fill an
// entered value up to the maximum length, leaving an empty one empty; the
// coordinate fill only zero-fills to two characters.
QString Leaving(Kind kind, QStringView text, int maxLength);

// The texts of Text1 to Text11 for a record, untrimmed.
QStringList FieldTexts(const QByteArray &record);

// The fixed signs after Text4 to Text11: degrees, minutes, the decimal comma
// of the seconds, then the seconds sign (two apostrophes for the longitude).
inline constexpr std::array<const char16_t *, 8> CoordinateSigns{u"°", u"'", u",", u"\"", u"°", u"'", u",", u"''"};

// A latitude or longitude as its four fields and their signs show it
// (52°31'12,34"), from the texts of FieldTexts().
QString CoordinateText(const QStringList &fieldTexts, bool longitude);

// What typing a number into the add dialog's Text1 shows: the texts of Text2
// to Text11 from the stored record of that number, or nothing when the text
// is not the number of a stored record (a single digit, 79, an empty slot).
std::optional<QStringList> NumberLookup(QStringView numberText);

// A coordinate as it goes into the record: "00" unless it has two characters.
QString StoredCoordinate(const QString &text);

// The record of eleven field texts joined in order, one byte per character;
// line breaks become blanks.
QByteArray BuildRecord(const QStringList &fields);

// The checks of the add action: a number from 80 to 98, and a name and a
// place of full width (a field is only filled when something was entered).
bool AddInputValid(const QStringList &fields);

// The checks of the alter action: the number is the record's own, so only
// numbers beyond 98 fail it; name and place as for adding.
bool AlterInputValid(const QStringList &fields);

} // namespace FieldRules
