// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures what the serial link costs: the paced sending of the 1290-byte
// frame to drivers of every kind (each modelled over the line to the
// terminal, its clock starting at the write call as in a driver) against
// the time the frame takes on the line, the processor time used meanwhile
// and while waiting for an answer that never comes, and a full probe of the
// 254 port numbers. The last line sums up against the aims.
//
//   build/tools/transferbench [rounds]
//   scripts/transferbench-windows [rounds]    (the Windows build, under Wine)

#include "BenchTerminal.h"
#include "DriverQueue.h"

#include "app/Init.h"
#include "terminal/COMPortsManage.h"
#include "terminal/SerialDriver.h"
#include "terminal/SerialPort.h"
#include "terminal/frmRacePointsSend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QScopeGuard>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <thread>
#include <vector>

namespace {

using BenchTerminal::FrameBytes;
// 10 bits a byte at 9600 baud.
constexpr double LineMs = FrameBytes * 10 * 1000.0 / 9600;
constexpr double AimRatio = 1.03;
constexpr double AimSendingCpu = 10;
constexpr double AimWaitCpu = 2;

double CpuMs()
{
    timespec now{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The machine's load; under Wine, Linux's files are on drive Z:.
QByteArray LoadAverage()
{
    for (const char *path : {"/proc/loadavg", "Z:/proc/loadavg"}) {
        QFile load(QString::fromLatin1(path));
        if (load.open(QIODevice::ReadOnly))
            return load.readLine(64).trimmed();
    }
    return "?";
}

struct Round {
    bool confirmed = false;
    double frameMs = 0, idleUs = 0, sendCpuShare = 0, waitWallMs = 0, waitCpuShare = 0;
};

// One transfer through a driver of this kind, to a terminal that confirms
// the frame or never answers.
Round Transfer(DriverQueue::Kind kind, bool answers)
{
    Round round;
    DriverQueue queue(kind);
    QObject farEnd;
    const QString device = BenchTerminal::Make(answers, farEnd);
    SerialPort::SetDeviceTable([&](int number) { return number == 1 ? device : QString(); });
    Init::SelectedCOMPort = QStringLiteral("1");

    // Sending: from the start of the sending until the transfer knows the
    // last byte gone. The reply wait: from then until the error message.
    QElapsedTimer wall;
    double cpuStart = 0, sendEndMs = 0, cpuSendEnd = 0;
    struct MessageWatch : QObject {
        std::function<void()> onShow;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Show && qobject_cast<QMessageBox *>(watched))
                onShow();
            return false;
        }
    } watch;
    watch.onShow = [&] {
        round.waitWallMs = wall.nsecsElapsed() / 1e6 - sendEndMs;
        round.waitCpuShare = 100 * (CpuMs() - cpuSendEnd) / round.waitWallMs;
        QTimer::singleShot(0, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
    };
    qApp->installEventFilter(&watch);

    frmRacePointsSend dialog;
    // After the dialog's own handler, which has started the sending.
    QObject::connect(&dialog.Timer2, &QTimer::timeout, [&] {
        wall.start();
        cpuStart = CpuMs();
    });
    QObject::connect(&dialog.MSComm1, &SerialPort::Sent, &dialog, [&](qsizetype sent) {
        if (sent < FrameBytes)
            return;
        sendEndMs = wall.nsecsElapsed() / 1e6;
        cpuSendEnd = CpuMs();
        round.sendCpuShare = 100 * (cpuSendEnd - cpuStart) / sendEndMs;
    });
    if (dialog.Form_Load())
        round.confirmed = dialog.exec() == QDialog::Accepted;
    qApp->removeEventFilter(&watch);
    round.frameMs = std::chrono::duration<double, std::milli>(queue.frameTime()).count();
    std::vector<double> idle;
    for (const std::chrono::nanoseconds gap : queue.lineIdle())
        idle.push_back(gap.count() / 1e3);
    round.idleUs = Median(idle);
    return round;
}

// How long a sleep of the sending thread lasts, asked for `wait`: what the
// system's timers give the pacing.
double SleepUs(std::chrono::microseconds wait)
{
    std::vector<double> lasted;
    std::thread([&] {
        SerialDriver::PrepareSendingThread();
        SerialDriver driver{SerialDriver::Handle{}}; // no port: only its timer is used
        for (int i = 0; i < 200; ++i) {
            const SerialDriver::Clock::time_point start = SerialDriver::Clock::now();
            driver.SleepUntil(start + wait);
            lasted.push_back(std::chrono::duration<double, std::micro>(SerialDriver::Clock::now() - start).count());
        }
    }).join();
    return Median(lasted);
}

// From the start of a search until every port has answered.
[[maybe_unused]] double ProbeMs(int rounds)
{
    COMPortsManage::PortSearch search;
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        search.SearchCOMPorts();
        while (!search.IsSettled())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Each line as it comes, also through a pipe (Windows buffers it whole).
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int rounds = std::max(1, argc > 1 ? QByteArray(argv[1]).toInt() : 5);
    if (!BenchTerminal::Configure(QApplication::arguments().mid(2))) {
        std::printf("usage: transferbench [rounds%s]\n", BenchTerminal::Arguments);
        return 2;
    }

    QTemporaryDir work;
    const QString started = QDir::currentPath();
    QDir::setCurrent(work.path());
    // Windows removes no folder that is in use.
    const auto leave = qScopeGuard([&] { QDir::setCurrent(started); });
    Init::InitProgram(); // no catalogue: the texts stay empty, which costs nothing here

    const struct {
        DriverQueue::Kind kind;
        const char *name;
    } drivers[] = {
        {DriverQueue::Kind::ExactUart, "UART, count holds each byte to its last bit"},
        {DriverQueue::Kind::Fifo16550, "UART with 16-byte FIFO (16550)"},
        {DriverQueue::Kind::UsbAcm8, "USB modem-class, count 160 in flight"},
        {DriverQueue::Kind::UsbAcm64, "USB modem-class, count 1280 in flight"},
    };
    // Other programs that keep the processor busy delay the sending thread.
    const QByteArray loadAverage = LoadAverage();
    std::printf("system: %s\n", qPrintable(QSysInfo::prettyProductName()));
    std::printf("load average of this machine (1, 5, 15 min, ...): %s\n", loadAverage.constData());
    std::printf("frame of %lld bytes at 9600 baud, one byte at a time; the line takes %.0f ms (median of %d).\n"
                "Driver models: each byte's clock starts at its write call, on the model's own clock; the line's\n"
                "idle time before a byte is what the pacing added (its median leaves out the odd late wake).\n\n",
                static_cast<long long>(FrameBytes), LineMs, rounds);
    std::printf("| driver model | frame | against the line | line idle before a byte (median) "
                "| CPU while sending |\n|---|---|---|---|---|\n");
    double worstRatio = 0, worstCpu = 0;
    const char *worst = "";
    for (const auto &driver : drivers) {
        std::vector<double> frame, idle, cpu;
        for (int i = 0; i < rounds; ++i) {
            const Round round = Transfer(driver.kind, true);
            // The terminal confirms only a whole frame.
            if (!round.confirmed) {
                std::printf("%s: the terminal did not confirm the frame\n", driver.name);
                return 1;
            }
            frame.push_back(round.frameMs);
            idle.push_back(round.idleUs);
            cpu.push_back(round.sendCpuShare);
        }
        const double ratio = Median(frame) / LineMs;
        std::printf("| %s | %.0f ms | %.3f x | %.1f us | %.1f %% of one core |\n", driver.name, Median(frame), ratio,
                    Median(idle), Median(cpu));
        if (ratio > worstRatio) {
            worstRatio = ratio;
            worst = driver.name;
        }
        worstCpu = std::max(worstCpu, Median(cpu));
    }
    std::printf("\naim: within %.2f x the line, under %.0f %% of one core\n", AimRatio, AimSendingCpu);
    std::printf("the sending thread's sleep, asked for 100 / 500 / 1000 us, lasts %.0f / %.0f / %.0f us (median of 200)\n",
                SleepUs(std::chrono::microseconds(100)), SleepUs(std::chrono::microseconds(500)),
                SleepUs(std::chrono::microseconds(1000)));

    std::vector<double> waitWall, waitCpu;
    for (int i = 0; i < rounds; ++i) {
        const Round round = Transfer(DriverQueue::Kind::ExactUart, false);
        waitWall.push_back(round.waitWallMs);
        waitCpu.push_back(round.waitCpuShare);
    }
    std::printf("reply wait of a silent terminal: %.0f ms wall, %.2f %% of one core (aim: under %.0f %%)\n",
                Median(waitWall), Median(waitCpu), AimWaitCpu);

#ifndef Q_OS_WIN
    // The device files' probe. On Windows the system lists the ports; under
    // Wine a search here never settled, and its ports are not a PC's anyway.
    SerialPort::SetDeviceTable({});
    int present = 0;
    for (int number = 1; number <= COMPortsManage::HighestPort; ++number)
        present += SerialPort::DeviceExists(number);
    const double standard = ProbeMs(rounds * 4);
    std::printf("probe of ports 1 to 254 (median of %d):\n", rounds * 4);
    std::printf("  this machine's devices: %.2f ms (%d device nodes present, %d ports opened; aim: under 20 ms)\n",
                standard, present, int(COMPortsManage::COMPortCount));
    SerialPort::SetDeviceTable([](int number) { return QStringLiteral("/nonexistent/ttyS%1").arg(number); });
    std::printf("  no device at all:       %.2f ms\n", ProbeMs(rounds * 4));
#endif

    const bool met = worstRatio <= AimRatio && worstCpu < AimSendingCpu && Median(waitCpu) < AimWaitCpu;
    std::printf("SUMMARY transferbench: slowest driver model %.3f x the line (%s; target %.2f), CPU while sending "
                "up to %.1f %%, while waiting %.2f %% of one core: %s; load average %s\n",
                worstRatio, worst, AimRatio, worstCpu, Median(waitCpu), met ? "within target" : "OVER TARGET",
                loadAverage.split(' ').value(0).constData());
    return 0;
}
