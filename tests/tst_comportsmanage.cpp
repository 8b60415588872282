// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinuxTestSupport.h"
#include "SerialTestSupport.h"
#include "TestSupport.h"

#include "app/Init.h"
#include "terminal/COMPortsManage.h"

#include <QSerialPort>
#include <QtTest>

#include <cerrno>
#include <tuple>

using namespace COMPortsManage;

namespace {

QStringList Listed()
{
    QStringList names;
    for (int i = 0; i < COMPortCount; ++i)
        names << COMPortList[i];
    return names;
}

bool RestIsEmpty()
{
    for (int i = COMPortCount; i < int(COMPortList.size()); ++i) {
        if (!COMPortList[i].isEmpty())
            return false;
    }
    return true;
}

} // namespace

class tst_comportsmanage : public QObject {
    Q_OBJECT

private slots:
    void nothingAttached()
    {
        PortTable table;
        COMPortList.fill(QStringLiteral("stale"));
        COMPortCount = 3;
        PortSearch search;
        search.SearchCOMPorts();
        QVERIFY(Answered(search));
        QVERIFY(search.Ports().isEmpty());
        QCOMPARE(COMPortCount, 0);
        QVERIFY(RestIsEmpty());
        Init::SelectedCOMPort = QStringLiteral("1");
        QCOMPARE(FindSelectedCOMPort(), -1);
    }

    // Only ports that open are listed, ascending, whatever order the table
    // names them in; a port held elsewhere is listed once it is freed.
    void listsOpenablePortsInOrder()
    {
        PseudoTerminal first, second, held, last;
        WorkFolder folder;
        folder.write(QStringLiteral("plain-file"), "not a serial device");
        PortTable table;
        table.set(254, last);
        table.set(12, second);
        table.set(3, first);
        table.set(7, held);
        table.set(9, folder.path(QStringLiteral("missing-device")));
        table.set(10, folder.path(QStringLiteral("plain-file")));
        table.set(255, first); // never probed

        QSerialPort holder(held.serialPath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        PortSearch search;
        search.SearchCOMPorts();
        QVERIFY(Answered(search));
        QCOMPARE(Listed(), QStringList({"COM 3", "COM 12", "COM 254"}));
        QVERIFY(RestIsEmpty());

        holder.close();
        search.SearchCOMPorts();
        QVERIFY(Answered(search));
        QCOMPARE(Listed(), QStringList({"COM 3", "COM 7", "COM 12", "COM 254"}));

        // The probe leaves nothing open behind it.
        QVERIFY(holder.open(QIODevice::ReadWrite));
    }

    // A device that is there but does not open is named with the reason; a
    // missing one is not named at all.
    void unusablePorts()
    {
        PseudoTerminal free, held, denied;
        WorkFolder folder;
        folder.write(QStringLiteral("plain-file"), "not a serial device");
        PortTable table;
        table.set(2, free);
        table.set(4, held);
        table.set(6, denied);
        table.set(8, folder.path(QStringLiteral("plain-file")));
        table.set(9, folder.path(QStringLiteral("missing-device")));
        QSerialPort holder(held.serialPath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        RespectPermissions asUser;
        if (!asUser.permissionsHold())
            QSKIP("file permissions cannot be made to hold here");
        TemporaryMode closed(denied.serialPath(), {});

        PortSearch search;
        search.SearchCOMPorts();
        QVERIFY(Answered(search));
        QCOMPARE(Listed(), QStringList({"COM 2"}));
        const QList<std::tuple<int, QString, State>> expected = {
            {2, free.serialPath(), State::Free},
            {4, held.serialPath(), State::Held},
            {6, denied.serialPath(), State::NotPermitted},
            {8, folder.path(QStringLiteral("plain-file")), State::Other}};
        QCOMPARE(search.Ports().size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            const Port &port = search.Ports()[i];
            QCOMPARE(std::tuple(port.number, port.device, port.state), expected[i]);
        }
        QCOMPARE(search.Ports()[3].reason, qt_error_string(ENOTTY));
    }

    // A port whose open does not return (a Bluetooth serial port that does
    // not connect) stays Opening: the search settles without it, later
    // searches do not try it again, and the other ports answer as ever. When
    // the open fails at last, the answer still reaches the list.
    void blockingPortIsTriedOnce()
    {
        PseudoTerminal quick;
        PortTable table;
        table.set(1, quick);
        PortSearch search;
        {
            BlockingDevice blocking;
            if (!blocking.isValid())
                QSKIP("no FUSE file system can be mounted here (it takes root)");
            table.set(2, blocking.path());
            for (int i = 0; i < 3; ++i) {
                search.SearchCOMPorts();
                QVERIFY(Answered(search, 1));
                QCOMPARE(Listed(), QStringList({"COM 1"}));
                QCOMPARE(search.Ports().last().state, State::Opening);
            }
            QCOMPARE(blocking.waiting(), 1);
            QVERIFY(ProbesAlive());
        }
        QTRY_COMPARE(search.Ports().size(), 1); // the open failed: no device after all
        QCOMPARE(Listed(), QStringList({"COM 1"}));
        QVERIFY(!ProbesAlive());
    }

    void adapterText_data()
    {
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("maker");
        QTest::addColumn<int>("vendor"); // -1: not a USB device
        QTest::addColumn<int>("product");
        QTest::addColumn<QString>("text");
        QTest::newRow("nothing known") << "" << "" << -1 << -1 << "";
        QTest::newRow("built-in, Windows")
            << "Communications Port" << "(Standard port types)" << -1 << -1 << "Communications Port (Standard port types)";
        QTest::newRow("USB adapter") << "USB-Serial Controller" << "Prolific" << 0x067b << 0x2303
                                     << "USB-Serial Controller (Prolific, USB 067B:2303)";
        QTest::newRow("numbers only") << "" << " " << 0x0403 << 0x6001 << "USB 0403:6001";
        QTest::newRow("maker only") << "" << "FTDI" << -1 << -1 << "FTDI";
    }
    void adapterText()
    {
        QFETCH(QString, description);
        QFETCH(QString, maker);
        QFETCH(int, vendor);
        QFETCH(int, product);
        QFETCH(QString, text);
        Adapter adapter{QString(), QString(), description, maker, {}, {}};
        if (vendor >= 0) {
            adapter.vendor = quint16(vendor);
            adapter.product = quint16(product);
        }
        QCOMPARE(AdapterText(adapter), text);
    }

    void findSelectedCOMPort_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::addColumn<int>("index");
        QTest::newRow("3") << "3" << 1;
        QTest::newRow("leading zero") << "03" << 1;
        QTest::newRow("first") << "1" << 0;
        QTest::newRow("held elsewhere") << "2" << -1;
        QTest::newRow("none chosen") << "0" << -1;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("letters") << "COM3" << -1;
        QTest::newRow("trailing letter") << "3a" << -1;
        QTest::newRow("negative") << "-3" << -1;
        QTest::newRow("above 255") << "259" << -1;
        QTest::newRow("huge") << "99999999999" << -1;
    }
    void findSelectedCOMPort()
    {
        QFETCH(QString, selected);
        QFETCH(int, index);
        PseudoTerminal one, two, three;
        PortTable table;
        table.set(1, one);
        table.set(2, two);
        table.set(3, three);
        QSerialPort holder(two.serialPath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        PortSearch search;
        search.SearchCOMPorts();
        QVERIFY(Answered(search));
        QCOMPARE(Listed(), QStringList({"COM 1", "COM 3"}));
        Init::SelectedCOMPort = selected;
        QCOMPARE(int(FindSelectedCOMPort()), index);
    }
};

QTEST_GUILESS_MAIN(tst_comportsmanage)
#include "tst_comportsmanage.moc"
