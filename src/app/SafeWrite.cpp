// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SafeWrite.h"

#include <algorithm>
#include <random>
#include <string>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace SafeWrite {

namespace fs = std::filesystem;

namespace {

// The platform's steps. Each returns the system's error, or nothing.

#ifdef _WIN32

using Handle = HANDLE;

std::error_code LastError()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

bool Exists(std::error_code error)
{
    return error.value() == ERROR_FILE_EXISTS || error.value() == ERROR_ALREADY_EXISTS;
}

bool FolderRefusesNewFile(std::error_code error)
{
    return error.value() == ERROR_ACCESS_DENIED;
}

std::error_code Open(const fs::path &path, DWORD how, Handle &file)
{
    file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? LastError() : std::error_code();
}

std::error_code CreateBeside(const fs::path &partial, const fs::path &, Handle &file)
{
    return Open(partial, CREATE_NEW, file);
}

std::error_code OpenExisting(const fs::path &path, Handle &file)
{
    return Open(path, TRUNCATE_EXISTING, file);
}

std::error_code WriteSome(Handle file, std::string_view &content)
{
    DWORD done = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size(), 1 << 30));
    if (!WriteFile(file, content.data(), chunk, &done, nullptr))
        return LastError();
    if (done == 0)
        return {ERROR_DISK_FULL, std::system_category()};
    content.remove_prefix(done);
    return {};
}

std::error_code Sync(Handle file)
{
    return FlushFileBuffers(file) ? std::error_code() : LastError();
}

std::error_code Close(Handle file)
{
    return CloseHandle(file) ? std::error_code() : LastError();
}

std::error_code Move(const fs::path &from, const fs::path &to, bool replace)
{
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return MoveFileExW(from.c_str(), to.c_str(), flags) ? std::error_code() : LastError();
}

bool Unnamed(Handle)
{
    return false;
}

std::error_code Name(Handle, const fs::path &)
{
    return {};
}

void Remove(const fs::path &path)
{
    DeleteFileW(path.c_str());
}

#else

struct Handle {
    int fd = -1;
    bool unnamed = false;
};

// A failed call counts as failed even where errno says nothing.
std::error_code LastError()
{
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

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
    file = {::open(partial.parent_path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode), true};
    if (file.fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
        file = {::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode), false};
    return file.fd < 0 ? LastError() : std::error_code();
}

std::error_code OpenExisting(const fs::path &path, Handle &file)
{
    file = {::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC), false};
    return file.fd < 0 ? LastError() : std::error_code();
}

bool Unnamed(Handle file)
{
    return file.unnamed;
}

std::error_code Name(Handle file, const fs::path &partial)
{
    const std::string self = "/proc/self/fd/" + std::to_string(file.fd);
    return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, partial.c_str(), AT_SYMLINK_FOLLOW) == 0 ? std::error_code()
                                                                                           : LastError();
}

std::error_code WriteSome(Handle file, std::string_view &content)
{
    const ssize_t done = ::write(file.fd, content.data(), content.size());
    if (done < 0)
        return errno == EINTR ? std::error_code() : LastError();
    if (done == 0)
        return {ENOSPC, std::generic_category()};
    content.remove_prefix(static_cast<size_t>(done));
    return {};
}

std::error_code Sync(Handle file)
{
    return ::fdatasync(file.fd) == 0 ? std::error_code() : LastError();
}

std::error_code Close(Handle file)
{
    // The descriptor is gone whatever close() says; a file system that
    // writes at close (NFS, some FUSE ones) reports its failure here.
    return ::close(file.fd) == 0 ? std::error_code() : LastError();
}

std::error_code Move(const fs::path &from, const fs::path &to, bool replace)
{
    if (replace)
        return ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
    // A link fails where a file has appeared meanwhile; a file system without
    // links (FAT on a USB stick) gets a rename after one more look.
    std::error_code error;
    if (::link(from.c_str(), to.c_str()) != 0) {
        error = LastError();
        if (Exists(error) || ::access(to.c_str(), F_OK) == 0)
            return {EEXIST, std::generic_category()};
        error = ::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
    }
    ::unlink(from.c_str());
    return error;
}

void Remove(const fs::path &path)
{
    ::unlink(path.c_str());
}

#endif

// Writes everything, forces it onto the disk, gives an unnamed new file
// its name and closes the file.
// `named` tells whether the name is the new file's, and so its to remove.
std::error_code Finish(Handle file, std::string_view content, const fs::path &name, bool &named)
{
    std::error_code error;
    while (!content.empty() && !error)
        error = WriteSome(file, content);
    if (!error)
        error = Sync(file);
    if (!error && !named) {
        error = Name(file, name);
        named = !error;
    }
    const std::error_code closed = Close(file);
    return error ? error : closed;
}

fs::path NewName(const fs::path &path)
{
    static constexpr std::string_view Letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    static std::minstd_rand random(std::random_device{}());
    std::uniform_int_distribution<size_t> letter(0, Letters.size() - 1);
    fs::path name = path;
    name += ".";
    for (int i = 0; i < 6; ++i)
        name += Letters[letter(random)];
    return name;
}

} // namespace

std::error_code Write(const fs::path &path, std::string_view content, Mode mode)
{
    Handle file{};
    fs::path partial;
    std::error_code error;
    do {
        partial = NewName(path);
        error = CreateBeside(partial, path, file);
    } while (Exists(error));
    if (error) {
        if (mode != Mode::InPlaceIfNeeded || !FolderRefusesNewFile(error))
            return error;
        // Refused to take a new file: the old file itself, if it may be written.
        if (OpenExisting(path, file))
            return error;
        bool named = true;
        return Finish(file, content, path, named);
    }
    bool named = !Unnamed(file);
    error = Finish(file, content, partial, named);
    if (!error)
        error = Move(partial, path, mode != Mode::CreateOnly);
    if (error && named)
        Remove(partial);
    if (mode == Mode::CreateOnly && Exists(error))
        error.clear();
    return error;
}

} // namespace SafeWrite
