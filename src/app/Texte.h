// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

class QLocale;

// The text catalogue club.txt: one line per text, the key, "=", the text.
// Every caption and message the user sees comes from here, so a club can run
// the program in its own language.
namespace Texte {

inline constexpr int MaxLines = 1000;
inline constexpr const char *FileName = "club.txt";

QString CataloguePath();

// Reads club.txt anew. When it cannot be read, the texts of the last good read
// stay in place and the result is false; the caller decides what that means.
// errorText then holds the report of a start that cannot go on, in plain
// English (the catalogue itself is missing): the file, and on a line of its
// own the operating system's reason.
bool LoadTexts(QString *errorText = nullptr);

// The text of the first entry with exactly this key, or "" when there is none.
QString GetText(const QString &key);

// Qt's own texts (the context menu of a field, the buttons of standard
// boxes) in the given language, from Qt's installed translations, in place of
// those loaded before. False when Qt has none for it.
bool LoadQtTranslations(const QLocale &locale);

// The catalogue's lines as read: Windows-1252, at most MaxLines lines.
QStringList ParseCatalogue(QByteArrayView content);
QString LookUp(const QStringList &lines, QStringView key);

} // namespace Texte
