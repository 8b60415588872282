// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves cut off by SIGKILL at random moments: racepo.dat must always be the
// old or the new file, whole, and the next load leaves everything else alone.
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
    QByteArrayList records;
    for (int number = 80; number < (which == 'a' ? 99 : 92); ++number)
        records << Record(number, QByteArray(6, which));
    return DataFile(records);
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
        work.write(DataFileName, a);

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

            const QByteArray content = work.read(DataFileName);
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

        // The next load keeps the file and leaves every other file alone.
        const QByteArray last = work.read(DataFileName);
        const QStringList entries = QDir(work.path(QStringLiteral("racepo"))).entryList(QDir::Files | QDir::Hidden);
        Init::WorkPath = work.path() + u'/';
        RacePointsManage::LoadRacePoints(Init::DataFilePath());
        QCOMPARE(QDir(work.path(QStringLiteral("racepo"))).entryList(QDir::Files | QDir::Hidden), entries);
        QCOMPARE(work.read(DataFileName), last);
    }

    // Files beside the data file may be the club's own copies, whatever
    // their names and age: a load never removes one.
    void clubsOwnFilesSurviveALoad()
    {
        WorkFolder work;
        Init::WorkPath = work.path() + u'/';
        work.write(DataFileName, DefaultDataFile());
        const QStringList own = {QStringLiteral("racepo.dat.backup"), QStringLiteral("racepo.dat.sicher"),
                                 QStringLiteral("racepo.dat.ORIGIN"), QStringLiteral("racepo.dat.AbCdEf")};
        for (const QString &name : own) {
            work.write(QStringLiteral("racepo/") + name, name.toUtf8());
            QFile file(work.path(QStringLiteral("racepo/") + name));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addDays(-30), QFileDevice::FileModificationTime));
        }

        QCOMPARE(RacePointsManage::LoadRacePoints(Init::DataFilePath()), qint16(19));

        for (const QString &name : own)
            QCOMPARE(work.read(QStringLiteral("racepo/") + name), name.toUtf8());
    }
};

QTEST_GUILESS_MAIN(tst_killedsave)
#include "tst_killedsave.moc"
