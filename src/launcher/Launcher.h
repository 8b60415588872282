// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

// The launcher that the application menu (Linux) and the Start menu
// (Windows) run: it gives the user a working folder with the shipped
// catalogue of the user's language and starts the program in it. The
// program itself reads no command line and no environment; choosing the
// folder and the language is this launcher's task.
namespace Launcher {

namespace fs = std::filesystem;

// "de", "nl" or "fr" for a locale setting such as "de_AT.UTF-8", else ""
// (English). Used for the Linux locale variables.
std::string LanguageOfLocale(std::string_view locale);

// The shipped catalogue of a language ("" for English) below the folder of
// the shipped catalogues; the English one when that language has none.
fs::path CatalogueFor(const fs::path &shipped, const std::string &language);

// What went wrong, for the user: what failed, the folder or file, and the
// system's reason when it gave one.
struct Failure {
    std::string what;
    fs::path which;
    std::error_code reason;
};

// Makes the working folder when it is missing, makes it the current folder
// and puts the catalogue in as club.txt unless the folder has one (a
// dangling link counts too): a club.txt that is there is the club's own.
// Nothing there is ever replaced, and a copy that fails or is cut off
// leaves no club.txt, whole or partial: the catalogue is written in full
// and onto the disk before it gets its name. Nothing when all went well.
std::optional<Failure> EnterWorkingFolder(const fs::path &work, const fs::path &catalogue);

// What differs between the platforms (Launcher_unix.cpp, Launcher_win.cpp).

// The user's language as LanguageOfLocale gives it: on Linux from LC_ALL,
// LC_MESSAGES or LANG, on Windows the display language.
std::string UserLanguage();
// ~/Racepoints on Linux, Documents\Racepoints on Windows; empty when the
// system names no home or documents folder.
fs::path WorkingFolder();
// The folder of the launcher itself, found from the system, never from the
// current folder; empty, with the system's reason, when it cannot be found.
fs::path InstalledFolder(std::error_code &reason);
// The installed program and its shipped catalogues in the launcher's
// folder: /usr/bin/racepoints and /usr/share/racepoints/club on Linux,
// racepoints.exe and club\ beside the launcher on Windows.
fs::path Program(const fs::path &installed);
fs::path ShippedCatalogues(const fs::path &installed);
// Starts the program in the current folder; on Linux the launcher becomes
// the program. Returns only on failure, with the system's reason.
std::error_code Start(const fs::path &program);
// Tells the user what failed, naming the folder or file and the reason: on
// standard error (Linux) or in a message box (Windows, where the launcher has
// no console), in the system's language as the system gives it.
void Report(const Failure &failure);

} // namespace Launcher
