// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

// Which serial ports of the machine can be opened, and whether the chosen one
// (Init::SelectedCOMPort) is among them. Ports are named "COM " and their
// number, whatever device the number stands for on this platform.
namespace COMPortsManage {

inline constexpr int HighestPort = 254;
inline constexpr QStringView LineSettings = u"9600,n,8,1";

// Entries 0 to COMPortCount - 1 name the ports found, in ascending order;
// all others are "".
extern std::array<QString, 256> COMPortList;
extern qint16 COMPortCount;

// Tries every port number from 1 to 254 and lists those that open. Shows
// nothing, whatever happens.
void SearchCOMPorts();

// The index in COMPortList of the chosen port, or -1 when it is not listed
// (or the choice is no port number at all).
qint16 FindSelectedCOMPort();

// Whether a port has been chosen at all: SelectedCOMPort is neither "" nor "0".
bool PortChosen();

// "COM " and the number.
QString PortName(int number);
// A chosen port as stored ("3", "03"): its number when it is a whole number
// from 1 to 254, nothing otherwise.
std::optional<int> PortNumber(QStringView selected);

} // namespace COMPortsManage
