// Saves cut off by SIGKILL at random moments: racepo.dat must always be the
// old or the new file, whole, and nothing the saves leave behind may pile up.
#include "TestSupport.h"

#include "app/Init.h"
#include "racepoints/RacePointsManage.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <chrono>
#include <csignal>
#include <thread>

namespace {

// The two tables the helper saves in turn (tests/helpers/savechurn.cpp),
// written out here byte by byte.
QByteArray ChurnFile(char which)
{
    const int count = which == 'a' ? 19 : 12;
    QByteArray file = ' ' + QByteArray::number(count) + " \r\n";
    for (int number = 80; number < 80 + count; ++number)
        file += QByteArray::number(number) + QByteArray(6, which) + QByteArray(53, ' ') + "\r\n";
    return file;
}

bool IsSaveFileName(const QString &name)
{
    static const QRegularExpression pattern(QStringLiteral("^racepo\\.dat\\.[A-Za-z]{6}$"));
    return pattern.match(name).hasMatch();
}

} // namespace

class tst_killedsave : public QObject {
    Q_OBJECT

private slots:
    void killedDuringSave()
    {
        constexpr int Rounds = 300;
        const QByteArray a = ChurnFile('a');
        const QByteArray b = ChurnFile('b');
        QVERIFY(QFileInfo(HelperPath(QStringLiteral("savechurn"))).isExecutable());
        WorkFolder work;
        work.write(QStringLiteral("racepo/racepo.dat"), a);

        const quint32 seed = QRandomGenerator::global()->generate();
        QRandomGenerator random(seed);
        qInfo("seed %u", seed);
        int sawA = 0;
        int sawB = 0;
        int leftOver = 0;
        for (int round = 0; round < Rounds; ++round) {
            QProcess churn;
            churn.start(HelperPath(QStringLiteral("savechurn")), {work.path()});
            QVERIFY2(churn.waitForReadyRead(30000), qPrintable(churn.errorString()));
            QCOMPARE(churn.readAllStandardOutput(), QByteArray("ready\n"));
            // The random moment: anywhere within the next few saves.
            std::this_thread::sleep_for(std::chrono::microseconds(random.bounded(20000)));
            ::kill(static_cast<pid_t>(churn.processId()), SIGKILL);
            QVERIFY(churn.waitForFinished(30000));
            QCOMPARE(churn.exitStatus(), QProcess::CrashExit);

            const QByteArray content = work.read(QStringLiteral("racepo/racepo.dat"));
            QVERIFY2(content == a || content == b,
                     qPrintable(QStringLiteral("round %1: racepo.dat is neither file (%2 bytes)").arg(round).arg(content.size())));
            (content == a ? sawA : sawB)++;

            // Besides the data file only a finished new file, under its
            // temporary name, can be left: the program was killed between
            // writing it and putting it in place.
            const QStringList entries = QDir(work.path(QStringLiteral("racepo"))).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
            for (const QString &name : entries) {
                if (name == QLatin1String("racepo.dat"))
                    continue;
                QVERIFY2(IsSaveFileName(name), qPrintable(name));
                const QByteArray stray = work.read(QStringLiteral("racepo/") + name);
                QVERIFY2(stray == a || stray == b, qPrintable(name));
            }
            leftOver = static_cast<int>(entries.size()) - 1;
        }
        qInfo("%d rounds: %d times the first file, %d times the second, %d save files left behind",
              Rounds, sawA, sawB, leftOver);
        // Both outcomes occur, or the kills did not land during the saves.
        QVERIFY(sawA > 0 && sawB > 0);

        // A minute later the next load clears them away and keeps the file.
        const QByteArray last = work.read(QStringLiteral("racepo/racepo.dat"));
        QDir folder(work.path(QStringLiteral("racepo")));
        for (const QString &name : folder.entryList(QDir::Files)) {
            QFile file(folder.filePath(name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime));
        }
        Init::WorkPath = work.path() + u'/';
        RacePointsManage::LoadRacePoints(Init::DataFilePath());
        QCOMPARE(folder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{QStringLiteral("racepo.dat")});
        QCOMPARE(work.read(QStringLiteral("racepo/racepo.dat")), last);
    }

    // What a killed save left behind is removed by the next load once it is
    // old enough to belong to no save in progress; a young one stays, and so
    // does everything that is not a save file.
    void staleSaveFilesRemovedOnLoad()
    {
        WorkFolder work;
        Init::WorkPath = work.path() + u'/';
        work.write(QStringLiteral("racepo/racepo.dat"), DefaultDataFile());
        const QStringList old = {QStringLiteral("racepo.dat.AbCdEf"), QStringLiteral("racepo.dat.zzzzzz")};
        const QStringList kept = {QStringLiteral("racepo.dat.young1"), // a digit: not a save file
                                  QStringLiteral("racepo.dat.Young"),
                                  QStringLiteral("racepo.dat.damaged-20240102-030405"),
                                  QStringLiteral("racepo.dat.AbCdEfG"),
                                  QStringLiteral("OPTIONS.PAR.AbCdEf"),
                                  QStringLiteral("racepo.dat.GhIjKl")}; // the young one
        for (const QString &name : old + kept)
            work.write(QStringLiteral("racepo/") + name, "x");
        const QDateTime twoMinutesAgo = QDateTime::currentDateTime().addSecs(-120);
        for (const QString &name : old + kept.mid(0, kept.size() - 1)) {
            QFile file(work.path(QStringLiteral("racepo/") + name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(twoMinutesAgo, QFileDevice::FileModificationTime));
        }

        QCOMPARE(RacePointsManage::LoadRacePoints(Init::DataFilePath()), qint16(19));

        QStringList expected = kept;
        expected.append(QStringLiteral("racepo.dat"));
        expected.sort();
        QCOMPARE(QDir(work.path(QStringLiteral("racepo"))).entryList(QDir::Files, QDir::Name), expected);
        QCOMPARE(work.read(QStringLiteral("racepo/racepo.dat")), DefaultDataFile());
    }
};

QTEST_GUILESS_MAIN(tst_killedsave)
#include "tst_killedsave.moc"
