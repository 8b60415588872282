// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EditingSupport.h"

#include "editing/frmRacePointsAlter.h"

#include <QLabel>
#include "editing/frmRacePointsDelete.h"
#include "racepoints/Index.h"

namespace {

const QByteArray Mons = Record(85, "Mons", "Mons, Belgique", "5027451203049145");
const QByteArray Namur = Record(90, "Namur", "Namur, Belgique", "5028123404513300");
const QByteArray Ypres = Record(98, "Ypres", "Ieper, Belgique", "5051000002530000");

QByteArray Sample()
{
    return DefaultDataFile({{6, Mons}, {11, Namur}, {19, Ypres}});
}

// Opens the alter dialog for a list line as the user does, runs `act` in it.
bool AlterLine(StartedProgram &program, int line, const std::function<void(frmRacePointsAlter &)> &act)
{
    program.select(line);
    return WhileOpen<frmRacePointsAlter>([&] { program.main->mnuRacePointsAlter->trigger(); }, act);
}

} // namespace

class tst_frmracepointsalter : public QObject {
    Q_OBJECT

private slots:
    void showsTheSelectedRecord()
    {
        StartedProgram program(Sample());
        QVERIFY(AlterLine(program, 6, [](frmRacePointsAlter &dialog) {
            QCOMPARE(dialog.windowTitle(), "Alter race points ");
            QCOMPARE(dialog.Command1->text(), "&Save");
            QCOMPARE(dialog.MsgBoxText1, "Please enter a name and a place.");
            QStringList texts;
            for (RacePointField *field : dialog.Fields())
                texts.append(field->text());
            QCOMPARE(texts, QStringList({"85", "Mons", "Mons, Belgique                ", "50", "27", "45", "12",
                                         "03", "04", "91", "45"}));
            // Opens in the name, trimmed and selected; the number is read-only
            // and Tab passes it by.
            QVERIFY(dialog.Text2->hasFocus());
            QCOMPARE(dialog.Text2->selectedText(), "Mons");
            QVERIFY(dialog.Text1->isReadOnly());
            QVERIFY(!(dialog.Text1->focusPolicy() & Qt::TabFocus));
            QCOMPARE(dialog.Text1->palette().color(QPalette::Base),
                     QApplication::palette("QMenuBar").color(QPalette::Window));
            dialog.Command2->setFocus();
            QTest::keyClick(dialog.Command2, Qt::Key_Tab);
            QVERIFY(dialog.Text2->hasFocus());
            QTest::keyClicks(dialog.Text1, "12");
            QCOMPARE(dialog.Text1->text(), "85");
        }));
    }

    void alteringChangesOneLine()
    {
        StartedProgram program(Sample());
        const QByteArray before = program.file();
        QVERIFY(AlterLine(program, 6, [](frmRacePointsAlter &dialog) {
            QTest::keyClicks(dialog.Text2, "Mons-Nord");
            Enter(dialog.Text9);
            QTest::keyClick(dialog.Text9, Qt::Key_Delete);
            QTest::keyClick(dialog.Text9, Qt::Key_Tab);
            QCOMPARE(dialog.Text9->text(), "00");
            dialog.Command1->click();
            QVERIFY(!dialog.isVisible());
        }));
        QByteArrayList expected = FileLines(before);
        expected[6] = Record(85, "Mons-Nord", "Mons, Belgique", "5027451203049145");
        expected[6].replace(55, 2, "00"); // Text9 emptied
        QCOMPARE(FileLines(program.file()), expected);
        QCOMPARE(program.main->List1->currentRow(), 5);
        QCOMPARE(program.main->List1->selectedItems().size(), 1);
        QCOMPARE(program.lines().at(5), "85:  Mons-Nord    ");
    }

    // The first click into a field selects its whole text, so that what the
    // user types replaces it; a further click places the cursor.
    // The notes name a race point with the same coordinates, and say what
    // looks wrong, without stopping the save.
    void notesNeverStopTheSave()
    {
        StartedProgram program(Sample());
        QVERIFY(AlterLine(program, 11, [](frmRacePointsAlter &dialog) {
            QCOMPARE(dialog.LabelNotes->text(), "");
            const QStringList mons{"27", "45", "12", "03", "04", "91", "45"};
            for (int i = 0; i < mons.size(); ++i)
                Type(dialog.CoordinateFields()[1 + i], mons[i]);
            QCOMPARE(dialog.LabelNotes->text(),
                     "Minutes and seconds go up to 59.\nRace point 85 (Mons) has the same coordinates.");
            dialog.Command1->click();
            QVERIFY(!dialog.isVisible());
        }));
        QCOMPARE(FileLines(program.file()).at(11), Namur.left(45) + "5027451203049145");
    }

    void aClickEntersTheWholeField()
    {
        StartedProgram program(Sample());
        QVERIFY(AlterLine(program, 6, [](frmRacePointsAlter &dialog) {
            QTest::mouseClick(dialog.Text3, Qt::LeftButton, {}, dialog.Text3->rect().center());
            QVERIFY(dialog.Text3->hasFocus());
            QCOMPARE(dialog.Text3->selectedText(), "Mons, Belgique");
            QTest::keyClicks(dialog.Text3, "Dinant");
            QTest::mouseClick(dialog.Text3, Qt::LeftButton, {}, QPoint(2, dialog.Text3->height() / 2));
            QVERIFY(!dialog.Text3->hasSelectedText());
            QCOMPARE(dialog.Text3->cursorPosition(), 0);
            dialog.Command1->click();
        }));
        QCOMPARE(FileLines(program.file()).at(6), Record(85, "Mons", "Dinant", "5027451203049145"));
    }

    void lastLineStaysSelected()
    {
        StartedProgram program(Sample());
        QVERIFY(AlterLine(program, 19, [](frmRacePointsAlter &dialog) {
            QTest::keyClicks(dialog.Text2, "Ieper");
            dialog.Command1->click();
        }));
        QCOMPARE(program.main->List1->selectedItems().value(0), program.main->List1->item(18));
        QCOMPARE(program.main->GewaehlterRacePoint, "98");
        QCOMPARE(Index::SavedListIndex, 18);
        QCOMPARE(Index::SavedListCount, 19);
    }

    void unchangedOrCancelledKeepsTheFile_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("close"); // 0: Save, 1: Cancel, 2: Escape
        QTest::newRow("save unchanged") << 6 << 0;
        QTest::newRow("save blank record unentered") << 7 << 0;
        QTest::newRow("cancel") << 6 << 1;
        QTest::newRow("escape") << 6 << 2;
    }
    void unchangedOrCancelledKeepsTheFile()
    {
        QFETCH(int, line);
        QFETCH(int, close);
        StartedProgram program(Sample());
        const QByteArray before = program.file();
        QVERIFY(AlterLine(program, line, [&](frmRacePointsAlter &dialog) {
            if (line == 7) // a blank record's name must be typed; its coordinates stay blank
                QTest::keyClicks(dialog.Text2, "x");
            else
                QTest::keyClicks(dialog.Text3, "changed");
            if (close == 0)
                dialog.Command1->click();
            else if (close == 1)
                dialog.Command2->click();
            else
                QTest::keyClick(dialog.Text2, Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        }));
        QByteArrayList expected = FileLines(before);
        if (line == 7)
            expected[7] = Record(86, "x", "", "");
        QCOMPARE(FileLines(program.file()), expected);
    }

    void missingNameIsRefused()
    {
        StartedProgram program(Sample());
        const QByteArray before = program.file();
        QVERIFY(AlterLine(program, 6, [](frmRacePointsAlter &dialog) {
            QTest::keyClick(dialog.Text2, Qt::Key_Delete);
            Modals boxes;
            dialog.Command1->click();
            QCOMPARE(boxes.seen.size(), 1);
            QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
            QCOMPARE(boxes.seen[0].title, "Alter race point");
            QVERIFY(dialog.isVisible());
        }));
        QCOMPARE(program.file(), before);
    }

    void handEditedNumberAltersTheChosenLine()
    {
        // The record on line 85 claims number 90 in its own columns; saving
        // it must not overwrite race point 90.
        QByteArray claims90 = Mons;
        claims90.replace(0, 2, "90");
        StartedProgram program(DefaultDataFile({{6, claims90}, {11, Namur}}));
        const QByteArray before = program.file();
        QVERIFY(AlterLine(program, 6, [](frmRacePointsAlter &dialog) {
            QCOMPARE(dialog.Text1->text(), "85");
            dialog.Command1->click();
        }));
        QByteArrayList expected = FileLines(before);
        expected[6] = Mons;
        QCOMPARE(FileLines(program.file()), expected);
    }

    void failedSaveIsReported_data()
    {
        SaveFailureCatalogues("frmRacePointsAlter", QString::fromUtf8("Auflassort ändern"));
    }
    void failedSaveIsReported()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, title);
        QFETCH(QString, text);
        StartedProgram program(Sample(), catalogue);
        QVERIFY(AlterLine(program, 6, [&](frmRacePointsAlter &dialog) {
            ConfirmWhileSavesFail(program.folder, dialog.Command1, title.isEmpty() ? "Alter race point" : title, text);
            QVERIFY(!dialog.isVisible());
        }));
        // What the file holds now: nothing readable, so the default list.
        QCOMPARE(program.lines().at(5), "85:  " + QString(13, ' '));
    }

    void noDialogWithoutARecord_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("line");
        QTest::newRow("line 100") << 25 << 21;
        QTest::newRow("line 104") << 25 << 25;
        QTest::newRow("line 99 of 20") << 20 << 20;
    }
    void noDialogWithoutARecord()
    {
        QFETCH(int, count);
        QFETCH(int, line);
        StartedProgram program(DataFile(BlankRecords(80, 79 + count)));
        QCOMPARE(program.main->List1->count(), count);
        program.select(line);
        const bool opens = line <= 20;
        QCOMPARE(WhileOpen<frmRacePointsAlter>([&] { program.main->mnuRacePointsAlter->trigger(); }), opens);
        // The Delete key in the list opens the delete dialog the same way.
        QCOMPARE(WhileOpen<frmRacePointsDelete>([&] { QTest::keyClick(program.main->List1, Qt::Key_Delete); }), opens);
    }

    void noDialogAfterTheFileShrank()
    {
        StartedProgram program(Sample());
        program.select(6);
        program.folder.write(DataFileName, DataFile(BlankRecords(80, 84)));
        program.main->mnuRacePointsShow->trigger();
        QCOMPARE(program.main->GewaehlterRacePoint, "85");
        QVERIFY(!WhileOpen<frmRacePointsAlter>([&] { program.main->mnuRacePointsAlter->trigger(); }));
    }

    void afterShowNothingIsSelectedAgain()
    {
        StartedProgram program(Sample());
        program.select(6);
        program.main->mnuRacePointsShow->trigger();
        QVERIFY(WhileOpen<frmRacePointsAlter>([&] { program.main->mnuRacePointsAlter->trigger(); },
                                              [](frmRacePointsAlter &dialog) {
            QCOMPARE(dialog.Text2->text(), "Mons");
            QTest::keyClicks(dialog.Text2, "Bergen");
            dialog.Command1->click();
        }));
        QCOMPARE(program.lines().at(5), "85:  Bergen       ");
        QVERIFY(program.main->List1->selectedItems().isEmpty());
        QCOMPARE(Index::SavedListIndex, -1);
    }
};

QTEST_MAIN(tst_frmracepointsalter)
#include "tst_frmracepointsalter.moc"
