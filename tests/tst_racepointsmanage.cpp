// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include "app/Init.h"
#include "racepoints/Cp1252.h"
#include "racepoints/RacePointsManage.h"

#include <QDir>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtTest>

using namespace RacePointsManage;

namespace {

} // namespace

class tst_racepointsmanage : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<WorkFolder>();
        Init::InitProgram();
        path = Init::DataFilePath();
    }
    void cleanup() { folder.reset(); }

    void missingFileWritesDefault()
    {
        QCOMPARE(LoadRacePoints(path), qint16(19));
        QCOMPARE(RacePointCount, qint16(19));
        QCOMPARE(folder->read(DataFileName), DefaultDataFile());
        QCOMPARE(RacePoints[1], BlankRecord(80));
        QCOMPARE(RacePoints[19], Record(98));
        QVERIFY(KeptCopies(*folder).isEmpty());
    }

    void roundTrip_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::newRow("default") << DefaultDataFile() << 19;
        QByteArrayList five;
        for (int n = 80; n < 85; ++n)
            five << Record(n, "Name" + QByteArray::number(n), "Place");
        QTest::newRow("five") << DataFile(five) << 5;
        QTest::newRow("zero") << DataFile({}) << 0;
        QByteArrayList twenty;
        for (int n = 80; n < 100; ++n)
            twenty << Record(n, "N", "P");
        QTest::newRow("twenty") << DataFile(twenty) << 20;
        // Every byte but CR and LF survives: names from an outside file keep
        // their code page characters.
        QByteArray high;
        for (int b = 128; b < 256; ++b)
            high.append(char(b));
        QTest::newRow("bytes above 127") << DataFile({Record(80, high.left(13), high.mid(13, 30)), Record(81, high.mid(43, 13), high.mid(56, 30)), Record(82, QByteArray("\x01\x00\x7f\t", 4), high.mid(86, 30), high.mid(112, 16))}) << 3;
    }
    void roundTrip()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        folder->write(DataFileName, content);
        QCOMPARE(LoadRacePoints(path), qint16(count));
        QVERIFY(SaveRacePoints(path));
        QCOMPARE(folder->read(DataFileName), content);
        QVERIFY(KeptCopies(*folder).isEmpty());
    }

    void countLineForms_data()
    {
        QTest::addColumn<QByteArray>("countLine");
        QTest::addColumn<int>("count");
        QTest::newRow("spaces around") << QByteArray(" 2 ") << 2;
        QTest::newRow("bare") << QByteArray("2") << 2;
        QTest::newRow("plus sign") << QByteArray("+2") << 2;
        QTest::newRow("negative reads nothing") << QByteArray("-5") << -5;
    }
    void countLineForms()
    {
        QFETCH(QByteArray, countLine);
        QFETCH(int, count);
        folder->write(DataFileName, DataFile({Record(80, "A"), Record(81, "B")}, countLine));
        QCOMPARE(LoadRacePoints(path), qint16(count));
        QVERIFY(KeptCopies(*folder).isEmpty());
    }

    void linesAfterLastRecordAreDropped()
    {
        folder->write(DataFileName, DataFile({Record(80, "A"), Record(81, "B"), "junk"}, " 1 "));
        QCOMPARE(LoadRacePoints(path), qint16(1));
        QVERIFY(SaveRacePoints(path));
        QCOMPARE(folder->read(DataFileName), DataFile({Record(80, "A")}));
    }

    void lineFeedAloneEndsALine()
    {
        folder->write(DataFileName, " 2 \n" + Record(80, "A") + "\n" + Record(81, "B") + "\n");
        QCOMPARE(LoadRacePoints(path), qint16(2));
        QCOMPARE(RacePoints[2], Record(81, "B"));
    }

    void damagedFileFallsBackAndIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QByteArrayList nineteen;
        for (int n = 80; n <= 98; ++n)
            nineteen << Record(n, "N");
        QTest::newRow("record of 60") << DataFile({Record(80, "A"), Record(81, "B").left(60)});
        QTest::newRow("record of 62") << DataFile({Record(80, "A") + ' ', Record(81, "B")});
        QTest::newRow("count of letters") << DataFile({Record(80, "A")}, "abc");
        QTest::newRow("count with trailing word") << DataFile(nineteen, " 19 trailing");
        QTest::newRow("count of 100") << DataFile(nineteen, " 100 ");
        QTest::newRow("count beyond 16 bits") << DataFile(nineteen, "99999");
        QTest::newRow("18 of 19 records") << DataFile(nineteen.mid(0, 18), " 19 ");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("NUL bytes") << QByteArray(200, '\0');
    }
    void damagedFileFallsBackAndIsKept()
    {
        QFETCH(QByteArray, content);
        folder->write(DataFileName, content);
        QCOMPARE(LoadRacePoints(path), qint16(19));
        for (int slot = 1; slot <= 19; ++slot)
            QCOMPARE(RacePoints[slot], BlankRecord(79 + slot));
        const QStringList kept = KeptCopies(*folder);
        QCOMPARE(kept.size(), 1);
        QVERIFY2(QRegularExpression(QStringLiteral("^racepo\\.dat\\.damaged-\\d{8}-\\d{6}$")).match(kept.first()).hasMatch(), qPrintable(kept.first()));
        QCOMPARE(folder->read(QStringLiteral("racepo/") + kept.first()), content);
        // The damaged file itself is left alone until the user saves.
        QCOMPARE(folder->read(DataFileName), content);

        // Loading it again (every refill does) keeps no second copy.
        LoadRacePoints(path);
        QCOMPARE(KeptCopies(*folder).size(), 1);
    }

    void otherDamageKeepsEarlierCopies()
    {
        folder->write(DataFileName, "first damage");
        LoadRacePoints(path);
        folder->write(DataFileName, "second damage");
        LoadRacePoints(path);
        const QStringList kept = KeptCopies(*folder);
        QCOMPARE(kept.size(), 2);
        QSet<QByteArray> contents;
        for (const QString &name : kept)
            contents.insert(folder->read(QStringLiteral("racepo/") + name));
        QCOMPARE(contents, (QSet<QByteArray>{"first damage", "second damage"}));
    }

    void unreadableFileIsNotReplaced()
    {
        QDir().mkpath(folder->path(DataFileName));
        QCOMPARE(LoadRacePoints(path), qint16(19));
        QVERIFY(QFileInfo(path).isDir());
        QVERIFY(!SaveRacePoints(path));
        QVERIFY(QFileInfo(path).isDir());
    }

    void storeRacePoint_data()
    {
        QTest::addColumn<QByteArray>("number");
        QTest::addColumn<int>("slot");
        QTest::newRow("80") << QByteArray("80") << 1;
        QTest::newRow("98") << QByteArray("98") << 19;
        QTest::newRow("99") << QByteArray("99") << 20;
        QTest::newRow("79") << QByteArray("79") << -1;
        QTest::newRow("blanks") << QByteArray("  ") << -1;
        QTest::newRow("letters") << QByteArray("ab") << -1;
    }
    void storeRacePoint()
    {
        QFETCH(QByteArray, number);
        QFETCH(int, slot);
        LoadRacePoints(path);
        const auto before = RacePoints;
        const QByteArray record = number + QByteArray(59, 'x');
        QCOMPARE(StoreRacePoint(record), slot > 0);
        for (int i = 1; i <= SlotCount; ++i)
            QCOMPARE(RacePoints[i], i == slot ? record : before[i]);
    }

    void storeAboveCountIsNotSaved()
    {
        LoadRacePoints(path);
        QVERIFY(StoreRacePoint(Record(99, "Beyond")));
        QVERIFY(SaveRacePoints(path));
        QCOMPARE(folder->read(DataFileName), DefaultDataFile());
    }

    void storeIntoShortTableChangesOnlyMemory()
    {
        QByteArrayList five;
        for (int n = 80; n < 85; ++n)
            five << Record(n, "N");
        folder->write(DataFileName, DataFile(five));
        LoadRacePoints(path);
        QVERIFY(StoreRacePoint(Record(90, "Ninety")));
        QVERIFY(SaveRacePoints(path));
        QCOMPARE(folder->read(DataFileName), DataFile(five));
    }

    void cp1252RoundTripsEveryByte()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        QCOMPARE(Cp1252::Encode(Cp1252::Decode(all)), all);
        QCOMPARE(Cp1252::Decode("\x80\xe9"), QString::fromUtf8("\u20ac\u00e9"));
        // One byte per character, whatever a paste brought in.
        QCOMPARE(Cp1252::Encode(QString::fromUtf8("\u0142\U0001F600x\u00e9")), QByteArray("???x\xe9"));
    }

    // The program's own table against the system's Windows-1252 (ICU) for
    // every byte and every character of the Basic Multilingual Plane.
    void cp1252MatchesTheSystemCodePage()
    {
        QStringDecoder decoder("windows-1252");
        if (!decoder.isValid())
            QSKIP("this Qt has no named code pages (built without ICU)");
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            QCOMPARE(Cp1252::Decode(QByteArrayView(&byte, 1)), decoder.decode(QByteArrayView(&byte, 1)));
        }
        for (char16_t unit = 1; unit < 0xD800; ++unit) {
            const QChar c(unit);
            QStringEncoder encoder("windows-1252"); // its error flag never resets
            QByteArray expected = encoder.encode(QStringView(&c, 1));
            if (encoder.hasError() || expected.size() != 1)
                expected = "?";
            QCOMPARE(Cp1252::Encode(QStringView(&c, 1)), expected);
        }
    }

private:
    std::unique_ptr<WorkFolder> folder;
    QString path;
};

QTEST_GUILESS_MAIN(tst_racepointsmanage)
#include "tst_racepointsmanage.moc"
