// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinuxTestSupport.h"

#include <QTemporaryDir>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// Without these, root reads and writes whatever the permission bits say.
constexpr quint32 OverridingCapabilities =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool Capabilities(__user_cap_data_struct (&data)[2], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

} // namespace

RespectPermissions::RespectPermissions()
{
    __user_cap_data_struct data[2] = {};
    if (geteuid() != 0 || !Capabilities(data, false))
        return;
    savedEffective[0] = data[0].effective;
    savedEffective[1] = data[1].effective;
    data[0].effective &= ~OverridingCapabilities;
    restore = Capabilities(data, true);
}

RespectPermissions::~RespectPermissions()
{
    __user_cap_data_struct data[2] = {};
    if (!restore || !Capabilities(data, false))
        return;
    data[0].effective = savedEffective[0];
    data[1].effective = savedEffective[1];
    Capabilities(data, true);
}

bool RespectPermissions::permissionsHold() const
{
    QTemporaryDir probe;
    if (!probe.isValid())
        return false;
    TemporaryMode readOnly(probe.path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile file(probe.filePath(QStringLiteral("probe")));
    return !file.open(QIODevice::WriteOnly);
}

TemporaryMode::TemporaryMode(const QString &path, QFile::Permissions permissions)
    : path(path), previous(QFile::permissions(path))
{
    QFile::setPermissions(path, permissions);
}

TemporaryMode::~TemporaryMode()
{
    QFile::setPermissions(path, previous);
}
