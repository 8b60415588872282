// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/UndoHistory.h"

#include "app/Init.h"
#include "racepoints/Cp1252.h"
#include "racepoints/RacePointsManage.h"

#include <QFileInfo>

namespace UndoHistory {

namespace {

QList<Step> undoSteps, redoSteps;
QByteArray pendingBefore;

using RacePointsManage::Table;

// What one change did: the race point it changed, and whether it filled or
// emptied it; several race points at once only come from an import.
Step Describe(const Table &before, const Table &after)
{
    Step step;
    int changed = 0;
    for (qsizetype i = 0; i < after.records.size(); ++i) {
        const QByteArray old = before.records.value(i);
        if (old == after.records[i])
            continue;
        ++changed;
        step.number = i + RacePointsManage::FirstNumber;
        const bool wasBlank = old.isEmpty() || RacePointsManage::IsBlankRecord(old);
        const bool isBlank = RacePointsManage::IsBlankRecord(after.records[i]);
        step.action = isBlank ? Action::Delete : wasBlank ? Action::Add : Action::Alter;
    }
    if (changed != 1) {
        step.action = Action::Import;
        step.number = 0;
    }
    return step;
}

bool Failed(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

bool Move(const QString &path, QString *reason, QList<Step> &from, QList<Step> &to, bool redo)
{
    if (from.isEmpty())
        return Failed(reason, QString());
    // A file that cannot be read now is never replaced: its content is unknown.
    QByteArray current;
    QString why;
    if (!Init::ReadWholeFile(path, current, &why) && QFileInfo::exists(path))
        return Failed(reason, why);
    const Step &step = from.last();
    if (!RacePointsManage::SaveDataFile(path, redo ? step.after : step.before, reason))
        return false;
    to.append(from.takeLast());
    return true;
}

} // namespace

void BeginChange(const QString &path)
{
    // The file as it is, when it is a race point file: undoing brings back
    // exactly that. Otherwise (missing, damaged, unreadable) the table the
    // program showed, which is what the change was made on.
    QByteArray content;
    if (Init::ReadWholeFile(path, content) && RacePointsManage::ParseDataFile(content))
        pendingBefore = content;
    else
        pendingBefore = RacePointsManage::FormatDataFile(RacePointsManage::TableInMemory());
}

bool SaveChange(const QString &path, QString *reason, bool import)
{
    const QByteArray after = RacePointsManage::FormatDataFile(RacePointsManage::TableInMemory());
    if (!RacePointsManage::SaveDataFile(path, after, reason))
        return false;
    if (after == pendingBefore)
        return true;
    const Table before = RacePointsManage::ParseDataFile(pendingBefore).value_or(Table());
    Step step = Describe(before, RacePointsManage::TableInMemory());
    if (import) {
        step.action = Action::Import;
        step.number = 0;
    }
    step.before = pendingBefore;
    step.after = after;
    undoSteps.append(step);
    redoSteps.clear();
    return true;
}

const QList<Step> &UndoSteps()
{
    return undoSteps;
}

const QList<Step> &RedoSteps()
{
    return redoSteps;
}

void Clear()
{
    undoSteps.clear();
    redoSteps.clear();
    pendingBefore.clear();
}

QStringList ChangedSince(const QString &path, bool redo)
{
    const QList<Step> &steps = redo ? redoSteps : undoSteps;
    if (steps.isEmpty())
        return {};
    const QByteArray expected = redo ? steps.last().before : steps.last().after;
    QByteArray current;
    Init::ReadWholeFile(path, current);
    if (current == expected)
        return {};
    const std::optional<Table> now = RacePointsManage::ParseDataFile(current);
    const std::optional<Table> then = RacePointsManage::ParseDataFile(expected);
    if (!now || !then)
        return {QFileInfo(path).fileName()};
    QStringList changed;
    for (qsizetype i = 0; i < qMax(now->records.size(), then->records.size()); ++i) {
        const QByteArray record = now->records.value(i);
        if (record == then->records.value(i))
            continue;
        const QByteArray name = record.mid(RacePointsManage::NameColumn.offset, RacePointsManage::NameColumn.width);
        changed << (QString::number(i + RacePointsManage::FirstNumber) + u' ' + Cp1252::Decode(name)).trimmed();
    }
    // Only the count line or the line ends differ.
    if (changed.isEmpty())
        changed << QFileInfo(path).fileName();
    return changed;
}

bool Undo(const QString &path, QString *reason)
{
    return Move(path, reason, undoSteps, redoSteps, false);
}

bool Redo(const QString &path, QString *reason)
{
    return Move(path, reason, redoSteps, undoSteps, true);
}

} // namespace UndoHistory
