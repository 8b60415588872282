// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A stand-in for the club's timing terminal, to try a transfer without one.
//
// It opens a pseudo-terminal, prints the device of its serial end (and links
// it under a name of your choice, such as /dev/ttyUSB0, which the program
// lists as COM 33), receives each frame, checks it, prints the race points
// it carries and answers as told. It says when a frame begins and how long
// it took, and can keep the bytes of every frame in a file.

#include "PseudoTerminal.h"

#include "racepoints/Cp1252.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int BlockLength = 13;
constexpr int HeaderLength = 2 + 80 * BlockLength;
constexpr int MaxRecords = 99;
// At 9600 baud a byte follows the last within about a millisecond; this
// much silence ends a frame.
constexpr int FrameGapMs = 150;

char linkPath[4096];

void RemoveLinkAndExit(int)
{
    if (linkPath[0])
        ::unlink(linkPath);
    ::_exit(0);
}

// What is wrong with a frame, or "" when it is sound.
QString CheckFrame(const QByteArray &frame)
{
    if (frame.size() < HeaderLength + 1)
        return QStringLiteral("only %1 bytes, at least %2 expected").arg(frame.size()).arg(HeaderLength + 1);
    if (frame[0] != '>')
        return QStringLiteral("byte 0 is 0x%1, not the start byte '>'").arg(uchar(frame[0]), 2, 16, QChar(u'0'));
    if (frame[1] != '8')
        return QStringLiteral("byte 1 is 0x%1, not '8'").arg(uchar(frame[1]), 2, 16, QChar(u'0'));
    for (int i = 2; i < HeaderLength; ++i) {
        if (frame[i] != ' ')
            return QStringLiteral("byte %1 is 0x%2, not a space of the 80 blank blocks").arg(i).arg(uchar(frame[i]), 2, 16, QChar(u'0'));
    }
    const qsizetype blocks = frame.size() - HeaderLength - 1;
    if (blocks % BlockLength != 0)
        return QStringLiteral("%1 bytes of names, not a whole number of 13-byte blocks").arg(blocks);
    if (blocks / BlockLength > MaxRecords)
        return QStringLiteral("%1 name blocks, at most %2 expected").arg(blocks / BlockLength).arg(MaxRecords);
    if (frame.back() != '>')
        return QStringLiteral("last byte is 0x%1, not the end byte '>'").arg(uchar(frame.back()), 2, 16, QChar(u'0'));
    return QString();
}

void Print(const QString &line)
{
    std::printf("%s\n", line.toLocal8Bit().constData());
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("termsim"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Timing terminal simulator on a pseudo-terminal."));
    parser.addHelpOption();
    const QCommandLineOption linkOption(QStringLiteral("link"), QStringLiteral("Also make the serial end available as <path> (a symbolic link), e.g. /dev/ttyUSB0 for COM 33."), QStringLiteral("path"));
    const QCommandLineOption replyOption(QStringLiteral("reply"), QStringLiteral("Answer <text> instead of \">\"."), QStringLiteral("text"), QStringLiteral(">"));
    const QCommandLineOption silentOption(QStringLiteral("silent"), QStringLiteral("Do not answer at all."));
    const QCommandLineOption delayOption(QStringLiteral("delay"), QStringLiteral("Answer <ms> milliseconds after the frame."), QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption onceOption(QStringLiteral("once"), QStringLiteral("End after the first frame."));
    const QCommandLineOption recordOption(QStringLiteral("record"), QStringLiteral("Append the bytes of every frame to <file>."), QStringLiteral("file"));
    parser.addOptions({linkOption, replyOption, silentOption, delayOption, onceOption, recordOption});
    parser.process(app);

    bool delayOk = false;
    const int delay = parser.value(delayOption).toInt(&delayOk);
    if (!delayOk || delay < 0)
        parser.showHelp(1);
    const QByteArray reply = parser.isSet(silentOption) ? QByteArray() : parser.value(replyOption).toLatin1();

    PseudoTerminal line;
    if (!line.isOpen()) {
        Print(QStringLiteral("termsim: cannot open a pseudo-terminal: ") + line.errorString());
        return 1;
    }
    Print(QStringLiteral("termsim: serial end %1").arg(line.serialPath()));

    if (parser.isSet(linkOption)) {
        const QString link = parser.value(linkOption);
        const QFileInfo existing(link);
        if (existing.exists() && !existing.isSymLink()) {
            Print(QStringLiteral("termsim: %1 exists and is no symbolic link; left alone").arg(link));
            return 1;
        }
        QFile::remove(link);
        if (!QFile::link(line.serialPath(), link)) {
            Print(QStringLiteral("termsim: cannot link %1").arg(link));
            return 1;
        }
        std::strncpy(linkPath, QFile::encodeName(link).constData(), sizeof linkPath - 1);
        Print(QStringLiteral("termsim: linked as %1").arg(link));
    }
    std::signal(SIGINT, RemoveLinkAndExit);
    std::signal(SIGTERM, RemoveLinkAndExit);
    std::signal(SIGHUP, RemoveLinkAndExit);

    QFile record(parser.value(recordOption));
    if (parser.isSet(recordOption) && !record.open(QIODevice::WriteOnly | QIODevice::Append)) {
        Print(QStringLiteral("termsim: cannot write %1").arg(record.fileName()));
        return 1;
    }

    QTimer frameEnd;
    frameEnd.setSingleShot(true);
    frameEnd.setInterval(FrameGapMs);
    QElapsedTimer sinceFirstByte;
    qint64 lastByteMs = 0;
    QObject::connect(&line, &PseudoTerminal::bytesReceived, &frameEnd, [&] {
        if (!frameEnd.isActive()) {
            sinceFirstByte.start();
            Print(QStringLiteral("termsim: receiving a frame"));
        }
        lastByteMs = sinceFirstByte.elapsed();
        frameEnd.start();
    });
    QObject::connect(&frameEnd, &QTimer::timeout, &app, [&] {
        const QByteArray frame = line.received;
        line.received.clear();
        if (record.isOpen()) {
            record.write(frame);
            record.flush();
        }
        const QString error = CheckFrame(frame);
        if (!error.isEmpty()) {
            Print(QStringLiteral("termsim: frame of %1 bytes rejected: %2; no answer").arg(frame.size()).arg(error));
        } else {
            const qsizetype records = (frame.size() - HeaderLength - 1) / BlockLength;
            Print(QStringLiteral("termsim: frame of %1 bytes, %2 race points, in %3 ms").arg(frame.size()).arg(records).arg(lastByteMs));
            for (qsizetype k = 0; k < records; ++k)
                Print(QStringLiteral("  %1  %2").arg(80 + k).arg(Cp1252::Decode(frame.mid(HeaderLength + k * BlockLength, BlockLength))));
            if (reply.isEmpty()) {
                Print(QStringLiteral("termsim: staying silent"));
            } else {
                QTimer::singleShot(delay, &line, [&line, reply, delay] {
                    line.write(reply);
                    Print(QStringLiteral("termsim: answered \"%1\"%2").arg(QString::fromLatin1(reply), delay ? QStringLiteral(" after %1 ms").arg(delay) : QString()));
                });
            }
        }
        if (parser.isSet(onceOption))
            QTimer::singleShot(delay + 100, &app, [] { RemoveLinkAndExit(0); });
    });
    return app.exec();
}
