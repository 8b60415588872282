// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <system_error>

// Writing a whole file so that it holds either its old content or the new
// one, never a part: the new content goes to a new file beside it
// ("racepo.dat." and six random letters), is forced onto the disk, and only
// then takes the old file's place, after which the folder is synced too. A
// save counts only when every byte and the folder's new entry have been
// written and synced; every step's failure is a failed save. Up to the move
// it leaves the old file as it was and no new file behind; a folder sync
// that fails after the move leaves the new content in place, readable but
// perhaps not on the disk (power lost then may bring the old file back).
// A bare file name is written in the current folder. Plain C++, so that the
// launcher writes the same way; the system calls are in SafeWriteSteps.h.
namespace SafeWrite {

enum class Mode : std::uint8_t {
    // The new file takes the old one's place.
    Replace,
    // The same, except where the folder takes no new file but the old file
    // may be written: then the old file is rewritten in place.
    InPlaceIfNeeded,
    // The new file takes the name only when nothing has it; a file that
    // appeared meanwhile stays and counts as written.
    CreateOnly,
};

// Nothing when the new content is in place; else the system's error (errno
// on Linux, GetLastError() on Windows).
std::error_code Write(const std::filesystem::path &path, std::string_view content, Mode mode);

} // namespace SafeWrite
