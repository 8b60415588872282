// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

// The system calls of a safe write, one implementation per platform
// (SafeWrite_unix.cpp, SafeWrite_win.cpp). Each step returns the system's
// error, or nothing.
namespace SafeWrite::Steps {

namespace fs = std::filesystem;

struct Handle {
    std::intptr_t value = -1; // a descriptor on Linux, a HANDLE on Windows
    bool unnamed = false;     // made without a name, which Name() gives it
};

// The folder a file lies in; the current folder for a bare file name.
inline fs::path FolderOf(const fs::path &path)
{
    return path.has_parent_path() ? path.parent_path() : fs::path(".");
}

bool Exists(std::error_code error);
bool FolderRefusesNewFile(std::error_code error);

// A new file for the content of `path`, beside it: unnamed where the file
// system allows, else under the name `partial`.
std::error_code CreateBeside(const fs::path &partial, const fs::path &path, Handle &file);
std::error_code OpenExisting(const fs::path &path, Handle &file);
// Writes a part of the content and drops it from `content`.
std::error_code WriteSome(Handle file, std::string_view &content);
std::error_code Sync(Handle file);
std::error_code Name(Handle file, const fs::path &partial);
std::error_code Close(Handle file);
// The new file takes `to`'s name: replacing what has it, or only where
// nothing has it (else an error that Exists() recognises).
std::error_code Move(const fs::path &from, const fs::path &to, bool replace);
// Makes the folder's entries durable after a move, so that power lost right
// after a save cannot bring the old file back.
std::error_code SyncFolder(const fs::path &path);
void Remove(const fs::path &path);

} // namespace SafeWrite::Steps
