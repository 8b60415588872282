// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include "app/ClubLocation.h"
#include "app/DeferredIcons.h"
#include "app/frmInfo.h"
#include "app/frmMain.h"

#include <QAction>
#include <QDesktopServices>
#include <QDirIterator>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QRegularExpression>
#include <QStyleFactory>
#include <QtTest>

namespace {

void ClickLine(QListWidget *list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

// Stands in for the browser: notes the addresses it is asked to open.
class MapCatcher : public QObject {
    Q_OBJECT

public:
    QList<QUrl> opened;

public slots:
    void open(const QUrl &address) { opened.append(address); }
};

} // namespace

class tst_frmmain : public QObject {
    Q_OBJECT

private slots:
    void startsWithTheDefaultList()
    {
        StartedProgram program;
        QStringList expected;
        for (int number = 80; number <= 98; ++number)
            expected << QString::number(number) + QStringLiteral(":  ") + QString(13, u' ');
        QCOMPARE(program.lines(), expected);
        QCOMPARE(program.file(), DefaultDataFile());
        QVERIFY(program.main->mnuRacePointsAdd->isEnabled());
        QVERIFY(!program.main->mnuRacePointsAlter->isEnabled());
        QVERIFY(!program.main->mnuRacePointsDelete->isEnabled());
        QVERIFY(program.main->mnuRacePointsShow->isEnabled());
        QVERIFY(program.main->mnuRacePointsSend->isEnabled());
        QVERIFY(program.main->mnuProgramSet->isEnabled());
        QVERIFY(program.main->List1->selectedItems().isEmpty());
        QCOMPARE(program.main->GewaehlterRacePoint, QString());
    }

    void textsComeFromTheCatalogue()
    {
        StartedProgram program({}, "frmMain.mnuProgram.Caption=&Programm\r\n"
                                   "frmMain.mnuRacePointsAdd.Caption=&Hinzuf\xfcgen\r\n"
                                   "frmMain.mnuInfo.Caption=Info\r\n");
        QCOMPARE(program.main->windowTitle(), QStringLiteral("Oribex Manage Racepoints  V1.00"));
        QCOMPARE(program.main->mnuProgram->title(), QStringLiteral("&Programm"));
        QCOMPARE(program.main->mnuRacePointsAdd->text(), QString::fromUtf8("&Hinzuf\u00fcgen"));
        QCOMPARE(program.main->mnuInfo->text(), QStringLiteral("Info"));
        // Missing keys give empty captions, the fixed ones stay.
        QCOMPARE(program.main->mnuHelp->title(), QString());
        QCOMPARE(program.main->mnuRacePointsSend->text(), QStringLiteral("Send (PC --> Terminal)"));
    }

    void emptyCatalogueStillStarts()
    {
        StartedProgram program({}, QByteArray()); // an empty catalogue
        QCOMPARE(program.main->windowTitle(), QStringLiteral("Oribex Manage Racepoints  V1.00"));
        QCOMPARE(program.main->mnuProgramExit->text(), QString());
        QCOMPARE(program.main->List1->count(), 19);
    }

    void listLinesShowNamesBySlot()
    {
        QByteArrayList records = BlankRecords(80, 99);
        records[3] = Record(83, "Bruxelles");
        records[4] = Record(77, "Wrong number");
        StartedProgram program(DataFile(records));
        QCOMPARE(program.main->List1->count(), 20);
        QCOMPARE(program.main->List1->item(3)->text(), QStringLiteral("83:  Bruxelles    "));
        // The number comes from the slot, not from the record.
        QCOMPARE(program.main->List1->item(4)->text(), QStringLiteral("84:  Wrong number "));
        QCOMPARE(program.main->List1->item(19)->text().left(2), QStringLiteral("99"));
    }

    void clickSelectsARacePoint()
    {
        StartedProgram program;
        program.main->List1->setFocus();
        ClickLine(program.main->List1, 5);
        QCOMPARE(program.main->GewaehlterRacePoint, QStringLiteral("85"));
        QVERIFY(program.main->mnuRacePointsAlter->isEnabled());
        QVERIFY(program.main->mnuRacePointsDelete->isEnabled());

        // The keyboard selects too.
        QTest::keyClick(program.main->List1, Qt::Key_Down);
        QCOMPARE(program.main->GewaehlterRacePoint, QStringLiteral("86"));

        // Show rebuilds the list without a selection; the rest stays.
        program.main->mnuRacePointsShow->trigger();
        QVERIFY(program.main->List1->selectedItems().isEmpty());
        QCOMPARE(program.main->List1->count(), 19);
        QCOMPARE(program.main->GewaehlterRacePoint, QStringLiteral("86"));
        QVERIFY(program.main->mnuRacePointsAlter->isEnabled());
        QVERIFY(program.main->mnuRacePointsDelete->isEnabled());
    }

    void showReadsTheFileAgain()
    {
        StartedProgram program;
        program.folder.write(DataFileName, DataFile({Record(80, "Arras")}));
        program.main->mnuRacePointsShow->trigger();
        QCOMPARE(program.lines(), QStringList{QStringLiteral("80:  Arras        ")});
    }

    void emptyListIgnoresClicks()
    {
        StartedProgram program(DataFile({}));
        QCOMPARE(program.main->List1->count(), 0);
        QVERIFY(program.main->mnuRacePointsAdd->isEnabled());
        QTest::mouseClick(program.main->List1->viewport(), Qt::LeftButton, {}, QPoint(20, 10));
        QCOMPARE(program.main->GewaehlterRacePoint, QString());
        QVERIFY(!program.main->mnuRacePointsAlter->isEnabled());
    }

    void deleteKeyWithoutSelectionDoesNothing()
    {
        StartedProgram program;
        program.main->List1->setFocus();
        Modals modals;
        QTest::keyClick(program.main->List1, Qt::Key_Delete);
        QCoreApplication::processEvents();
        QVERIFY(modals.seen.isEmpty());
    }

    void resizeLeavesTheListAlone()
    {
        StartedProgram program;
        const QRect before = program.main->List1->geometry();
        program.main->resize(program.main->width() + 200, program.main->height() + 150);
        QCoreApplication::processEvents();
        QCOMPARE(program.main->List1->geometry(), before);
        QCOMPARE(before, QRect(14, 14, 582, 361));
    }

    void closingTheMainWindowClosesAnOpenDialog()
    {
        StartedProgram program;
        bool closedWhileOpen = false;
        QVERIFY(WhileOpen<frmInfo>([&] { program.main->mnuInfo->trigger(); },
                                   [&](frmInfo &info) {
            closedWhileOpen = program.main->close();
            QVERIFY(!info.isVisible());
        }));
        QVERIFY(closedWhileOpen);
        QVERIFY(!program.main->isVisible());
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
        StartedProgram program({}, Catalogue(language, withKeys ? QByteArray() : "frmMain.MsgBox"));
        const QStringList before = QDir(program.folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        frmMain second;
        QString text, title;
        QVERIFY(!second.Form_Load(&text, &title));
        QCOMPARE(title, QStringLiteral("Racepoints"));
        QVERIFY2(text.contains(says), qPrintable(text));
        QCOMPARE(QDir(program.folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
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
        WorkFolder folder;
        if (folderInstead)
            QDir().mkdir(folder.path(QStringLiteral("club.txt")));
        QProcess program;
        program.setWorkingDirectory(folder.path());
        program.start(ProgramPath(), {});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 2); // a sanitizer build that found a leak ends otherwise
        const QString error = QString::fromLocal8Bit(program.readAllStandardError());
        QVERIFY2(error.contains(folder.path(QStringLiteral("club.txt"))), qPrintable(error));
    }

    // Show on map, only for a selected race point with coordinates, from the
    // menu and from the list's own menu, in the club location's hemispheres.
    void showOnMap()
    {
        StartedProgram program(DefaultDataFile({{11, NamurRecord}}));
        MapCatcher browser;
        QDesktopServices::setUrlHandler("https", &browser, "open");
        QVERIFY(!program.main->mnuRacePointsMap->isEnabled());
        program.select(1);
        QVERIFY(!program.main->mnuRacePointsMap->isEnabled());
        program.select(11);
        QVERIFY(program.main->mnuRacePointsMap->isEnabled());
        program.main->mnuRacePointsMap->trigger();

        QVERIFY(ClubLocation::Save(ClubLocation::Parse("33 51 20 S, 58 25 30 W")));
        emit program.main->List1->customContextMenuRequested(QPoint(5, 5));
        QMenu *menu = nullptr;
        QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
        QVERIFY(menu->actions().contains(program.main->mnuRacePointsMap));
        menu->close();
        program.main->mnuRacePointsMap->trigger();
        QDesktopServices::unsetUrlHandler("https");
        QCOMPARE(browser.opened,
                 (QList<QUrl>{QUrl(NamurMap), QUrl("https://www.openstreetmap.org/?mlat=-50.462533&mlon=-4.863889"
                                                   "#map=11/-50.462533/-4.863889")}));
    }

    // Where no browser opens (the headless platform opens none), the user is
    // told, and given the address.
    void noBrowserSaysSo()
    {
#ifndef Q_OS_LINUX
        QSKIP("Only Linux's headless platform opens no address; Windows hands it to its shell");
#endif
        StartedProgram program(DefaultDataFile({{11, NamurRecord}}));
        program.select(11);
        Modals boxes;
        program.main->mnuRacePointsMap->trigger();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].title, "Show on map");
        QVERIFY2(boxes.seen[0].text.endsWith(u'\n' + NamurMap), qPrintable(boxes.seen[0].text));
    }

    // The program has no configuration but its files: nothing in it reads an
    // environment variable (Qt itself reads its own). The launcher, a program
    // of its own, takes the user's folder and language from there.
    // The menu bar's extension arrows, read only when first shown, are the
    // style's own; the other icons come from the style as they are.
    void deferredIconsAreTheStylesOwn()
    {
        std::unique_ptr<QStyle> plain(QStyleFactory::create(QStringLiteral("Fusion")));
        const DeferredIconsStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton,
                                 QStyle::SP_MessageBoxWarning}) {
            const QIcon expected = plain->standardIcon(which);
            const QIcon icon = style.standardIcon(which);
            QVERIFY(!icon.isNull());
            QCOMPARE(icon.availableSizes(), expected.availableSizes());
            for (const int side : {8, 16, 32})
                QCOMPARE(icon.pixmap(side).toImage(), expected.pixmap(side).toImage());
        }
    }

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

};

QTEST_MAIN(tst_frmmain)
#include "tst_frmmain.moc"
