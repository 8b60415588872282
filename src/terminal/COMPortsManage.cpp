// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal/COMPortsManage.h"

#include "app/Convert.h"
#include "app/Init.h"
#include "terminal/SerialPort.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSerialPortInfo>
#include <QThread>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace COMPortsManage {

std::array<QString, 256> COMPortList;
qint16 COMPortCount = 0;
std::array<QString, 256> COMPortAdapter;
QList<UnusablePort> UnusablePorts;
std::chrono::milliseconds ProbeDeadline = 1000ms;

namespace {

AdapterSource &CustomSource()
{
    static AdapterSource source;
    return source;
}

QList<Adapter> SystemAdapters()
{
    if (CustomSource())
        return CustomSource()();
    QList<Adapter> adapters;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        Adapter adapter{info.portName(), info.systemLocation(), info.description(), info.manufacturer(), {}, {}};
        if (info.hasVendorIdentifier() && info.hasProductIdentifier()) {
            adapter.vendor = info.vendorIdentifier();
            adapter.product = info.productIdentifier();
        }
        adapters << adapter;
    }
    return adapters;
}

const Adapter *AdapterOf(const QList<Adapter> &adapters, const QString &device)
{
    for (const Adapter &adapter : adapters) {
        if (device == adapter.portName || device == adapter.location)
            return &adapter;
    }
    return nullptr;
}

// The numbers whose device is worth an attempt to open it.
QList<int> Candidates()
{
#ifdef Q_OS_WIN
    // Windows has no device files to look at, and an attempt to open a
    // number that names nothing costs as much as one that does: only the
    // ports that the system lists are tried.
    const QList<Adapter> listed = SystemAdapters();
    const auto present = [&](int number) { return AdapterOf(listed, SerialPort::DeviceName(number)) != nullptr; };
#else
    const auto present = [](int number) { return SerialPort::DeviceExists(number); };
#endif
    QList<int> numbers;
    for (int number = 1; number <= HighestPort; ++number) {
        if (present(number))
            numbers << number;
    }
    return numbers;
}

struct Outcome {
    enum : std::uint8_t { Opened, Absent, Refused } result; // Absent: gone, or takes no settings
    Refusal refusal;
    QString reason;
};

// Qt reports a device that another program holds and one that the user may
// not open alike; the system's own answer tells the two apart.
Refusal PermissionRefusal([[maybe_unused]] const QString &device)
{
#ifdef Q_OS_WIN
    return Refusal::Held; // Windows refuses a port in use as access denied
#else
    const int descriptor = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor >= 0) {
        ::close(descriptor); // open here: another program's lock file kept Qt out
        return Refusal::Held;
    }
    return errno == EACCES || errno == EPERM ? Refusal::NotPermitted : Refusal::Held;
#endif
}

// One port's probe; runs on a thread of its own.
Outcome Probe(int number)
{
    SerialPort probe;
    if (!probe.SetPortNumber(number) || !probe.SetSettings(LineSettings))
        return {Outcome::Absent, {}, {}};
    if (probe.Open()) {
        probe.Close();
        return {Outcome::Opened, {}, {}};
    }
    switch (probe.Error()) {
    // Qt knows no better name for what the system says of a port with no
    // device behind it: "No such device or address" on Linux, "Invalid
    // function" on Windows (a port whose adapter has gone).
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::UnknownError: return {Outcome::Absent, {}, {}};
    case QSerialPort::PermissionError:
        return {Outcome::Refused, PermissionRefusal(SerialPort::DeviceName(number)), {}};
    default: return {Outcome::Refused, Refusal::Other, probe.ErrorString()};
    }
}

// The probes, on a few threads of their own, so that a port that is slow to
// open delays neither the window nor the other ports. The window waits until
// the deadline; a probe that is still blocked then goes on by itself, and
// its port counts as not found this time, as do the ports not tried yet.
QList<std::optional<Outcome>> ProbeAll(const QList<int> &numbers, std::chrono::steady_clock::time_point deadline)
{
    constexpr qsizetype Threads = 8;
    struct Work {
        std::mutex lock;
        std::condition_variable changed;
        QList<int> numbers;
        QList<std::optional<Outcome>> outcomes;
        qsizetype next = 0;
        qsizetype done = 0;
        bool late = false; // the window has stopped waiting
    };
    auto work = std::make_shared<Work>();
    work->numbers = numbers;
    work->outcomes.resize(numbers.size());
    QList<QThread *> threads;
    for (qsizetype t = 0; t < std::min(Threads, numbers.size()); ++t) {
        // QThread rather than std::thread: Qt's serial port needs the event
        // dispatcher that a QThread has.
        threads << QThread::create([work] {
            std::unique_lock guard(work->lock);
            while (!work->late && work->next < work->numbers.size()) {
                const qsizetype i = work->next++;
                // at(), not []: the list shares its data with the caller's,
                // and [] would detach it on several threads at once.
                const int number = work->numbers.at(i);
                guard.unlock();
                Outcome outcome = Probe(number);
                guard.lock();
                work->outcomes[i] = std::move(outcome);
                ++work->done;
                work->changed.notify_all();
            }
        });
        threads.last()->start();
    }
    QList<std::optional<Outcome>> outcomes;
    bool allDone = false;
    {
        std::unique_lock guard(work->lock);
        allDone = work->changed.wait_until(guard, deadline, [&] { return work->done == work->numbers.size(); });
        work->late = true;
        outcomes = work->outcomes;
    }
    for (QThread *thread : threads) {
        // With every probe done, each thread is at its end.
        if (allDone || thread->wait(QDeadlineTimer(0))) {
            thread->wait();
            delete thread;
        } else { // blocked in the system; it ends when the port answers
            QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
            if (thread->isFinished()) // ended just now, before the connection
                thread->deleteLater();
        }
    }
    return outcomes;
}

} // namespace

void SearchCOMPorts()
{
    COMPortList.fill(QString());
    COMPortAdapter.fill(QString());
    COMPortCount = 0;
    UnusablePorts.clear();
    // The time Windows takes to list its ports counts too.
    const auto deadline = std::chrono::steady_clock::now() + ProbeDeadline;
    const QList<int> numbers = Candidates();
    const QList<std::optional<Outcome>> outcomes = ProbeAll(numbers, deadline);
    for (qsizetype i = 0; i < numbers.size(); ++i) {
        const std::optional<Outcome> &outcome = outcomes[i];
        if (!outcome || outcome->result == Outcome::Absent)
            continue;
        if (outcome->result == Outcome::Refused) {
            UnusablePorts << UnusablePort{numbers[i], SerialPort::DeviceName(numbers[i]), outcome->refusal,
                                          outcome->reason};
            continue;
        }
        COMPortList[COMPortCount++] = PortName(numbers[i]);
    }
}

void DescribeCOMPorts()
{
    COMPortAdapter.fill(QString());
    const QList<Adapter> adapters = SystemAdapters();
    for (int i = 0; i < COMPortCount; ++i) {
        const std::optional<int> number = PortNumber(QStringView(COMPortList[i]).mid(NamePrefixLength));
        if (const Adapter *adapter = number ? AdapterOf(adapters, SerialPort::DeviceName(*number)) : nullptr)
            COMPortAdapter[i] = AdapterText(*adapter);
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

QString AdapterText(const Adapter &adapter)
{
    QStringList details;
    // Windows writes some makers in brackets already: "(Standard port types)".
    QString maker = adapter.manufacturer.trimmed();
    if (maker.startsWith(u'(') && maker.endsWith(u')'))
        maker = maker.mid(1, maker.size() - 2);
    if (!maker.isEmpty())
        details << maker;
    if (adapter.vendor && adapter.product) {
        details << QStringLiteral("USB %1:%2")
                       .arg(*adapter.vendor, 4, 16, QLatin1Char('0'))
                       .arg(*adapter.product, 4, 16, QLatin1Char('0'))
                       .toUpper();
    }
    QString description = adapter.description.trimmed();
    if (details.isEmpty())
        return description;
    const QString joined = details.join(QStringLiteral(", "));
    return description.isEmpty() ? joined : description + QStringLiteral(" (") + joined + u')';
}

void SetAdapterSource(AdapterSource source)
{
    CustomSource() = std::move(source);
}

} // namespace COMPortsManage
