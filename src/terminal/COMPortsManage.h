// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <QtGlobal>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

// Which serial ports of the machine can be opened, and whether the chosen one
// (Init::SelectedCOMPort) is among them. Ports are named "COM " and their
// number, whatever device the number stands for on this platform.
namespace COMPortsManage {

using namespace std::chrono_literals;

inline constexpr int HighestPort = 254;
inline constexpr int NamePrefixLength = 4; // "COM "
inline constexpr QStringView LineSettings = u"9600,n,8,1";
// How long the window waits for the ports to answer. Opening some ports takes
// seconds (a Bluetooth serial port connects first); such a port counts as not
// found this time rather than holding the window. So can any port while the
// disk is busy: Qt writes a lock file for each port it opens and waits until
// the file is on the disk. Tests, which must find every port, wait longer.
extern std::chrono::milliseconds ProbeDeadline;

// Entries 0 to COMPortCount - 1 name the ports found, in ascending order;
// all others are "".
extern std::array<QString, 256> COMPortList;
extern qint16 COMPortCount;

// What the system knows of a serial device (QSerialPortInfo), so that the
// user can tell which port is the terminal's cable.
struct Adapter {
    QString portName; // "COM3", "ttyUSB0"
    QString location; // "\\.\COM3", "/dev/ttyUSB0"
    QString description;
    QString manufacturer;
    std::optional<quint16> vendor, product; // USB adapters only
};
// The adapter behind each port found, by the index in COMPortList: its
// AdapterText, "" when the system knows nothing of it (or DescribeCOMPorts
// has not run since the last search).
extern std::array<QString, 256> COMPortAdapter;

// Why a device that is there could not be opened.
enum class Refusal : std::uint8_t { Held, NotPermitted, Other };
struct UnusablePort {
    int number;
    QString device;
    Refusal refusal;
    QString reason; // the system's words, for Other
};
// The devices of the last search that exist but did not open, ascending.
extern QList<UnusablePort> UnusablePorts;

// Tries every port number from 1 to 254 whose device is there and lists
// those that open within ProbeDeadline. Shows nothing, whatever happens.
void SearchCOMPorts();

// Fills COMPortAdapter for the ports of the last search. Apart from the
// search, which the start-up runs too, because asking the system takes
// longer than the search itself (on Linux some 150 ms, more than the rest of
// the start-up), and only the settings dialog shows the adapters.
void DescribeCOMPorts();

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

// "USB-Serial Controller (Prolific, USB 067B:2303)"; "" when nothing is known.
QString AdapterText(const Adapter &adapter);
// The system's serial devices; QSerialPortInfo unless another source has
// been set (the pictures of the documentation show a described adapter).
// An empty function restores it.
using AdapterSource = std::function<QList<Adapter>()>;
void SetAdapterSource(AdapterSource source);

} // namespace COMPortsManage
