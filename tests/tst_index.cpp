// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/Index.h"
#include "racepoints/RacePointsManage.h"

#include <QtTest>

class tst_index : public QObject {
    Q_OBJECT

private slots:
    void restoredListIndex_data()
    {
        QTest::addColumn<int>("savedIndex");
        QTest::addColumn<int>("savedCount");
        QTest::addColumn<int>("listCount");
        QTest::addColumn<bool>("firstLineEmpty");
        QTest::addColumn<int>("restored");
        QTest::newRow("same line") << 5 << 19 << 19 << false << 5;
        QTest::newRow("last line") << 18 << 19 << 19 << false << 18;
        QTest::newRow("no selection") << -1 << 19 << 19 << false << -1;
        QTest::newRow("empty list") << 0 << 0 << 0 << false << -1;
        QTest::newRow("first line empty") << 3 << 19 << 19 << true << -1;
        QTest::newRow("one line shorter") << 18 << 19 << 18 << false << 17;
        QTest::newRow("much shorter: last line") << 18 << 19 << 5 << false << 4;
        QTest::newRow("beyond, not shorter") << 20 << 19 << 19 << false << -1;
    }
    void restoredListIndex()
    {
        QFETCH(int, savedIndex);
        QFETCH(int, savedCount);
        QFETCH(int, listCount);
        QFETCH(bool, firstLineEmpty);
        QFETCH(int, restored);
        QStringList lines;
        for (int i = 0; i < listCount; ++i)
            lines.append(i == 0 && firstLineEmpty ? QString() : QString::number(80 + i) + ":  ");
        QCOMPARE(Index::RestoredListIndex(savedIndex, savedCount, lines, {"", "", ""}), restored);
    }

    void selectedSlot_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("slot"); // 0: none
        QTest::newRow("85") << "85" << 19 << 6;
        QTest::newRow("80") << "80" << 19 << 1;
        QTest::newRow("98") << "98" << 19 << 19;
        QTest::newRow("99 of 20 records") << "99" << 20 << 20;
        QTest::newRow("line 100 and beyond") << "10" << 25 << 0;
        QTest::newRow("above the count") << "85" << 5 << 0;
        QTest::newRow("nothing selected yet") << "" << 19 << 0;
        QTest::newRow("not a number") << "ab" << 19 << 0;
    }
    void selectedSlot()
    {
        QFETCH(QString, selected);
        QFETCH(int, count);
        QFETCH(int, slot);
        RacePointsManage::RacePointCount = static_cast<qint16>(count);
        QCOMPARE(Index::SelectedSlot(selected).value_or(0), slot);
    }
};

QTEST_GUILESS_MAIN(tst_index)
#include "tst_index.moc"
