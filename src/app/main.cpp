// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DeferredIcons.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "app/frmMain.h"
#include "terminal/COMPortsManage.h"

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLocale>
#include <QPixmap>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#ifdef Q_OS_LINUX
#include <dlfcn.h>
#include <system_error>
#include <thread>
#endif

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

namespace {

#ifdef Q_OS_LINUX
// The window's first text needs fontconfig, which first reads its whole
// configuration: a good third of the start-up's work. A thread of its own
// does that at once, beside the connection to the display and the window
// icon; the window waits for it before it asks for its first font, so that
// the two never read the configuration both.
class FontconfigStart {
public:
    FontconfigStart()
    {
        // Qt's own library for it is loaded with Qt: no link of ours needed.
        if (auto *init = reinterpret_cast<int (*)()>(::dlsym(RTLD_DEFAULT, "FcInit"))) {
            try {
                thread = std::thread(init);
            } catch (const std::system_error &) { // no thread: Qt reads it when it needs it
            }
        }
    }
    ~FontconfigStart() { Wait(); }
    FontconfigStart(const FontconfigStart &) = delete;
    FontconfigStart &operator=(const FontconfigStart &) = delete;

    void Wait()
    {
        if (thread.joinable())
            thread.join();
    }

private:
    std::thread thread;
};
#endif

// Read as the PNG it is: told only a file name, the image reader would
// first load every image format plugin to ask whether it knows the file.
QImage WindowIcon()
{
    QImageReader reader(QStringLiteral(":/racepoints.png"), "png");
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

// The window icon is read and handed to the window system a moment after
// the first window (the main window, or a message of the start-up) has been
// painted: the paint does not need it. Windows shows the program's own icon
// in the meantime, and most Linux desktops the icon of racepoints.desktop.
class IconAfterFirstPaint : public QObject {
public:
    explicit IconAfterFirstPaint(QObject *parent) : QObject(parent)
    {
        later.setSingleShot(true);
        // Long enough for the event loop to have finished the paint and
        // what came with it, short enough to go unnoticed.
        later.setInterval(100);
        connect(&later, &QTimer::timeout, this, [this] {
            QApplication::setWindowIcon(QIcon(QPixmap::fromImage(WindowIcon())));
            deleteLater();
        });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType()
            && static_cast<QWindow *>(watched)->isExposed()) {
            qApp->removeEventFilter(this);
            later.start();
        }
        return false;
    }

private:
    QTimer later;
};

} // namespace

int main(int argc, char *argv[])
{
#ifdef Q_OS_LINUX
    FontconfigStart fonts;
#endif
    QApplication app(argc, argv);
    // Around the style the application chose (the desktop's, or -style).
    QApplication::setStyle(new DeferredIconsStyle(QApplication::style()));
    Texte::LoadQtTranslations(QLocale::system());
    // Lets the desktop match the window to racepoints.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("racepoints"));
    qApp->installEventFilter(new IconAfterFirstPaint(qApp));
#ifdef Q_OS_LINUX
    fonts.Wait();
#endif
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
