// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SerialTestSupport.h"
#include "TestSupport.h"

#include "app/Init.h"
#include "terminal/frmRacePointsSend.h"
#include "terminal/frmSet.h"

#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QProcess>
#include <QtTest>

namespace {

// The terminal simulator, running as a program of its own, its serial end
// linked where COM 33 is looked for.
class Simulator {
public:
    QProcess process;
    QString output;
    QString link;

    Simulator(const QString &linkPath, const QStringList &arguments) : link(linkPath)
    {
        QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                         [this] { output += QString::fromLocal8Bit(process.readAllStandardOutput()); });
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(QStringLiteral(TERMSIM_PATH), QStringList{QStringLiteral("--link"), link} + arguments);
    }
    ~Simulator()
    {
        process.terminate();
        process.waitForFinished(5000);
    }
};

} // namespace

class tst_termsim : public QObject {
    Q_OBJECT

private slots:
    // As a user tries it: the simulator linked as COM 33's device, the port
    // chosen and saved in the settings, the race points sent.
    void chooseAndSend_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("confirmed");
        QTest::addColumn<QString>("says");
        QTest::newRow("confirms") << QStringList() << true << "answered \">\"";
        QTest::newRow("confirms with more") << QStringList{"--reply", ">OK"} << true << "answered \">OK\"";
        QTest::newRow("answers otherwise") << QStringList{"--reply", "?"} << false << "answered \"?\"";
        QTest::newRow("silent") << QStringList{"--silent"} << false << "staying silent";
        QTest::newRow("answers in time") << QStringList{"--delay", "700"} << true << "after 700 ms";
        QTest::newRow("answers too late") << QStringList{"--delay", "3000"} << false << "";
    }
    void chooseAndSend()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, confirmed);
        QFETCH(QString, says);
        WorkFolder folder;
        folder.copyCatalogue();
        folder.write(DataFileName, DefaultDataFile({{6, Record(85, "Hannover")}}));
        Init::InitProgram();
        const QString device = folder.path(QStringLiteral("ttyUSB0"));
        PortTable table;
        table.set(33, device);
        Modals boxes;

        Simulator terminal(device, arguments + QStringList{QStringLiteral("--record"), folder.path(QStringLiteral("frames"))});
        QTRY_VERIFY2(terminal.output.contains(QStringLiteral("linked as")), qPrintable(terminal.output));

        COMPortsManage::PortSearch search;
        frmSet settings(search);
        settings.show();
        QTRY_COMPARE(boxes.seen.size(), 1); // nothing chosen yet
        QCOMPARE(settings.List1->count(), 1);
        QCOMPARE(settings.List1->item(0)->text(), QStringLiteral("COM 33"));
        QCOMPARE(settings.List1->item(0)->toolTip(), device);
        settings.List1->item(0)->setCheckState(Qt::Checked);
        settings.Command1->click();
        QCOMPARE(folder.read(QStringLiteral("OPTIONS.PAR")), QByteArray("33\r\n"));

        frmRacePointsSend transfer;
        QVERIFY(transfer.Form_Load());
        transfer.show();
        QTRY_VERIFY_WITH_TIMEOUT(!transfer.isVisible(), 15000);
        QCOMPARE(transfer.result(), int(confirmed ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(boxes.seen.size(), confirmed ? 1 : 2);
        QTRY_VERIFY2(terminal.output.contains(says), qPrintable(terminal.output));
        QVERIFY2(terminal.output.contains(QStringLiteral("receiving a frame\ntermsim: frame of 1290 bytes, 19 race points, in ")),
                 qPrintable(terminal.output));
        const QByteArray recorded = folder.read(QStringLiteral("frames"));
        QCOMPARE(recorded.size(), 1290);
        QCOMPARE(recorded.mid(1042 + 5 * 13, 13), QByteArray("Hannover     "));
        QVERIFY(terminal.output.contains(QStringLiteral("  85  Hannover     \n")));
        QVERIFY(terminal.output.contains(QStringLiteral("  98               \n")));
    }

    void removesItsLink()
    {
        WorkFolder folder;
        const QString device = folder.path(QStringLiteral("ttyUSB0"));
        {
            Simulator terminal(device, {});
            QTRY_VERIFY(terminal.output.contains(QStringLiteral("linked as")));
            QVERIFY(QFileInfo(device).isSymLink());
        }
        QVERIFY(!QFileInfo::exists(device) && !QFileInfo(device).isSymLink());
    }

    void refusesToReplaceAFile()
    {
        WorkFolder folder;
        folder.write(QStringLiteral("ttyUSB0"), "keep me");
        Simulator terminal(folder.path(QStringLiteral("ttyUSB0")), {});
        QVERIFY(terminal.process.waitForFinished(5000));
        QCOMPARE(terminal.process.exitCode(), 1);
        QCOMPARE(folder.read(QStringLiteral("ttyUSB0")), QByteArray("keep me"));
    }
};

QTEST_MAIN(tst_termsim)
#include "tst_termsim.moc"
