// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Test support that only Linux has: file permissions that hold for root too,
// a device whose open blocks, the count of threads. The tests that use it
// are built for Linux only (tests/CMakeLists.txt).

#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

#include <atomic>
#include <thread>

// While it lives, file permission bits hold for this thread even when the
// tests run as root (as in CI): the overriding capabilities are set aside and
// given back at the end. Test with permissionsHold() before relying on it.
class RespectPermissions {
public:
    RespectPermissions();
    ~RespectPermissions();
    RespectPermissions(const RespectPermissions &) = delete;
    RespectPermissions &operator=(const RespectPermissions &) = delete;

    // Whether a folder without write permission really refuses a new file.
    bool permissionsHold() const;

private:
    bool restore = false;
    quint32 savedEffective[2] = {0, 0};
};

// Sets a file's or folder's permission bits for the lifetime of the object.
class TemporaryMode {
public:
    TemporaryMode(const QString &path, QFile::Permissions permissions);
    ~TemporaryMode();
    TemporaryMode(const TemporaryMode &) = delete;
    TemporaryMode &operator=(const TemporaryMode &) = delete;

private:
    QString path;
    QFile::Permissions previous;
};

// The threads of this process.
int ThreadCount();

// A device whose open() does not return while the object lives, as with a
// serial port whose driver waits for ever (a Bluetooth link that does not
// connect): a file system of its own (FUSE, served by a thread of this
// process) holds one file, and never answers a request to open it. Ending
// the object ends the file system; the opens still waiting then fail.
// Mounting it takes root: test isValid() first.
class BlockingDevice {
public:
    BlockingDevice();
    ~BlockingDevice();
    BlockingDevice(const BlockingDevice &) = delete;
    BlockingDevice &operator=(const BlockingDevice &) = delete;

    bool isValid() const { return mounted; }
    QString path() const { return mountPoint.filePath(QStringLiteral("port")); }
    // How many opens have come and wait.
    int waiting() const { return opens; }

private:
    void serve();

    QTemporaryDir mountPoint;
    int fuse = -1;
    int stop[2] = {-1, -1};
    bool mounted = false;
    std::atomic<int> opens = 0;
    std::thread server;
};
