// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Fails one chosen system call of a save (see tests/FaultInjection.h). The
// test programs that use it are linked against this library ahead of the C
// library, so its open(), write() and the rest take the place of the C
// library's for every caller in the program, Qt included; each passes the
// call on unless it is the one to fail.
#include "../FaultInjection.h"

#include <atomic>
#include <bitset>
#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <pthread.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

struct State {
    std::atomic<bool> armed = false;
    pthread_t thread{};
    std::string folder; // with a trailing '/'
    int failAt = 0;
    int error = 0;
    bool injected = false;
    std::vector<std::string> calls;
    std::bitset<4096> tracked; // descriptors of files in the folder
};

State &state()
{
    static State instance;
    return instance;
}

template <class Function>
Function Real(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool Watching()
{
    State &s = state();
    return s.armed.load(std::memory_order_acquire) && pthread_equal(s.thread, pthread_self());
}

bool InFolder(const char *path)
{
    if (!path)
        return false;
    std::string full = path;
    if (path[0] != '/') {
        char cwd[4096];
        if (!getcwd(cwd, sizeof cwd))
            return false;
        full = std::string(cwd) + '/' + path;
    }
    // The folder itself too: a file opened unnamed in it (O_TMPFILE) and
    // named later is one of its files.
    const std::string &folder = state().folder;
    return full.compare(0, folder.size(), folder) == 0 || full + '/' == folder;
}

bool TrackedFd(int fd)
{
    return fd >= 0 && fd < int(state().tracked.size()) && state().tracked[size_t(fd)];
}

void Track(int fd, bool on)
{
    if (fd >= 0 && fd < int(state().tracked.size()))
        state().tracked[size_t(fd)] = on;
}

// Counts a call; true when it is the one to fail (errno is set then).
bool Fails(const char *what, bool shortWriteFits = false)
{
    State &s = state();
    s.calls.emplace_back(what);
    if (int(s.calls.size()) != s.failAt || (s.error == 0 && !shortWriteFits))
        return false;
    s.injected = true;
    errno = s.error;
    return true;
}

template <class Open>
int OpenFile(Open open, const char *what, const char *path, int flags, mode_t mode)
{
    if (!Watching() || !InFolder(path))
        return open(path, flags, mode);
    if (Fails(what))
        return -1;
    const int fd = open(path, flags, mode);
    Track(fd, true);
    return fd;
}

// The mode argument is there only when the flags ask for one. O_TMPFILE
// holds O_DIRECTORY's bit, which a plain open of a folder has too.
mode_t ModeOf(int flags, va_list arguments)
{
    const bool given = (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
    return given ? mode_t(va_arg(arguments, int)) : 0;
}

using OpenFunction = int (*)(const char *, int, ...);
using OpenAtFunction = int (*)(int, const char *, int, ...);

int Renames(const char *what, const char *from, const char *to)
{
    return Watching() && (InFolder(from) || InFolder(to)) && Fails(what) ? -1 : 0;
}

} // namespace

extern "C" {

void FaultInject_Arm(const char *folder, int failAt, int error)
{
    State &s = state();
    s.folder = std::string(folder) + '/';
    s.failAt = failAt;
    s.error = error;
    s.injected = false;
    s.calls.clear();
    s.thread = pthread_self();
    s.armed.store(true, std::memory_order_release);
}

int FaultInject_Disarm()
{
    state().armed.store(false, std::memory_order_release);
    return int(state().calls.size());
}

int FaultInject_Injected()
{
    return state().injected;
}

const char *FaultInject_Call(int index)
{
    const auto &calls = state().calls;
    return index >= 0 && index < int(calls.size()) ? calls[size_t(index)].c_str() : "";
}

int open(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    static const auto real = Real<OpenFunction>("open");
    return OpenFile([](const char *p, int f, mode_t m) { return real(p, f, m); }, "open", path, flags, mode);
}

int open64(const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    static const auto real = Real<OpenFunction>("open64");
    return OpenFile([](const char *p, int f, mode_t m) { return real(p, f, m); }, "open", path, flags, mode);
}

int openat(int folder, const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    static const auto real = Real<OpenAtFunction>("openat");
    if (folder != AT_FDCWD && path[0] != '/')
        return real(folder, path, flags, mode); // not used by the saves
    return OpenFile([](const char *p, int f, mode_t m) { return real(AT_FDCWD, p, f, m); }, "open", path, flags, mode);
}

int openat64(int folder, const char *path, int flags, ...)
{
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = ModeOf(flags, arguments);
    va_end(arguments);
    static const auto real = Real<OpenAtFunction>("openat64");
    if (folder != AT_FDCWD && path[0] != '/')
        return real(folder, path, flags, mode);
    return OpenFile([](const char *p, int f, mode_t m) { return real(AT_FDCWD, p, f, m); }, "open", path, flags, mode);
}

int creat(const char *path, mode_t mode)
{
    return open(path, O_WRONLY | O_CREAT | O_TRUNC, mode);
}

ssize_t write(int fd, const void *data, size_t size)
{
    static const auto real = Real<ssize_t (*)(int, const void *, size_t)>("write");
    if (!Watching() || !TrackedFd(fd))
        return real(fd, data, size);
    if (Fails("write", size >= 2))
        return state().error == 0 ? real(fd, data, size / 2) : -1;
    return real(fd, data, size);
}

int fsync(int fd)
{
    static const auto real = Real<int (*)(int)>("fsync");
    return Watching() && TrackedFd(fd) && Fails("fsync") ? -1 : real(fd);
}

int fdatasync(int fd)
{
    static const auto real = Real<int (*)(int)>("fdatasync");
    return Watching() && TrackedFd(fd) && Fails("fdatasync") ? -1 : real(fd);
}

int close(int fd)
{
    static const auto real = Real<int (*)(int)>("close");
    if (!Watching() || !TrackedFd(fd))
        return real(fd);
    Track(fd, false);
    // Like a file system that reports a failed write-back at close: the
    // descriptor is gone all the same.
    const bool fails = Fails("close");
    const int error = errno;
    const int result = real(fd);
    if (fails) {
        errno = error;
        return -1;
    }
    return result;
}

int rename(const char *from, const char *to)
{
    static const auto real = Real<int (*)(const char *, const char *)>("rename");
    return Renames("rename", from, to) ? -1 : real(from, to);
}

int renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    static const auto real = Real<int (*)(int, const char *, int, const char *)>("renameat");
    return Renames("rename", from, to) ? -1 : real(fromFolder, from, toFolder, to);
}

int renameat2(int fromFolder, const char *from, int toFolder, const char *to, unsigned int flags)
{
    static const auto real = Real<int (*)(int, const char *, int, const char *, unsigned int)>("renameat2");
    return Renames("rename", from, to) ? -1 : real(fromFolder, from, toFolder, to, flags);
}

int link(const char *from, const char *to)
{
    static const auto real = Real<int (*)(const char *, const char *)>("link");
    return Renames("link", from, to) ? -1 : real(from, to);
}

int linkat(int fromFolder, const char *from, int toFolder, const char *to, int flags)
{
    static const auto real = Real<int (*)(int, const char *, int, const char *, int)>("linkat");
    return Renames("link", from, to) ? -1 : real(fromFolder, from, toFolder, to, flags);
}

} // extern "C"
