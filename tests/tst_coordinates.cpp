// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading coordinates in the forms people write them, the record's fields,
// geodesic distances against published results, and the club location file.
#include "TestSupport.h"

#include "app/ClubLocation.h"
#include "app/Init.h"
#include "editing/CoordinateNotes.h"
#include "racepoints/Coordinates.h"
#include "racepoints/RacePointsManage.h"

#include <QtTest>

using namespace Coordinates;

namespace {

// What a reading holds, as the dialogs' texts: "latitude | longitude".
QString Shown(const std::optional<Reading> &reading)
{
    if (!reading)
        return QStringLiteral("none");
    return (reading->latitude ? Text(*reading->latitude, Axis::Latitude) : QString()) + QStringLiteral(" | ")
        + (reading->longitude ? Text(*reading->longitude, Axis::Longitude) : QString());
}

QString Shown(const QList<CoordinateNotes::Note> &notes)
{
    static const QStringList kinds{"60 or more", "over 90", "far away", "same as", "swapped"};
    QStringList shown;
    for (const CoordinateNotes::Note &note : notes) {
        shown.append(kinds[int(note.kind)]);
        if (note.otherNumber)
            shown.last() += QStringLiteral(" %1 %2").arg(note.otherNumber).arg(note.otherName);
    }
    return shown.join(QStringLiteral("; "));
}

Position Dms(int degrees, int minutes, double seconds, bool negative)
{
    const double value = degrees + minutes / 60.0 + seconds / 3600.0;
    return {negative ? -value : value, 0};
}

} // namespace

class tst_coordinates : public QObject {
    Q_OBJECT

private slots:
    void read_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("longitudeRow");
        QTest::addColumn<QString>("expected");
        const auto row = [](const char *name, const QString &text, bool longitudeRow, const char *expected) {
            QTest::newRow(name) << text << longitudeRow << QString::fromUtf8(expected);
        };
        // Decimal degrees.
        row("map pair", "51.123456, 4.567890", false, "51°07'24,44\" N | 04°34'04,40\" E");
        row("pair without blank", "52.516143,13.377694", false, "52°30'58,11\" N | 13°22'39,70\" E");
        row("decimal commas", "52,516143, 13,377694", false, "52°30'58,11\" N | 13°22'39,70\" E");
        row("blank between", "52.516143 13.377694", false, "52°30'58,11\" N | 13°22'39,70\" E");
        row("one value, its row", "4.567890", true, " | 04°34'04,40\" E");
        row("sign", "-33.5 -70.25", false, "33°30'00,00\" S | 70°15'00,00\" W");
        row("rounds up into the degree", "51.9999999", false, "52°00'00,00\" N | ");
        // Degrees and decimal minutes.
        row("minutes with signs", "51°07.407'", false, "51°07'24,42\" N | ");
        row("minutes with blank", "51 07.407", false, "51°07'24,42\" N | ");
        row("minutes with colon and letter", "42:11.3860 N", true, "42°11'23,16\" N | ");
        // Degrees, minutes and seconds.
        row("seconds with signs", "51°07'24.4\"", false, "51°07'24,40\" N | ");
        row("seconds with blanks and comma", "51 07 24,44", false, "51°07'24,44\" N | ");
        row("seconds with colons", "51:07:24", false, "51°07'24,00\" N | ");
        row("two apostrophes, primes", "51°07′24.4″ N 004°34'04,40'' E", false,
            "51°07'24,40\" N | 04°34'04,40\" E");
        row("letters before", "N 51°07'24.4\" O 4°34'4.4\"", false, "51°07'24,40\" N | 04°34'04,40\" E");
        row("letters say which is which", "4.567890 E, 51.123456 N", false, "51°07'24,44\" N | 04°34'04,40\" E");
        row("letter decides the row", "4.5w", false, " | 04°30'00,00\" W");
        row("seconds round into the minute", "51 07 59.996", false, "51°08'00,00\" N | ");
        // The compact forms of federation lists.
        row("compact pair", "510724.4 / 0043404.4", false, "51°07'24,40\" N | 04°34'04,40\" E");
        row("compact with hemisphere", "S 335120", true, "33°51'20,00\" S | ");
        // No coordinate: nothing changes.
        row("words", "not a coordinate", false, "none");
        row("empty", "  ", false, "none");
        row("latitude over 90", "90.0001", false, "none");
        row("longitude the record cannot hold", "100.5", true, "none");
        row("minutes of 60", "51 60 00", false, "none");
        row("seconds of 60", "510760", false, "none");
        row("three values", "51.1, 4.5, 3.2", false, "none");
        row("two latitudes", "51.1 N, 4.5 S", false, "none");
        row("minutes left out", "51°24.4\"", false, "none");
        row("sign and letter", "-51.5 S", false, "none");
        row("five digits", "51072", false, "none");
        row("control character", QStringLiteral("51.1") + QChar(1), false, "none");
        row("a megabyte", QString(1 << 20, u'5'), false, "none");
    }
    void read()
    {
        QFETCH(QString, text);
        QFETCH(bool, longitudeRow);
        QFETCH(QString, expected);
        QCOMPARE(Shown(Read(text, longitudeRow ? Axis::Longitude : Axis::Latitude)), expected);
    }

    // Geoscience Australia's sample for Vincenty's formulae: Flinders Peak to
    // Buninyong, 54 972.271 m on the ellipsoid.
    void geodesic()
    {
        Position flinders = Dms(37, 57, 3.72030, true), buninyong = Dms(37, 39, 10.15610, true);
        flinders.longitude = Dms(144, 25, 29.52440, false).latitude;
        buninyong.longitude = Dms(143, 55, 35.38390, false).latitude;
        QVERIFY(qAbs(DistanceMetres(flinders, buninyong) - 54972.271) < 0.001);
    }

    // A race point's fields lie in the club location's hemispheres.
    void distanceFromClub()
    {
        WorkFolder folder;
        Init::WorkPath = folder.path() + u'/';
        // Flinders Peak; Buninyong's longitude does not fit the record, so it
        // is measured with both shifted by 100° west, which changes no distance.
        QVERIFY(ClubLocation::Save(ClubLocation::Parse("37 57 03.72 S, 44 25 29.52 E")));
        const QStringList buninyong{"37", "39", "10", "16", "43", "55", "35", "38"};
        QVERIFY(qAbs(*ClubLocation::DistanceMetres(buninyong) - 54972.271) < 1);
        ClubLocation::Load();
        QVERIFY(qAbs(*ClubLocation::DistanceMetres(buninyong) - 54972.271) < 1);
        QVERIFY(!ClubLocation::DistanceMetres({"37", "39", "  ", "16", "43", "55", "35", "38"}));
    }

    // What looks wrong, for a club in Brussels and Namur stored as 90.
    void notes_data()
    {
        QTest::addColumn<QString>("coordinates");
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plausible") << "5030000004300000" << 85 << "";
        QTest::newRow("minutes of 75") << "5075000004300000" << 85 << "60 or more";
        QTest::newRow("seconds of 60") << "5030000004306000" << 85 << "60 or more";
        QTest::newRow("latitude over 90") << "9500000004300000" << 85 << "over 90";
        QTest::newRow("Athens") << "3758000023430000" << 85 << "far away";
        QTest::newRow("swapped") << "0434000051070000" << 85 << "swapped";
        QTest::newRow("Namur twice") << "5027451204515000" << 85 << "same as 90 Namur";
        QTest::newRow("Namur itself") << "5027451204515000" << 90 << "";
        QTest::newRow("never entered") << "0000000000000000" << 85 << "";
        QTest::newRow("blank") << "                " << 85 << "";
    }
    void notes()
    {
        QFETCH(QString, coordinates);
        QFETCH(int, number);
        QFETCH(QString, expected);
        RacePointsManage::RacePointCount = 19;
        for (int slot = 1; slot <= 19; ++slot)
            RacePointsManage::RacePoints[slot] = RacePointsManage::BlankRecord(79 + slot);
        RacePointsManage::RacePoints[11] = Record(90, "Namur", "Namur", "5027451204515000");
        ClubLocation::Current = ClubLocation::Parse("50 50 00 N, 04 21 00 E");
        QStringList fields;
        for (int i = 0; i < 16; i += 2)
            fields.append(coordinates.mid(i, 2));
        QCOMPARE(Shown(CoordinateNotes::Check(fields, number)), expected);
    }

    void clubLocationFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("location");
        QTest::newRow("written by the program") << QByteArray("51 07 24.44 N, 04 34 04.40 E\r\n") << true;
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("one value") << QByteArray("51 07 24.44 N\r\n") << false;
        QTest::newRow("garbage") << QByteArray("\x00\xff\x01 51,1\n\n4,5 \x7f", 15) << false;
        QTest::newRow("too large") << QByteArray(5000, ' ') + "51.1, 4.5" << false;
    }
    void clubLocationFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, location);
        WorkFolder folder;
        Init::WorkPath = folder.path() + u'/';
        folder.write(QLatin1String(ClubLocation::FileName), content);
        ClubLocation::Load();
        QCOMPARE(ClubLocation::Current.has_value(), location);
        if (location)
            QCOMPARE(ClubLocation::Format(ClubLocation::Current), content);
    }
};

QTEST_GUILESS_MAIN(tst_coordinates)
#include "tst_coordinates.moc"
