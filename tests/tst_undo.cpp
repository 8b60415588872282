// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Undo and Redo of the race point changes, through the main window as the
// user meets them: the dialogs change the file, the keys take it back.

#include "EditingSupport.h"

#include "editing/frmRacePointsAdd.h"
#include "editing/frmRacePointsAlter.h"
#include "editing/frmRacePointsDelete.h"

namespace {

const QByteArray Mons = Record(85, "Mons", "Mons, Belgique", "5027451203049145");
const QByteArray Ypres = Record(98, "Ypres", "Ieper, Belgique", "5051000002530000");
const QByteArray Chimay = Record(85, "Chimay", "Chimay, Belgique", "5003000002190000");

void Press(frmMain &main, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, key, modifiers);
}

void Delete(StartedProgram &program, int line)
{
    program.select(line);
    QVERIFY(WhileOpen<frmRacePointsDelete>([&] { program.main->mnuRacePointsDelete->trigger(); },
                                           [](frmRacePointsDelete &dialog) { dialog.Command1->click(); }));
}

} // namespace

class tst_undo : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseNoSerialPorts(); }

    void stepByStepAndBack()
    {
        // A file the program did not write itself: undo brings back its bytes.
        StartedProgram program(DefaultDataFile({{6, Mons}, {19, Ypres}}).replace(" 19 \r\n", "19\r\n"));
        frmMain &main = *program.main;
        const QByteArray original = program.file();
        QVERIFY(!main.mnuRacePointsUndo->isEnabled());
        QVERIFY(!main.mnuRacePointsRedo->isEnabled());
        QCOMPARE(main.mnuRacePointsUndo->text(), "&Undo");

        Delete(program, 6);
        const QByteArray deleted = program.file();
        QCOMPARE(main.mnuRacePointsUndo->text(), "&Undo delete 85");
        QVERIFY(WhileOpen<frmRacePointsAdd>([&] { main.mnuRacePointsAdd->trigger(); }, [](frmRacePointsAdd &dialog) {
            Type(dialog.Text1, "90");
            Type(dialog.Text2, "Namur");
            Type(dialog.Text3, "Namur");
            dialog.Command1->click();
        }));
        const QByteArray added = program.file();
        QCOMPARE(main.mnuRacePointsUndo->text(), "&Undo add 90");
        program.select(11);
        QVERIFY(WhileOpen<frmRacePointsAlter>([&] { main.mnuRacePointsAlter->trigger(); },
                                              [](frmRacePointsAlter &dialog) {
            Type(dialog.Text2, "Namen");
            dialog.Command1->click();
        }));
        QCOMPARE(main.mnuRacePointsUndo->text(), "&Undo alter 90");
        // Saving without a change is no step.
        QVERIFY(WhileOpen<frmRacePointsAlter>([&] { main.mnuRacePointsAlter->trigger(); },
                                              [](frmRacePointsAlter &dialog) { dialog.Command1->click(); }));
        QCOMPARE(main.mnuRacePointsUndo->text(), "&Undo alter 90");

        Press(main, Qt::Key_Z);
        QCOMPARE(program.file(), added);
        QCOMPARE(main.mnuRacePointsRedo->text(), "&Redo alter 90");
        QCOMPARE(program.lines().at(10), "90:  Namur        ");
        // The line the user was on stays selected.
        QCOMPARE(main.List1->currentRow(), 10);
        Press(main, Qt::Key_Z);
        QCOMPARE(program.file(), deleted);
        Press(main, Qt::Key_Y);
        QCOMPARE(program.file(), added);
        Press(main, Qt::Key_Z);
        main.mnuRacePointsUndo->trigger();
        QCOMPARE(program.file(), original);
        QVERIFY(!main.mnuRacePointsUndo->isEnabled());
        QCOMPARE(main.mnuRacePointsRedo->text(), "&Redo delete 85");
        Press(main, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(program.file(), deleted);

        // A new change ends what could be redone.
        Delete(program, 19);
        QVERIFY(!main.mnuRacePointsRedo->isEnabled());
        QCOMPARE(main.mnuRacePointsRedo->text(), "&Redo");

        // The session's steps end with it.
        program.restart();
        QVERIFY(!program.main->mnuRacePointsUndo->isEnabled());
    }

    void captionsFromTheCatalogue_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QString>("undo");
        QTest::addColumn<QString>("redo");
        QTest::newRow("German") << Catalogue("de") << QString::fromUtf8("Löschen 85 &rückgängig machen")
                                << QString::fromUtf8("&Wiederholen");
        QTest::newRow("older catalogue") << Catalogue("", "frmMain.txt") << "&Undo delete 85" << "&Redo";
    }
    void captionsFromTheCatalogue()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, undo);
        QFETCH(QString, redo);
        StartedProgram program(DefaultDataFile({{6, Mons}}), catalogue);
        Delete(program, 6);
        QCOMPARE(program.main->mnuRacePointsUndo->text(), undo);
        QCOMPARE(program.main->mnuRacePointsRedo->text(), redo);
    }

    void changedSinceByAnotherCopy_data()
    {
        QTest::addColumn<bool>("goOn");
        QTest::newRow("keep the other copy's change") << false;
        QTest::newRow("undo anyway") << true;
    }
    void changedSinceByAnotherCopy()
    {
        QFETCH(bool, goOn);
        StartedProgram program(DefaultDataFile({{6, Mons}}));
        const QByteArray original = program.file();
        Delete(program, 6);
        // Another computer puts Chimay under 85 meanwhile.
        const QByteArray other = DefaultDataFile({{6, Chimay}});
        program.folder.write(DataFileName, other);
        Modals modals;
        modals.next(QMessageBox::staticMetaObject, [goOn](QWidget &box) {
            static_cast<QMessageBox &>(box).button(goOn ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        program.main->mnuRacePointsUndo->trigger();
        QCOMPARE(modals.seen.size(), 1);
        QCOMPARE(modals.seen[0].icon, QMessageBox::Question);
        QCOMPARE(modals.seen[0].title, "Undo delete 85");
        QVERIFY2(modals.seen[0].text.contains("overwrite: 85 Chimay."), qPrintable(modals.seen[0].text));
        QCOMPARE(program.file(), goOn ? original : other);
        QCOMPARE(program.main->mnuRacePointsUndo->isEnabled(), !goOn);
    }

    void failedUndoSaysWhyAndKeepsTheStep()
    {
        StartedProgram program(DefaultDataFile({{6, Mons}}));
        Delete(program, 6);
        // The file cannot be read any more (a folder in its place stops root too).
        QVERIFY(QFile::remove(program.folder.path(DataFileName)));
        QVERIFY(QDir().mkpath(program.folder.path(DataFileName) + "/inside"));
        Modals modals;
        modals.next(QMessageBox::staticMetaObject, [](QWidget &box) {
            QVERIFY(static_cast<QMessageBox &>(box).text().contains("overwrite: racepo.dat"));
            static_cast<QMessageBox &>(box).button(QMessageBox::Yes)->click();
        });
        program.main->mnuRacePointsUndo->trigger();
        QCOMPARE(modals.seen.size(), 3); // the question, the failure, the list that cannot be read
        QCOMPARE(modals.seen[1].icon, QMessageBox::Critical);
        QVERIFY2(modals.seen[1].text.startsWith("The race point file could not be saved, so the list stays"),
                 qPrintable(modals.seen[1].text));
        QVERIFY(QFileInfo(program.folder.path(DataFileName)).isDir());
        QCOMPARE(program.main->mnuRacePointsUndo->text(), "&Undo delete 85");
    }
};

QTEST_MAIN(tst_undo)
#include "tst_undo.moc"
