// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal/SerialPort.h"

#include "app/Convert.h"
#include "terminal/SerialDriver.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <limits>
#include <mutex>
#include <optional>
#include <system_error>

namespace {

// Both are set by one thread while another may be opening a port: a probe
// that is still waiting for its port when the search has given up on it
// goes on after the table has changed. Each user takes a copy. The table
// is built on first use, as it may be set before this file's globals are.
struct SharedDeviceTable {
    std::mutex lock;
    SerialPort::DeviceTable table;
};

SharedDeviceTable &sharedDeviceTable()
{
    static SharedDeviceTable shared;
    return shared;
}

struct {
    std::mutex lock;
    SerialPort::QueueModel model;
} sharedQueueModel;

std::optional<QSerialPort::Parity> ParityOf(QStringView letter)
{
    if (letter.size() != 1)
        return std::nullopt;
    switch (letter[0].toLower().unicode()) {
    case u'n': return QSerialPort::NoParity;
    case u'e': return QSerialPort::EvenParity;
    case u'o': return QSerialPort::OddParity;
    case u'm': return QSerialPort::MarkParity;
    case u's': return QSerialPort::SpaceParity;
    default: return std::nullopt;
    }
}

std::optional<QSerialPort::StopBits> StopBitsOf(QStringView text)
{
    if (text == u"1")
        return QSerialPort::OneStop;
    if (text == u"1.5")
        return QSerialPort::OneAndHalfStop;
    if (text == u"2")
        return QSerialPort::TwoStop;
    return std::nullopt;
}

// Sleeps that end on time: the system wakes a thread some microseconds
// after it asked (tens in a virtual machine, more with Windows' timers),
// which would otherwise add to every byte. The alarm is set that much
// earlier, by the median of the wakes seen, so that as many wakes come
// before their time as after it; what is left after an early wake, a few
// microseconds, is waited out on the clock, as long as it is a small part
// of a byte. (Yielding the processor instead would hand it to a busy
// program for a whole time slice.)
class EarlyAlarm {
public:
    EarlyAlarm(SerialDriver &driver, std::chrono::nanoseconds most, std::chrono::nanoseconds shortest)
        : driver(driver), most(most), shortest(shortest)
    {
    }

    void SleepUntil(SerialPort::Clock::time_point then)
    {
        using namespace std::chrono_literals;
        using Clock = SerialPort::Clock;
        const Clock::time_point alarm = then - wakeDelay;
        if (alarm > Clock::now()) {
            driver.SleepUntil(alarm);
            // Steps in proportion, to settle within a hundred wakes at any scale.
            const bool late = Clock::now() - alarm > wakeDelay;
            const std::chrono::nanoseconds step = 1us + wakeDelay / 16;
            wakeDelay = std::clamp<std::chrono::nanoseconds>(wakeDelay + (late ? step : -step), 0us, most);
        }
        if (then - Clock::now() > shortest)
            driver.SleepUntil(then);
        while (Clock::now() < then) {
            // microseconds at most: waited out
        }
    }

private:
    SerialDriver &driver;
    const std::chrono::nanoseconds most;
    // The longest rest that is waited out rather than slept.
    const std::chrono::nanoseconds shortest;
    std::chrono::nanoseconds wakeDelay{0};
};

} // namespace

QString SerialPort::StandardDevice(int number)
{
#ifdef Q_OS_WIN
    if (number >= 1 && number <= 255)
        return QStringLiteral("COM%1").arg(number);
#else
    static constexpr const char *Families[] = {"/dev/ttyS", "/dev/ttyUSB", "/dev/ttyACM"};
    constexpr int PerFamily = 32;
    if (number >= 1 && number <= PerFamily * int(std::size(Families)))
        return QLatin1String(Families[(number - 1) / PerFamily]) + QString::number((number - 1) % PerFamily);
#endif
    return QString();
}

QString SerialPort::DeviceName(int number)
{
    DeviceTable table;
    {
        const std::lock_guard guard(sharedDeviceTable().lock);
        table = sharedDeviceTable().table;
    }
    return table ? table(number) : StandardDevice(number);
}

void SerialPort::SetDeviceTable(DeviceTable table)
{
    const std::lock_guard guard(sharedDeviceTable().lock);
    sharedDeviceTable().table = std::move(table);
}

bool SerialPort::DeviceExists(int number)
{
    const QString device = DeviceName(number);
    if (device.isEmpty())
        return false;
#ifdef Q_OS_WIN
    return true; // COM ports have no file to look at; opening tells
#else
    // The devices of built-in ports are there whether a chip is behind them
    // or not; the kernel tells the type of chip, 0 for none.
    QFile type(QStringLiteral("/sys/class/tty/%1/type").arg(QFileInfo(device).fileName()));
    if (device.startsWith(u"/dev/ttyS") && type.open(QIODevice::ReadOnly) && type.readAll().trimmed() == "0")
        return false;
    return QFileInfo::exists(device);
#endif
}

void SerialPort::SetQueueModel(QueueModel model)
{
    const std::lock_guard guard(sharedQueueModel.lock);
    sharedQueueModel.model = std::move(model);
}

SerialPort::SerialPort(QObject *parent) : QObject(parent)
{
    connect(&port, &QSerialPort::readyRead, this, &SerialPort::DataArrived);
    connect(&port, &QSerialPort::errorOccurred, this, [this](QSerialPort::SerialPortError error) {
        if (error == QSerialPort::NoError || !driver) // not open, or closing
            return;
        // For a device that has gone, Qt's reason can be a stale one; the
        // driver, when the sending thread does not use it, tells afresh.
        if (!sending && driver->Queued() < 0)
            Fail(driver->Reason());
        else
            Fail(port.errorString());
    });
    port.setFlowControl(QSerialPort::NoFlowControl);
}

SerialPort::~SerialPort()
{
    Close();
}

bool SerialPort::SetPortNumber(int number)
{
    const QString device = DeviceName(number);
    if (port.isOpen() || device.isEmpty())
        return false;
    portNumber = number;
    port.setPortName(device);
    return true;
}

bool SerialPort::SetSettings(QStringView settings)
{
    const QList<QStringView> parts = settings.split(u',');
    if (port.isOpen() || parts.size() != 4)
        return false;
    const std::optional<int> baud = Convert::ToInteger(parts[0], 1, std::numeric_limits<qint32>::max());
    const std::optional<QSerialPort::Parity> parity = ParityOf(parts[1]);
    const std::optional<int> dataBits = Convert::ToInteger(parts[2], 5, 8);
    const std::optional<QSerialPort::StopBits> stopBits = StopBitsOf(parts[3]);
    if (!baud || !parity || !dataBits || !stopBits)
        return false;
    return port.setBaudRate(*baud) && port.setParity(*parity)
        && port.setDataBits(static_cast<QSerialPort::DataBits>(*dataBits)) && port.setStopBits(*stopBits);
}

bool SerialPort::SetOutBufferSize(qint64 bytes)
{
    if (port.isOpen() || bytes < 1)
        return false;
    outBufferSize = bytes;
    return true;
}

bool SerialPort::Open()
{
    if (port.isOpen() || portNumber == 0)
        return false;
    failed = false;
    if (!port.open(QIODevice::ReadWrite))
        return false;
    driver = std::make_unique<SerialDriver>(port.handle());
    {
        const std::lock_guard guard(sharedQueueModel.lock);
        queueModel = sharedQueueModel.model;
    }
    return true;
}

void SerialPort::Close()
{
    StopSending();
    driver.reset();
    if (!port.isOpen())
        return;
    // A byte the driver still holds is dropped: closing would wait until it
    // has gone, up to half a minute on a line that does not take it.
    port.clear(QSerialPort::Output);
    port.close();
}

bool SerialPort::IsOpen() const
{
    return port.isOpen();
}

bool SerialPort::Write(QByteArrayView bytes)
{
    if (!driver || failed || sending)
        return false;
    const qint64 queued = DriverQueued();
    if (queued < 0 || queued + bytes.size() > outBufferSize)
        return false;
    return DriverWrite(bytes) == bytes.size();
}

qint64 SerialPort::OutBufferCount()
{
    if (!driver || failed || sending)
        return -1;
    return DriverQueued();
}

QByteArray SerialPort::ReadAvailable()
{
    return port.isOpen() ? port.readAll() : QByteArray();
}

bool SerialPort::StartSending(QByteArray bytes)
{
    if (!driver || failed || sending)
        return false;
    StopSending(); // the thread of an earlier sending, ended but not yet joined
    sending = true;
    try {
        sender = std::jthread([this, bytes = std::move(bytes), characterTime = CharacterTime()](const std::stop_token &stop) {
            Pace(stop, bytes, characterTime);
            sending = false;
        });
    } catch (const std::system_error &) { // no thread to be had
        sending = false;
        return false;
    }
    return true;
}

void SerialPort::StopSending()
{
    if (sender.joinable()) {
        sender.request_stop();
        sender.join();
    }
    sending = false;
}

void SerialPort::Pace(const std::stop_token &stop, const QByteArray &bytes, std::chrono::nanoseconds characterTime)
{
    // The driver takes a byte at some moment during its write call and
    // holds it in its count for one character time at least. So the first
    // look comes one character time after the call began; while the count
    // still holds the byte, the looks follow every few microseconds for as
    // long as the call took (at most a quarter bit; after a longer call the
    // next look comes one character time after its end), so that the next
    // byte goes out as soon as the driver lets go, wherever in the call its
    // clock started. After that they come further apart, up to every bit time,
    // whatever count the driver reports: a USB modem-class adapter reports
    // whole packets (up to 1280 bytes) while a single byte is on its way,
    // which says nothing about how long it takes. A driver that holds a byte
    // ten times as long as the line needs is stalled rather than slow; it is
    // looked at once a character time.
    const auto bitTime = characterTime / 10;
    const auto closeLook = bitTime / 50;
    const auto closeWindow = bitTime / 4;
    const auto stalled = characterTime * 10;
    SerialDriver::PrepareSendingThread();
    EarlyAlarm alarm(*driver, characterTime / 2, closeWindow);
    // Reported on the port's thread; the report of a byte waits until the
    // next one is on its way, so that the line does not wait for it.
    const auto report = [this](qsizetype count) {
        QMetaObject::invokeMethod(this, [this, count] { emit Sent(count); }, Qt::QueuedConnection);
    };
    qsizetype sent = 0;
    while (sent < bytes.size() && !stop.stop_requested() && !failed) {
        const Clock::time_point callStart = Clock::now();
        const qint64 taken = DriverWrite(bytes.sliced(sent, 1));
        if (taken < 0)
            return;
        const Clock::time_point callEnd = Clock::now();
        if (taken > 0 && sent > 0)
            report(sent);
        const Clock::time_point closeUntil = std::min(callEnd, callStart + closeWindow) + characterTime;
        Clock::time_point due = taken > 0 ? callStart + characterTime : callEnd + bitTime;
        auto step = bitTime / 8;
        for (;;) {
            alarm.SleepUntil(due);
            if (stop.stop_requested())
                return;
            const qint64 queued = DriverQueued();
            if (queued < 0)
                return;
            if (queued == 0)
                break;
            const Clock::time_point now = Clock::now();
            if (taken > 0 && now < closeUntil) {
                due = now + closeLook;
            } else if (taken > 0 && now < callEnd + characterTime) {
                due = callEnd + characterTime; // a long call: its end is what counts
            } else {
                due = now + (now - callStart < stalled ? step : characterTime);
                step = std::min(2 * step, bitTime);
            }
        }
        if (taken > 0 && ++sent == bytes.size())
            report(sent);
    }
}

std::chrono::nanoseconds SerialPort::CharacterTime() const
{
    // A start bit, the data bits, a parity bit if any, the stop bits; in
    // halves, for 1.5 stop bits.
    int halfBits = 2 * (1 + port.dataBits() + (port.parity() == QSerialPort::NoParity ? 0 : 1));
    switch (port.stopBits()) {
    case QSerialPort::OneAndHalfStop: halfBits += 3; break;
    case QSerialPort::TwoStop: halfBits += 4; break;
    default: halfBits += 2; break;
    }
    return std::chrono::nanoseconds(qint64(halfBits) * 500'000'000 / std::max(port.baudRate(), 1));
}

qint64 SerialPort::DriverWrite(QByteArrayView bytes)
{
    if (queueModel)
        queueModel.writeCall(bytes.size());
    const qint64 taken = driver->Write(bytes);
    if (taken < 0) {
        Fail(driver->Reason());
        return -1;
    }
    return taken;
}

qint64 SerialPort::DriverQueued()
{
    const qint64 queued = driver->Queued();
    if (queued < 0) {
        Fail(driver->Reason());
        return -1;
    }
    return queueModel ? queueModel.queued() : queued;
}

void SerialPort::Fail(const QString &reason)
{
    // A vanished device keeps reporting; one report is enough.
    if (failed.exchange(true))
        return;
    if (QThread::currentThread() == thread())
        emit Failed(reason);
    else
        QMetaObject::invokeMethod(this, [this, reason] { emit Failed(reason); }, Qt::QueuedConnection);
}
