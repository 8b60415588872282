#include "TestSupport.h"

#include "app/frmMain.h"

#include <QAction>
#include <QDirIterator>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QStringList Lines(const QListWidget &list)
{
    QStringList lines;
    for (int i = 0; i < list.count(); ++i)
        lines << list.item(i)->text();
    return lines;
}

} // namespace

class tst_frmmain : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<WorkFolder>();
        folder->copyCatalogue();
    }
    void cleanup()
    {
        ForgetPendingModals();
        window.reset();
        folder.reset();
    }

    void startsWithTheDefaultList()
    {
        start();
        QStringList expected;
        for (int number = 80; number <= 98; ++number)
            expected << QString::number(number) + QStringLiteral(":  ") + QString(13, u' ');
        QCOMPARE(Lines(*window->List1), expected);
        QCOMPARE(folder->read(DataFileName), DefaultDataFile());
        QVERIFY(window->mnuRacePointsAdd->isEnabled());
        QVERIFY(!window->mnuRacePointsAlter->isEnabled());
        QVERIFY(!window->mnuRacePointsDelete->isEnabled());
        QVERIFY(window->mnuRacePointsShow->isEnabled());
        QVERIFY(window->mnuRacePointsSend->isEnabled());
        QVERIFY(window->mnuProgramSet->isEnabled());
        QVERIFY(window->List1->selectedItems().isEmpty());
        QCOMPARE(window->GewaehlterRacePoint, QString());
    }

    void textsComeFromTheCatalogue()
    {
        folder->write(QStringLiteral("club.txt"),
                      "frmMain.mnuProgram.Caption=&Programm\r\n"
                      "frmMain.mnuRacePointsAdd.Caption=&Hinzuf\xfcgen\r\n"
                      "frmMain.mnuInfo.Caption=Info\r\n");
        start();
        QCOMPARE(window->windowTitle(), QStringLiteral("Oribex Manage Racepoints  V1.00"));
        QCOMPARE(window->mnuProgram->title(), QStringLiteral("&Programm"));
        QCOMPARE(window->mnuRacePointsAdd->text(), QString::fromUtf8("&Hinzuf\u00fcgen"));
        QCOMPARE(window->mnuInfo->text(), QStringLiteral("Info"));
        // Missing keys give empty captions, the fixed ones stay.
        QCOMPARE(window->mnuHelp->title(), QString());
        QCOMPARE(window->mnuRacePointsSend->text(), QStringLiteral("Send (PC --> Terminal)"));
    }

    void emptyCatalogueStillStarts()
    {
        folder->write(QStringLiteral("club.txt"), QByteArray());
        start();
        QCOMPARE(window->windowTitle(), QStringLiteral("Oribex Manage Racepoints  V1.00"));
        QCOMPARE(window->mnuProgramExit->text(), QString());
        QCOMPARE(window->List1->count(), 19);
    }

    void listLinesShowNamesBySlot()
    {
        QByteArrayList records = BlankRecords(80, 99);
        records[3] = Record(83, "Bruxelles");
        records[4] = Record(77, "Wrong number");
        folder->write(DataFileName, DataFile(records));
        start();
        QCOMPARE(window->List1->count(), 20);
        QCOMPARE(window->List1->item(3)->text(), QStringLiteral("83:  Bruxelles    "));
        // The number comes from the slot, not from the record.
        QCOMPARE(window->List1->item(4)->text(), QStringLiteral("84:  Wrong number "));
        QCOMPARE(window->List1->item(19)->text().left(2), QStringLiteral("99"));
    }

    void clickSelectsARacePoint()
    {
        start();
        window->List1->setFocus();
        clickLine(5);
        QCOMPARE(window->GewaehlterRacePoint, QStringLiteral("85"));
        QVERIFY(window->mnuRacePointsAlter->isEnabled());
        QVERIFY(window->mnuRacePointsDelete->isEnabled());

        // The keyboard selects too.
        QTest::keyClick(window->List1, Qt::Key_Down);
        QCOMPARE(window->GewaehlterRacePoint, QStringLiteral("86"));

        // Show rebuilds the list without a selection; the rest stays.
        window->mnuRacePointsShow->trigger();
        QVERIFY(window->List1->selectedItems().isEmpty());
        QCOMPARE(window->List1->count(), 19);
        QCOMPARE(window->GewaehlterRacePoint, QStringLiteral("86"));
        QVERIFY(window->mnuRacePointsAlter->isEnabled());
        QVERIFY(window->mnuRacePointsDelete->isEnabled());
    }

    void showReadsTheFileAgain()
    {
        start();
        folder->write(DataFileName, DataFile({Record(80, "Arras")}));
        window->mnuRacePointsShow->trigger();
        QCOMPARE(Lines(*window->List1), QStringList{QStringLiteral("80:  Arras        ")});
    }

    void emptyListIgnoresClicks()
    {
        folder->write(DataFileName, " 0 \r\n");
        start();
        QCOMPARE(window->List1->count(), 0);
        QVERIFY(window->mnuRacePointsAdd->isEnabled());
        QTest::mouseClick(window->List1->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(window->GewaehlterRacePoint, QString());
        QVERIFY(!window->mnuRacePointsAlter->isEnabled());
    }

    void deleteKeyWithoutSelectionDoesNothing()
    {
        start();
        window->List1->setFocus();
        bool opened = false;
        OnNextModal([&opened](QWidget *modal) { opened = true; modal->close(); });
        QTest::keyClick(window->List1, Qt::Key_Delete);
        QTest::qWait(50);
        QVERIFY(!opened);
    }

    void resizeLeavesTheListAlone()
    {
        start();
        const QRect before = window->List1->geometry();
        window->resize(window->width() + 200, window->height() + 150);
        QCoreApplication::processEvents();
        QCOMPARE(window->List1->geometry(), before);
        QCOMPARE(before, QRect(14, 14, 582, 361));
    }

    void closingTheMainWindowClosesAnOpenDialog()
    {
        start();
        window->show();
        bool closedWhileOpen = false;
        OnNextModal([&](QWidget *) { closedWhileOpen = window->close(); });
        window->mnuInfo->trigger();
        QVERIFY(closedWhileOpen);
        QVERIFY(!window->isVisible());
    }

    // The message of a second copy in a folder that a running copy holds,
    // in the catalogue's language, and in English where the keys are missing.
    void secondCopySaysWhyItDoesNotStart_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("withKeys");
        QTest::addColumn<QString>("says");
        QTest::newRow("German") << "de" << true << "bereits ge\u00f6ffnet";
        QTest::newRow("catalogue without the keys") << "" << false << "already open in this folder";
    }
    void secondCopySaysWhyItDoesNotStart()
    {
        QFETCH(QString, language);
        QFETCH(bool, withKeys);
        QFETCH(QString, says);
        folder->copyCatalogue(language);
        if (!withKeys) {
            QByteArray catalogue = folder->read(QStringLiteral("club.txt"));
            catalogue.replace("frmMain.MsgBox", "unused.MsgBox");
            folder->write(QStringLiteral("club.txt"), catalogue);
        }
        start();
        const QStringList before = QDir(folder->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        frmMain second;
        QString text, title;
        QVERIFY(!second.Form_Load(&text, &title));
        QCOMPARE(title, QStringLiteral("Racepoints"));
        QVERIFY2(text.contains(says), qPrintable(text));
        QCOMPARE(QDir(folder->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
    }
    void missingCatalogueEndsTheProgram_data()
    {
        QTest::addColumn<bool>("folderInstead");
        QTest::newRow("missing") << false;
        QTest::newRow("a folder") << true;
    }
    void missingCatalogueEndsTheProgram()
    {
        QFETCH(bool, folderInstead);
        QFile::remove(folder->path(QStringLiteral("club.txt")));
        if (folderInstead)
            QDir().mkdir(folder->path(QStringLiteral("club.txt")));
        QProcess program;
        program.setWorkingDirectory(folder->path());
        program.start(qEnvironmentVariable("RACEPOINTS_EXE"), {});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 2); // a sanitizer build that found a leak ends otherwise
        const QString error = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(error.contains(folder->path(QStringLiteral("club.txt"))), qPrintable(error));
    }

    // The program has no configuration but its files: nothing in it reads an
    // environment variable (Qt itself reads its own). The launcher, a program
    // of its own, takes the user's folder and language from there.
    void readsNoEnvironment()
    {
        static const QRegularExpression reads(QStringLiteral(
            "\\b(?:getenv|secure_getenv|qgetenv|qEnvironmentVariable\\w*|QProcessEnvironment|environ)\\b"));
        QDirIterator sources(qEnvironmentVariable("RACEPOINTS_SOURCE_DIR"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                             QDir::Files, QDirIterator::Subdirectories);
        int files = 0;
        while (sources.hasNext()) {
            QFile source(sources.next());
            if (source.fileName().contains(QLatin1String("/launcher/")))
                continue;
            QVERIFY(source.open(QIODevice::ReadOnly));
            ++files;
            const QRegularExpressionMatch match = reads.match(QString::fromUtf8(source.readAll()));
            QVERIFY2(!match.hasMatch(), qPrintable(source.fileName() + QStringLiteral(": ") + match.captured()));
        }
        QVERIFY(files > 10);
    }

private:
    void start()
    {
        window = std::make_unique<frmMain>();
        QVERIFY(window->Form_Load());
        window->Timer1.stop(); // the start-up port check is not under test here
    }
    void clickLine(int row)
    {
        const QRect rect = window->List1->visualItemRect(window->List1->item(row));
        QTest::mouseClick(window->List1->viewport(), Qt::LeftButton, {}, rect.center());
    }

    std::unique_ptr<WorkFolder> folder;
    std::unique_ptr<frmMain> window;
};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
