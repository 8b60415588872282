// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A club secretary's first session: three race points added, one altered,
// one deleted, and the program started again.

#include "EditingSupport.h"

#include "editing/frmRacePointsAdd.h"
#include "editing/frmRacePointsAlter.h"
#include "editing/frmRacePointsDelete.h"

class tst_racepointediting : public QObject {
    Q_OBJECT

private slots:
    void firstSession()
    {
        StartedProgram program;
        QCOMPARE(program.file(), DefaultDataFile());

        QVERIFY(WhileOpen<frmRacePointsAdd>([&] { program.main->mnuRacePointsAdd->trigger(); },
                                            [](frmRacePointsAdd &dialog) {
            const auto add = [&dialog](const char *number, const char *name, const char *place,
                                       const QStringList &coordinates) {
                Type(dialog.Text1, number);
                Type(dialog.Text2, name);
                Type(dialog.Text3, place);
                for (int i = 0; i < coordinates.size(); ++i)
                    Type(dialog.Fields()[3 + i], coordinates[i]);
                QTest::mouseClick(dialog.Command1, Qt::LeftButton);
            };
            add("80", "Mons", "Mons, Hainaut", {"50", "27", "45", "12", "3", "57", "9", "45"});
            add("85", "Namur", "Namur, Wallonie", {"50", "28", "12", "34", "4", "51", "33", "0"});
            add("98", "Ypres", "Ieper, West-Vlaanderen", {"50", "51", "0", "0", "2", "53", "0", "0"});
            QTest::keyClick(dialog.Text1, Qt::Key_Escape);
        }));

        program.select(6);
        QVERIFY(WhileOpen<frmRacePointsAlter>([&] { program.main->mnuRacePointsAlter->trigger(); },
                                              [](frmRacePointsAlter &dialog) {
            QTest::keyClicks(dialog.Text2, "Dinant");
            Type(dialog.Text3, "Dinant, Namur");
            Type(dialog.Text5, "15");
            dialog.Command1->click();
        }));

        program.select(19);
        QVERIFY(WhileOpen<frmRacePointsDelete>([&] { QTest::keyClick(program.main->List1, Qt::Key_Delete); },
                                               [](frmRacePointsDelete &dialog) {
            QTest::keyClick(dialog.Command1, Qt::Key_Return);
        }));

        program.restart();
        QCOMPARE(program.file(),
                 DefaultDataFile({{1, "80Mons         Mons, Hainaut                 5027451203570945"},
                                  {6, "85Dinant       Dinant, Namur                 5015123404513300"}}));

        QStringList lines;
        for (int number = 80; number <= 98; ++number)
            lines.append(QString::number(number) + ":  " + QString(13, ' '));
        lines[0] = "80:  Mons         ";
        lines[5] = "85:  Dinant       ";
        QCOMPARE(program.lines(), lines);
    }
};

QTEST_MAIN(tst_racepointediting)
#include "tst_racepointediting.moc"
