// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SafeWriteSteps.h"

#include <algorithm>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

namespace SafeWrite::Steps {

namespace {

std::error_code LastError()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

std::error_code Result(bool done)
{
    return done ? std::error_code() : LastError();
}

HANDLE Native(Handle file)
{
    return reinterpret_cast<HANDLE>(file.value);
}

std::error_code Open(const fs::path &path, DWORD how, Handle &file)
{
    const HANDLE opened = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, how, FILE_ATTRIBUTE_NORMAL, nullptr);
    file = {reinterpret_cast<std::intptr_t>(opened), false};
    return Result(opened != INVALID_HANDLE_VALUE);
}

} // namespace

bool Exists(std::error_code error)
{
    return error.value() == ERROR_FILE_EXISTS || error.value() == ERROR_ALREADY_EXISTS;
}

bool FolderRefusesNewFile(std::error_code error)
{
    return error.value() == ERROR_ACCESS_DENIED;
}

std::error_code CreateBeside(const fs::path &partial, const fs::path &, Handle &file)
{
    return Open(partial, CREATE_NEW, file);
}

std::error_code OpenExisting(const fs::path &path, Handle &file)
{
    return Open(path, TRUNCATE_EXISTING, file);
}

std::error_code Name(Handle, const fs::path &)
{
    return {}; // always made with its name
}

std::error_code WriteSome(Handle file, std::string_view &content)
{
    DWORD done = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(content.size(), 1 << 30));
    if (!WriteFile(Native(file), content.data(), chunk, &done, nullptr))
        return LastError();
    if (done == 0)
        return {ERROR_DISK_FULL, std::system_category()};
    content.remove_prefix(done);
    return {};
}

std::error_code Sync(Handle file)
{
    return Result(FlushFileBuffers(Native(file)));
}

std::error_code Close(Handle file)
{
    return Result(CloseHandle(Native(file)));
}

std::error_code Move(const fs::path &from, const fs::path &to, bool replace)
{
    // Write-through: the move returns once the folder's new entry is on the disk.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    return Result(MoveFileExW(from.c_str(), to.c_str(), flags));
}

std::error_code SyncFolder(const fs::path &)
{
    return {}; // done by the write-through move
}

void Remove(const fs::path &path)
{
    DeleteFileW(path.c_str());
}

} // namespace SafeWrite::Steps
