// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Odd and damaged things in the working folder, met at start-up: each gets
// its proper reaction, nothing the club had is lost, and the program stays
// usable afterwards.
#include "LinuxTestSupport.h"
#include "TestSupport.h"

#include "app/Init.h"
#include "app/Texte.h"
#include "app/frmInfo.h"
#include "app/frmMain.h"
#include "racepoints/RacePointsManage.h"

#include <QAction>
#include <QDir>
#include <QListWidget>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRandomGenerator>
#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/stat.h>

using namespace RacePointsManage;

namespace {

QByteArray Junk(qsizetype size)
{
    QByteArray junk(size, Qt::Uninitialized);
    QRandomGenerator random(size); // the same junk every run
    random.fillRange(reinterpret_cast<quint32 *>(junk.data()), size / 4);
    return junk;
}

QStringList Entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

// Every entry below a folder with its size and time of change.
QStringList Snapshot(const QString &folder)
{
    QStringList entries;
    for (const QString &path : Tree(folder)) {
        const QFileInfo entry(QDir(folder).filePath(path));
        entries << QStringLiteral("%1 %2 %3").arg(path).arg(entry.size()).arg(entry.lastModified().toMSecsSinceEpoch());
    }
    return entries;
}

// The window still does what the user asks: the list refills from the file
// and the information dialog opens and closes.
void CheckUsable(frmMain &window, int lines)
{
    window.mnuRacePointsShow->trigger();
    QCOMPARE(window.List1->count(), lines);
    QVERIFY(window.mnuRacePointsAdd->isEnabled());
    QVERIFY(WhileOpen<frmInfo>([&] { window.mnuInfo->trigger(); }));
}

// The program run as a user runs it, in a working folder.
struct ProgramRun {
    int exitCode = -1;
    QProcess::ExitStatus exitStatus = QProcess::CrashExit;
    QString errors;
};

bool HasSanitizerReport(const QString &errors)
{
    return errors.contains(QLatin1String("Sanitizer")) || errors.contains(QLatin1String("runtime error:"));
}

// Runs the program until `ready` holds (or it ends by itself), then asks it
// to end with SIGTERM, as when the session closes.
// What it has written to standard error meanwhile goes to `errors`.
ProgramRun RunProgram(const WorkFolder &work, const std::function<bool()> &ready, QString *errors = nullptr)
{
    ProgramRun run;
    QProcess program;
    program.setWorkingDirectory(work.path());
    program.start(ProgramPath(), {});
    if (!program.waitForStarted(30000))
        return run;
    QString said;
    // The caller checks `ready` itself afterwards.
    static_cast<void>(QTest::qWaitFor([&] {
        said += QString::fromLocal8Bit(program.readAllStandardError());
        if (errors)
            *errors = said;
        return ready() || program.state() != QProcess::Running;
    }, 60000));
    // Only a program still running: the id of one that has ended is 0, and
    // a signal to 0 would end this test's own process group.
    if (const qint64 id = program.processId(); id > 0)
        ::kill(static_cast<pid_t>(id), SIGTERM);
    program.waitForFinished(60000);
    run.exitCode = program.exitCode();
    run.exitStatus = program.exitStatus();
    run.errors = said + QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}

// Runs the program until it has written `text` to standard error (as it
// does with every message it shows), then asks it to end with SIGTERM.
ProgramRun RunUntilSaid(const WorkFolder &work, const QString &text)
{
    QString said;
    return RunProgram(work, [&] { return said.contains(text); }, &said);
}

} // namespace

class tst_faults : public QObject {
    Q_OBJECT

private slots:
    // racepo.dat holding something odd: the table it describes when it
    // describes one, otherwise the 19 blank race points with the file kept
    // aside. Either way a save afterwards works and loses nothing.
    void oddDataFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("damaged");
        const QByteArrayList blank19 = BlankRecords();
        QTest::newRow("count -5") << QByteArray("-5\r\n") << -5 << false;
        QTest::newRow("count +19") << DataFile(blank19, "+19") << 19 << false;
        QTest::newRow("count 99999") << DataFile(blank19, "99999") << 19 << true;
        QTest::newRow("count ' 19 trailing'") << DataFile(blank19, " 19 trailing") << 19 << true;
        QTest::newRow("count line with NUL") << DataFile(blank19, QByteArrayLiteral(" 19\0 ")) << 19 << true;
        QTest::newRow("NUL bytes in records")
            << DataFile({"80" + QByteArray(59, '\0'), Record(81, QByteArray(13, '\0'))}) << 2 << false;
        QTest::newRow("record of 100,000 characters") << DefaultDataFile({{1, QByteArray(100000, 'x')}}) << 19 << true;
        QTest::newRow("count line of 100,000 characters") << DataFile(blank19, QByteArray(100000, '1')) << 19 << true;
        QTest::newRow("4 MB of binary junk") << Junk(4 << 20) << 19 << true;
    }
    void oddDataFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(int, count);
        QFETCH(bool, damaged);
        StartedProgram program(content);
        QCOMPARE(RacePointCount, count);
        QCOMPARE(program.main->List1->count(), qMax(0, count));
        QCOMPARE(program.file(), content);
        const QStringList kept = KeptCopies(program.folder);
        QCOMPARE(kept.size(), damaged ? 1 : 0);

        // Race point 85 is added: the save takes, and the kept copy stays.
        QVERIFY(StoreRacePoint(Record(85, "Antwerpen")));
        QVERIFY(SaveRacePoints(Init::DataFilePath()));
        program.main->RacePointsAnzeigen();
        if (count >= 6)
            QCOMPARE(program.lines().at(5), QStringLiteral("85:  Antwerpen    "));
        if (damaged)
            QCOMPARE(program.folder.read(QStringLiteral("racepo/") + kept.first()), content);
        CheckUsable(*program.main, qMax(0, count));
    }

    // Records are taken byte for byte, NULs included, and written back so.
    void nulBytesSurviveASave()
    {
        const QByteArray content = DataFile({"80" + QByteArray(59, '\0'), Record(81, QByteArrayLiteral("N\0ll"))});
        StartedProgram program(content);
        QCOMPARE(program.lines().at(1), QStringLiteral("81:  N") + QChar(0) + QStringLiteral("ll         "));
        QVERIFY(SaveRacePoints(Init::DataFilePath()));
        QCOMPARE(program.file(), content);
    }

    // Something else where the data folder or the data file belongs: it is
    // left as it is, with what is in it, nothing is added beside it, the list
    // shows the blank race points and saves fail quietly.
    void wrongKindOfEntry_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("a file for the data folder") << "racepo";
        QTest::newRow("a folder for the data file") << "racepo/racepo.dat/inside";
    }
    void wrongKindOfEntry()
    {
        QFETCH(QString, entry);
        WorkFolder work;
        work.copyCatalogue();
        work.write(entry, "kept");
        const QStringList before = Tree(work.path());
        frmMain window;
        Modals boxes;
        QVERIFY(StartMainWindow(window));
        QCOMPARE(window.List1->count(), 19);
        // A folder in the place of the data file cannot be read.
        QCOMPARE(boxes.seen.size(), entry.startsWith(DataFileName) ? 1 : 0);
        QVERIFY(!SaveRacePoints(Init::DataFilePath()));
        QCOMPARE(work.read(entry), QByteArray("kept"));
        // Only the lock of the running program is new.
        QStringList withLock = before + QStringList{QLatin1String(Init::LockFileName)};
        withLock.sort();
        QCOMPARE(Tree(work.path()), withLock);
        CheckUsable(window, 19);
    }

    // Named pipes where the data file and the options file belong would block
    // a reader for ever: start-up passes them by.
    void namedPipesInPlaceOfFiles()
    {
        WorkFolder work;
        work.copyCatalogue();
        QVERIFY(QDir().mkdir(work.path(QStringLiteral("racepo"))));
        for (const QString &name : {DataFileName, QStringLiteral("OPTIONS.PAR")})
            QVERIFY(::mkfifo(QFile::encodeName(work.path(name)).constData(), 0600) == 0);
        frmMain window;
        Modals boxes;
        QVERIFY(StartMainWindow(window));
        QCOMPARE(boxes.seen.size(), 1); // the data file cannot be read
        QCOMPARE(window.List1->count(), 19);
        QCOMPARE(Init::SelectedCOMPort, QString());
        CheckUsable(window, 19);
    }

    // Started from a folder the user may not write to: start-up completes
    // without the data folder, showing the blank race points.
    void readOnlyWorkingFolder()
    {
        WorkFolder work;
        work.copyCatalogue();
        RespectPermissions asUser;
        if (!asUser.permissionsHold())
            QSKIP("file permissions cannot be made to hold here");
        const QStringList before = Entries(work.path());
        TemporaryMode readOnly(work.path(), QFile::ReadOwner | QFile::ExeOwner);
        frmMain window;
        QVERIFY(StartMainWindow(window));
        QCOMPARE(window.List1->count(), 19);
        QCOMPARE(Entries(work.path()), before);
        CheckUsable(window, 19);
    }

    // A data folder the user may not write to: the race points show, a save
    // fails and leaves the file as it was.
    void readOnlyDataFolder()
    {
        WorkFolder work;
        work.copyCatalogue();
        const QByteArray content = DefaultDataFile({{1, Record(80, "Brugge")}});
        work.write(DataFileName, content);
        RespectPermissions asUser;
        if (!asUser.permissionsHold())
            QSKIP("file permissions cannot be made to hold here");
        TemporaryMode readOnly(work.path(QStringLiteral("racepo")), QFile::ReadOwner | QFile::ExeOwner);
        frmMain window;
        QVERIFY(StartMainWindow(window));
        QCOMPARE(window.List1->item(0)->text(), QStringLiteral("80:  Brugge       "));
        QVERIFY(StoreRacePoint(Record(80, "Gent")));
        QString reason;
        QVERIFY(!SaveRacePoints(Init::DataFilePath(), &reason));
        QCOMPARE(reason, qt_error_string(EACCES)); // what the dialog shows below its text
        QCOMPARE(work.read(DataFileName), content);
        QCOMPARE(Entries(work.path(QStringLiteral("racepo"))), QStringList{QStringLiteral("racepo.dat")});
        CheckUsable(window, 19);
        QCOMPARE(window.List1->item(0)->text(), QStringLiteral("80:  Brugge       "));
    }

    // A damaged file that cannot be kept aside (the folder is read-only)
    // stays where it is; once the folder is writable again the next load
    // keeps it.
    void damagedFileInReadOnlyDataFolder()
    {
        WorkFolder work;
        work.copyCatalogue();
        const QByteArray content = DataFile({Record(80, "Brugge")}, " 19 ");
        work.write(DataFileName, content);
        RespectPermissions asUser;
        if (!asUser.permissionsHold())
            QSKIP("file permissions cannot be made to hold here");
        frmMain window;
        {
            TemporaryMode readOnly(work.path(QStringLiteral("racepo")), QFile::ReadOwner | QFile::ExeOwner);
            QVERIFY(StartMainWindow(window));
            QCOMPARE(window.List1->count(), 19);
            QCOMPARE(Entries(work.path(QStringLiteral("racepo"))), QStringList{QStringLiteral("racepo.dat")});
        }
        window.RacePointsAnzeigen();
        const QStringList kept = KeptCopies(work);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(work.read(QStringLiteral("racepo/") + kept.first()), content);
    }

    // The catalogue holding odd lines: the texts are what the lines say, and
    // the program starts.
    void oddCatalogue_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("programMenu");
        QTest::addColumn<QString>("infoEntry");
        const QByteArray english = Catalogue();
        QTest::newRow("line of 100,000 characters")
            << "frmMain.mnuProgram.Caption=" + QByteArray(100000, 'P') + "\r\n" + english
            << QString(100000, u'P') << QStringLiteral("&Info...");
        QTest::newRow("NUL bytes")
            << QByteArrayLiteral("frmMain.mnuInfo.Caption=In\0fo\r\nfrmMain.mnuProgram\0.Caption=No\r\n") + english
            << QStringLiteral("&Program") << QStringLiteral("In") + QChar(0) + QStringLiteral("fo");
        QTest::newRow("4 MB of binary junk") << Junk(4 << 20) << QString() << QString();
        QTest::newRow("junk, then the texts") << Junk(100000).replace('\r', ' ').replace('\n', ' ') + "\r\n" + english
            << QStringLiteral("&Program") << QStringLiteral("&Info...");
    }
    void oddCatalogue()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, programMenu);
        QFETCH(QString, infoEntry);
        StartedProgram program({}, content);
        QCOMPARE(program.main->mnuProgram->title(), programMenu);
        QCOMPARE(program.main->mnuInfo->text(), infoEntry);
        QCOMPARE(program.main->List1->count(), 19);
        CheckUsable(*program.main, 19);
    }

    // Without a readable catalogue the program cannot speak to the user; it
    // says so in plain English, with the system's reason on a line of its
    // own, and does not start.
    void catalogueUnusable_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason"); // "": any
        QTest::newRow("missing") << "missing" << qt_error_string(ENOENT);
        QTest::newRow("a folder") << "folder" << QString();
        QTest::newRow("unreadable") << "unreadable" << qt_error_string(EACCES);
        QTest::newRow("a named pipe") << "pipe" << QString();
        QTest::newRow("300 MB") << "large" << QStringLiteral("File too large: 300 MB");
    }
    void catalogueUnusable()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        WorkFolder work;
        const QString club = work.path(QStringLiteral("club.txt"));
        if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(club));
        if (kind == QLatin1String("pipe"))
            QVERIFY(::mkfifo(QFile::encodeName(club).constData(), 0600) == 0);
        if (kind == QLatin1String("large")) {
            work.copyCatalogue();
            QVERIFY(QFile::resize(club, 300 << 20)); // sparse: no disk space taken
        }
        std::optional<RespectPermissions> asUser;
        std::optional<TemporaryMode> unreadable;
        if (kind == QLatin1String("unreadable")) {
            work.copyCatalogue();
            asUser.emplace();
            if (!asUser->permissionsHold())
                QSKIP("file permissions cannot be made to hold here");
            unreadable.emplace(club, QFile::WriteOwner);
        }
        frmMain window;
        QString error;
        QVERIFY(!StartMainWindow(window, &error));
        const QStringList lines = error.split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].contains(club + QStringLiteral(" cannot be read")), qPrintable(error));
        QVERIFY2(reason.isEmpty() ? !lines[1].isEmpty() : lines[1].startsWith(reason), qPrintable(error));
    }

    // A race point file far larger than any (another file copied in its
    // place) is refused before it is read, like one that cannot be read:
    // the user is told at start-up, and Print, like Send, prints nothing
    // in its place.
    void oversizedDataFile()
    {
        WorkFolder work;
        work.copyCatalogue();
        work.write(DataFileName, DefaultDataFile());
        QVERIFY(QFile::resize(work.path(DataFileName), 300 << 20));
        const QString reason = QStringLiteral("\nFile too large: 300 MB");
        frmMain window;
        {
            Modals boxes;
            QVERIFY(StartMainWindow(window));
            QCOMPARE(boxes.seen.size(), 1);
            QVERIFY2(boxes.seen[0].text.startsWith(window.MsgBoxText3 + reason), qPrintable(boxes.seen[0].text));
        }
        Modals boxes;
        window.mnuRacePointsPrint->trigger();
        QCOMPARE(boxes.seen.size(), 1); // no print dialog
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
        const QString refused = Texte::GetText(QStringLiteral("frmMain.MsgBoxTextPrintUnreadable"));
        QVERIFY2(!refused.isEmpty() && boxes.seen[0].text.startsWith(refused + reason), qPrintable(boxes.seen[0].text));
        QCOMPARE(QFileInfo(work.path(DataFileName)).size(), 300 << 20);
    }

    // Started and asked to end, the program ends in order with status 0, also
    // over a junk catalogue and a damaged data file; a sanitizer build
    // reports any leak or fault here.
    void programStartsAndEnds_data()
    {
        QTest::addColumn<bool>("junk");
        QTest::newRow("shipped catalogue") << false;
        QTest::newRow("junk everywhere") << true;
    }
    void programStartsAndEnds()
    {
        QFETCH(bool, junk);
        WorkFolder work;
        const QString dataFile = work.path(DataFileName);
        std::function<bool()> started = [dataFile] { return QFileInfo::exists(dataFile); };
        if (junk) {
            work.write(QStringLiteral("club.txt"), Junk(1 << 20));
            work.write(QStringLiteral("OPTIONS.PAR"), Junk(1 << 16));
            work.write(DataFileName, Junk(1 << 16));
            started = [&work] { return !KeptCopies(work).isEmpty(); };
        } else {
            work.copyCatalogue();
        }
        const ProgramRun run = RunProgram(work, started);
        QVERIFY2(!HasSanitizerReport(run.errors), qPrintable(run.errors));
        QVERIFY(started());
        QCOMPARE(run.exitStatus, QProcess::NormalExit);
        QCOMPARE(run.exitCode, 0);
    }

    // A second copy started in a folder that a running copy holds says so and
    // ends without touching anything; another folder takes another copy, and
    // the lock of a copy that was killed does not keep the next one out.
    void oneCopyPerWorkingFolder()
    {
        WorkFolder work;
        work.copyCatalogue();
        const QString lock = work.path(QLatin1String(Init::LockFileName));
        QProcess first;
        first.setWorkingDirectory(work.path());
        first.start(ProgramPath(), {});
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(work.path(DataFileName)), 30000);
        const QStringList before = Snapshot(work.path());

        // Its message ends at once when the session ends.
        const ProgramRun second = RunUntilSaid(work, QStringLiteral("already open in this folder"));
        QVERIFY2(second.errors.contains(QLatin1String("already open in this folder")), qPrintable(second.errors));
        QCOMPARE(second.exitStatus, QProcess::NormalExit);
        QCOMPARE(second.exitCode, 2);
        QCOMPARE(Snapshot(work.path()), before);

        WorkFolder other;
        other.copyCatalogue();
        const QString otherData = other.path(DataFileName);
        QCOMPARE(RunProgram(other, [&] { return QFileInfo::exists(otherData); }).exitCode, 0);

        const QByteArray killed = QByteArray::number(first.processId()) + '\n';
        ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(30000));
        const ProgramRun next = RunProgram(work, [&] {
            return QFileInfo::exists(lock) && !work.read(QLatin1String(Init::LockFileName)).startsWith(killed);
        });
        QVERIFY2(!HasSanitizerReport(next.errors), qPrintable(next.errors));
        QCOMPARE(next.exitCode, 0);
        QVERIFY(!QFileInfo::exists(lock));
    }

    // A data file the program may not read (on Windows also one held by
    // another program, or not yet downloaded from a synced folder): the user
    // is told at start-up, no save replaces it, nothing is sent in its
    // place, and once it can be read again everything works without a
    // restart.
    void unreadableDataFile()
    {
        WorkFolder work;
        work.copyCatalogue();
        const QByteArray content = DefaultDataFile({{1, Record(80, "Brugge")}});
        work.write(DataFileName, content);
        RespectPermissions asUser;
        if (!asUser.permissionsHold())
            QSKIP("file permissions cannot be made to hold here");
        frmMain window;
        std::optional<TemporaryMode> unreadable(std::in_place, work.path(DataFileName), QFile::WriteOwner);
        {
            Modals boxes;
            QVERIFY(StartMainWindow(window));
            QCOMPARE(boxes.seen.size(), 1);
            QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
            QCOMPARE(boxes.seen[0].text, window.MsgBoxText3 + u'\n' + qt_error_string(EACCES));
        }
        {
            // A refused save, and the refill after it says nothing more.
            Modals boxes;
            QVERIFY(StoreRacePoint(Record(85, "Antwerpen")));
            QString reason;
            QVERIFY(!SaveRacePoints(Init::DataFilePath(), &reason));
            QCOMPARE(reason, qt_error_string(EACCES));
            window.RacePointsAnzeigen();
            QCOMPARE(boxes.seen.size(), 0);
        }
        unreadable.reset();
        QCOMPARE(work.read(DataFileName), content);
        window.RacePointsAnzeigen();
        QCOMPARE(window.List1->item(0)->text(), QStringLiteral("80:  Brugge       "));
        QVERIFY(StoreRacePoint(Record(85, "Antwerpen")));
        QVERIFY(SaveRacePoints(Init::DataFilePath()));
        QCOMPARE(work.read(DataFileName), DefaultDataFile({{1, Record(80, "Brugge")}, {6, Record(85, "Antwerpen")}}));
    }

    // A lock left by another computer (a network share, a USB stick, a
    // synced folder): the user is asked, naming that computer; Yes takes
    // the folder over, No ends, as does the session ending meanwhile.
    static QByteArray WithLockOfAnotherComputer(WorkFolder &work)
    {
        work.copyCatalogue();
        const QByteArray lock = "4242\nracepoints\nclub-pc-upstairs\n";
        work.write(QLatin1String(Init::LockFileName), lock);
        return lock;
    }
    void lockOfAnotherComputer_data()
    {
        QTest::addColumn<bool>("yes");
        QTest::newRow("yes") << true;
        QTest::newRow("no") << false;
    }
    void lockOfAnotherComputer()
    {
        QFETCH(bool, yes);
        WorkFolder work;
        const QByteArray foreign = WithLockOfAnotherComputer(work);
        Modals boxes;
        boxes.next(QMessageBox::staticMetaObject, [yes](QWidget &box) {
            static_cast<QMessageBox &>(box).button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
        });
        frmMain window;
        QString error;
        QCOMPARE(StartMainWindow(window, &error), yes);
        QVERIFY(error.isEmpty());
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Question);
        QCOMPARE(boxes.seen[0].text, window.MsgBoxText2 + QStringLiteral("\nclub-pc-upstairs"));
        const QByteArray lock = work.read(QLatin1String(Init::LockFileName));
        QCOMPARE(lock == foreign, !yes);
        if (yes)
            QVERIFY(lock.startsWith(QByteArray::number(QCoreApplication::applicationPid()) + '\n'));
    }
    void lockOfAnotherComputerAndSessionEnd()
    {
        WorkFolder work;
        const QByteArray foreign = WithLockOfAnotherComputer(work);
        const ProgramRun run = RunUntilSaid(work, QStringLiteral("club-pc-upstairs"));
        QVERIFY2(run.errors.contains(QLatin1String("club-pc-upstairs")), qPrintable(run.errors));
        QCOMPARE(run.exitStatus, QProcess::NormalExit);
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(work.read(QLatin1String(Init::LockFileName)), foreign);
    }

    // OPTIONS.PAR holding something odd: the port is its first line as read,
    // or none; start-up completes either way.
    void oddOptionsFile_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("port");
        QTest::newRow("100,000 digits") << QByteArray(100000, '7') + "\r\n" << QString(100000, u'7');
        QTest::newRow("NUL byte") << QByteArrayLiteral("3\0\r\n") << QStringLiteral("3") + QChar(0);
        QTest::newRow("junk") << QByteArrayLiteral("\x81\xff\x01\r\x80") << QStringLiteral("\u0081\u00ff\u0001");
        QTest::newRow("negative number") << QByteArray("-5\r\n") << QStringLiteral("-5");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void oddOptionsFile()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, port);
        WorkFolder work;
        work.copyCatalogue();
        work.write(QStringLiteral("OPTIONS.PAR"), content);
        frmMain window;
        QVERIFY(StartMainWindow(window));
        QCOMPARE(Init::SelectedCOMPort, port);
        CheckUsable(window, 19);
    }

    // A folder named OPTIONS.PAR: no port is chosen, and saving a choice
    // fails without touching the folder.
    void optionsFileIsAFolder()
    {
        WorkFolder work;
        work.copyCatalogue();
        QVERIFY(QDir().mkdir(work.path(QStringLiteral("OPTIONS.PAR"))));
        Init::SelectedCOMPort = QStringLiteral("3");
        frmMain window;
        QVERIFY(StartMainWindow(window));
        QCOMPARE(Init::SelectedCOMPort, QString());
        QVERIFY(!Init::WriteOptions(QStringLiteral("3")));
        QVERIFY(QFileInfo(work.path(QStringLiteral("OPTIONS.PAR"))).isDir());
        CheckUsable(window, 19);
    }
};

QTEST_MAIN(tst_faults)
#include "tst_faults.moc"
