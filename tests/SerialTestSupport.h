// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "PseudoTerminal.h"
#include "TestSupport.h"
#include "terminal/SerialPort.h"

#include <QMap>
#include <QString>

#include <memory>

// Lets pseudo-terminals (or any path) play COM numbers while the object
// lives; no other number names a device, so the machine's own serial ports
// never take part in a test.
class PortTable {
public:
    PortTable() { SerialPort::SetDeviceTable([ports = ports](int number) { return ports->value(number); }); }
    ~PortTable() { UseNoSerialPorts(); }
    PortTable(const PortTable &) = delete;
    PortTable &operator=(const PortTable &) = delete;

    void set(int number, const QString &device) { ports->insert(number, device); }
    void set(int number, const PseudoTerminal &terminal) { set(number, terminal.serialPath()); }

private:
    std::shared_ptr<QMap<int, QString>> ports = std::make_shared<QMap<int, QString>>();
};
