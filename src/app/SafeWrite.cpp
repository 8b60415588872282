// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/SafeWrite.h"

#include "app/SafeWriteSteps.h"

#include <random>
#include <string>

namespace SafeWrite {

namespace fs = std::filesystem;
using namespace Steps;

namespace {

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
    bool named = !file.unnamed;
    error = Finish(file, content, partial, named);
    if (!error)
        error = Move(partial, path, mode != Mode::CreateOnly);
    if (error && named)
        Remove(partial);
    if (mode == Mode::CreateOnly && Exists(error))
        return {};
    // Past the move the new content is in place; a folder that cannot be
    // synced leaves it there, but not surely on the disk: a failed save.
    return error ? error : SyncFolder(path);
}

} // namespace SafeWrite
