// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures what the serial link costs: the paced sending of the 1290-byte
// frame to drivers of every kind (modelled on a pseudo-terminal) against
// the time the frame takes on the line, the processor time used meanwhile
// and while waiting for an answer that never comes, and a full probe of the
// 254 port numbers.
//
//   build/tools/transferbench [rounds]

#include "DriverQueue.h"
#include "PseudoTerminal.h"

#include "app/Init.h"
#include "terminal/COMPortsManage.h"
#include "terminal/SerialPort.h"
#include "terminal/frmRacePointsSend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr qsizetype FrameBytes = 1290;
// 10 bits a byte at 9600 baud.
constexpr double LineMs = FrameBytes * 10 * 1000.0 / 9600;

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

struct Round {
    qsizetype bytes = 0;
    double frameMs = 0, sendCpuShare = 0, waitWallMs = 0, waitCpuShare = 0;
};

// One transfer through a driver of this kind, to a terminal that confirms
// the frame or never answers.
Round Transfer(DriverQueue::Kind kind, bool answers)
{
    Round round;
    DriverQueue queue(kind);
    PseudoTerminal terminal;
    SerialPort::SetDeviceTable([&](int number) { return number == 1 ? terminal.serialPath() : QString(); });
    Init::SelectedCOMPort = QStringLiteral("1");

    // Sending: from the first byte at the terminal until the transfer knows
    // the last one gone. The reply wait: from then until the error message.
    QElapsedTimer wall;
    double cpuStart = 0, sendEndMs = 0, cpuSendEnd = 0;
    QObject::connect(&terminal, &PseudoTerminal::bytesReceived, [&] {
        if (round.bytes == 0) {
            wall.start();
            cpuStart = CpuMs();
        }
        round.bytes = terminal.received.size();
        if (answers && round.bytes == FrameBytes)
            terminal.write(">");
    });
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
    QObject::connect(&dialog.MSComm1, &SerialPort::Sent, &dialog, [&](qsizetype sent) {
        if (sent < FrameBytes)
            return;
        sendEndMs = wall.nsecsElapsed() / 1e6;
        cpuSendEnd = CpuMs();
        round.sendCpuShare = 100 * (cpuSendEnd - cpuStart) / sendEndMs;
    });
    if (dialog.Form_Load())
        dialog.exec();
    qApp->removeEventFilter(&watch);
    round.frameMs = std::chrono::duration<double, std::milli>(queue.frameTime()).count();
    return round;
}

// From the start of a search until every port has answered.
double ProbeMs(int rounds)
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
    const int rounds = std::max(1, argc > 1 ? QByteArray(argv[1]).toInt() : 5);

    QTemporaryDir work;
    QDir::setCurrent(work.path());
    Init::InitProgram(); // no catalogue: the texts stay empty, which costs nothing here

    const struct {
        DriverQueue::Kind kind;
        const char *name;
    } drivers[] = {
        {DriverQueue::Kind::ExactUart, "UART, exact count"},
        {DriverQueue::Kind::Fifo16550, "UART with 16-byte FIFO (16550)"},
        {DriverQueue::Kind::UsbAcm8, "USB modem-class, count 160"},
        {DriverQueue::Kind::UsbAcm64, "USB modem-class, count 1280"},
    };
    // Other programs that keep the processor busy delay the sending thread.
    QFile load(QStringLiteral("/proc/loadavg"));
    if (load.open(QIODevice::ReadOnly))
        std::printf("load average of this machine: %s\n", load.readLine(32).split(' ').value(0).constData());
    std::printf("frame of %lld bytes at 9600 baud, one byte at a time; the line takes %.0f ms (median of %d):\n\n",
                static_cast<long long>(FrameBytes), LineMs, rounds);
    std::printf("| driver | frame | against the line | CPU while sending |\n|---|---|---|---|\n");
    for (const auto &driver : drivers) {
        std::vector<double> frame, cpu;
        for (int i = 0; i < rounds; ++i) {
            const Round round = Transfer(driver.kind, true);
            if (round.bytes != FrameBytes) {
                std::printf("%s: only %lld bytes arrived\n", driver.name, static_cast<long long>(round.bytes));
                return 1;
            }
            frame.push_back(round.frameMs);
            cpu.push_back(round.sendCpuShare);
        }
        std::printf("| %s | %.0f ms | %.3f x | %.1f %% of one core |\n", driver.name, Median(frame),
                    Median(frame) / LineMs, Median(cpu));
    }
    std::printf("\naim: within 1.05 x the line, under 10 %% of one core\n");

    std::vector<double> waitWall, waitCpu;
    for (int i = 0; i < rounds; ++i) {
        const Round round = Transfer(DriverQueue::Kind::ExactUart, false);
        waitWall.push_back(round.waitWallMs);
        waitCpu.push_back(round.waitCpuShare);
    }
    std::printf("reply wait of a silent terminal: %.0f ms wall, %.2f %% of one core (aim: under 2 %%)\n",
                Median(waitWall), Median(waitCpu));

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
    return 0;
}
