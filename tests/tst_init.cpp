// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include "app/Init.h"

#include <QDir>
#include <QtTest>

class tst_init : public QObject {
    Q_OBJECT

private slots:
    void readOptions_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("port");
        QTest::newRow("missing") << QByteArray() << false << "";
        QTest::newRow("number and CR LF") << QByteArray("3\r\n") << true << "3";
        QTest::newRow("no line end") << QByteArray("3") << true << "3";
        QTest::newRow("further lines ignored") << QByteArray("3\r\n7\r\n") << true << "3";
        QTest::newRow("CR alone") << QByteArray("12\r7") << true << "12";
        QTest::newRow("LF alone") << QByteArray("12\n") << true << "12";
        QTest::newRow("zero") << QByteArray("0\r\n") << true << "0";
        QTest::newRow("empty first line") << QByteArray("\r\n5\r\n") << true << "";
        QTest::newRow("empty file") << QByteArray() << true << "";
        QTest::newRow("kept as read") << QByteArray(" 03 \r\n") << true << " 03 ";
        QTest::newRow("letters") << QByteArray("COM3\r\n") << true << "COM3";
    }
    void readOptions()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, present);
        QFETCH(QString, port);
        WorkFolder folder;
        if (present)
            folder.write(QStringLiteral("OPTIONS.PAR"), content);
        Init::SelectedCOMPort = QStringLiteral("stale");
        Init::InitProgram();
        QCOMPARE(Init::SelectedCOMPort, port);
        QCOMPARE(Init::WorkPath, folder.path() + u'/');
    }

    void optionsThatAreAFolderMeanNoPort()
    {
        WorkFolder folder;
        QDir().mkdir(folder.path(QStringLiteral("OPTIONS.PAR")));
        Init::InitProgram();
        QCOMPARE(Init::SelectedCOMPort, QString());
    }

    void writeOptions()
    {
        WorkFolder folder;
        folder.write(QStringLiteral("OPTIONS.PAR"), "17\r\nold second line\r\n");
        Init::InitProgram();
        QVERIFY(Init::WriteOptions(QStringLiteral("3")));
        QCOMPARE(folder.read(QStringLiteral("OPTIONS.PAR")), QByteArray("3\r\n"));

        // A folder in the way makes the write fail, even for root; nothing
        // half-written is left behind.
        WorkFolder other;
        QDir().mkdir(other.path(QStringLiteral("OPTIONS.PAR")));
        Init::InitProgram();
        QVERIFY(!Init::WriteOptions(QStringLiteral("4")));
        QVERIFY(QFileInfo(other.path(QStringLiteral("OPTIONS.PAR"))).isDir());
        QCOMPARE(QDir(other.path()).entryList(QDir::Files), QStringList());
    }

    void dataFolder_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::newRow("none") << QString();
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("plain file") << QStringLiteral("file");
    }
    void dataFolder()
    {
        QFETCH(QString, existing);
        WorkFolder folder;
        if (existing == QLatin1String("folder"))
            folder.write(QStringLiteral("racepo/keep.txt"), "mine");
        if (existing == QLatin1String("file"))
            folder.write(QStringLiteral("racepo"), "a plain file");
        Init::InitProgram();
        const QFileInfo info(folder.path(QStringLiteral("racepo")));
        QCOMPARE(info.isFile(), existing == QLatin1String("file"));
        if (existing == QLatin1String("folder"))
            QCOMPARE(folder.read(QStringLiteral("racepo/keep.txt")), QByteArray("mine"));
        if (existing == QLatin1String("file"))
            QCOMPARE(folder.read(QStringLiteral("racepo")), QByteArray("a plain file"));
    }

    void splitLines_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QByteArrayList>("lines");
        QTest::newRow("empty") << QByteArray() << QByteArrayList{};
        QTest::newRow("one empty line") << QByteArray("\r\n") << QByteArrayList{""};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArrayList{"a", "b"};
        QTest::newRow("no end") << QByteArray("a\r\nb") << QByteArrayList{"a", "b"};
        QTest::newRow("CR, LF, CR LF") << QByteArray("a\rb\nc\r\n") << QByteArrayList{"a", "b", "c"};
        QTest::newRow("LF CR is two ends") << QByteArray("a\n\rb") << QByteArrayList{"a", "", "b"};
        QTest::newRow("empty lines") << QByteArray("\r\n\r\nx") << QByteArrayList{"", "", "x"};
    }
    void splitLines()
    {
        QFETCH(QByteArray, content);
        QFETCH(QByteArrayList, lines);
        QCOMPARE(Init::SplitLines(content), lines);
    }
};

QTEST_GUILESS_MAIN(tst_init)
#include "tst_init.moc"
