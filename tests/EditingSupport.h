// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Shared by the tests of the race point dialogs: typing into the fields as a
// user does, and saves that fail.

#include "TestSupport.h"

#include "app/frmMain.h"
#include "editing/RacePointDialog.h"
#include "editing/RacePointField.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// The two catalogues a failed save is tried with: the German one, and an
// English one older than the file error texts.
inline void SaveFailureCatalogues(const QByteArray &window, const QString &germanTitle)
{
    QTest::addColumn<QByteArray>("catalogue");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("german") << Catalogue("de") << germanTitle
                            << QStringLiteral("Die Auflassort-Datei konnte nicht gespeichert werden.");
    QTest::newRow("older catalogue") << Catalogue("", window + ".MsgBox") << QString() << SaveFailedText();
}

// Presses the confirm button while no save can succeed (the data file is a
// folder, which stops root too) and expects the error message, with the
// system's reason on a line of its own, first.
inline void ConfirmWhileSavesFail(const WorkFolder &folder, QPushButton *confirm, const QString &title,
                                  const QString &text)
{
    QVERIFY(QFile::remove(folder.path(DataFileName)));
    QVERIFY(QDir().mkpath(folder.path(DataFileName) + "/inside"));
    Modals boxes;
    confirm->click();
    // The refill after it then says that the folder cannot be read.
    QCOMPARE(boxes.seen.size(), 2);
    QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
    QCOMPARE(boxes.seen[0].title, title);
    const QString said = boxes.seen[0].text;
    QVERIFY2(said.startsWith(text), qPrintable(said));
    const QStringList lines = said.split(u'\n');
    QVERIFY2(lines.size() == 2 && !lines[1].isEmpty(), qPrintable(said));
}

// Puts the focus into a field as the Tab key or a click would.
inline void Enter(RacePointField *field)
{
    field->setFocus(Qt::TabFocusReason);
    QVERIFY(field->hasFocus());
}

// Types as a keyboard does, letters with diacritics included.
inline void Keys(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key(c.toUpper().unicode()), QString(c), Qt::NoModifier);
    }
}

// Enters a field, types, and leaves it with Tab.
inline void Type(RacePointField *field, const QString &text)
{
    Enter(field);
    Keys(field, text);
    QTest::keyClick(field, Qt::Key_Tab);
}
