// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QSerialPort>
#include <QString>
#include <QStringView>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <stop_token>
#include <thread>

class SerialDriver;

// The serial line as the program needs it: a port chosen by its COM number,
// line settings given as text ("9600,n,8,1"), and output counted down to the
// operating system driver, so that bytes go out one at a time, each once the
// previous one has really left. No handshaking of any kind.
//
// The port object lives on the window thread, which reads. A paced sending
// runs on a thread of its own that writes through the port's handle (see
// SerialDriver), because waits finer than the millisecond of Qt's timers
// are needed: a byte takes 1.04 ms at 9600 baud.
class SerialPort : public QObject {
    Q_OBJECT

public:
    using Clock = std::chrono::steady_clock;

    // The device behind a COM number, "" when the number names none.
    using DeviceTable = std::function<QString(int number)>;
    // Plays a real driver's output queue count where none can be had (a
    // pseudo-terminal's count is always 0); tests and the benchmark set one.
    // It is told of every write as the write call is made, and keeps its
    // own clock from there, as a driver does; it is asked in place of the
    // driver's count. Called on the thread that writes.
    struct QueueModel {
        std::function<void(qint64 bytes)> writeCall;
        std::function<qint64()> queued;
        explicit operator bool() const { return writeCall && queued; }
    };

    // Windows: COM n is the system's COMn. Linux: COM 1-32 are /dev/ttyS0-31,
    // 33-64 /dev/ttyUSB0-31, 65-96 /dev/ttyACM0-31; higher numbers name none.
    static QString StandardDevice(int number);
    // The table in use; the standard one unless another has been set (tests
    // let pseudo-terminals play COM ports). An empty function restores it.
    static QString DeviceName(int number);
    static void SetDeviceTable(DeviceTable table);
    // Whether the device of a number is there at all, without opening it.
    static bool DeviceExists(int number);
    // Takes the place of the driver's own count for ports opened afterwards;
    // an empty function restores it.
    static void SetQueueModel(QueueModel model);

    explicit SerialPort(QObject *parent = nullptr);
    ~SerialPort() override;

    // Each setter fails (false) for a value the port cannot take, and while
    // the port is open.
    bool SetPortNumber(int number);
    bool SetSettings(QStringView settings);
    bool SetOutBufferSize(qint64 bytes);

    bool Open();
    void Close();
    // Why the last Open failed, as Qt sorts it, and in the system's words.
    QSerialPort::SerialPortError Error() const { return port.error(); }
    QString ErrorString() const { return port.errorString(); }
    bool IsOpen() const;

    // Hands bytes to the driver; false when the port is closed, failed or
    // sending, or the output buffer cannot take them.
    bool Write(QByteArrayView bytes);
    // Bytes written but not yet sent, as the driver counts them. -1 when the
    // port is closed, failed or sending.
    qint64 OutBufferCount();
    // What has arrived and not been read yet, oldest first; never waits.
    QByteArray ReadAvailable();

    qint32 BaudRate() const { return port.baudRate(); }

    // Sends the bytes on a thread of its own, one at a time: each goes out
    // once the driver reports the previous one gone, checked first one
    // character time after its write call began, then closely for as long
    // as the call took, then at growing steps up to a bit time. Returns at
    // once; false when the port is closed, failed or already sending. Sent
    // reports the progress, Failed a failure, which ends the sending.
    bool StartSending(QByteArray bytes);
    // Ends a sending at its next wait and returns once its thread has ended
    // (within a character time). Closing the port does this first.
    void StopSending();

signals:
    // The first `count` bytes of a sending have left: the driver reported
    // its queue empty after the last of them. Like every signal of the port,
    // it is emitted on the port's own thread, whichever thread noticed.
    void Sent(qsizetype count);
    void DataArrived();
    // The port failed while open (device gone, input/output error), with the
    // system's reason; once per opening. The port stays open until the owner
    // closes it.
    void Failed(const QString &reason);

private:
    void Pace(const std::stop_token &stop, const QByteArray &bytes, std::chrono::nanoseconds characterTime);
    std::chrono::nanoseconds CharacterTime() const;
    qint64 DriverWrite(QByteArrayView bytes);
    qint64 DriverQueued();
    void Fail(const QString &reason);

    QSerialPort port;
    int portNumber = 0;
    qint64 outBufferSize = 8192;
    // Used by one thread at a time: the sending thread while `sending`,
    // otherwise the owner's.
    std::unique_ptr<SerialDriver> driver;
    QueueModel queueModel;
    std::atomic<bool> failed = false;
    std::atomic<bool> sending = false;
    std::jthread sender;
};
