// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/RacePointImport.h"

#include "app/ClubLocation.h"
#include "editing/FieldRules.h"
#include "racepoints/Cp1252.h"
#include "racepoints/RacePointsManage.h"

#include <QRegularExpression>

#include <algorithm>
#include <set>

namespace RacePointImport {

namespace {

using Coordinates::Axis;
using RacePointLists::Row;
using RacePointLists::Sheet;
using namespace RacePointsManage;

// Letters without a decomposition into a plain letter and a mark.
QString PlainLetters(QChar c)
{
    static const QList<std::pair<char16_t, const char *>> table = {
        {u'ß', "ss"}, {u'æ', "ae"}, {u'Æ', "AE"}, {u'œ', "oe"}, {u'Œ', "OE"}, {u'ø', "o"},
        {u'Ø', "O"},  {u'ł', "l"},  {u'Ł', "L"},  {u'đ', "d"},  {u'Đ', "D"},  {u'ı', "i"}};
    for (const auto &[letter, plain] : table) {
        if (c == letter)
            return QLatin1String(plain);
    }
    QString plain;
    for (const QChar part : QString(c).normalized(QString::NormalizationForm_KD)) {
        if (FieldRules::Takes(FieldRules::Kind::Text, part) && part != u'\b')
            plain += part;
    }
    return plain;
}

enum class Role : std::uint8_t { None, Number, Name, Place, Coordinate };

// A header cell's role, in the languages of the shipped catalogues.
Role HeaderRole(const QString &cell)
{
    static const QRegularExpression number(QStringLiteral("^(no\\b|nr\\b|n°|num|#)"));
    static const QRegularExpression name(QStringLiteral("^(name|naam|nom\\b)"));
    static const QRegularExpression place(QStringLiteral("^(place|ort\\b|plaats|lieu|location|town|city|stadt)"));
    static const QRegularExpression coordinate(QStringLiteral(
        "^(lat|lon|lng|breite|breedte|länge|lengte|coord|koord|coörd|position|gps|wgs)"));
    const QString text = cell.trimmed().toLower();
    if (number.match(text).hasMatch())
        return Role::Number;
    if (name.match(text).hasMatch())
        return Role::Name;
    if (place.match(text).hasMatch())
        return Role::Place;
    if (coordinate.match(text).hasMatch())
        return Role::Coordinate;
    return Role::None;
}

bool IsCoordinate(const QString &cell)
{
    return Coordinates::Read(cell, Axis::Latitude).has_value();
}

bool IsNumber(const QString &cell)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,3}$"));
    return digits.match(cell).hasMatch();
}

struct Columns {
    int number = -1, name = -1, place = -1;
    QList<int> coordinates;
};

// Which column holds what: from the header where there is one, else from
// what the cells hold.
Columns FindColumns(const QList<Row> &rows, const QStringList &header)
{
    Columns columns;
    int width = int(header.size());
    for (const Row &row : rows)
        width = std::max(width, int(row.cells.size()));
    for (int c = 0; c < width; ++c) {
        const Role role = c < header.size() ? HeaderRole(header[c]) : Role::None;
        int numbers = 0, coordinates = 0, texts = 0, numbersInRange = 0;
        for (const Row &row : rows) {
            const QString cell = row.cells.value(c);
            if (cell.isEmpty())
                continue;
            if (IsNumber(cell)) {
                ++numbers;
                numbersInRange += cell.toInt() >= FirstNumber && cell.toInt() <= LastNumber;
            } else if (IsCoordinate(cell)) {
                ++coordinates;
            } else {
                ++texts;
            }
        }
        const bool numberColumn = role == Role::Number
                                  || (role == Role::None && columns.number < 0 && numbers > 0 && texts == 0
                                      && coordinates == 0 && numbersInRange * 2 >= numbers);
        if (numberColumn && columns.number < 0)
            columns.number = c;
        else if (role == Role::Coordinate || (role == Role::None && coordinates > texts && coordinates > 0))
            columns.coordinates << c;
        else if ((role == Role::Name || (role == Role::None && texts > 0)) && columns.name < 0)
            columns.name = c;
        else if ((role == Role::Place || (role == Role::None && texts > 0)) && columns.place < 0)
            columns.place = c;
    }
    return columns;
}

// The first latitude and longitude the row's coordinate columns give: a
// pair in one column, or a value and the value in the next column.
std::optional<std::pair<Coordinates::Angle, Coordinates::Angle>> Position(const Row &row, const QList<int> &columns)
{
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const std::optional<Coordinates::Reading> first = Coordinates::Read(row.cells.value(columns[i]), Axis::Latitude);
        if (!first)
            continue;
        if (first->latitude && first->longitude)
            return std::pair(*first->latitude, *first->longitude);
        if (!first->latitude || i + 1 >= columns.size())
            continue;
        const std::optional<Coordinates::Reading> second =
            Coordinates::Read(row.cells.value(columns[i + 1]), Axis::Longitude);
        if (second && second->longitude && !second->latitude)
            return std::pair(*first->latitude, *second->longitude);
    }
    return std::nullopt;
}

// A waypoint's name may start with its race point number: "80 Quievrain".
std::pair<QString, QString> NumberAndName(const QString &name)
{
    static const QRegularExpression numbered(QStringLiteral("^(\\d{2})\\s+(.*)$"));
    const QRegularExpressionMatch m = numbered.match(name);
    return m.hasMatch() ? std::pair(m.captured(1), m.captured(2)) : std::pair(QString(), name);
}

struct Candidate {
    int line = 0;
    QString rowText;
    std::optional<int> number; // given in the row
    bool numberGiven = false;
    QString name, place;
    Coordinates::Angle latitude, longitude;
    QList<Note> notes;
};

} // namespace

QString TypedText(QStringView text, int width, Note cut, QList<Note> &notes)
{
    QString typed;
    bool replaced = false, leftOut = false;
    for (const QChar c : text) {
        if (c != u'\b' && FieldRules::Takes(FieldRules::Kind::Text, c)) {
            typed += c;
        } else if (c.isSpace()) {
            typed += u' ';
        } else if (const QString plain = PlainLetters(c); !plain.isEmpty()) {
            typed += plain;
            replaced = true;
        } else {
            leftOut = true;
        }
    }
    typed = typed.simplified();
    const auto note = [&notes](Note n) {
        if (!notes.contains(n))
            notes << n;
    };
    if (replaced)
        note(Note::Replaced);
    if (leftOut)
        note(Note::LeftOut);
    if (typed.size() > width) {
        typed = typed.left(width).trimmed();
        note(cut);
    }
    return typed;
}

Plan MakePlan(const Sheet &sheet, bool replace)
{
    Plan plan;
    QList<Row> rows = sheet.rows;
    QStringList header;
    Columns columns;
    if (sheet.waypoints) {
        columns.name = 0;
        columns.place = 1;
        columns.coordinates = {2, 3};
    } else {
        // A first row without any coordinate is a header.
        if (!rows.isEmpty() && std::none_of(rows.first().cells.begin(), rows.first().cells.end(), IsCoordinate)) {
            header = rows.first().cells;
            rows.removeFirst();
        }
        columns = FindColumns(rows, header);
    }
    const bool south = ClubLocation::Current && ClubLocation::Current->latitude.negative;
    const bool west = ClubLocation::Current && ClubLocation::Current->longitude.negative;

    QList<Candidate> candidates;
    for (const Row &row : rows) {
        Candidate candidate;
        candidate.line = row.line;
        QStringList cells = row.cells;
        while (!cells.isEmpty() && cells.last().isEmpty())
            cells.removeLast();
        candidate.rowText = cells.join(QStringLiteral(" | "));
        QString number = columns.number >= 0 ? row.cells.value(columns.number) : QString();
        QString name = columns.name >= 0 ? row.cells.value(columns.name) : QString();
        if (sheet.waypoints && number.isEmpty())
            std::tie(number, name) = NumberAndName(name);
        candidate.numberGiven = !number.isEmpty();
        if (candidate.numberGiven)
            candidate.number = number.toInt();
        const auto position = Position(row, columns.coordinates);
        if (!position) {
            plan.leftOut << LeftOut{row.line, Reason::NoCoordinates, candidate.rowText};
            continue;
        }
        std::tie(candidate.latitude, candidate.longitude) = *position;
        if ((candidate.latitude.hemisphereGiven && candidate.latitude.negative != south)
            || (candidate.longitude.hemisphereGiven && candidate.longitude.negative != west))
            candidate.notes << Note::OtherHemisphere;
        candidate.name = TypedText(name, FieldRules::MaxLengths[1], Note::NameCut, candidate.notes);
        if (candidate.name.isEmpty()) {
            plan.leftOut << LeftOut{row.line, Reason::NoName, candidate.rowText};
            continue;
        }
        const QString place = columns.place >= 0 ? row.cells.value(columns.place) : QString();
        candidate.place = TypedText(place, FieldRules::MaxLengths[2], Note::PlaceCut, candidate.notes);
        candidates << candidate;
    }

    // Numbers the rows give, then the free ones in order for the others.
    std::set<int> used;
    if (!replace) {
        for (int slot = 1; slot <= RacePointCount && slot <= DefaultCount; ++slot) {
            if (!IsBlankRecord(RacePoints[slot]))
                used.insert(slot + FirstNumber - 1);
        }
    }
    const std::set<int> inList = used;
    QList<Candidate> numbered;
    for (Candidate &candidate : candidates) {
        if (!candidate.numberGiven)
            continue;
        const int number = candidate.number.value_or(0);
        const Reason reason = number < FirstNumber || number > LastNumber ? Reason::NumberOutside
                              : inList.count(number)                      ? Reason::NumberInUse
                              : used.count(number)                        ? Reason::NumberTwice
                                                                          : Reason::NoName;
        if (reason != Reason::NoName) {
            plan.leftOut << LeftOut{candidate.line, reason, candidate.rowText};
            candidate.line = -1;
            continue;
        }
        used.insert(number);
    }
    int next = FirstNumber;
    for (Candidate &candidate : candidates) {
        if (candidate.line < 0 || candidate.numberGiven)
            continue;
        while (next <= LastNumber && used.count(next))
            ++next;
        if (next > LastNumber) {
            plan.leftOut << LeftOut{candidate.line, Reason::NoFreeNumber, candidate.rowText};
            candidate.line = -1;
            continue;
        }
        candidate.number = next;
        used.insert(next);
    }
    for (const Candidate &candidate : candidates) {
        if (candidate.line < 0)
            continue;
        QStringList fields = {QString::number(*candidate.number), candidate.name.leftJustified(FieldRules::MaxLengths[1]),
                              candidate.place.leftJustified(FieldRules::MaxLengths[2])};
        const QStringList coordinates = Coordinates::Fields(candidate.latitude) + Coordinates::Fields(candidate.longitude);
        Kept kept;
        kept.line = candidate.line;
        kept.record = FieldRules::BuildRecord(fields + coordinates);
        kept.notes = candidate.notes;
        if (const std::optional<double> metres = ClubLocation::DistanceMetres(coordinates))
            kept.distance = *metres / 1000;
        plan.kept << kept;
    }
    std::sort(plan.kept.begin(), plan.kept.end(),
              [](const Kept &a, const Kept &b) { return a.record.left(2) < b.record.left(2); });
    std::sort(plan.leftOut.begin(), plan.leftOut.end(),
              [](const LeftOut &a, const LeftOut &b) { return a.line < b.line; });
    return plan;
}

void Apply(const Plan &plan, bool replace)
{
    if (replace || RacePointCount < DefaultCount) {
        const Table fresh = DefaultTable();
        for (int slot = replace ? 1 : std::max<int>(1, RacePointCount + 1); slot <= DefaultCount; ++slot)
            RacePoints[slot] = fresh.records[slot - 1];
        if (replace) {
            for (int slot = DefaultCount + 1; slot <= SlotCount; ++slot)
                RacePoints[slot].clear();
        }
        RacePointCount = replace ? DefaultCount : std::max<qint16>(RacePointCount, DefaultCount);
    }
    for (const Kept &kept : plan.kept)
        StoreRacePoint(kept.record);
}

} // namespace RacePointImport
