// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PseudoTerminal.h"
#include "TestSupport.h"
#include "terminal/COMPortsManage.h"
#include "terminal/SerialPort.h"

#include <QMap>
#include <QString>
#include <QTest>

#include <algorithm>

// Lets pseudo-terminals (or any path) play COM numbers while the object
// lives; no other number names a device, so the machine's own serial ports
// never take part in a test.
class PortTable {
public:
    PortTable() { Install(); }
    ~PortTable() { UseNoSerialPorts(); }
    PortTable(const PortTable &) = delete;
    PortTable &operator=(const PortTable &) = delete;

    void set(int number, const QString &device)
    {
        ports.insert(number, device);
        Install();
    }
    void set(int number, const PseudoTerminal &terminal) { set(number, terminal.serialPath()); }

private:
    // A table of its own for each change: a probe that an earlier search
    // left behind may still be reading the one before.
    void Install() { SerialPort::SetDeviceTable([ports = ports](int number) { return ports.value(number); }); }

    QMap<int, QString> ports;
};

// Waits until the search has settled and every port has answered but
// `opening` ones, whose open does not return; as long as a busy disk may hold
// a port up (Qt writes a lock file for each). False when that did not come.
inline bool Answered(const COMPortsManage::PortSearch &search, int opening = 0)
{
    return QTest::qWaitFor(
        [&] {
            const QList<COMPortsManage::Port> &ports = search.Ports();
            return search.IsSettled()
                && std::count_if(ports.begin(), ports.end(), [](const COMPortsManage::Port &port) {
                       return port.state == COMPortsManage::State::Opening;
                   }) == opening;
        },
        60000);
}
