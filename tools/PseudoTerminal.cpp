// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "PseudoTerminal.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

PseudoTerminal::PseudoTerminal(QObject *parent) : QObject(parent)
{
    char name[256] = {};
    if (::openpty(&master, &slave, name, nullptr, nullptr) == -1) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        master = slave = -1;
        return;
    }
    path = QString::fromLocal8Bit(name);
    // A serial line carries bytes unchanged: no echo, no line editing, no
    // CR/LF translation, on either end.
    for (int fd : {master, slave}) {
        termios settings{};
        ::tcgetattr(fd, &settings);
        ::cfmakeraw(&settings);
        ::tcsetattr(fd, TCSANOW, &settings);
    }
    ::fcntl(master, F_SETFL, ::fcntl(master, F_GETFL) | O_NONBLOCK);
    notifier = new QSocketNotifier(master, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &PseudoTerminal::readMaster);
}

PseudoTerminal::~PseudoTerminal()
{
    vanish();
}

bool PseudoTerminal::write(QByteArrayView bytes)
{
    qsizetype done = 0;
    while (master != -1 && done < bytes.size()) {
        const ssize_t n = ::write(master, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return master != -1;
}

void PseudoTerminal::vanish()
{
    delete notifier;
    notifier = nullptr;
    for (int *fd : {&master, &slave}) {
        if (*fd != -1)
            ::close(*fd);
        *fd = -1;
    }
}

void PseudoTerminal::readMaster()
{
    char buffer[4096];
    bool any = false;
    for (;;) {
        const ssize_t n = ::read(master, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, n);
            any = true;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EAGAIN: all read. Anything else would repeat endlessly.
        if (n == 0 || errno != EAGAIN)
            notifier->setEnabled(false);
        break;
    }
    if (any)
        emit bytesReceived();
}
