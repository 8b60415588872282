// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// Every change of the race point file in this session, so that the user can
// take it back and do it again, step by step. A step keeps the whole file as
// it was before and after the change: undoing writes the file back byte for
// byte, with the same safe save as every other change.
namespace UndoHistory {

enum class Action : std::uint8_t { Add, Alter, Delete, Import };

struct Step {
    Action action = Action::Alter;
    int number = 0; // the race point changed; 0 for an import
    QByteArray before, after;
};

// Call before the table in memory changes: notes what the file holds now.
void BeginChange(const QString &path);

// Saves the table in memory (RacePointsManage::SaveRacePoints) and, when the
// file changed, records the step: the one race point that changed, or an
// import. A new step clears what could be redone. False, with the reason,
// when the save failed; nothing is recorded then.
bool SaveChange(const QString &path, QString *reason = nullptr, bool import = false);

// The steps to undo and to redo, the next one last.
const QList<Step> &UndoSteps();
const QList<Step> &RedoSteps();
void Clear();

// The race points that the file holds otherwise than the step to undo (or
// to redo) left them: what undoing or redoing now would overwrite, another
// copy having changed the file since. Each as its number and its name in the
// file ("85 Mons"), or the file's name when it is no race point file any
// more. Empty when the file is as the step left it.
QStringList ChangedSince(const QString &path, bool redo);

// Writes the file back as it was before the last step (after it, for redo)
// and moves the step over. False, with the reason, when nothing is there to
// undo or the save failed; the file and the steps are then as they were.
bool Undo(const QString &path, QString *reason = nullptr);
bool Redo(const QString &path, QString *reason = nullptr);

} // namespace UndoHistory
