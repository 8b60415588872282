// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/MessageBox.h"
#include "app/Texte.h"
#include "app/frmMain.h"
#include "terminal/COMPortsManage.h"

#include <QApplication>
#include <QIcon>
#include <QLocale>
#include <QSocketNotifier>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {
bool terminated = false;
}

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int terminateSockets[2] = {-1, -1};

void OnTerminateSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(terminateSockets[1], &byte, 1);
}

// A request to end the program from outside (the session ending, `kill`,
// Ctrl+C in a terminal) closes the main window the way Exit does, so the
// program ends in order instead of being cut off. The signal handler only
// writes a byte; the window closes in the event loop.
void CloseOnTerminateSignal(QWidget &window)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, terminateSockets) != 0)
        return;
    auto *notifier = new QSocketNotifier(terminateSockets[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t drained = ::read(terminateSockets[0], &byte, 1);
        terminated = true;
        // Also closes a message of the start-up, which has the window as its
        // parent.
        window.close();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminateSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGINT, SIGHUP})
        sigaction(number, &action, nullptr);
}

} // namespace
#endif

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Texte::LoadQtTranslations(QLocale::system());
    // Lets the desktop match the window to racepoints.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("racepoints"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/racepoints.png")));
    auto window = std::make_unique<frmMain>();
#ifdef Q_OS_UNIX
    CloseOnTerminateSignal(*window);
#endif
    QString error, title;
    int status = 0;
    if (!window->Form_Load(&error, &title)) {
        if (!error.isEmpty()) {
            PrintError(error);
            if (QGuiApplication::platformName() != QLatin1String("offscreen"))
                ShowMessage(window.get(), QMessageBox::Critical, title, error);
        }
        status = 2;
    } else if (!terminated) { // by a signal while a message of the start-up was open
        window->show();
        status = QApplication::exec();
    }
    // Gone with the window: the lock on the working folder, so that the
    // program can start again at once.
    window.reset();
    if (COMPortsManage::ProbesAlive()) {
        // A port's driver has not let its open return. Nothing may wait for
        // it, nor tear down what it still uses: the process ends here, and
        // the system ends it as soon as it lets the open go. The lock file
        // that Qt made for that port names this process, which will be gone:
        // Qt counts such a lock as free.
        std::fflush(stdout);
        std::fflush(stderr);
        std::_Exit(status);
    }
    return status;
}
