// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Test support that only Linux has: file permissions that hold for root too.
// The tests that use it are built for Linux only (tests/CMakeLists.txt).

#include <QFile>
#include <QString>
#include <QtGlobal>

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
