// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include "app/frmInfo.h"
#include "app/Init.h"
#include "app/frmMain.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class tst_frminfo : public QObject {
    Q_OBJECT

private slots:
    void infoDialog()
    {
        StartedProgram program;
        // Wherever the main window stands, the dialog opens in the middle of the screen.
        program.main->move(0, 0);
        QString caption, button, name, code, date, empty;
        QPoint centre;
        QVERIFY(WhileOpen<frmInfo>([&] { program.main->mnuInfo->trigger(); }, [&](frmInfo &info) {
            centre = info.frameGeometry().center();
            caption = info.windowTitle();
            button = info.Command1->text();
            name = info.Label6->text();
            code = info.Label9->text();
            date = info.Label7->text();
            empty = info.Label8->text();
            info.Command1->setFocus();
            QTest::keyClick(info.Command1, Qt::Key_Escape);
            QVERIFY(!info.isVisible());
        }));
        const QPoint screenCentre = program.main->screen()->availableGeometry().center();
        QVERIFY2(qAbs(centre.x() - screenCentre.x()) <= 2 && qAbs(centre.y() - screenCentre.y()) <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        QCOMPARE(caption, QStringLiteral("Info"));
        QCOMPARE(button, QStringLiteral("&Exit"));
        QCOMPARE(name, QStringLiteral("Oribex Manage Racepoints  V1.00"));
        QCOMPARE(code, QStringLiteral("MR 1.00-DK"));
        QCOMPARE(date, QStringLiteral("03.11.2009"));
        QCOMPARE(empty, QString());
    }

    void infoDialogReadsTheCatalogueAtEachOpening()
    {
        StartedProgram program;
        program.folder.write(QStringLiteral("club.txt"), "frmInfo.Caption=\xdc" "ber\r\n");
        QString caption, button;
        QVERIFY(WhileOpen<frmInfo>([&] { program.main->mnuInfo->trigger(); }, [&](frmInfo &info) {
            caption = info.windowTitle();
            button = info.Command1->text();
            QTest::keyClick(info.Command1, Qt::Key_Return);
            QVERIFY(!info.isVisible());
        }));
        QCOMPARE(caption, QString::fromUtf8("\u00dcber"));
        QCOMPARE(button, QString());
        // The menu keeps the texts it got at start-up.
        QCOMPARE(program.main->mnuInfo->text(), QStringLiteral("&Info..."));
    }

    void withoutItsKeysCaptionAndButtonAreEmpty()
    {
        WorkFolder folder;
        folder.write(QStringLiteral("club.txt"), "frmMain.mnuInfo.Caption=Info\r\n");
        Init::InitProgram();
        frmInfo info;
        QCOMPARE(info.windowTitle(), QString());
        QCOMPARE(info.Command1->text(), QString());
        QCOMPARE(info.Label6->text(), QStringLiteral("Oribex Manage Racepoints  V1.00"));
    }

    void escapeClosesWhateverHasTheFocus()
    {
        WorkFolder folder;
        folder.copyCatalogue();
        Init::InitProgram();
        frmInfo info;
        QVERIFY(Shown(info));
        QTest::keyClick(&info, Qt::Key_Escape);
        QVERIFY(!info.isVisible());
        QCOMPARE(info.result(), int(QDialog::Rejected));
    }
};

QTEST_MAIN(tst_frminfo)
#include "tst_frminfo.moc"
