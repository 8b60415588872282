// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QtGlobal>
#include <QString>

#include <chrono>
#include <memory>

// What the serial component asks of the operating system directly, past Qt:
// handing bytes to the driver through the port's own handle, the count of
// bytes the driver still holds for output, and a sleep much finer than a
// millisecond. This lets a thread of its own pace the output while the port
// object (which is not thread-safe) keeps reading on the window thread.
// One implementation per platform, in SerialDriver.cpp.
//
// One object per open port; one thread at a time may use it.
class SerialDriver {
public:
    using Clock = std::chrono::steady_clock;
    // What QSerialPort::handle() returns.
#ifdef Q_OS_WIN
    using Handle = Qt::HANDLE;
#else
    using Handle = int;
#endif

    explicit SerialDriver(Handle handle);
    ~SerialDriver();
    SerialDriver(const SerialDriver &) = delete;
    SerialDriver &operator=(const SerialDriver &) = delete;

    // Hands the bytes to the driver: how many it took (0 when its queue is
    // full), or -1 when the port failed (Reason() says why).
    qint64 Write(QByteArrayView bytes);
    // The bytes the driver still holds for output (a write it has not
    // finished taking included), or -1 when the port failed.
    qint64 Queued();
    // Sleeps until then, to within some microseconds.
    void SleepUntil(Clock::time_point then);
    // Asks the system to wake the calling thread on time, also while other
    // programs keep the processor busy; for the thread that sleeps here.
    static void PrepareSendingThread();

    // The system's words for the last failure.
    QString Reason() const { return reason; }

private:
    Handle handle;
    QString reason;
#ifdef Q_OS_WIN
    // The write in progress: its OVERLAPPED and event (see Write).
    struct Overlapped;
    std::unique_ptr<Overlapped> write;
    Qt::HANDLE timer = nullptr;
    bool fineTick = false; // asked the system for a 1 ms timer tick
#endif
};
