// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringView>
#include <QTimer>
#include <QtGlobal>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <future>
#include <optional>

// Which serial ports of the machine can be opened, and whether the chosen one
// (Init::SelectedCOMPort) is among them. Ports are named "COM " and their
// number, whatever device the number stands for on this platform.
namespace COMPortsManage {

using namespace std::chrono_literals;

inline constexpr int HighestPort = 254;
inline constexpr QStringView LineSettings = u"9600,n,8,1";

// Entries 0 to COMPortCount - 1 name the ports that opened, in ascending
// order; all others are "". Kept by the search as its answers come.
extern std::array<QString, 256> COMPortList;
extern qint16 COMPortCount;

// What the last attempt to open a port found.
enum class State : std::uint8_t {
    Opening,      // asked to open; the system has not answered yet
    Free,         // it opened: the port can be used
    Held,         // another program holds it
    NotPermitted, // this user may not open it
    Other,        // it cannot be opened, for the reason given
    Absent,       // no device answers after all, or it takes no settings
};
struct Answer {
    State state;
    QString reason;
};

struct Port {
    int number = 0;
    QString device;  // "/dev/ttyUSB0", "COM3"
    QString adapter; // AdapterText of its adapter; "" when unknown or not asked for
    State state = State::Opening;
    QString reason; // the system's words, for Other
};

// The search for the ports. Every port whose device is there is tried on a
// thread of the search's own, so that no port, however long its driver takes
// to open it (a Bluetooth serial port connects first), holds the window: the
// answers arrive on the object's thread as they come. A port whose open has
// not returned stays Opening, in this search and the next ones, and is not
// tried again until it returns; it then takes its place in the list.
class PortSearch : public QObject {
    Q_OBJECT

public:
    // How long a search waits for its ports before it counts as settled.
    static constexpr std::chrono::milliseconds SettleTime = 1000ms;
    // The threads that try ports at a time, besides one for each port whose
    // open has not returned.
    static constexpr int Threads = 4;

    explicit PortSearch(QObject *parent = nullptr);

    // Starts afresh: the list and COMPortList empty, then fill as the ports
    // answer. With adapters, the list also says what the system knows of
    // each device, which takes longer (only the settings dialog shows it).
    void SearchCOMPorts(bool adapters = false);

    // The ports whose device is there, ascending.
    const QList<Port> &Ports() const { return ports; }
    // Every port tried by this search has answered, or has had SettleTime
    // to do so. Ports whose open blocks from earlier searches are not waited
    // for.
    bool IsSettled() const { return settled; }

signals:
    void PortsChanged();
    void Settled();

private:
    // The threads hand their answers over through futures, which the window
    // thread looks at every CollectTime (LateCollectTime once settled) while
    // any is outstanding: no thread but the window's posts to its objects.
    static constexpr std::chrono::milliseconds CollectTime = 10ms, LateCollectTime = 250ms;
    void TakeAnswers();
    void Settle();
    void Publish();

    QList<Port> ports; // in the order of their numbers
    bool settled = true;
    std::shared_future<QList<Port>> listing; // until it has answered
    QHash<int, std::shared_future<Answer>> waiting;
    QList<int> fresh; // tried by this search and not answered yet
    QTimer settleTimer;
    QTimer collector;
};

// Whether a port's open, or the listing of the ports, has not returned yet.
// Then the program ends without waiting for it (see main()).
bool ProbesAlive();

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

// What the system knows of a serial device (QSerialPortInfo), so that the
// user can tell which port is the terminal's cable.
struct Adapter {
    QString portName; // "COM3", "ttyUSB0"
    QString location; // "\\.\COM3", "/dev/ttyUSB0"
    QString description;
    QString manufacturer;
    std::optional<quint16> vendor, product; // USB adapters only
};
// "USB-Serial Controller (Prolific, USB 067B:2303)"; "" when nothing is known.
QString AdapterText(const Adapter &adapter);
// The system's serial devices; QSerialPortInfo unless another source has
// been set (the pictures of the documentation show a described adapter).
// An empty function restores it. Called on the search's threads.
using AdapterSource = std::function<QList<Adapter>()>;
void SetAdapterSource(AdapterSource source);

} // namespace COMPortsManage
