// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/FieldRules.h"
#include "racepoints/RacePointsManage.h"

#include <QtTest>

using FieldRules::Kind;
Q_DECLARE_METATYPE(FieldRules::Kind)

namespace {

const QByteArray Namur = "90Namur        Namur, Belgique               5027451203049145";

QStringList Fields(const QString &number, const QString &name, const QString &place)
{
    return {number, name, place, "50", "27", "45", "12", "03", "04", "91", "45"};
}

} // namespace

class tst_fieldrules : public QObject {
    Q_OBJECT

private slots:
    void takes_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        for (const Kind kind : {Kind::Number, Kind::Text, Kind::Coordinate}) {
            const bool text = kind == Kind::Text;
            const QByteArray k = text ? "text " : kind == Kind::Number ? "number " : "coordinate ";
            QTest::newRow(k + "digits") << kind << "0123456789" << true;
            QTest::newRow(k + "backspace") << kind << "\b" << true;
            QTest::newRow(k + "letters") << kind << "AZaz" << text;
            QTest::newRow(k + "space") << kind << " " << text;
            QTest::newRow(k + "signs") << kind << "+,-." << text;
            QTest::newRow(k + "diacritics") << kind << QString::fromUtf8("éÄß") << false;
            QTest::newRow(k + "apostrophe slash brackets") << kind << "'/()" << false;
            QTest::newRow(k + "control characters") << kind << "\r\n\t\x1b\x7f" << false;
        }
    }
    void takes()
    {
        QFETCH(Kind, kind);
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        for (const QChar c : typed)
            QVERIFY2(FieldRules::Takes(kind, c) == taken, qPrintable(QString::number(c.unicode())));
    }

    void entering_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name with fill") << "Mons         " << "Mons";
        QTest::newRow("spaces around") << "  Bad Ems  " << "Bad Ems";
        QTest::newRow("inner spaces kept") << "La Roche" << "La Roche";
        QTest::newRow("only spaces") << "             " << "";
        QTest::newRow("tab is no space") << "\tX" << "\tX";
    }
    void entering()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        QCOMPARE(FieldRules::Entering(text), shown);
    }

    void leaving_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("left");
        QTest::newRow("number digit") << Kind::Number << 2 << "5" << "05";
        QTest::newRow("number two digits") << Kind::Number << 2 << "85" << "85";
        QTest::newRow("number empty") << Kind::Number << 2 << "" << "";
        QTest::newRow("number pasted space") << Kind::Number << 2 << " 8" << "08";
        QTest::newRow("number spaces only") << Kind::Number << 2 << "  " << "";
        QTest::newRow("number no range") << Kind::Number << 2 << "00" << "00";
        QTest::newRow("name") << Kind::Text << 13 << "Mons" << "Mons         ";
        QTest::newRow("pasted name") << Kind::Text << 13 << "  Namur1  " << "Namur1       ";
        QTest::newRow("name spaces only") << Kind::Text << 13 << "     " << "";
        QTest::newRow("name empty") << Kind::Text << 13 << "" << "";
        QTest::newRow("name full") << Kind::Text << 13 << "Bad Salzuflen" << "Bad Salzuflen";
        QTest::newRow("place") << Kind::Text << 30 << "Liege" << QString("Liege").leftJustified(30);
        QTest::newRow("coordinate empty") << Kind::Coordinate << 2 << "" << "00";
        QTest::newRow("coordinate digit") << Kind::Coordinate << 2 << "9" << "09";
        QTest::newRow("coordinate 99") << Kind::Coordinate << 2 << "99" << "99";
        QTest::newRow("coordinate spaces kept") << Kind::Coordinate << 2 << "  " << "  ";
        QTest::newRow("coordinate space digit") << Kind::Coordinate << 2 << " 7" << " 7";
    }
    void leaving()
    {
        QFETCH(Kind, kind);
        QFETCH(int, maxLength);
        QFETCH(QString, text);
        QFETCH(QString, left);
        QCOMPARE(FieldRules::Leaving(kind, text, maxLength), left);
    }

    void fieldTexts()
    {
        QCOMPARE(FieldRules::FieldTexts(Namur),
                 QStringList({"90", "Namur        ", "Namur, Belgique               ", "50", "27", "45", "12", "03",
                              "04", "91", "45"}));
        const QStringList blank = FieldRules::FieldTexts(RacePointsManage::BlankRecord(85));
        QCOMPARE(blank.size(), 11);
        QCOMPARE(blank.first(), "85");
        QCOMPARE(blank.last(), "  ");
        QCOMPARE(blank.join(QString()).size(), 61);
    }

    void numberLookup_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("found");
        QTest::newRow("stored record") << "90" << true;
        QTest::newRow("blank record") << "85" << true;
        QTest::newRow("first digit") << "9" << false;
        QTest::newRow("slot above the count") << "99" << false;
        QTest::newRow("no slot") << "79" << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("not a number") << "+9" << false;
        QTest::newRow("record of another number") << "88" << false;
    }
    void numberLookup()
    {
        QFETCH(QString, typed);
        QFETCH(bool, found);
        using namespace RacePointsManage;
        RacePointCount = 19;
        for (int slot = 1; slot <= SlotCount; ++slot)
            RacePoints[slot] = slot <= 19 ? BlankRecord(slot + 79) : QByteArray();
        RacePoints[11] = Namur;
        RacePoints[9] = "12" + BlankRecord(88).mid(2); // hand-edited number columns
        const std::optional<QStringList> shown = FieldRules::NumberLookup(typed);
        QCOMPARE(shown.has_value(), found);
        if (found)
            QCOMPARE(*shown, FieldRules::FieldTexts(RacePoints[typed.toInt() - 79]).mid(1));
    }

    void buildRecord()
    {
        QCOMPARE(FieldRules::BuildRecord(FieldRules::FieldTexts(Namur)), Namur);
        QStringList fields = Fields("85", QString::fromUtf8("Liège").leftJustified(13), QString(30, ' '));
        const QByteArray record = FieldRules::BuildRecord(fields);
        QCOMPARE(record.size(), 61);
        QCOMPARE(record.mid(2, 6), QByteArray("Li\xe8ge "));
        fields[1] = "Mons\r\nCentre ";
        QCOMPARE(FieldRules::BuildRecord(fields).mid(2, 13), QByteArray("Mons  Centre "));
        QCOMPARE(FieldRules::StoredCoordinate(""), "00");
        QCOMPARE(FieldRules::StoredCoordinate("7"), "00");
        QCOMPARE(FieldRules::StoredCoordinate("  "), "  ");
    }

    void checks_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("place");
        QTest::addColumn<bool>("addValid");
        QTest::addColumn<bool>("alterValid");
        const QString name = QString("Mons").leftJustified(13);
        const QString place = QString("Mons, Belgique").leftJustified(30);
        QTest::newRow("80") << "80" << name << place << true << true;
        QTest::newRow("98") << "98" << name << place << true << true;
        QTest::newRow("79") << "79" << name << place << false << true;
        QTest::newRow("99") << "99" << name << place << false << false;
        QTest::newRow("number empty") << "" << name << place << false << false;
        QTest::newRow("single digit") << "8" << name << place << false << true;
        QTest::newRow("not a number") << "  " << name << place << false << false;
        QTest::newRow("name empty") << "85" << "" << place << false << false;
        QTest::newRow("name unfilled") << "85" << "Mons" << place << false << false;
        QTest::newRow("place empty") << "85" << name << "" << false << false;
        QTest::newRow("blank record") << "85" << QString(13, ' ') << QString(30, ' ') << true << true;
    }
    void checks()
    {
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(QString, place);
        QFETCH(bool, addValid);
        QFETCH(bool, alterValid);
        QCOMPARE(FieldRules::AddInputValid(Fields(number, name, place)), addValid);
        QCOMPARE(FieldRules::AlterInputValid(Fields(number, name, place)), alterValid);
    }
};

QTEST_GUILESS_MAIN(tst_fieldrules)
#include "tst_fieldrules.moc"
