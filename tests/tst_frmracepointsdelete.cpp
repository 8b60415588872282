// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EditingSupport.h"

#include "editing/frmRacePointsDelete.h"

namespace {

const QByteArray Mons = Record(85, "Mons", "Mons, Belgique", "5027451203049145");
const QByteArray Ypres = Record(98, "Ypres", "Ieper, Belgique", "5051000002530000");

} // namespace

class tst_frmracepointsdelete : public QObject {
    Q_OBJECT

private slots:
    void showsTheRecordReadOnly()
    {
        StartedProgram program(DefaultDataFile({{6, Mons}}));
        program.select(6);
        QVERIFY(WhileOpen<frmRacePointsDelete>([&] { program.main->mnuRacePointsDelete->trigger(); },
                                               [](frmRacePointsDelete &dialog) {
            QCOMPARE(dialog.windowTitle(), "Delete race points ");
            QCOMPARE(dialog.Command1->text(), "&Delete");
            QVERIFY(dialog.Command1->hasFocus());
            for (RacePointField *field : dialog.Fields()) {
                QVERIFY(field->isReadOnly());
                QVERIFY(!(field->focusPolicy() & Qt::TabFocus));
            }
            QCOMPARE(dialog.Text2->text(), "Mons         ");
            QCOMPARE(dialog.Text11->text(), "45");
            // Clicking into a shown field changes nothing in it.
            QTest::mouseClick(dialog.Text2, Qt::LeftButton);
            QVERIFY(dialog.Text2->hasFocus());
            QTest::keyClicks(dialog.Text2, "x");
            QCOMPARE(dialog.Text2->text(), "Mons         ");
            dialog.Command1->setFocus();
            QCOMPARE(dialog.Text2->text(), "Mons         ");
        }));
    }

    void deletingEmptiesOneLine_data()
    {
        QTest::addColumn<int>("how"); // 0: click, 1: Enter at once, 2: Space at once
        QTest::newRow("click") << 0;
        QTest::newRow("enter") << 1;
        QTest::newRow("space") << 2;
    }
    void deletingEmptiesOneLine()
    {
        QFETCH(int, how);
        StartedProgram program(DefaultDataFile({{6, Mons}, {19, Ypres}}));
        const QByteArray before = program.file();
        program.select(6);
        // The Delete key in the list opens the dialog as the menu does.
        QVERIFY(WhileOpen<frmRacePointsDelete>([&] { QTest::keyClick(program.main->List1, Qt::Key_Delete); },
                                               [how](frmRacePointsDelete &dialog) {
            if (how == 0)
                dialog.Command1->click();
            else
                QTest::keyClick(QApplication::focusWidget(), how == 1 ? Qt::Key_Return : Qt::Key_Space);
            QVERIFY(!dialog.isVisible());
        }));
        QByteArrayList expected = FileLines(before);
        expected[6] = Record(85);
        QCOMPARE(FileLines(program.file()), expected);
        QCOMPARE(program.lines().at(5), "85:  " + QString(13, ' '));
        QCOMPARE(program.main->List1->selectedItems().value(0), program.main->List1->item(5));
    }

    void blankOrCancelledKeepsTheFile_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<bool>("confirm");
        QTest::newRow("delete a blank record") << 7 << true;
        QTest::newRow("cancel") << 6 << false;
    }
    void blankOrCancelledKeepsTheFile()
    {
        QFETCH(int, line);
        QFETCH(bool, confirm);
        StartedProgram program(DefaultDataFile({{6, Mons}}));
        const QByteArray before = program.file();
        program.select(line);
        QVERIFY(WhileOpen<frmRacePointsDelete>([&] { program.main->mnuRacePointsDelete->trigger(); },
                                               [confirm](frmRacePointsDelete &dialog) {
            if (confirm)
                dialog.Command1->click();
            else
                QTest::keyClick(dialog.Command1, Qt::Key_Escape);
        }));
        QCOMPARE(program.file(), before);
        QCOMPARE(program.main->List1->selectedItems().value(0), program.main->List1->item(line - 1));
    }

    void noKeyWithoutSelection()
    {
        StartedProgram program(DefaultDataFile({{6, Mons}}));
        QVERIFY(!WhileOpen<frmRacePointsDelete>([&] { QTest::keyClick(program.main->List1, Qt::Key_Delete); }));
    }

    void handEditedNumberDeletesTheChosenLine()
    {
        QByteArray claims98 = Mons;
        claims98.replace(0, 2, "98");
        StartedProgram program(DefaultDataFile({{6, claims98}, {19, Ypres}}));
        const QByteArray before = program.file();
        program.select(6);
        QVERIFY(WhileOpen<frmRacePointsDelete>([&] { program.main->mnuRacePointsDelete->trigger(); },
                                               [](frmRacePointsDelete &dialog) {
            QCOMPARE(dialog.Text1->text(), "85");
            dialog.Command1->click();
        }));
        QByteArrayList expected = FileLines(before);
        expected[6] = Record(85);
        QCOMPARE(FileLines(program.file()), expected); // Ypres is still there
    }

    void failedSaveIsReported_data()
    {
        SaveFailureCatalogues("frmRacePointsDelete", QString::fromUtf8("Auflassort löschen"));
    }
    void failedSaveIsReported()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, title);
        QFETCH(QString, text);
        StartedProgram program(DefaultDataFile({{6, Mons}}), catalogue);
        program.select(6);
        QVERIFY(WhileOpen<frmRacePointsDelete>([&] { program.main->mnuRacePointsDelete->trigger(); },
                                               [&](frmRacePointsDelete &dialog) {
            ConfirmWhileSavesFail(program.folder, dialog.Command1, title.isEmpty() ? "Delete race point" : title, text);
            QVERIFY(!dialog.isVisible());
        }));
        QCOMPARE(program.lines().at(5), "85:  " + QString(13, ' '));
    }
};

QTEST_MAIN(tst_frmracepointsdelete)
#include "tst_frmracepointsdelete.moc"
