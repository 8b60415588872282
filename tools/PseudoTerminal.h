// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

class QSocketNotifier;

// A pseudo-terminal pair standing in for a serial line: the program opens
// serialPath() like any serial device, and this object is the far end, where
// the timing terminal would be. Everything the program sends collects in
// received; write() answers. Used by the terminal simulator, the tests and
// the benchmark.
class PseudoTerminal : public QObject {
    Q_OBJECT

public:
    explicit PseudoTerminal(QObject *parent = nullptr);
    ~PseudoTerminal() override;

    bool isOpen() const { return master != -1; }
    QString errorString() const { return error; }
    // The serial end's device, such as /dev/pts/3.
    QString serialPath() const { return path; }

    bool write(QByteArrayView bytes);
    // Unplugs the line: the serial end's device disappears, and whoever
    // holds it open gets input/output errors from then on.
    void vanish();

    // Everything received from the serial end since creation (or since the
    // caller last cleared it).
    QByteArray received;

signals:
    void bytesReceived();

private:
    void readMaster();

    int master = -1;
    // Kept open, so that the far end never sees a hang-up when the program
    // closes the port, and the raw mode set here stays in force.
    int slave = -1;
    QString path;
    QString error;
    QSocketNotifier *notifier = nullptr;
};
