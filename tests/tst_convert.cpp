// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Convert.h"

#include <QtTest>

class tst_convert : public QObject {
    Q_OBJECT

private slots:
    void toInt16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "19" << true << 19;
        QTest::newRow("spaces around") << " 19 " << true << 19;
        QTest::newRow("leading zero") << "03" << true << 3;
        QTest::newRow("plus sign") << "+19" << true << 19;
        QTest::newRow("negative") << "-5" << true << -5;
        QTest::newRow("largest") << "32767" << true << 32767;
        QTest::newRow("smallest") << "-32768" << true << -32768;
        QTest::newRow("too large") << "99999" << false << 0;
        QTest::newRow("huge") << "99999999999999999999" << false << 0;
        QTest::newRow("trailing word") << " 19 trailing" << false << 0;
        QTest::newRow("letters") << "abc" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blanks only") << "  " << false << 0;
        QTest::newRow("sign only") << "-" << false << 0;
        QTest::newRow("inner blank") << "1 9" << false << 0;
        QTest::newRow("tab") << "\t19" << false << 0;
        QTest::newRow("arabic digits") << QString::fromUtf8("\u0661\u0669") << false << 0;
    }
    void toInt16()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<int> result = Convert::ToInt16(text);
        QCOMPARE(result.has_value(), valid);
        if (valid)
            QCOMPARE(*result, value);
    }
};

QTEST_GUILESS_MAIN(tst_convert)
#include "tst_convert.moc"
