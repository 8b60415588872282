// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include <array>
#include <optional>

// The race point record, the table in memory and the data file racepo.dat.
//
// A race point is one record of 61 bytes in fixed columns (number, name,
// place, eight two-digit coordinate parts). Its slot in the table is its
// number minus 79. Records are held as bytes, one byte per character, and
// only decoded for display, so a record read from a file is written back
// byte for byte.
namespace RacePointsManage {

inline constexpr int RecordLength = 61;
inline constexpr int SlotCount = 99;
inline constexpr int FirstNumber = 80;
inline constexpr int LastNumber = 98;
inline constexpr int DefaultCount = LastNumber - FirstNumber + 1; // 19

// Columns of a record, 0-based offset and width.
struct Column { int offset; int width; };
inline constexpr Column NumberColumn{0, 2};
inline constexpr Column NameColumn{2, 13};
inline constexpr Column PlaceColumn{15, 30};
inline constexpr int CoordinatesOffset = 45; // eight fields of two digits

// Slots 1 to 99; slot 0 is never used.
extern std::array<QByteArray, SlotCount + 1> RacePoints;
extern qint16 RacePointCount;

// The race point number and 59 spaces.
QByteArray BlankRecord(int number);
// Whether a slot holds no race point: a blank record (nothing but spaces
// after the number, as a deleted race point leaves it) or nothing at all.
bool IsBlankRecord(QByteArrayView record);

// Set by every load, with the operating system's reason: the data file is
// there but could not be read (no right to read it, held by another program,
// not yet downloaded from a synced folder). "" when it was read or missing.
extern QString ReadFailure;
// Set by every load: a damaged data file could not be kept aside, with the
// reason. "" otherwise.
extern QString KeepFailure;

// Loads the table from the data file and returns the new count. A missing
// file gives the default table of 19 blank race points, which is written as
// a new file; a damaged file gives the default table too, and is kept beside
// the original under a name of its own before anything can overwrite it.
// A file that cannot be read gives the default table and ReadFailure.
// Nothing else beside the file is ever touched: what lies there may be the
// club's own.
qint16 LoadRacePoints(const QString &path);

// Writes the count line and slots 1 to RacePointCount. The old file stays
// whole unless the new one is complete; returns whether it is, and else gives
// the operating system's reason. A file whose content the last load did not
// get (ReadFailure, KeepFailure) is never replaced: the save fails with
// that reason until a load succeeds.
bool SaveRacePoints(const QString &path, QString *reason = nullptr);
// The same for a whole file's content, as undoing a change writes it back.
bool SaveDataFile(const QString &path, QByteArrayView content, QString *reason = nullptr);


// Puts a record into the slot named by its first two characters; false, and
// nothing changed, when they name no slot.
bool StoreRacePoint(const QByteArray &record);

// The slot named by a number text ("85" gives 6), or nothing.
std::optional<int> SlotOf(QStringView numberText);

// The file format, without any file.
struct Table {
    qint16 count = 0;
    QByteArrayList records; // count records (none for a count of zero or below)
};
std::optional<Table> ParseDataFile(QByteArrayView content);
QByteArray FormatDataFile(const Table &table);
Table DefaultTable();
// The table in memory as the data file holds it.
Table TableInMemory();

// Keeps a damaged data file beside the original as
// "racepo.dat.damaged-YYYYMMDD-HHMMSS", unless a kept copy with the same
// content exists already. Returns the path of the copy holding the content,
// or "" when it could not be kept, with the operating system's reason.
QString KeepDamagedFile(const QString &path, const QByteArray &content, QString *reason = nullptr);

} // namespace RacePointsManage
