// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A season's list through the main window: imported with its preview,
// taken back with Undo, exported for maps and spreadsheets.

#include "TestSupport.h"

#include "app/frmMain.h"
#include "editing/frmRacePointsImport.h"

#include <QAction>
#include <QFileDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>

namespace {

const QByteArray Mons = Record(85, "Mons", "Mons, Belgique", "5027451203574145");

// A federation's list: 19 sites in degrees and decimal minutes, one row
// twice, as a spreadsheet saves it.
QByteArray FederationList()
{
    QByteArray list = "Nr;Losplaats;Land;Breedte;Lengte\r\n";
    for (int i = 0; i < 19; ++i) {
        list += QByteArray::number(80 + i) + ";Site " + QByteArray::number(i) + ";France;"
                + QByteArray::number(48 + i / 10) + "\xb0" + QByteArray::number(10 + i) + ".5000 N;00"
                + QByteArray::number(2 + i % 7) + "\xb0" + "30.2500 E\r\n";
        if (i == 4)
            list += "84;Again;France;49\xb0" "00.0000 N;002\xb0" "00.0000 E\r\n";
    }
    return list;
}

void ChooseFile(Modals &modals, const QString &path, int filter = 0)
{
    modals.next(QFileDialog::staticMetaObject, [path, filter](QWidget &window) {
        auto &dialog = static_cast<QFileDialog &>(window);
        // The type chosen as a user does, from the list of types.
        auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
        QVERIFY(types);
        for (int i = 0; i < filter; ++i)
            QTest::keyClick(types, Qt::Key_Down);
        auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
        QVERIFY(name);
        name->setText(path);
        QTest::keyClick(name, Qt::Key_Return);
    });
}

} // namespace

class tst_frmracepointsimport : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { UseNoSerialPorts(); }

    void federationListInOneStepAndBack()
    {
        StartedProgram program(DefaultDataFile({{6, Mons}}));
        const QByteArray before = program.file();
        program.folder.write("season.csv", FederationList());
        Modals modals;
        ChooseFile(modals, program.folder.path("season.csv"));
        modals.next(frmRacePointsImport::staticMetaObject, [](QWidget &window) {
            auto &preview = static_cast<frmRacePointsImport &>(window);
            // The list holds a race point: only the free numbers, unless the user says so.
            QVERIFY(preview.Option2->isChecked());
            QCOMPARE(preview.Grid1->rowCount(), 18);
            QCOMPARE(preview.List1->item(0)->text(), "Line 7: number given twice - 84 | Again | France | 49°00.0000 N | 002°00.0000 E");
            QVERIFY(preview.List1->item(1)->text().startsWith("Line 8: number already in the list - 85 | "));
            QTest::mouseClick(preview.Option1, Qt::LeftButton);
            QCOMPARE(preview.Grid1->rowCount(), 19);
            QCOMPARE(preview.Grid1->item(0, 3)->text(), "48°10'30,00\"");
            QCOMPARE(preview.List1->count(), 1);
            QCOMPARE(preview.Label1->buddy(), preview.Grid1);
            QCOMPARE(preview.Grid1->accessibleName(), "Race points to be imported");
            preview.Command1->click();
        });
        program.main->mnuRacePointsImport->trigger();
        QCOMPARE(modals.count<frmRacePointsImport>(), 1);
        QCOMPARE(program.lines().at(5), "85:  Site 5       ");
        QCOMPARE(FileLines(program.file()).at(19), Record(98, "Site 18", "France", "4928300006301500"));
        QCOMPARE(program.main->mnuRacePointsUndo->text(), "&Undo import");

        program.main->mnuRacePointsUndo->trigger();
        QCOMPARE(program.file(), before);
    }

    void cancelledOrDroppedFile()
    {
        StartedProgram program;
        const QByteArray before = program.file();
        program.folder.write("list.gpx", "<gpx><wpt lat=\"50.5\" lon=\"4.5\"><name>81 Namur</name></wpt></gpx>");
        Modals modals;
        modals.next(frmRacePointsImport::staticMetaObject, [](QWidget &window) {
            auto &preview = static_cast<frmRacePointsImport &>(window);
            QVERIFY(preview.Option1->isChecked()); // an empty list is replaced
            QCOMPARE(preview.Grid1->item(0, 1)->text(), "Namur");
            QTest::keyClick(&preview, Qt::Key_Escape);
        });
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(program.folder.path("list.gpx"))});
        // As a file manager drops it: entering first, then the drop.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(program.main.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(program.main.get(), &drop);
        QTRY_COMPARE(modals.count<frmRacePointsImport>(), 1);
        QCOMPARE(program.file(), before);
        QVERIFY(!program.main->mnuRacePointsUndo->isEnabled());
    }

    void badFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<QString>("says");
        QTest::newRow("empty") << QByteArray() << qint64(0) << "The file holds no race points.";
        QTest::newRow("binary") << QByteArray("PK\x03\x04\0\0", 6) << qint64(0) << "This is no list";
        QTest::newRow("100 MB") << QByteArray() << qint64(100) * 1024 * 1024 << "The file is far too large";
        QTest::newRow("10,000 rows") << QByteArray("A;50.1;4.1\r\n").repeated(10000) << qint64(0)
                                     << "The file holds more than 1000 rows";
        QTest::newRow("UTF-16") << QByteArray("\xff\xfeN\0r\0;\0", 8) << qint64(0) << "The file is saved as Unicode";
        QTest::newRow("GPX not well-formed") << QByteArray("<gpx>\n<wpt lat=\"1\" lon=\"2\">\n</gpx>") << qint64(0)
                                             << "The file is damaged or cut short (line 3:";
    }
    void badFilesChangeNothing()
    {
        QFETCH(QByteArray, content);
        QFETCH(qint64, size);
        QFETCH(QString, says);
        StartedProgram program;
        const QByteArray before = program.file();
        program.folder.write("list", content);
        if (size > 0) {
            // Sparse: no 100 MB are written, and none must be read.
            QFile file(program.folder.path("list"));
            QVERIFY(file.resize(size));
        }
        Modals modals;
        program.main->ImportFile(program.folder.path("list"));
        QCOMPARE(modals.seen.size(), 1);
        QCOMPARE(modals.seen[0].icon, QMessageBox::Warning);
        QVERIFY2(modals.seen[0].text.startsWith(says), qPrintable(modals.seen[0].text));
        QCOMPARE(program.file(), before);
    }

    void exportForMaps_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("holds");
        QTest::newRow("CSV") << 0 << "list.csv" << QByteArray("\xEF\xBB\xBFNumber;Name;Place;Latitude;");
        QTest::newRow("GPX by the type chosen") << 1 << "list.gpx" << QByteArray("<name>85 Mons</name>");
        QTest::newRow("KML") << 2 << "list.kml" << QByteArray("<coordinates>3.961514,50.462533</coordinates>");
    }
    void exportForMaps()
    {
        QFETCH(int, filter);
        QFETCH(QString, name);
        QFETCH(QByteArray, holds);
        StartedProgram program(DefaultDataFile({{6, Mons}}));
        Modals modals;
        ChooseFile(modals, program.folder.path("list"), filter);
        program.main->mnuRacePointsExport->trigger();
        QVERIFY2(program.folder.read(name).contains(holds), qPrintable(program.folder.read(name)));
    }
};

QTEST_MAIN(tst_frmracepointsimport)
#include "tst_frmracepointsimport.moc"
