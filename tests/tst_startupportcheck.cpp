// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SerialTestSupport.h"
#include "TestSupport.h"

#include "app/Init.h"
#include "app/frmMain.h"
#include "terminal/COMPortsManage.h"
#include "terminal/frmRacePointsSend.h"
#include "terminal/frmSet.h"

#include <QAction>
#include <QElapsedTimer>
#include <QtTest>

class tst_startupportcheck : public QObject {
    Q_OBJECT

private slots:
    // One second after start the settings dialog asks for a port, unless
    // the stored one is there.
    void portCheck_data()
    {
        QTest::addColumn<QByteArray>("options"); // "-": no OPTIONS.PAR
        QTest::addColumn<bool>("present");       // COM 3 present
        QTest::addColumn<bool>("asks");
        QTest::newRow("no options file") << QByteArray("-") << true << true;
        QTest::newRow("zero stored") << QByteArray("0\r\n") << true << true;
        QTest::newRow("empty line") << QByteArray("\r\n") << true << true;
        QTest::newRow("stored port present") << QByteArray("3\r\n") << true << false;
        QTest::newRow("leading zero, present") << QByteArray("03\r\n") << true << false;
        QTest::newRow("stored port absent") << QByteArray("3\r\n") << false << true;
        QTest::newRow("odd value") << QByteArray("3x\r\n") << true << true;
    }
    void portCheck()
    {
        QFETCH(QByteArray, options);
        QFETCH(bool, present);
        QFETCH(bool, asks);
        WorkFolder folder;
        folder.copyCatalogue();
        if (options != "-")
            folder.write(QStringLiteral("OPTIONS.PAR"), options);
        PseudoTerminal com3;
        PortTable table;
        if (present)
            table.set(3, com3);
        Modals modals;

        frmMain window;
        QVERIFY(window.Form_Load());
        QElapsedTimer loaded;
        loaded.start();
        QVERIFY(window.Timer1.isActive());
        QCOMPARE(window.Timer1.interval(), 1000);
        window.show();
        // The check decides with the ports that have answered by then.
        QVERIFY(Answered(*window.COMPorts));
        if (!window.Timer1.isActive())
            QSKIP("the port answered only after the check: this machine is too busy to tell");
        QCOMPARE(COMPortsManage::COMPortCount, present ? 1 : 0);

        QTRY_COMPARE_WITH_TIMEOUT(window.Timer1.interval(), 0, 10000); // the check has run
        QVERIFY(!window.Timer1.isActive());
        QTRY_COMPARE(modals.count<frmSet>(), asks ? 1 : 0);
        if (asks) {
            const qint64 after = loaded.msecsTo(modals.seen[0].shown);
            QVERIFY2(after >= 900, qPrintable(QString::number(after)));
        }
        QCoreApplication::processEvents();
        QCOMPARE(modals.count<frmSet>(), asks ? 1 : 0);
    }

    void menuOpensDialogs()
    {
        PortTable table;
        Modals modals;
        StartedProgram program;

        program.main->mnuProgramSet->trigger();
        QCOMPARE(modals.count<frmSet>(), 1);

        // No port chosen: the transfer window says so and does not open.
        modals.seen.clear();
        program.main->mnuRacePointsSend->trigger();
        QCOMPARE(modals.seen.size(), 1);
        QCOMPARE(modals.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(modals.count<frmRacePointsSend>(), 0);
    }
};

QTEST_MAIN(tst_startupportcheck)
#include "tst_startupportcheck.moc"
