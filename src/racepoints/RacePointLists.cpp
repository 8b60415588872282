// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/RacePointLists.h"

#include "app/ClubLocation.h"
#include "editing/FieldRules.h"
#include "racepoints/Cp1252.h"
#include "racepoints/RacePointsManage.h"

#include <QStringDecoder>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <array>

namespace RacePointLists {

namespace {

QString Decimal(double value, int decimals, QChar point = u'.')
{
    QString text = QString::number(value, 'f', decimals);
    if (point != u'.')
        text.replace(u'.', point);
    return text;
}

QString CsvCell(const QString &text)
{
    const bool quote = text.contains(u';') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r')
                       || text.startsWith(u' ') || text.endsWith(u' ');
    if (!quote)
        return text;
    QString quoted = text;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

QString WaypointName(const Entry &entry)
{
    return QString::number(entry.number) + u' ' + entry.name;
}

} // namespace

QList<Entry> EntriesOfTable()
{
    using namespace RacePointsManage;
    QList<Entry> entries;
    for (int slot = 1; slot <= RacePointCount && slot <= SlotCount; ++slot) {
        const QByteArray &record = RacePoints[slot];
        const int number = slot + FirstNumber - 1;
        if (IsBlankRecord(record) || number > LastNumber)
            continue;
        const QStringList fields = FieldRules::FieldTexts(record);
        Entry entry;
        entry.number = number;
        entry.name = fields[1].trimmed();
        entry.place = fields[2].trimmed();
        const QStringList coordinates = fields.mid(3);
        entry.position = ClubLocation::RacePointPosition(coordinates);
        if (entry.position) {
            const auto text = [](const QStringList &f, bool negative, Coordinates::Axis axis) {
                Coordinates::Angle angle = *Coordinates::FromFields(f[0], f[1], f[2], f[3]);
                angle.negative = negative;
                return Coordinates::Text(angle, axis);
            };
            entry.latitude = text(coordinates.mid(0, 4), entry.position->latitude < 0, Coordinates::Axis::Latitude);
            entry.longitude = text(coordinates.mid(4), entry.position->longitude < 0, Coordinates::Axis::Longitude);
        }
        if (const std::optional<double> metres = ClubLocation::DistanceMetres(coordinates))
            entry.distance = *metres / 1000;
        entries.append(entry);
    }
    return entries;
}

QByteArray WriteCsv(const QList<Entry> &entries, const QString &header)
{
    const bool distances = std::any_of(entries.begin(), entries.end(), [](const Entry &e) { return e.distance; });
    QStringList lines;
    QStringList cells;
    for (const QString &cell : header.split(u';').mid(0, distances ? 8 : 7))
        cells << CsvCell(cell.trimmed());
    lines << cells.join(u';');
    for (const Entry &entry : entries) {
        cells = {QString::number(entry.number), CsvCell(entry.name), CsvCell(entry.place),
                 CsvCell(entry.latitude), CsvCell(entry.longitude),
                 entry.position ? Decimal(entry.position->latitude, 6, u',') : QString(),
                 entry.position ? Decimal(entry.position->longitude, 6, u',') : QString()};
        if (distances)
            cells << (entry.distance ? Decimal(*entry.distance, 3, u',') : QString());
        lines << cells.join(u';');
    }
    return "\xEF\xBB\xBF" + (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

QByteArray WriteGpx(const QList<Entry> &entries)
{
    QByteArray content;
    QXmlStreamWriter xml(&content);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
    xml.writeStartElement(QStringLiteral("gpx"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
    xml.writeAttribute(QStringLiteral("creator"), QStringLiteral("Racepoints"));
    for (const Entry &entry : entries) {
        if (!entry.position)
            continue;
        xml.writeStartElement(QStringLiteral("wpt"));
        xml.writeAttribute(QStringLiteral("lat"), Decimal(entry.position->latitude, 6));
        xml.writeAttribute(QStringLiteral("lon"), Decimal(entry.position->longitude, 6));
        xml.writeTextElement(QStringLiteral("name"), WaypointName(entry));
        if (!entry.place.isEmpty())
            xml.writeTextElement(QStringLiteral("desc"), entry.place);
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return content;
}

QByteArray WriteKml(const QList<Entry> &entries, const QString &documentName)
{
    QByteArray content;
    QXmlStreamWriter xml(&content);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDefaultNamespace(QStringLiteral("http://www.opengis.net/kml/2.2"));
    xml.writeStartElement(QStringLiteral("kml"));
    xml.writeStartElement(QStringLiteral("Document"));
    xml.writeTextElement(QStringLiteral("name"), documentName);
    for (const Entry &entry : entries) {
        if (!entry.position)
            continue;
        xml.writeStartElement(QStringLiteral("Placemark"));
        xml.writeTextElement(QStringLiteral("name"), WaypointName(entry));
        if (!entry.place.isEmpty())
            xml.writeTextElement(QStringLiteral("description"), entry.place);
        xml.writeStartElement(QStringLiteral("Point"));
        xml.writeTextElement(QStringLiteral("coordinates"), Decimal(entry.position->longitude, 6) + u','
                                                                 + Decimal(entry.position->latitude, 6));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return content;
}

QByteArray Write(Format format, const QList<Entry> &entries, const QString &csvHeader,
                 const QString &documentName)
{
    switch (format) {
    case Format::Gpx:
        return WriteGpx(entries);
    case Format::Kml:
        return WriteKml(entries, documentName);
    case Format::Csv:
        break;
    }
    return WriteCsv(entries, csvHeader);
}

namespace {

bool HasUtf8Bom(QByteArrayView content)
{
    return content.startsWith("\xEF\xBB\xBF");
}

// A spreadsheet saved as "Unicode text" is UTF-16: a byte order mark, or
// every other byte a NUL.
bool LooksLikeUtf16(QByteArrayView content)
{
    if (content.startsWith("\xFF\xFE") || content.startsWith("\xFE\xFF"))
        return true;
    const qsizetype checked = std::min<qsizetype>(content.size(), 200) & ~qsizetype(1);
    qsizetype evenNuls = 0, oddNuls = 0;
    for (qsizetype i = 0; i < checked; i += 2) {
        evenNuls += content[i] == '\0';
        oddNuls += content[i + 1] == '\0';
    }
    return checked >= 4 && (evenNuls * 2 >= checked / 2 || oddNuls * 2 >= checked / 2);
}

// Text holds no NUL and hardly any control characters but tab and line ends.
bool LooksBinary(QByteArrayView content)
{
    qsizetype controls = 0;
    for (const char c : content) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0)
            return true;
        if (b < 0x20 && b != '\t' && b != '\r' && b != '\n' && b != '\f')
            ++controls;
    }
    return controls * 100 > content.size();
}

bool LooksLikeXml(QStringView text)
{
    return text.trimmed().startsWith(u'<');
}

QString LocalName(const QXmlStreamReader &xml)
{
    return xml.name().toString().toLower();
}

// The waypoints of a GPX file (waypoints and route points) or the point
// placemarks of a KML file. Only well-formed files: a file cut short or
// damaged is refused whole, rather than taken in part.
Sheet ReadWaypoints(QByteArrayView content)
{
    Sheet sheet;
    sheet.waypoints = true;
    QXmlStreamReader xml(content.toByteArray());
    Row row;
    QString lat, lon, name, place;
    bool inPoint = false;
    bool inPointGeometry = false; // a KML Point, not a line or an area
    QString element;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            element = LocalName(xml);
            if (element == u"wpt" || element == u"rtept" || element == u"placemark") {
                inPoint = true;
                row = Row{int(xml.lineNumber()), {}};
                name.clear();
                place.clear();
                lat = xml.attributes().value(QStringLiteral("lat")).toString().trimmed();
                lon = xml.attributes().value(QStringLiteral("lon")).toString().trimmed();
            } else if (inPoint && element == u"name") {
                name = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
            } else if (inPoint && (element == u"desc" || element == u"description" || element == u"cmt")) {
                const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
                if (place.isEmpty() || element == u"desc")
                    place = text;
            } else if (inPoint && element == u"point") {
                inPointGeometry = true;
            } else if (inPointGeometry && element == u"coordinates") {
                // KML: longitude, latitude and perhaps the height.
                const QStringList parts =
                    xml.readElementText().simplified().section(u' ', 0, 0).split(u',');
                if (parts.size() >= 2) {
                    lon = parts[0];
                    lat = parts[1];
                }
            }
        } else if (token == QXmlStreamReader::EndElement && inPoint) {
            const QString ended = LocalName(xml);
            if (ended == u"point")
                inPointGeometry = false;
            if (ended == u"wpt" || ended == u"rtept" || ended == u"placemark") {
                inPoint = false;
                // A placemark without a point is a line or an area.
                if (!lat.isEmpty() || !lon.isEmpty() || ended != u"placemark") {
                    row.cells = {name, place, lat, lon};
                    sheet.rows.append(row);
                    if (sheet.rows.size() > MaxRows) {
                        sheet.problem = Problem::TooManyRows;
                        sheet.rows.clear();
                        return sheet;
                    }
                }
            }
        }
    }
    if (xml.hasError()) {
        sheet.problem = Problem::NotWellFormed;
        sheet.problemLine = int(xml.lineNumber());
        sheet.problemText = xml.errorString();
        sheet.rows.clear();
    }
    return sheet;
}

} // namespace

QString DecodeText(QByteArrayView content)
{
    if (HasUtf8Bom(content))
        return QString::fromUtf8(content.sliced(3));
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(content);
    if (!utf8.hasError())
        return text;
    return Cp1252::Decode(content);
}

QChar DetectSeparator(QStringView text)
{
    // Counted outside quotes, over the first lines that hold anything.
    static constexpr std::array<char16_t, 3> candidates{u'\t', u';', u','};
    std::array<int, 3> fewest{-1, -1, -1};
    std::array<int, 3> count{};
    bool quoted = false;
    int lines = 0;
    bool lineHasText = false;
    const auto endLine = [&] {
        if (!lineHasText)
            return;
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            fewest[i] = fewest[i] < 0 ? count[i] : std::min(fewest[i], count[i]);
            count[i] = 0;
        }
        ++lines;
        lineHasText = false;
    };
    for (qsizetype i = 0; i < text.size() && lines < 20; ++i) {
        const QChar c = text[i];
        if (c == u'"')
            quoted = !quoted;
        if (!quoted && (c == u'\n' || c == u'\r')) {
            endLine();
            continue;
        }
        if (!c.isSpace())
            lineHasText = true;
        for (std::size_t k = 0; !quoted && k < candidates.size(); ++k)
            count[k] += c == candidates[k];
    }
    endLine();
    int best = -1;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (fewest[i] > 0 && (best < 0 || fewest[i] > fewest[best]))
            best = int(i);
    }
    return best < 0 ? QChar() : QChar(candidates[best]);
}

QList<Row> SplitCsv(QStringView text, QChar separator)
{
    QList<Row> rows;
    Row row{1, {}};
    QString cell;
    bool quoted = false, wasQuoted = false;
    int line = 1;
    const auto endCell = [&] {
        row.cells << (wasQuoted ? cell : cell.trimmed());
        cell.clear();
        wasQuoted = false;
    };
    const auto endRow = [&] {
        endCell();
        const bool empty = std::all_of(row.cells.begin(), row.cells.end(), [](const QString &c) { return c.isEmpty(); });
        if (!empty)
            rows.append(row);
        row = Row{line, {}};
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                cell += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                if (c == u'\n')
                    ++line;
                cell += c;
            }
        } else if (c == u'"' && cell.trimmed().isEmpty()) {
            quoted = wasQuoted = true;
            cell.clear();
        } else if (!separator.isNull() && c == separator) {
            endCell();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
            ++line;
            endRow();
        } else if (!wasQuoted) {
            cell += c;
        }
    }
    endRow();
    return rows;
}

Sheet ReadSheet(QByteArrayView content)
{
    Sheet sheet;
    if (content.size() > MaxFileSize) {
        sheet.problem = Problem::TooLarge;
        return sheet;
    }
    if (content.trimmed().isEmpty()) {
        sheet.problem = Problem::Empty;
        return sheet;
    }
    if (LooksLikeUtf16(content)) {
        sheet.problem = Problem::Utf16;
        return sheet;
    }
    if (LooksBinary(content)) {
        sheet.problem = Problem::Binary;
        return sheet;
    }
    const QString text = DecodeText(content);
    if (LooksLikeXml(text))
        sheet = ReadWaypoints(content);
    else
        sheet.rows = SplitCsv(text, DetectSeparator(text));
    if (sheet.problem == Problem::None && sheet.rows.size() > MaxRows) {
        sheet.problem = Problem::TooManyRows;
        sheet.rows.clear();
    }
    if (sheet.problem == Problem::None && sheet.rows.isEmpty())
        sheet.problem = Problem::Empty;
    return sheet;
}

} // namespace RacePointLists
