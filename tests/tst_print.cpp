// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Race points, Print...: the page as printed to a PDF file through the print
// dialog, read back with pdftotext.

#include "TestSupport.h"

#include "app/ClubLocation.h"
#include "app/Version.h"
#include "app/frmMain.h"
#include "racepoints/RacePointsPrint.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

// The pages of a PDF file as pdftotext gives them (with -layout, one printed
// line per line; with -bbox, every word with its box).
QStringList PdfPages(const QString &file, const QString &option = QStringLiteral("-layout"))
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {option, file, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(30000) || pdftotext.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(u'\f');
    if (option == QLatin1String("-layout"))
        pages.removeLast(); // after the last page's form feed
    return pages;
}

// Chooses Race points, Print... and in the print dialog the PDF file printer
// with this file, as a user would; returns the modal windows that opened.
QList<Modals::Seen> PrintThroughMenu(frmMain &main, const QString &file)
{
    Modals modals;
    modals.next(QPrintDialog::staticMetaObject, [&file](QWidget &dialog) {
        // The file field of Qt's own print dialog on Linux.
        auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("filename"));
        QVERIFY(name);
        name->setText(file);
        static_cast<QPrintDialog &>(dialog).accept();
    });
    main.mnuRacePointsPrint->trigger();
    return modals.seen;
}

// A line of the table: the cells apart from each other, nothing else on it.
// Small type may leave pdftotext a single space between two cells.
QRegularExpression RowPattern(const QStringList &cells, int gap = 2)
{
    QStringList escaped;
    for (const QString &cell : cells)
        escaped << QRegularExpression::escape(cell);
    return QRegularExpression(QStringLiteral("^ *") + escaped.join(QStringLiteral(" {%1,}").arg(gap)) + QStringLiteral(" *$"),
                              QRegularExpression::MultilineOption);
}

} // namespace

class tst_print : public QObject {
    Q_OBJECT

private slots:
    void printsTheRacePointsInOrder_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("heads");
        QTest::addColumn<QString>("dateFormat");
        QTest::newRow("English") << "" << QStringList{"No.", "Name", "Place", "Latitude", "Longitude"} << "dd/MM/yyyy";
        QTest::newRow("German") << "de" << QStringList{"Nr.", "Name", "Ort", "Breite", "L\u00e4nge"} << "dd.MM.yyyy";
    }
    void printsTheRacePointsInOrder()
    {
        QFETCH(QString, language);
        QFETCH(QStringList, heads);
        QFETCH(QString, dateFormat);
        // A deleted race point (81) is no race point; a proportional font
        // makes thirteen W the widest name; a hand-edited record keeps the
        // number of its slot, as the list shows it.
        const QByteArray file = DefaultDataFile({
            {1, Record(80, "Arras", "Arras-Ville", "5017123402460500")},
            {3, Record(82, "WWWWWWWWWWWWW", QByteArray(30, 'W'), "9999999999999999")},
            {4, Record(83, "M\xfcnster", "Nordrhein-Westfalen", "5157300007373000")},
            {5, Record(77, "Wrong number", "Hand edited", "0102030405060708")},
            {19, Record(98, "Zwolle", "Overijssel", "5230000006050000")},
        });
        StartedProgram program(file, Catalogue(language));
        const QStringList before = QDir(program.folder.path(QStringLiteral("racepo"))).entryList(QDir::Files);
        const QDate day = QDate::currentDate();

        const QString pdf = program.folder.path(QStringLiteral("list.pdf"));
        const QList<Modals::Seen> seen = PrintThroughMenu(*program.main, pdf);
        QCOMPARE(seen.size(), 1); // the print dialog, and no message

        const QStringList pages = PdfPages(pdf);
        QCOMPARE(pages.size(), 1);
        const QString page = pages.first();
        QVERIFY2(page.contains(QRegularExpression(QStringLiteral("Oribex Manage Racepoints +V1\\.00"))),
                 qPrintable(page));
        QVERIFY(page.contains(day.toString(dateFormat)) || page.contains(QDate::currentDate().toString(dateFormat)));
        QVERIFY2(page.contains(RowPattern(heads)), qPrintable(page));
        const QList<QStringList> rows = {
            {"80", "Arras", "Arras-Ville", "50\u00b017'12,34\"", "02\u00b046'05,00''"},
            {"82", "WWWWWWWWWWWWW", QString(30, u'W'), "99\u00b099'99,99\"", "99\u00b099'99,99''"},
            {"83", "M\u00fcnster", "Nordrhein-Westfalen", "51\u00b057'30,00\"", "07\u00b037'30,00''"},
            {"84", "Wrong number", "Hand edited", "01\u00b002'03,04\"", "05\u00b006'07,08''"},
            {"98", "Zwolle", "Overijssel", "52\u00b030'00,00\"", "06\u00b005'00,00''"},
        };
        qsizetype at = 0;
        for (const QStringList &row : rows) {
            const QRegularExpressionMatch match = RowPattern(row).match(page, at);
            QVERIFY2(match.hasMatch(), qPrintable(row.join(u'|') + u'\n' + page));
            at = match.capturedEnd();
        }
        for (const char *blank : {"81", "85", "97"}) {
            const QRegularExpression line(QStringLiteral("^ *%1 ").arg(QLatin1String(blank)),
                                          QRegularExpression::MultilineOption);
            QVERIFY(!page.contains(line));
        }

        // Printing leaves the data file alone.
        QCOMPARE(program.file(), file);
        QCOMPARE(QDir(program.folder.path(QStringLiteral("racepo"))).entryList(QDir::Files), before);
    }

    // A table longer than the page goes on over more pages, each with the
    // column heads; a narrow page gets smaller type and wrapped places, and
    // nothing lies beyond its printable width.
    // With a club location, a last column gives each race point's distance,
    // and nothing where it has none.
    void distanceColumn()
    {
        StartedProgram program(DefaultDataFile({{1, Record(80, "Arras", "Arras-Ville", "5017123402460500")},
                                                {3, Record(82, "Nowhere", "Hand edited", "9999999999999999")}}));
        QVERIFY(ClubLocation::Save(ClubLocation::Parse("50 50 47.00 N, 04 21 06.00 E")));
        const RacePointsPrint::Sheet sheet = RacePointsPrint::RacePointsSheet(QDate::currentDate());
        QCOMPARE(sheet.heads.last(), "Distance (km)");
        QCOMPARE(sheet.rows.size(), 2);
        QVERIFY2(QRegularExpression("^1[0-9]{2}[.,][0-9]{3}$").match(sheet.rows[0].last()).hasMatch(),
                 qPrintable(sheet.rows[0].last()));
        QCOMPARE(sheet.rows[1].last(), "");
    }

    void longTableTakesMorePagesWithTheirHeads()
    {
        QList<std::pair<int, QByteArray>> records;
        for (int number = 80; number <= 98; ++number) {
            const QByteArray place = number % 2 ? QByteArray(30, 'W') : "Saint-Martin-de-Boscherville";
            records.append(
                {number - 79, Record(number, "Point " + QByteArray::number(number), place, "5017123402460500")});
        }
        StartedProgram program(DefaultDataFile(records));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QString pdf = program.folder.path(QStringLiteral("small.pdf"));
        printer.setOutputFileName(pdf);
        printer.setPageLayout(QPageLayout(QPageSize(QSizeF(110, 80), QPageSize::Millimeter), QPageLayout::Portrait,
                                          QMarginsF(8, 8, 8, 8), QPageLayout::Millimeter));
        QFont font = QGuiApplication::font();
        font.setPointSizeF(10);
        QVERIFY(RacePointsPrint::PrintSheet(printer, RacePointsPrint::RacePointsSheet(QDate::currentDate()), font));

        const QStringList pages = PdfPages(pdf);
        QVERIFY2(pages.size() >= 2, qPrintable(pages.join(u'\f')));
        const QRegularExpression heads = RowPattern({"No.", "Name", "Place", "Latitude", "Longitude"}, 1);
        qsizetype found = 0;
        for (int n = 0; n < pages.size(); ++n) {
            QVERIFY2(pages[n].contains(heads), qPrintable(pages[n]));
            QVERIFY(pages[n].contains(QRegularExpression(QStringLiteral("%1 ?/ ?%2").arg(n + 1).arg(pages.size()))));
            for (const QString &line : pages[n].split(u'\n')) {
                if (found < 19 && line.contains(QStringLiteral("Point %1").arg(80 + found)))
                    ++found;
            }
        }
        QCOMPARE(found, 19); // every one, in order

        // Points, as pdftotext gives the boxes.
        const qreal right = printer.pageLayout().paintRect(QPageLayout::Point).right();
        static const QRegularExpression word(QStringLiteral("<word xMin=\"[\\d.]+\" yMin=\"[\\d.]+\" xMax=\"([\\d.]+)\""));
        const QString boxes = PdfPages(pdf, QStringLiteral("-bbox")).join(QString());
        int words = 0;
        for (const QRegularExpressionMatch &box : word.globalMatch(boxes)) {
            QVERIFY2(box.captured(1).toDouble() <= right + 0.5, qPrintable(box.captured(0)));
            ++words;
        }
        QVERIFY(words > 19 * 4);
    }

    // The entry stands before Send, which stays last, and its access key
    // reaches it; a club's catalogue that predates it still names it. A
    // printer that fails is reported.
    void menuEntryAndFailedPrinter_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("withKeys");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("keys"); // Alt and the menu's key, then the entry's
        QTest::addColumn<QString>("says");
        QTest::newRow("English") << "" << true << "&Print..." << "RP" << "could not be printed";
        QTest::newRow("German") << "de" << true << "&Drucken..." << "AD" << "konnten nicht gedruckt werden";
        QTest::newRow("catalogue without the entry") << "de" << false << "&Print..." << "AP"
                                                     << "konnten nicht gedruckt werden";
    }
    void menuEntryAndFailedPrinter()
    {
        QFETCH(QString, language);
        QFETCH(bool, withKeys);
        QFETCH(QString, caption);
        QFETCH(QString, keys);
        QFETCH(QString, says);
        StartedProgram program({}, Catalogue(language, withKeys ? QByteArray() : "frmMain.mnuRacePointsPrint"));
        QCOMPARE(program.main->mnuRacePointsPrint->text(), caption);
        const QList<QAction *> entries = program.main->mnuRacePoints->actions();
        QCOMPARE(entries.mid(entries.size() - 2), QList<QAction *>({program.main->mnuRacePointsPrint,
                                                                     program.main->mnuRacePointsSend}));

        // Cancelled: nothing printed, nothing said.
        Modals cancelled;
        QVERIFY(QTest::qWaitForWindowActive(program.main.get()));
        QTest::keyClick(program.main.get(), Qt::Key(keys[0].unicode()), Qt::AltModifier);
        QTRY_VERIFY(program.main->mnuRacePoints->isVisible());
        QTest::keyClick(program.main->mnuRacePoints, Qt::Key(keys[1].unicode()));
        QCOMPARE(cancelled.count<QPrintDialog>(), 1);
        QCOMPARE(cancelled.seen.size(), 1);

        // A file in a folder that does not exist cannot be begun.
        const QString gone = program.folder.path(QStringLiteral("gone/list.pdf"));
        const QList<Modals::Seen> seen = PrintThroughMenu(*program.main, gone);
        QCOMPARE(seen.size(), 2);
        QCOMPARE(seen[1].kind, QByteArray("QMessageBox"));
        QCOMPARE(seen[1].icon, QMessageBox::Critical);
        QVERIFY2(seen[1].text.contains(says), qPrintable(seen[1].text));
    }
};

QTEST_MAIN(tst_print)
#include "tst_print.moc"
