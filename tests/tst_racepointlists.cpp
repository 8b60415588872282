// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Lists of race points in and out: the files other programs write, read
// into the records the data file holds, and what the program writes read
// back into the same records.

#include "TestSupport.h"

#include "app/ClubLocation.h"
#include "racepoints/RacePointImport.h"
#include "racepoints/RacePointLists.h"
#include "racepoints/RacePointsManage.h"

#include <QtTest>

using namespace RacePointImport;
using RacePointLists::Problem;

Q_DECLARE_METATYPE(QList<Reason>)

namespace {

const QByteArray Quievrain = Record(80, "Quievrain", "Quievrain, Belgique", "5024123403410000");
const QByteArray Mons = Record(85, "Mons", "Mons, Belgique", "5027451203574145");
const QByteArray Ypres = Record(98, "Ypres", "Ieper, Belgique", "5051000002530000");

void UseTable(const QByteArray &dataFile)
{
    const auto table = RacePointsManage::ParseDataFile(dataFile);
    QVERIFY(table);
    RacePointsManage::RacePointCount = table->count;
    for (int slot = 1; slot <= RacePointsManage::SlotCount; ++slot)
        RacePointsManage::RacePoints[slot] = table->records.value(slot - 1);
}

QByteArrayList Records(const Plan &plan)
{
    QByteArrayList records;
    for (const Kept &kept : plan.kept)
        records << kept.record;
    return records;
}

QList<Reason> Reasons(const Plan &plan)
{
    QList<Reason> reasons;
    for (const LeftOut &row : plan.leftOut)
        reasons << row.reason;
    return reasons;
}

} // namespace

class tst_racepointlists : public QObject {
    Q_OBJECT

private slots:
    void init() { ClubLocation::Current.reset(); }

    void exportThenImportGivesTheSameFile_data()
    {
        QTest::addColumn<RacePointLists::Format>("format");
        QTest::addColumn<bool>("clubLocation");
        QTest::newRow("CSV") << RacePointLists::Format::Csv << false;
        QTest::newRow("CSV with distances") << RacePointLists::Format::Csv << true;
        QTest::newRow("GPX") << RacePointLists::Format::Gpx << false;
        QTest::newRow("KML") << RacePointLists::Format::Kml << true;
    }
    void exportThenImportGivesTheSameFile()
    {
        QFETCH(RacePointLists::Format, format);
        QFETCH(bool, clubLocation);
        if (clubLocation)
            ClubLocation::Current = ClubLocation::Parse("51 07 24.44 N, 04 34 04.40 E");
        const QByteArray original = DefaultDataFile({{1, Quievrain}, {6, Mons}, {19, Ypres}});
        UseTable(original);
        const QByteArray file = RacePointLists::Write(format, RacePointLists::EntriesOfTable(),
                                                      "Number;Name;Place;Latitude;Longitude;Lat;Lon;Distance", "Club");
        UseTable(DefaultDataFile());
        const Plan plan = MakePlan(RacePointLists::ReadSheet(file), true);
        QVERIFY(plan.leftOut.isEmpty());
        Apply(plan, true);
        QCOMPARE(RacePointsManage::FormatDataFile(RacePointsManage::TableInMemory()), original);
    }

    void writtenCsv()
    {
        ClubLocation::Current = ClubLocation::Parse("51 07 24.44 N, 04 34 04.40 E");
        UseTable(DefaultDataFile({{6, Record(85, "Mons;Nord", "Mons", "5027451203574145")}}));
        const QByteArray csv = RacePointLists::WriteCsv(RacePointLists::EntriesOfTable(), "No.;Name;Place;A;B;C;D;Km");
        QCOMPARE(csv, QByteArray("\xEF\xBB\xBFNo.;Name;Place;A;B;C;D;Km\r\n"
                                 "85;\"Mons;Nord\";Mons;\"50\xC2\xB0" "27'45,12\"\" N\";\"03\xC2\xB0" "57'41,45\"\" E\";"
                                 "50,462533;3,961514;85,051\r\n"));
    }

    void publishedLists_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("replace");
        QTest::addColumn<QByteArrayList>("kept");
        QTest::addColumn<QList<Reason>>("leftOut");
        // A federation's spreadsheet: compact DDMMSS.s, Windows-1252, a header.
        QTest::newRow("compact with tenths")
            << QByteArray("Nr;Naam;Plaats;Breedte;Lengte\r\n"
                          "81;Qui\xe9vrain;Qui\xe9vrain (B);502412.3;0034100.0\r\n"
                          "82;Noyon;Noyon;493456.0;0030000.0\r\n"
                          "81;Twice;Twice;493456.0;0030000.0\r\n"
                          "12;Outside;Outside;493456.0;0030000.0\r\n"
                          "83;Nowhere;Nowhere;;\r\n")
            << true
            << QByteArrayList{Record(81, "Quievrain", "Quievrain B", "5024123003410000"),
                              Record(82, "Noyon", "Noyon", "4934560003000000")}
            << QList<Reason>{Reason::NumberTwice, Reason::NumberOutside, Reason::NoCoordinates};
        // Degrees and decimal minutes with letters, commas, quoted fields, UTF-8.
        QTest::newRow("decimal minutes with letters")
            << QByteArray("Name,Place,Latitude,Longitude\n"
                          "\"Orl\xc3\xa9" "ans\",\"Orl\xc3\xa9" "ans, Loiret\",47 54.1200 N,001 54.3000 E\n"
                          "Bilbao,\"Bilbao, \"\"Euskadi\"\"\",43:15.6000 N,002:56.1000 W\n")
            << false
            << QByteArrayList{Record(81, "Orleans", "Orleans, Loiret", "4754072001541800"),
                              Record(82, "Bilbao", "Bilbao, Euskadi", "4315360002560600")}
            << QList<Reason>();
        // Decimal degrees copied from a map, one column, tabs, no header.
        QTest::newRow("decimal degrees from a map")
            << QByteArray("Arras\t50.291002, 2.777535\nSaint-Quentin-en-Tourmont a long name\t50.2697, 1.6063\n")
            << true
            << QByteArrayList{Record(80, "Arras", "", "5017276102463913"),
                              Record(81, "Saint-Quentin", "", "5016109201362268")}
            << QList<Reason>();
        // A map tool's GPX: metadata, heights, times and a track to pass over.
        QTest::newRow("GPX from a map tool")
            << QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                          "<gpx xmlns=\"http://www.topografix.com/GPX/1/1\" version=\"1.1\" creator=\"map\">\n"
                          "<metadata><name>Season</name></metadata>\n"
                          "<wpt lat=\"49.4352\" lon=\"2.8453\"><ele>40</ele><name>Compi\xc3\xa8gne</name>"
                          "<desc>Oise</desc><sym>Flag</sym></wpt>\n"
                          "<wpt lat=\"48.1\" lon=\"x\"><name>Broken</name></wpt>\n"
                          "<trk><trkseg><trkpt lat=\"1\" lon=\"2\"/></trkseg></trk>\n"
                          "</gpx>\n")
            << true << QByteArrayList{Record(80, "Compiegne", "Oise", "4926067202504308")}
            << QList<Reason>{Reason::NoCoordinates};
        // A map program's KML: a route to pass over, a point with its height.
        QTest::newRow("KML with a route")
            << QByteArray("<kml><Document><Placemark><name>Route</name><LineString><coordinates>4.1,50.1 4.2,50.2"
                          "</coordinates></LineString></Placemark><Placemark><name>Noyon</name><Point>"
                          "<coordinates>3.0,49.58,0</coordinates></Point></Placemark></Document></kml>")
            << true << QByteArrayList{Record(80, "Noyon", "", "4934480003000000")} << QList<Reason>();
    }
    void publishedLists()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, replace);
        QFETCH(QByteArrayList, kept);
        QFETCH(QList<Reason>, leftOut);
        UseTable(DefaultDataFile({{1, Quievrain}}));
        const RacePointLists::Sheet sheet = RacePointLists::ReadSheet(file);
        QCOMPARE(sheet.problem, Problem::None);
        const Plan plan = MakePlan(sheet, replace);
        QCOMPARE(Records(plan), kept);
        QCOMPARE(Reasons(plan), leftOut);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<Problem>("problem");
        QTest::newRow("empty") << QByteArray(" \r\n\r\n") << Problem::Empty;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16) << Problem::Binary;
        QTest::newRow("UTF-16") << QByteArray("\xff\xfeN\0a\0m\0e\0;\0", 12) << Problem::Utf16;
        QTest::newRow("UTF-16 without mark") << QByteArray("N\0a\0m\0e\0;\0L\0", 12) << Problem::Utf16;
        QTest::newRow("GPX cut short") << QByteArray("<gpx><wpt lat=\"1\" lon=\"2\"><name>A</name>") << Problem::NotWellFormed;
        QTest::newRow("10,000 rows") << QByteArray("A;50.1;4.1\n").repeated(10000) << Problem::TooManyRows;
        QTest::newRow("too large") << QByteArray(RacePointLists::MaxFileSize + 1, 'a') << Problem::TooLarge;
    }
    void badFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(Problem, problem);
        const RacePointLists::Sheet sheet = RacePointLists::ReadSheet(file);
        QCOMPARE(sheet.problem, problem);
        QVERIFY(sheet.rows.isEmpty());
    }

    void fillingKeepsTheList()
    {
        UseTable(DefaultDataFile({{1, Quievrain}, {3, Mons}}));
        const Plan plan = MakePlan(RacePointLists::ReadSheet("80;A;A;50.1;4.1\n;B;B;50.2;4.2\n;C;C;50.3;4.3\n"), false);
        QCOMPARE(Reasons(plan), QList<Reason>{Reason::NumberInUse});
        Apply(plan, false);
        QCOMPARE(RacePointsManage::RacePoints[1], Quievrain);
        QCOMPARE(RacePointsManage::RacePoints[2].left(3), "81B");
        QCOMPARE(RacePointsManage::RacePoints[3], Mons);
        QCOMPARE(RacePointsManage::RacePoints[4].left(3), "83C");
    }
};

QTEST_GUILESS_MAIN(tst_racepointlists)
#include "tst_racepointlists.moc"
