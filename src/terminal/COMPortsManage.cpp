// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal/COMPortsManage.h"

#include "app/Convert.h"
#include "app/Init.h"
#include "terminal/SerialPort.h"

#include <QFile>
#include <QSerialPortInfo>
#include <QThread>

#include <algorithm>
#include <memory>
#include <mutex>
#include <utility>

#ifndef Q_OS_WIN
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace COMPortsManage {

std::array<QString, 256> COMPortList;
qint16 COMPortCount = 0;

namespace {

struct SharedAdapterSource {
    std::mutex lock;
    AdapterSource source;
};

// Set on the window thread, read by the search's threads: each takes a copy.
SharedAdapterSource &CustomSource()
{
    static SharedAdapterSource shared;
    return shared;
}

QList<Adapter> SystemAdapters()
{
    AdapterSource custom;
    {
        const std::lock_guard guard(CustomSource().lock);
        custom = CustomSource().source;
    }
    if (custom)
        return custom();
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

// The ports whose device is worth an attempt to open it, still Opening.
QList<Port> ListPorts(bool withAdapters)
{
#ifdef Q_OS_WIN
    // Windows has no device files to look at, and an attempt to open a
    // number that names nothing costs as much as one that does: only the
    // ports that the system lists are tried.
    const QList<Adapter> adapters = SystemAdapters();
    const auto present = [&](int number) { return AdapterOf(adapters, SerialPort::DeviceName(number)) != nullptr; };
#else
    // Asking the system takes longer than trying the ports (on Linux some
    // 150 ms), so only when the adapters are wanted.
    const QList<Adapter> adapters = withAdapters ? SystemAdapters() : QList<Adapter>();
    const auto present = [](int number) { return SerialPort::DeviceExists(number); };
#endif
    QList<Port> ports;
    for (int number = 1; number <= HighestPort; ++number) {
        if (!present(number))
            continue;
        Port port{number, SerialPort::DeviceName(number), {}, State::Opening, {}};
        if (const Adapter *adapter = withAdapters ? AdapterOf(adapters, port.device) : nullptr)
            port.adapter = AdapterText(*adapter);
        ports << port;
    }
    return ports;
}

// Qt reports a device that another program holds and one that the user may
// not open alike; the system's own answer tells the two apart.
State PermissionRefusal([[maybe_unused]] const QString &device)
{
#ifdef Q_OS_WIN
    return State::Held; // Windows refuses a port in use as access denied
#else
    const int descriptor = ::open(QFile::encodeName(device).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor >= 0) {
        ::close(descriptor); // open here: another program's lock file kept Qt out
        return State::Held;
    }
    return errno == EACCES || errno == EPERM ? State::NotPermitted : State::Held;
#endif
}

Answer Probe(int number)
{
    SerialPort probe;
    if (!probe.SetPortNumber(number) || !probe.SetSettings(LineSettings))
        return {State::Absent, {}};
    if (probe.Open()) {
        probe.Close();
        return {State::Free, {}};
    }
    switch (probe.Error()) {
    // Qt knows no better name for what the system says of a port with no
    // device behind it: "No such device or address" on Linux, "Invalid
    // function" on Windows (a port whose adapter has gone).
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::UnknownError: return {State::Absent, {}};
    case QSerialPort::PermissionError: return {PermissionRefusal(SerialPort::DeviceName(number)), {}};
    default: return {State::Other, probe.ErrorString()};
    }
}

// The search's threads: a few at a time, each taking the next job until
// none is left. A job whose system call blocks keeps its thread; a search
// allows one more thread per such job from before, so that the other ports
// still get theirs.
class Pool {
public:
    void Allow(int blocked)
    {
        const std::lock_guard guard(lock);
        extra = blocked;
    }

    // On the window thread.
    void Run(std::function<void()> job)
    {
        Reap();
        const std::lock_guard guard(lock);
        jobs.push_back(std::move(job));
        if (working >= PortSearch::Threads + extra)
            return;
        ++working;
        // QThread rather than std::thread: Qt's serial port needs the event
        // dispatcher that a QThread has.
        threads << QThread::create([this] { Work(); });
        threads.last()->start();
    }

private:
    void Work()
    {
        std::unique_lock guard(lock);
        while (!jobs.isEmpty()) {
            std::function<void()> job = jobs.takeFirst();
            guard.unlock();
            job();
            job = {};
            guard.lock();
        }
        --working;
    }

    // The threads that have ended are deleted here rather than by a signal
    // of their own, so that no thread but the window's posts to it.
    void Reap()
    {
        threads.removeIf([](QThread *thread) {
            if (!thread->isFinished())
                return false;
            thread->wait();
            delete thread;
            return true;
        });
    }

    std::mutex lock;
    QList<std::function<void()>> jobs;
    int working = 0;
    int extra = 0;
    QList<QThread *> threads; // of the window thread
};

// What the searches have asked of the system, on the window thread. A job
// may outlive every search and window: the program's last moments included
// (see main()), which is why these are never destroyed.
struct Jobs {
    Pool pool;
    std::shared_future<QList<Port>> listing;
    QHash<int, std::shared_future<Answer>> probes;
};

Jobs &Live()
{
    static Jobs *jobs = new Jobs;
    return *jobs;
}

template <class Future>
bool Ready(const Future &future)
{
    return future.valid() && future.wait_for(0s) == std::future_status::ready;
}

template <class Future>
bool Running(const Future &future)
{
    return future.valid() && !Ready(future);
}

int Blocked()
{
    int blocked = Running(Live().listing) ? 1 : 0;
    for (const auto &probe : std::as_const(Live().probes))
        blocked += Running(probe) ? 1 : 0;
    return blocked;
}

template <class Work>
auto Start(Work work) -> std::shared_future<decltype(work())>
{
    using Result = decltype(work());
    auto promise = std::make_shared<std::promise<Result>>();
    std::shared_future<Result> future = promise->get_future().share();
    Live().pool.Run([promise, work = std::move(work)] { promise->set_value(work()); });
    return future;
}

} // namespace

PortSearch::PortSearch(QObject *parent) : QObject(parent)
{
    settleTimer.setSingleShot(true);
    connect(&settleTimer, &QTimer::timeout, this, &PortSearch::Settle);
    connect(&collector, &QTimer::timeout, this, &PortSearch::TakeAnswers);
}

void PortSearch::SearchCOMPorts(bool adapters)
{
    ports.clear();
    waiting.clear();
    fresh.clear();
    Publish();
    settled = false;
    settleTimer.start(SettleTime);
    Live().pool.Allow(Blocked());
    // A listing that has not returned yet is waited for, not started twice.
    if (!Running(Live().listing))
        Live().listing = Start([adapters] { return ListPorts(adapters); });
    listing = Live().listing;
    collector.start(CollectTime);
    TakeAnswers();
}

void PortSearch::TakeAnswers()
{
    bool changed = false;
    if (Ready(listing)) {
        ports = listing.get();
        listing = {};
        for (const Port &port : std::as_const(ports)) {
            std::shared_future<Answer> &probe = Live().probes[port.number];
            if (!Running(probe)) {
                const int number = port.number;
                probe = Start([number] { return Probe(number); });
                fresh << number;
            }
            waiting.insert(port.number, probe);
        }
        changed = true;
    }
    for (auto next = waiting.begin(); next != waiting.end();) {
        if (!Ready(next.value())) {
            ++next;
            continue;
        }
        const Answer answer = next.value().get();
        const auto port = std::find_if(ports.begin(), ports.end(), [&](const Port &p) { return p.number == next.key(); });
        if (answer.state == State::Absent) {
            ports.erase(port);
        } else {
            port->state = answer.state;
            port->reason = answer.reason;
        }
        fresh.removeOne(next.key());
        next = waiting.erase(next);
        changed = true;
    }
    if (!listing.valid() && waiting.isEmpty())
        collector.stop();
    if (!changed)
        return;
    Publish();
    emit PortsChanged();
    if (!listing.valid() && fresh.isEmpty())
        Settle();
}

void PortSearch::Settle()
{
    settleTimer.stop();
    if (settled)
        return;
    settled = true;
    // Only opens that keep the system waiting are left: a late answer may
    // take a while to show.
    if (collector.isActive())
        collector.setInterval(LateCollectTime);
    emit Settled();
}

void PortSearch::Publish()
{
    COMPortList.fill(QString());
    COMPortCount = 0;
    for (const Port &port : std::as_const(ports)) {
        if (port.state == State::Free)
            COMPortList[COMPortCount++] = PortName(port.number);
    }
}

bool ProbesAlive()
{
    return Blocked() > 0;
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
    const std::lock_guard guard(CustomSource().lock);
    CustomSource().source = std::move(source);
}

} // namespace COMPortsManage
