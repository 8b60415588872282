// Measures what the serial link costs: the paced sending of the 1290-byte
// frame over a pseudo-terminal, the processor time spent waiting for an
// answer that never comes, and a full probe of the 254 port numbers.
//
//   build/transferbench [rounds]

#include "PseudoTerminal.h"

#include "app/Init.h"
#include "terminal/COMPortsManage.h"
#include "terminal/SerialPort.h"
#include "terminal/frmRacePointsSend.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

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
    double sendWallMs = 0, sendCpuMs = 0, waitWallMs = 0, waitCpuMs = 0;
    qsizetype bytes = 0;
};

// One transfer to a terminal that takes the frame and never answers.
Round Transfer()
{
    Round round;
    PseudoTerminal terminal;
    SerialPort::SetDeviceTable([&](int number) { return number == 1 ? terminal.serialPath() : QString(); });
    Init::SelectedCOMPort = QStringLiteral("1");

    QElapsedTimer wall;
    double cpuStart = 0, wallEnd = 0, cpuEnd = 0;
    QObject::connect(&terminal, &PseudoTerminal::bytesReceived, [&] {
        if (round.bytes == 0) {
            wall.start();
            cpuStart = CpuMs();
        }
        round.bytes = terminal.received.size();
        if (round.bytes == 1290) {
            wallEnd = wall.nsecsElapsed() / 1e6;
            cpuEnd = CpuMs();
            round.sendWallMs = wallEnd;
            round.sendCpuMs = cpuEnd - cpuStart;
        }
    });
    // The unanswered frame ends in the error message; its showing marks the
    // end of the reply wait.
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
        round.waitWallMs = wall.nsecsElapsed() / 1e6 - wallEnd;
        round.waitCpuMs = CpuMs() - cpuEnd;
        QTimer::singleShot(0, [] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
                box->button(QMessageBox::Ok)->click();
        });
    };
    qApp->installEventFilter(&watch);

    frmRacePointsSend dialog;
    if (dialog.Form_Load())
        dialog.exec();
    qApp->removeEventFilter(&watch);
    return round;
}

double ProbeMs(int rounds)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        COMPortsManage::SearchCOMPorts();
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

    std::vector<double> sendWall, sendCpu, waitCpuShare, waitWall;
    for (int i = 0; i < rounds; ++i) {
        const Round round = Transfer();
        if (round.bytes != 1290) {
            std::printf("transfer %d: only %lld bytes arrived\n", i + 1, static_cast<long long>(round.bytes));
            return 1;
        }
        sendWall.push_back(round.sendWallMs);
        sendCpu.push_back(round.sendCpuMs);
        waitWall.push_back(round.waitWallMs);
        waitCpuShare.push_back(100.0 * round.waitCpuMs / round.waitWallMs);
    }
    std::printf("frame of 1290 bytes, one byte at a time, over a pseudo-terminal (median of %d):\n", rounds);
    std::printf("  sending:    %.1f ms wall, %.1f ms CPU (%.1f us a byte; aim: under 50 ms wall)\n",
                Median(sendWall), Median(sendCpu), 1000 * Median(sendWall) / 1290);
    std::printf("  reply wait: %.0f ms wall, %.2f %% of one core (aim: under 2 %%)\n",
                Median(waitWall), Median(waitCpuShare));

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
