// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Every way the program writes a file, with each of its system calls failing
// in turn: first run as it is, to count the calls that touch the folder,
// then once for each call and each way it can fail (a full disk, an
// input/output error, a full quota, a short write). After every run the file
// holds exactly its old content or exactly its new one, nothing else lies
// beside it, and a save that did not take was reported with the system's
// reason (also where the folder's sync fails after the new content is in
// place).
#include "EditingSupport.h"
#include "FaultInjection.h"
#include "SerialTestSupport.h"

#include "app/Init.h"
#include "editing/frmRacePointsAdd.h"
#include "editing/frmRacePointsAlter.h"
#include "editing/frmRacePointsDelete.h"
#include "launcher/Launcher.h"
#include "racepoints/RacePointsManage.h"
#include "terminal/frmSet.h"

#include <QtTest>

#include <cerrno>
#include <optional>

namespace {

// One way of writing a file, as the user or the launcher sets it off.
struct Save {
    QString folder;                   // where the calls are counted
    QString target;                   // the file written
    std::optional<QByteArray> before; // nothing: the file is not there before
    std::function<void()> reset;      // puts the old state back
    std::function<QString()> run;     // the save; what the user was told
};

std::optional<QByteArray> Content(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

// What message boxes said while `act` ran, one text after the other.
QString Said(const std::function<void()> &act)
{
    Modals boxes;
    act();
    QStringList texts;
    for (const Modals::Seen &box : boxes.seen)
        texts << box.text;
    return texts.join(u'\n');
}

struct Totals {
    int faults = 0;
    int files = 0;
    int wrong = 0;
};
Totals totals;

QString ErrorName(int error)
{
    switch (error) {
    case ENOSPC: return QStringLiteral("ENOSPC");
    case EIO: return QStringLiteral("EIO");
    case EDQUOT: return QStringLiteral("EDQUOT");
    default: return QStringLiteral("short write");
    }
}

// Runs the save with every fault in turn and checks what is left.
void TryEveryFault(const Save &save)
{
    save.reset();
    const QStringList entries = Tree(save.folder);
    FaultInject_Arm(QFile::encodeName(save.folder).constData(), 0, 0);
    QString said = save.run();
    const int calls = FaultInject_Disarm();
    const std::optional<QByteArray> after = Content(save.target);
    QVERIFY2(said.isEmpty(), qPrintable(said));
    QVERIFY(after && after != save.before);
    QVERIFY(calls > 0);
    QStringList kinds;
    for (int call = 0; call < calls; ++call)
        kinds << QString::fromLatin1(FaultInject_Call(call));
    qInfo("%d calls: %s", calls, qPrintable(kinds.join(u' ')));

    for (const int error : {ENOSPC, EIO, EDQUOT, 0}) {
        for (int call = 1; call <= calls; ++call) {
            save.reset();
            FaultInject_Arm(QFile::encodeName(save.folder).constData(), call, error);
            said = save.run();
            FaultInject_Disarm();
            if (!FaultInject_Injected())
                continue;
            ++totals.faults;
            ++totals.files;
            const std::optional<QByteArray> content = Content(save.target);
            QStringList present = Tree(save.folder);
            QStringList expected = entries;
            if (content && !save.before)
                expected << QDir(save.folder).relativeFilePath(save.target);
            expected.sort();
            const QString reason = error ? qt_error_string(error) : QString();
            QString wrong;
            if (content != save.before && content != after)
                wrong = QStringLiteral("the file holds neither its old nor its new content");
            else if (present != expected)
                wrong = QStringLiteral("left: %1").arg(present.join(u' '));
            else if (content == save.before && (said.isEmpty() || !said.endsWith(reason)))
                wrong = QStringLiteral("the failed save was reported as \"%1\"").arg(said);
            // The folder's sync comes after the move: the new content, not
            // surely on the disk, which the user must hear.
            else if (kinds.value(call - 1) == QLatin1String("fsync") && error && !said.endsWith(reason))
                wrong = QStringLiteral("the failed folder sync was reported as \"%1\"").arg(said);
            if (!wrong.isEmpty()) {
                ++totals.wrong;
                qWarning("%s at call %d (%s): %s", qPrintable(ErrorName(error)), call, qPrintable(kinds.value(call - 1)),
                         qPrintable(wrong));
            }
        }
    }
}

// The program started on a data file with race point 80 filled.
struct Program : StartedProgram {
    Program() : StartedProgram(DefaultDataFile({{1, Record(80, "Brugge", "Brugge", "5112341203130400")}})) {}

    Save save(const std::function<void()> &act)
    {
        const QByteArray before = file();
        return {folder.path(QStringLiteral("racepo")), folder.path(DataFileName), before,
                [this, before] {
                    folder.write(DataFileName, before);
                    main->RacePointsAnzeigen();
                    select(1);
                },
                [act] { return Said(act); }};
    }
};

// Arms the counting only around the button's click, after the dialog has
// read its texts.
template <class Dialog>
void Click(frmMain &main, const std::function<void(Dialog &)> &edit)
{
    Dialog dialog(main);
    QVERIFY(Shown(dialog));
    edit(dialog);
    dialog.Command1->click();
}

} // namespace

class tst_savefaults : public QObject {
    Q_OBJECT

private slots:
    void addAlterDelete_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::newRow("add") << "add";
        QTest::newRow("alter") << "alter";
        QTest::newRow("delete") << "delete";
    }
    void addAlterDelete()
    {
        QFETCH(QString, dialog);
        Program program;
        frmMain &main = *program.main;
        // The dialogs are made before the counting starts: only the click counts.
        std::optional<frmRacePointsAdd> add;
        std::optional<frmRacePointsAlter> alter;
        std::optional<frmRacePointsDelete> remove;
        QPushButton *confirm = nullptr;
        Save save = program.save([&] { confirm->click(); });
        const auto reset = save.reset;
        save.reset = [&, reset] {
            reset();
            add.reset();
            alter.reset();
            remove.reset();
            if (dialog == QLatin1String("add")) {
                add.emplace(main);
                QVERIFY(Shown(*add));
                Type(add->Text1, QStringLiteral("85"));
                Type(add->Text2, QStringLiteral("Antwerpen"));
                Type(add->Text3, QStringLiteral("Antwerpen"));
                confirm = add->Command1;
            } else if (dialog == QLatin1String("alter")) {
                alter.emplace(main);
                QVERIFY(Shown(*alter));
                Enter(alter->Text2);
                alter->Text2->selectAll();
                Keys(alter->Text2, QStringLiteral("Gent"));
                confirm = alter->Command1;
            } else {
                remove.emplace(main);
                QVERIFY(Shown(*remove));
                confirm = remove->Command1;
            }
        };
        TryEveryFault(save);
    }

    void settingsDialog()
    {
        WorkFolder folder;
        folder.copyCatalogue();
        folder.write(QStringLiteral("OPTIONS.PAR"), "1\r\n");
        PseudoTerminal com1, com3;
        PortTable table;
        table.set(1, com1);
        table.set(3, com3);
        COMPortsManage::PortSearch search;
        std::optional<frmSet> dialog;
        TryEveryFault({folder.path(), folder.path(QStringLiteral("OPTIONS.PAR")), QByteArray("1\r\n"),
                       [&] {
                           folder.write(QStringLiteral("OPTIONS.PAR"), "1\r\n");
                           Init::InitProgram();
                           dialog.reset();
                           dialog.emplace(search);
                           QVERIFY(Answered(search));
                           QVERIFY(Shown(*dialog));
                           dialog->List1->item(1)->setCheckState(Qt::Checked);
                       },
                       [&] { return Said([&] { dialog->Command1->click(); }); }});
    }

    // The copy of a damaged file is made by the load; the damaged file
    // itself stays as it is, and where no copy could be made (or its folder
    // not synced), the next save is refused with the reason and does not
    // replace it.
    void damagedFileKeptAside()
    {
        Program program;
        const QByteArray damaged = DataFile({Record(80, "Brugge")}, " 19 ");
        const QString copy = program.folder.path(QStringLiteral("racepo/racepo.dat.damaged-copy"));
        TryEveryFault({program.folder.path(QStringLiteral("racepo")), copy, std::nullopt,
                       [&] {
                           for (const QString &kept : KeptCopies(program.folder))
                               QFile::remove(program.folder.path(QStringLiteral("racepo/") + kept));
                           program.folder.write(DataFileName, damaged);
                       },
                       [&] {
                           QString said = Said([&] { program.main->RacePointsAnzeigen(); });
                           FaultInject_Disarm();
                           // The copy's name carries the time; it is checked under one name.
                           const QStringList kept = KeptCopies(program.folder);
                           if (!kept.isEmpty())
                               QFile::rename(program.folder.path(QStringLiteral("racepo/") + kept.first()), copy);
                           QString reason;
                           // A copy that may not be on the disk counts as not kept.
                           if (said.isEmpty() && (kept.isEmpty() || !RacePointsManage::KeepFailure.isEmpty())
                               && !RacePointsManage::SaveRacePoints(Init::DataFilePath(), &reason))
                               said = QStringLiteral("save refused\n") + reason;
                           return said;
                       }});
        ++totals.files;
        QCOMPARE(program.file(), damaged);
    }

    void launcherCatalogue()
    {
        WorkFolder home;
        const QString work = home.path(QStringLiteral("Racepoints"));
        QVERIFY(QDir().mkdir(work));
        const QString shipped = ShippedCatalogueFolder() + QStringLiteral("/club.txt");
        TryEveryFault({work, work + QStringLiteral("/club.txt"), std::nullopt,
                       [&] { QFile::remove(work + QStringLiteral("/club.txt")); },
                       [&] {
                           const auto failure = Launcher::EnterWorkingFolder(work.toStdString(), shipped.toStdString());
                           QDir::setCurrent(home.path());
                           return failure ? QString::fromStdString(failure->what + ": " + failure->reason.message())
                                          : QString();
                       }});
    }

    void cleanupTestCase()
    {
        qInfo("%d faults tried, %d files checked, %d wrong", totals.faults, totals.files, totals.wrong);
        QCOMPARE(totals.wrong, 0);
    }
};

QTEST_MAIN(tst_savefaults)
#include "tst_savefaults.moc"
