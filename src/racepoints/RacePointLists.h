// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "racepoints/Coordinates.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// Race point lists as other programs keep them: spreadsheets saved as CSV,
// text lists, and the waypoint files of map programs and GPS units (GPX,
// KML). Writing the race points out, and reading such a file's rows; what
// the rows mean is the import's business.
namespace RacePointLists {

enum class Format : std::uint8_t { Csv, Gpx, Kml };

// One race point as a list shows it.
struct Entry {
    int number = 0;
    QString name, place;            // without their filling blanks
    QString latitude, longitude; // as the dialogs show them: 50°24'12,34" N
    std::optional<Coordinates::Position> position;
    std::optional<double> distance; // from the club location, in km
};

// The race points that exist in the table in memory, in the club
// location's hemispheres, with their distances when a location is set.
QList<Entry> EntriesOfTable();

// CSV for spreadsheets: UTF-8 with a byte order mark (so that a spreadsheet
// does not take it for the code page of the PC), fields separated by ";",
// decimals with a comma, as spreadsheets in the clubs' countries read them,
// and a header line (its cells separated by ";"). The distance column only
// when some entry has one.
QByteArray WriteCsv(const QList<Entry> &entries, const QString &header);
// GPX 1.1: a waypoint named "80 Quievrain" with the place as its
// description. Race points without coordinates have no place on a map.
QByteArray WriteGpx(const QList<Entry> &entries);
// KML: the same as placemarks of one document.
QByteArray WriteKml(const QList<Entry> &entries, const QString &documentName);
QByteArray Write(Format format, const QList<Entry> &entries, const QString &csvHeader,
                 const QString &documentName);

// The largest file that is read at all, and the most rows a list may have:
// a race point list has 19, a federation's list a few dozen; anything much
// larger is some other file, refused before it is read.
inline constexpr qint64 MaxFileSize = qint64(2) * 1024 * 1024;
inline constexpr int MaxRows = 1000;

enum class Problem : std::uint8_t { None, Empty, TooLarge, Binary, Utf16, NotWellFormed, TooManyRows };

struct Row {
    int line = 0; // where the row starts in the file, from 1
    QStringList cells;
};

// A file's rows: the cells of a CSV or text line, or of a waypoint its name,
// its description, its latitude and its longitude in decimal degrees.
struct Sheet {
    Problem problem = Problem::None;
    int problemLine = 0; // for a file that is not well-formed
    QString problemText; // the XML reader's words
    bool waypoints = false;
    QList<Row> rows;
};

Sheet ReadSheet(QByteArrayView content);

// The text of a CSV or text list: UTF-8 with or without a byte order mark,
// else Windows-1252.
QString DecodeText(QByteArrayView content);
// The separator of a CSV or text list: tab, ";" or ",", whichever splits
// its lines most evenly; 0 for a list of one column.
QChar DetectSeparator(QStringView text);
// Splits a CSV text into rows of cells; quoted cells may hold separators,
// quotes ("") and line breaks. Lines holding nothing are left out.
QList<Row> SplitCsv(QStringView text, QChar separator);

} // namespace RacePointLists
