// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/RacePointsManage.h"

#include "app/Convert.h"
#include "app/Init.h"
#include "racepoints/Cp1252.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace RacePointsManage {

std::array<QByteArray, SlotCount + 1> RacePoints;
qint16 RacePointCount = 0;
QString ReadFailure;
QString KeepFailure;

QByteArray BlankRecord(int number)
{
    return QByteArray::number(number).rightJustified(2, '0') + QByteArray(RecordLength - 2, ' ');
}

bool IsBlankRecord(QByteArrayView record)
{
    return std::all_of(record.begin() + std::min(record.size(), qsizetype{NumberColumn.width}), record.end(),
                       [](char c) { return c == ' '; });
}

Table DefaultTable()
{
    Table table;
    table.count = DefaultCount;
    for (int number = FirstNumber; number <= LastNumber; ++number)
        table.records.append(BlankRecord(number));
    return table;
}

std::optional<Table> ParseDataFile(QByteArrayView content)
{
    const QByteArrayList lines = Init::SplitLines(content, SlotCount + 1);
    if (lines.isEmpty())
        return std::nullopt;
    const std::optional<int> count = Convert::ToInt16(Cp1252::Decode(lines.first()));
    if (!count || *count > SlotCount)
        return std::nullopt;
    Table table;
    table.count = static_cast<qint16>(*count);
    for (int i = 1; i <= table.count; ++i) {
        if (i >= lines.size() || lines[i].size() != RecordLength)
            return std::nullopt;
        table.records.append(lines[i]);
    }
    return table;
}

QByteArray FormatDataFile(const Table &table)
{
    QByteArray content = ' ' + QByteArray::number(table.count) + " \r\n";
    for (int i = 0; i < table.count && i < table.records.size(); ++i)
        content += table.records[i] + "\r\n";
    return content;
}

namespace {

void UseTable(const Table &table)
{
    RacePointCount = table.count;
    for (int slot = 1; slot <= SlotCount; ++slot)
        RacePoints[slot] = slot <= table.records.size() ? table.records[slot - 1] : QByteArray();
}

bool SameContent(const QString &path, const QByteArray &content)
{
    QByteArray other;
    return Init::ReadWholeFile(path, other) && other == content;
}

} // namespace

QString KeepDamagedFile(const QString &path, const QByteArray &content, QString *reason)
{
    const QFileInfo original(path);
    const QDir folder = original.dir();
    const QString prefix = original.fileName() + QStringLiteral(".damaged-");
    const QStringList kept = folder.entryList({prefix + u'*'}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString &name : kept) {
        if (SameContent(folder.filePath(name), content))
            return folder.filePath(name);
    }
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString copy = folder.filePath(prefix + stamp);
    for (int n = 2; QFileInfo::exists(copy); ++n)
        copy = folder.filePath(prefix + stamp + u'-' + QString::number(n));
    return Init::WriteWholeFile(copy, content, reason) ? copy : QString();
}

qint16 LoadRacePoints(const QString &path)
{
    ReadFailure.clear();
    KeepFailure.clear();
    QByteArray content;
    QString reason;
    if (!Init::ReadWholeFile(path, content, &reason)) {
        UseTable(DefaultTable());
        if (!QFileInfo::exists(path))
            SaveRacePoints(path);
        else
            ReadFailure = reason;
        return RacePointCount;
    }
    if (const std::optional<Table> table = ParseDataFile(content)) {
        UseTable(*table);
        return RacePointCount;
    }
    // A damaged file: show the default table, but never let a later save
    // destroy what the club had in it.
    if (KeepDamagedFile(path, content, &reason).isEmpty())
        KeepFailure = reason;
    UseTable(DefaultTable());
    return RacePointCount;
}

Table TableInMemory()
{
    Table table;
    table.count = RacePointCount;
    for (int slot = 1; slot <= RacePointCount && slot <= SlotCount; ++slot)
        table.records.append(RacePoints[slot]);
    return table;
}

bool SaveRacePoints(const QString &path, QString *reason)
{
    return SaveDataFile(path, FormatDataFile(TableInMemory()), reason);
}

bool SaveDataFile(const QString &path, QByteArrayView content, QString *reason)
{
    for (const QString &failure : {ReadFailure, KeepFailure}) {
        if (!failure.isEmpty()) {
            if (reason)
                *reason = failure;
            return false;
        }
    }
    return Init::WriteWholeFile(path, content, reason);
}

std::optional<int> SlotOf(QStringView numberText)
{
    const std::optional<int> number = Convert::ToInt16(numberText);
    if (!number)
        return std::nullopt;
    const int slot = *number - (FirstNumber - 1);
    if (slot < 1 || slot > SlotCount)
        return std::nullopt;
    return slot;
}

bool StoreRacePoint(const QByteArray &record)
{
    const std::optional<int> slot = SlotOf(Cp1252::Decode(record.left(2)));
    if (!slot)
        return false;
    RacePoints[*slot] = record;
    return true;
}

} // namespace RacePointsManage
