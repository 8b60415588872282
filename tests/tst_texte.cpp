// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include "app/Init.h"
#include "app/Texte.h"

#include <QtTest>

class tst_texte : public QObject {
    Q_OBJECT

private slots:
    void lookUp_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << QByteArray("frmInfo.Caption=Info\r\n") << "Info";
        QTest::newRow("code page letter") << QByteArray("frmInfo.Caption=\xc4nderung\r\n") << QString::fromUtf8("\u00c4nderung");
        QTest::newRow("only the first = splits") << QByteArray("frmInfo.Caption=a=b\r\n") << "a=b";
        QTest::newRow("blank before = is another key") << QByteArray("frmInfo.Caption =Info\r\n") << "";
        QTest::newRow("blanks in the text stay") << QByteArray("frmInfo.Caption= Info \r\n") << " Info ";
        QTest::newRow("small letters are another key") << QByteArray("frminfo.caption=Info\r\n") << "";
        QTest::newRow("empty text") << QByteArray("frmInfo.Caption=\r\n") << "";
        QTest::newRow("key absent") << QByteArray("frmMain.mnuHelp.Caption=Help\r\n") << "";
        QTest::newRow("first entry wins") << QByteArray("frmInfo.Caption=One\r\nfrmInfo.Caption=Two\r\n") << "One";
        QTest::newRow("line without = is skipped") << QByteArray("frmInfo.Caption\r\nfrmInfo.Caption=Info\r\n") << "Info";
        QTest::newRow("CR alone ends a line") << QByteArray("x=1\rfrmInfo.Caption=Info\r") << "Info";
        QTest::newRow("LF alone ends a line") << QByteArray("x=1\nfrmInfo.Caption=Info\n") << "Info";
        QTest::newRow("no line end at the end") << QByteArray("x=1\r\nfrmInfo.Caption=Info") << "Info";
        QTest::newRow("empty file") << QByteArray() << "";
        QTest::newRow("NUL bytes") << QByteArray("frmInfo.Caption=I\0nfo\r\n", 23) << QString::fromUtf8("I\0nfo", 5);
    }
    void lookUp()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, expected);
        QCOMPARE(Texte::LookUp(Texte::ParseCatalogue(catalogue), u"frmInfo.Caption"), expected);
    }

    void thousandLinesAtMost()
    {
        QByteArray catalogue;
        for (int line = 1; line < 1000; ++line)
            catalogue += "filler" + QByteArray::number(line) + "=x\r\n";
        catalogue += "line1000=found\r\nline1001=never\r\n";
        const QStringList lines = Texte::ParseCatalogue(catalogue);
        QCOMPARE(lines.size(), 1000);
        QCOMPARE(Texte::LookUp(lines, u"line1000"), QStringLiteral("found"));
        QCOMPARE(Texte::LookUp(lines, u"line1001"), QString());
    }

    void emptyLinesCount()
    {
        const QStringList lines = Texte::ParseCatalogue(QByteArray("\r\n").repeated(999) + "a=1\r\nb=2\r\n");
        QCOMPARE(Texte::LookUp(lines, u"a"), QStringLiteral("1"));
        QCOMPARE(Texte::LookUp(lines, u"b"), QString());
    }

    void loadTextsReadsTheFileAnew()
    {
        WorkFolder folder;
        Init::InitProgram();
        QString error;
        QVERIFY(!Texte::LoadTexts(&error));
        QVERIFY2(error.contains(folder.path(QStringLiteral("club.txt"))), qPrintable(error));

        folder.write(QStringLiteral("club.txt"), "k=old\r\n");
        QVERIFY(Texte::LoadTexts());
        QCOMPARE(Texte::GetText(QStringLiteral("k")), QStringLiteral("old"));
        folder.write(QStringLiteral("club.txt"), "k=new\r\n");
        QVERIFY(Texte::LoadTexts());
        QCOMPARE(Texte::GetText(QStringLiteral("k")), QStringLiteral("new"));

        // A catalogue that vanishes while the program runs leaves the texts
        // of the last read in place.
        QFile::remove(folder.path(QStringLiteral("club.txt")));
        QVERIFY(!Texte::LoadTexts());
        QCOMPARE(Texte::GetText(QStringLiteral("k")), QStringLiteral("new"));
    }

    // Qt's own texts, such as a field's context menu, follow the system's
    // language; a language Qt has no texts for leaves them in English.
    void qtTextsInTheSystemLanguage_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("undo");
        QTest::newRow("German") << "de_DE" << QString::fromUtf8("&Rückgängig");
        QTest::newRow("Dutch") << "nl_BE" << "&Ongedaan maken";
        QTest::newRow("French") << "fr_FR" << "&Annuler";
        QTest::newRow("none for Latin") << "la" << "&Undo";
    }
    void qtTextsInTheSystemLanguage()
    {
        QFETCH(QString, locale);
        QFETCH(QString, undo);
        QCOMPARE(Texte::LoadQtTranslations(QLocale(locale)), undo != QLatin1String("&Undo"));
        QCOMPARE(QCoreApplication::translate("QLineEdit", "&Undo"), undo);
    }

    void shippedCataloguesHaveCommand2KeysWithTheirBlank()
    {
        for (const QString &language : {QString(), QStringLiteral("de")}) {
            WorkFolder folder;
            folder.copyCatalogue(language);
            Init::InitProgram();
            QVERIFY(Texte::LoadTexts());
            for (const char *window : {"frmRacePointsAdd", "frmRacePointsAlter", "frmRacePointsDelete"}) {
                QVERIFY(!Texte::GetText(QLatin1String(window) + QStringLiteral(".Command2 .Caption")).isEmpty());
                QVERIFY(Texte::GetText(QLatin1String(window) + QStringLiteral(".Command2.Caption")).isEmpty());
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_texte)
#include "tst_texte.moc"
