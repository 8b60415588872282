// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The club location dialog: pasted or typed, saved in a file of its own and
// read again at start-up; what it cannot take changes nothing.

#include "EditingSupport.h"

#include "app/ClubLocation.h"
#include "app/frmClubLocation.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>

namespace {

const QString LocationFile = QString::fromLatin1(ClubLocation::FileName);

void Open(StartedProgram &program, const std::function<void(frmClubLocation &)> &act)
{
    QVERIFY(WhileOpen<frmClubLocation>([&] { program.main->mnuProgramClubLocation->trigger(); }, act));
}

} // namespace

class tst_frmclublocation : public QObject {
    Q_OBJECT

private slots:
    void pastedSavedAndReadAtStart()
    {
        StartedProgram program;
        QCOMPARE(program.main->mnuProgramClubLocation->text(), "&Club location...");
        Open(program, [](frmClubLocation &dialog) {
            QCOMPARE(dialog.windowTitle(), "Club location");
            QVERIFY(dialog.Label3->text().contains("hemispheres"));
            for (RacePointField *field : dialog.Fields())
                QVERIFY(field->text().isEmpty());
            Enter(dialog.Text5);
            QApplication::clipboard()->setText("no place");
            QTest::keyClick(dialog.Text5, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(dialog.Label4->text().startsWith("Not a coordinate."));
            QApplication::clipboard()->setText("33 51 20 S, 18 25 30.5 E");
            QTest::keyClick(dialog.Text5, Qt::Key_V, Qt::ControlModifier);
            QVERIFY(dialog.Label4->text().isEmpty());
            QCOMPARE(dialog.Combo1->currentText(), "S");
            QCOMPARE(dialog.Combo2->currentText(), "E");
            dialog.Command1->click();
        });
        QCOMPARE(program.folder.read(LocationFile), "33 51 20.00 S, 18 25 30.50 E\r\n");

        program.restart();
        QCOMPARE(ClubLocation::Format(ClubLocation::Current), "33 51 20.00 S, 18 25 30.50 E\r\n");
        Open(program, [](frmClubLocation &dialog) {
            QStringList shown;
            for (RacePointField *field : dialog.Fields())
                shown.append(field->text());
            QCOMPARE(shown, QStringList({"33", "51", "20", "00", "18", "25", "30", "50"}));
            QCOMPARE(dialog.Combo1->currentIndex(), 1);
            // Typed in the other hemisphere.
            dialog.Combo2->setCurrentIndex(1);
            dialog.Command1->click();
        });
        QCOMPARE(program.folder.read(LocationFile), "33 51 20.00 S, 18 25 30.50 W\r\n");
    }

    // What is no place on the earth, or cannot be saved, is said and
    // changes nothing; a damaged file is no location.
    void nothingChanged_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<QString>("said");
        QTest::newRow("minutes of 75") << QByteArray("51 07 24.44 N, 04 34 04.40 E\r\n") << "75"
                                       << "This is no place on the earth.";
        QTest::newRow("garbage file") << QByteArray("\x01\xff garbage \x00 51", 15) << "75"
                                      << "This is no place on the earth.";
        QTest::newRow("cannot be saved") << QByteArray() << "07" << "The club location could not be saved.";
    }
    void nothingChanged()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, minutes);
        QFETCH(QString, said);
        StartedProgram program;
        if (file.isEmpty())
            QVERIFY(QDir().mkpath(program.folder.path(LocationFile) + "/inside")); // stops root too
        else
            program.folder.write(LocationFile, file);
        program.restart();
        const std::optional<ClubLocation::Location> before = ClubLocation::Current;
        QCOMPARE(before.has_value(), file.startsWith("51"));
        Open(program, [&](frmClubLocation &dialog) {
            Type(dialog.Text1, "51");
            Type(dialog.Text2, minutes);
            Modals boxes;
            dialog.Command1->click();
            QCOMPARE(boxes.seen.size(), 1);
            QVERIFY2(boxes.seen[0].text.startsWith(said), qPrintable(boxes.seen[0].text));
            QVERIFY(dialog.isVisible());
        });
        QCOMPARE(ClubLocation::Current, before);
        if (!file.isEmpty())
            QCOMPARE(program.folder.read(LocationFile), file);
    }
};

QTEST_MAIN(tst_frmclublocation)
#include "tst_frmclublocation.moc"
