// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal/SerialDriver.h"

#include <algorithm>

#ifdef Q_OS_WIN

#ifndef NOMINMAX // Qt's headers may have set it already
#define NOMINMAX
#endif
#include <windows.h>
#include <timeapi.h>

// Older MinGW-w64 headers lack it; Windows 10 has understood it since 1803.
#ifndef CREATE_WAITABLE_TIMER_HIGH_RESOLUTION
#define CREATE_WAITABLE_TIMER_HIGH_RESOLUTION 0x00000002
#endif

struct SerialDriver::Overlapped {
    OVERLAPPED overlapped{};
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    bool active = false;
};

SerialDriver::SerialDriver(Handle handle) : handle(handle), write(std::make_unique<Overlapped>())
{
    // Without its event no write can be waited for: every write fails.
    if (!write->event)
        reason = qt_error_string(int(GetLastError()));
    // A high-resolution timer wakes within microseconds; a plain one (the
    // fallback, before Windows 10 1803) only at the system's timer tick,
    // every 15.6 ms unless a program asks for 1 ms, which would make each
    // byte of a frame wait 15 times its time on the line. So this one asks,
    // for as long as the port is open.
    timer = CreateWaitableTimerExW(nullptr, nullptr, CREATE_WAITABLE_TIMER_HIGH_RESOLUTION, TIMER_ALL_ACCESS);
    if (!timer) {
        timer = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        fineTick = timeBeginPeriod(1) == TIMERR_NOERROR;
    }
}

SerialDriver::~SerialDriver()
{
    if (write->active) {
        // The OVERLAPPED must outlive the write: drop what the driver still
        // holds, so that the wait is not for a byte the line does not take,
        // cancel the write and wait until the driver has let go of it.
        PurgeComm(handle, PURGE_TXABORT | PURGE_TXCLEAR);
        CancelIoEx(handle, &write->overlapped);
        DWORD done = 0;
        GetOverlappedResult(handle, &write->overlapped, &done, TRUE);
    }
    if (write->event)
        CloseHandle(write->event);
    if (timer)
        CloseHandle(timer);
    if (fineTick)
        timeEndPeriod(1);
}

qint64 SerialDriver::Write(QByteArrayView bytes)
{
    if (!write->event)
        return -1; // the reason was noted when it could not be made
    if (write->active) {
        const qint64 queued = Queued();
        if (queued < 0)
            return -1;
        if (write->active)
            return 0; // the driver is still taking the last write
    }
    // Qt opened the handle for overlapped I/O and reads it through an I/O
    // completion port of its own. An event handle with its lowest bit set
    // keeps this write's completion out of that port.
    write->overlapped = OVERLAPPED{};
    write->overlapped.hEvent = reinterpret_cast<HANDLE>(reinterpret_cast<ULONG_PTR>(write->event) | 1);
    if (!WriteFile(handle, bytes.data(), DWORD(bytes.size()), nullptr, &write->overlapped)
        && GetLastError() != ERROR_IO_PENDING) {
        reason = qt_error_string(int(GetLastError()));
        return -1;
    }
    write->active = true;
    return bytes.size();
}

qint64 SerialDriver::Queued()
{
    if (write->active) {
        DWORD done = 0;
        if (GetOverlappedResult(handle, &write->overlapped, &done, FALSE)) {
            write->active = false;
        } else if (GetLastError() != ERROR_IO_INCOMPLETE) {
            write->active = false;
            reason = qt_error_string(int(GetLastError()));
            return -1;
        }
    }
    DWORD errors = 0;
    COMSTAT status{};
    if (!ClearCommError(handle, &errors, &status)) {
        reason = qt_error_string(int(GetLastError()));
        return -1;
    }
    // A write still in progress holds at least its byte, whatever the driver
    // counts.
    return write->active ? std::max<qint64>(status.cbOutQue, 1) : qint64(status.cbOutQue);
}

void SerialDriver::PrepareSendingThread()
{
    // The thread sleeps nearly all the time; when it wakes, a byte is due.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
}

void SerialDriver::SleepUntil(Clock::time_point then)
{
    const auto wait = std::chrono::duration_cast<std::chrono::nanoseconds>(then - Clock::now()).count();
    if (wait <= 0)
        return;
    LARGE_INTEGER due;
    due.QuadPart = -std::max<LONGLONG>(wait / 100, 1); // relative, in units of 100 ns
    if (timer && SetWaitableTimer(timer, &due, 0, nullptr, nullptr, FALSE))
        WaitForSingleObject(timer, INFINITE);
    else
        Sleep(1);
}

#else

#include <cerrno>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#ifdef Q_OS_LINUX
#include <sched.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#endif

SerialDriver::SerialDriver(Handle handle) : handle(handle) {}

SerialDriver::~SerialDriver() = default;

qint64 SerialDriver::Write(QByteArrayView bytes)
{
    for (;;) {
        // The port is open non-blocking: a full queue refuses at once.
        const ssize_t written = ::write(handle, bytes.data(), size_t(bytes.size()));
        if (written >= 0)
            return written;
        if (errno == EAGAIN)
            return 0;
        if (errno != EINTR) {
            reason = qt_error_string(errno);
            return -1;
        }
    }
}

qint64 SerialDriver::Queued()
{
    int queued = 0;
    if (::ioctl(handle, TIOCOUTQ, &queued) == -1) {
        reason = qt_error_string(errno);
        return -1;
    }
    return queued;
}

void SerialDriver::PrepareSendingThread()
{
#ifdef Q_OS_LINUX
    // Linux lets a thread's sleeps run up to 50 us late by default, which is
    // 5 % of a byte at 9600 baud; this thread asks for 1 us.
    ::prctl(PR_SET_TIMERSLACK, 1000UL);
    // A short time slice lets the thread take the processor from a busy
    // program when it wakes, instead of waiting its turn for milliseconds
    // (Linux 6.12 and later; older kernels ignore it). The niceness stays.
    // The layout is the kernel's first struct sched_attr, which the C
    // library does not declare.
    struct {
        quint32 size, policy;
        quint64 flags;
        qint32 nice;
        quint32 priority;
        quint64 runtime, deadline, period;
    } attributes{sizeof attributes, SCHED_OTHER, 0, ::getpriority(PRIO_PROCESS, 0), 0, 100'000, 0, 0};
    static_assert(sizeof attributes == 48);
    ::syscall(SYS_sched_setattr, 0, &attributes, 0);
#endif
}

void SerialDriver::SleepUntil(Clock::time_point then)
{
    std::this_thread::sleep_until(then);
}

#endif
