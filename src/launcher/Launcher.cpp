// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Launcher.h"

#include "app/SafeWrite.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <iterator>

namespace Launcher {

namespace {

constexpr std::array<std::string_view, 3> Translated = {"de", "nl", "fr"};

} // namespace

std::string LanguageOfLocale(std::string_view locale)
{
    for (const std::string_view language : Translated) {
        if (locale.starts_with(language))
            return std::string(language);
    }
    return {};
}

fs::path CatalogueFor(const fs::path &shipped, const std::string &language)
{
    std::error_code error;
    const fs::path own = shipped / language / "club.txt";
    return !language.empty() && fs::is_regular_file(own, error) ? own : shipped / "club.txt";
}

std::optional<Failure> EnterWorkingFolder(const fs::path &work, const fs::path &catalogue)
{
    std::error_code error;
    fs::create_directories(work, error);
    if (!error && !fs::is_directory(work, error))
        error = std::make_error_code(std::errc::not_a_directory);
    if (!error)
        fs::current_path(work, error);
    if (error)
        return Failure{"cannot make or enter the working folder", work, error};
    const fs::path club = work / "club.txt";
    if (fs::exists(fs::symlink_status(club, error)))
        return std::nullopt;
    std::ifstream shipped(catalogue, std::ios::binary);
    if (!shipped)
        return Failure{"cannot read the catalogue", catalogue, {errno, std::generic_category()}};
    const std::string content((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
    if (shipped.bad())
        return Failure{"cannot read the catalogue", catalogue, std::make_error_code(std::errc::io_error)};
    error = SafeWrite::Write(club, content, SafeWrite::Mode::CreateOnly);
    if (error)
        return Failure{"cannot put the catalogue into the working folder as", club, error};
    return std::nullopt;
}

} // namespace Launcher
