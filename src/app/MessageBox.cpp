// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MessageBox.h"

#include "app/Texte.h"

#include <cstdio>

void ShowMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.exec();
}

bool AskYesNo(QWidget *parent, const QString &title, const QString &text)
{
    PrintError(text);
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, parent);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void PrintError(const QString &message)
{
    for (const QString &line : message.split(u'\n'))
        std::fprintf(stderr, "racepoints: %s\n", qPrintable(line));
}

void ShowFailure(QWidget *parent, const QString &title, const QString &text, const QString &reason)
{
    const QString message = reason.isEmpty() ? text : text + u'\n' + reason;
    PrintError(message);
    ShowMessage(parent, QMessageBox::Critical, title, message);
}

QString TextOr(const QString &key, const QString &fallback)
{
    const QString text = Texte::GetText(key);
    return text.isEmpty() ? fallback : text;
}
