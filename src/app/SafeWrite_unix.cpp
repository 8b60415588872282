// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SafeWriteSteps.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace SafeWrite::Steps {

namespace {

// A failed call counts as failed even where errno says nothing.
std::error_code LastError()
{
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

std::error_code Result(bool done)
{
    return done ? std::error_code() : LastError();
}

int Fd(Handle file)
{
    return static_cast<int>(file.value);
}

} // namespace

bool Exists(std::error_code error)
{
    return error.value() == EEXIST;
}

bool FolderRefusesNewFile(std::error_code error)
{
    return error.value() == EACCES || error.value() == EPERM;
}

std::error_code CreateBeside(const fs::path &partial, const fs::path &path, Handle &file)
{
    // The new file keeps the old one's permission bits.
    struct stat old = {};
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0666;
    // Unnamed until it is complete, where the file system allows, so that
    // a program killed while writing leaves nothing behind.
    file = {::open(FolderOf(partial).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode), true};
    if (file.value < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
        file = {::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode), false};
    return Result(file.value >= 0);
}

std::error_code OpenExisting(const fs::path &path, Handle &file)
{
    file = {::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC), false};
    return Result(file.value >= 0);
}

std::error_code Name(Handle file, const fs::path &partial)
{
    const std::string self = "/proc/self/fd/" + std::to_string(Fd(file));
    return Result(::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, partial.c_str(), AT_SYMLINK_FOLLOW) == 0);
}

std::error_code WriteSome(Handle file, std::string_view &content)
{
    const ssize_t done = ::write(Fd(file), content.data(), content.size());
    if (done < 0)
        return errno == EINTR ? std::error_code() : LastError();
    if (done == 0)
        return {ENOSPC, std::generic_category()};
    content.remove_prefix(static_cast<size_t>(done));
    return {};
}

std::error_code Sync(Handle file)
{
    return Result(::fdatasync(Fd(file)) == 0);
}

std::error_code Close(Handle file)
{
    // The descriptor is gone whatever close() says; a file system that
    // writes at close (NFS, some FUSE ones) reports its failure here.
    return Result(::close(Fd(file)) == 0);
}

std::error_code Move(const fs::path &from, const fs::path &to, bool replace)
{
    if (replace)
        return Result(::rename(from.c_str(), to.c_str()) == 0);
    // A link fails where a file has appeared meanwhile; a file system without
    // links (FAT on a USB stick) gets a rename after one more look.
    std::error_code error;
    if (::link(from.c_str(), to.c_str()) != 0) {
        error = LastError();
        if (Exists(error) || ::access(to.c_str(), F_OK) == 0)
            return {EEXIST, std::generic_category()};
        error = Result(::rename(from.c_str(), to.c_str()) == 0);
    }
    ::unlink(from.c_str());
    return error;
}

std::error_code SyncFolder(const fs::path &path)
{
    const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return LastError();
    // EINVAL: a file system that has nothing to sync for a folder.
    const std::error_code error = Result(::fsync(folder) == 0 || errno == EINVAL);
    ::close(folder); // read only: nothing to report
    return error;
}

void Remove(const fs::path &path)
{
    ::unlink(path.c_str());
}

} // namespace SafeWrite::Steps
