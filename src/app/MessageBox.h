// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The program's one kind of message: an icon, a title and a text from the
// catalogue, and a single OK button. Returns when the user has closed it.
void ShowMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text);

// A question with Yes and No, No being the default and what Escape or closing
// answers; true for Yes. The text also goes to standard error.
bool AskYesNo(QWidget *parent, const QString &title, const QString &text);

// Writes a message to standard error, every line marked as the program's,
// so that a failure stays on record after its message box has gone.
void PrintError(const QString &message);

// A failure the operating system gave a reason for: a critical message with
// the text and, on a line of its own, the reason ("Permission denied", "No
// space left on device"); the same on standard error.
void ShowFailure(QWidget *parent, const QString &title, const QString &text, const QString &reason);

// A catalogue text, or the given English text when the catalogue lacks the key
// (used for the few messages that were added after the first catalogues).
QString TextOr(const QString &key, const QString &fallback);
