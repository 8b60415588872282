// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "SerialTestSupport.h"

#include <QSerialPort>
#include <QSignalSpy>
#include <QtTest>

namespace {

// A port on COM 1, with a pseudo-terminal as its line; not yet open.
struct Line {
    PseudoTerminal terminal;
    PortTable table;
    SerialPort port;

    Line()
    {
        table.set(1, terminal);
        port.SetPortNumber(1);
    }
};

} // namespace

class tst_serialport : public QObject {
    Q_OBJECT

private slots:
    void standardDevices_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("device");
        QTest::newRow("COM 1") << 1 << "/dev/ttyS0";
        QTest::newRow("COM 32") << 32 << "/dev/ttyS31";
        QTest::newRow("COM 33") << 33 << "/dev/ttyUSB0";
        QTest::newRow("COM 64") << 64 << "/dev/ttyUSB31";
        QTest::newRow("COM 65") << 65 << "/dev/ttyACM0";
        QTest::newRow("COM 96") << 96 << "/dev/ttyACM31";
        QTest::newRow("COM 97") << 97 << "";
        QTest::newRow("COM 254") << 254 << "";
        QTest::newRow("COM 0") << 0 << "";
        QTest::newRow("negative") << -1 << "";
    }
    void standardDevices()
    {
        QFETCH(int, number);
        QFETCH(QString, device);
        QCOMPARE(SerialPort::StandardDevice(number), device);
        // An empty table stands for the standard one again.
        SerialPort::SetDeviceTable({});
        QCOMPARE(SerialPort::DeviceName(number), device);
        UseNoSerialPorts();
    }

    void settings_data()
    {
        QTest::addColumn<QString>("settings");
        QTest::addColumn<bool>("valid");
        QTest::newRow("terminal line") << "9600,n,8,1" << true;
        QTest::newRow("capital parity") << "9600,N,8,1" << true;
        QTest::newRow("even, 7 bits, 2 stops") << "19200,e,7,2" << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("baud only") << "9600" << false;
        QTest::newRow("unknown parity") << "9600,x,8,1" << false;
        QTest::newRow("nine data bits") << "9600,n,9,1" << false;
        QTest::newRow("three stop bits") << "9600,n,8,3" << false;
        QTest::newRow("baud not a number") << "fast,n,8,1" << false;
        QTest::newRow("zero baud") << "0,n,8,1" << false;
        QTest::newRow("extra part") << "9600,n,8,1,1" << false;
    }
    void settings()
    {
        QFETCH(QString, settings);
        QFETCH(bool, valid);
        SerialPort port;
        QCOMPARE(port.SetSettings(settings), valid);
    }

    void numbersWithoutDeviceAreRefused()
    {
        PortTable table;
        SerialPort port;
        QVERIFY(!port.SetPortNumber(0));
        QVERIFY(!port.SetPortNumber(5));
        QVERIFY(!port.Open());
    }

    void bytesTravelBothWays()
    {
        Line line;
        auto &[terminal, table, port] = line;
        QVERIFY(port.SetSettings(u"9600,n,8,1"));
        QVERIFY(port.Open());
        QVERIFY(port.IsOpen());
        QCOMPARE(port.BaudRate(), 9600);

        const QByteArray bytes("\x00\x0d\x0a\x1b\xff>8", 7); // reach the other end unchanged
        QVERIFY(port.Write(bytes));
        QTRY_COMPARE(terminal.received, bytes);
        QTRY_COMPARE(port.OutBufferCount(), 0);

        QSignalSpy arrived(&port, &SerialPort::DataArrived);
        terminal.write(QByteArray(">\r\n\x03", 4));
        QTRY_VERIFY(!arrived.isEmpty());
        QByteArray reply;
        QTRY_COMPARE(reply += port.ReadAvailable(), QByteArray(">\r\n\x03", 4));
        QCOMPARE(port.ReadAvailable(), QByteArray());

        port.Close();
        QVERIFY(!port.IsOpen());
        QVERIFY(!port.Write("x"));
        QCOMPARE(port.OutBufferCount(), -1);
    }

    void outputBufferLimitsWrites()
    {
        Line line;
        auto &[terminal, table, port] = line;
        QVERIFY(!port.SetOutBufferSize(0));
        QVERIFY(port.SetOutBufferSize(4));
        QVERIFY(port.Open());
        QVERIFY(!port.SetOutBufferSize(8)); // not while open
        QVERIFY(!port.Write("12345"));
        QVERIFY(port.Write("1234"));
        QTRY_COMPARE(terminal.received, QByteArray("1234"));
    }

    // The port is refused to a second user while one holds it, as another
    // program holding it would be, and free again once released.
    void heldPortDoesNotOpen()
    {
        Line line;
        auto &[terminal, table, port] = line;
        QSerialPort other(terminal.serialPath());
        QVERIFY(other.open(QIODevice::ReadWrite));
        QVERIFY(!port.Open());
        other.close();
        QVERIFY(port.Open());
    }

    void vanishedDeviceFailsOnce()
    {
        Line line;
        auto &[terminal, table, port] = line;
        QVERIFY(port.Open());
        QSignalSpy failed(&port, &SerialPort::Failed);
        terminal.vanish();
        port.Write("x");
        QTRY_COMPARE(failed.size(), 1);
        QVERIFY(!failed[0][0].toString().isEmpty()); // the system's reason
        QCOMPARE(port.OutBufferCount(), -1);
        QVERIFY(!port.Write("y"));
        QTest::qWait(50); // the device keeps reporting errors; one signal is all
        QCOMPARE(failed.size(), 1);
        port.Close();
    }
};

QTEST_GUILESS_MAIN(tst_serialport)
#include "tst_serialport.moc"
