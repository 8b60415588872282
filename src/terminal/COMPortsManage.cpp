// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal/COMPortsManage.h"

#include "app/Convert.h"
#include "app/Init.h"
#include "terminal/SerialPort.h"

namespace COMPortsManage {

std::array<QString, 256> COMPortList;
qint16 COMPortCount = 0;

void SearchCOMPorts()
{
    COMPortList.fill(QString());
    COMPortCount = 0;
    SerialPort probe;
    for (int number = 1; number <= HighestPort; ++number) {
        // Most numbers name no device at all; looking is far cheaper than
        // an attempt to open.
        if (!SerialPort::DeviceExists(number))
            continue;
        if (!probe.SetPortNumber(number) || !probe.SetSettings(LineSettings) || !probe.Open())
            continue;
        COMPortList[COMPortCount++] = PortName(number);
        probe.Close();
    }
}

qint16 FindSelectedCOMPort()
{
    if (COMPortCount == 0)
        return -1;
    const std::optional<int> number = PortNumber(Init::SelectedCOMPort);
    if (!number)
        return -1;
    const QString name = PortName(*number);
    for (qint16 i = 0; i < COMPortCount; ++i) {
        if (COMPortList[i] == name)
            return i;
    }
    return -1;
}

bool PortChosen()
{
    return !Init::SelectedCOMPort.isEmpty() && Init::SelectedCOMPort != u"0";
}

QString PortName(int number)
{
    return QStringLiteral("COM ") + QString::number(number);
}

std::optional<int> PortNumber(QStringView selected)
{
    return Convert::ToInteger(selected, 1, HighestPort);
}

} // namespace COMPortsManage
