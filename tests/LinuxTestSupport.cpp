// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinuxTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/capability.h>
#include <linux/fuse.h>
#include <poll.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

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

int ThreadCount()
{
    return int(QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

namespace {

constexpr quint64 RootNode = FUSE_ROOT_ID, PortNode = 2;

fuse_attr Attributes(quint64 node)
{
    fuse_attr attributes{};
    attributes.ino = node;
    attributes.mode = node == RootNode ? S_IFDIR | 0755 : S_IFREG | 0666;
    attributes.nlink = node == RootNode ? 2 : 1;
    attributes.uid = getuid();
    attributes.gid = getgid();
    attributes.blksize = 4096;
    return attributes;
}

} // namespace

BlockingDevice::BlockingDevice()
{
    fuse = ::open("/dev/fuse", O_RDWR | O_CLOEXEC);
    if (fuse < 0 || ::pipe2(stop, O_CLOEXEC) != 0)
        return;
    char options[128];
    std::snprintf(options, sizeof options, "fd=%d,rootmode=40000,user_id=%u,group_id=%u", fuse, getuid(), getgid());
    mounted = ::mount("racepoints-test", QFile::encodeName(mountPoint.path()).constData(), "fuse",
                      MS_NOSUID | MS_NODEV, options)
        == 0;
    if (mounted)
        server = std::thread([this] { serve(); });
}

BlockingDevice::~BlockingDevice()
{
    if (server.joinable()) {
        [[maybe_unused]] const ssize_t written = ::write(stop[1], "", 1);
        server.join();
    }
    // Closing the last handle of the file system aborts it: whatever still
    // waits for it fails.
    if (fuse >= 0)
        ::close(fuse);
    if (mounted)
        ::umount2(QFile::encodeName(mountPoint.path()).constData(), MNT_DETACH);
    for (const int end : stop) {
        if (end >= 0)
            ::close(end);
    }
}

void BlockingDevice::serve()
{
    std::vector<char> request(FUSE_MIN_READ_BUFFER + 65536);
    for (;;) {
        pollfd ready[2] = {{fuse, POLLIN, 0}, {stop[0], POLLIN, 0}};
        if (::poll(ready, 2, -1) < 0 && errno != EINTR)
            return;
        if (ready[1].revents)
            return;
        if (!(ready[0].revents & POLLIN))
            continue;
        const ssize_t length = ::read(fuse, request.data(), request.size());
        if (length < ssize_t(sizeof(fuse_in_header)))
            continue;
        fuse_in_header header;
        std::memcpy(&header, request.data(), sizeof header);
        const char *argument = request.data() + sizeof header;
        auto reply = [&](int error, const void *body = nullptr, size_t size = 0) {
            std::vector<char> out(sizeof(fuse_out_header) + size);
            const fuse_out_header head{quint32(out.size()), -error, header.unique};
            std::memcpy(out.data(), &head, sizeof head);
            if (size)
                std::memcpy(out.data() + sizeof head, body, size);
            [[maybe_unused]] const ssize_t written = ::write(fuse, out.data(), out.size());
        };
        switch (header.opcode) {
        case FUSE_INIT: {
            fuse_init_in in;
            std::memcpy(&in, argument, sizeof(in.major) * 2 + sizeof(in.max_readahead) + sizeof(in.flags));
            fuse_init_out out{};
            out.major = FUSE_KERNEL_VERSION;
            out.minor = FUSE_KERNEL_MINOR_VERSION;
            out.max_readahead = in.max_readahead;
            out.max_write = 4096;
            out.max_background = 16;
            out.congestion_threshold = 12;
            out.time_gran = 1;
            reply(0, &out, sizeof out);
            break;
        }
        case FUSE_LOOKUP:
            if (header.nodeid == RootNode && std::strcmp(argument, "port") == 0) {
                fuse_entry_out entry{};
                entry.nodeid = PortNode;
                entry.generation = 1;
                entry.entry_valid = entry.attr_valid = 3600;
                entry.attr = Attributes(PortNode);
                reply(0, &entry, sizeof entry);
            } else {
                reply(ENOENT);
            }
            break;
        case FUSE_GETATTR: {
            fuse_attr_out out{};
            out.attr_valid = 3600;
            out.attr = Attributes(header.nodeid);
            reply(0, &out, sizeof out);
            break;
        }
        case FUSE_OPEN: ++opens; break; // no answer, ever
        case FUSE_FORGET:
        case FUSE_BATCH_FORGET:
        case FUSE_INTERRUPT: break; // take no answer
        default: reply(ENOSYS); break;
        }
    }
}
