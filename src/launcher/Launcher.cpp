// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Launcher.h"

#include "app/SafeWrite.h"

#include <array>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#else
#include <cstdio>
#include <unistd.h>
#endif

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

#ifdef _WIN32

namespace {

fs::path Installed()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return fs::path(path).parent_path();
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

std::string UserLanguage()
{
    switch (PRIMARYLANGID(GetUserDefaultUILanguage())) {
    case LANG_GERMAN: return "de";
    case LANG_DUTCH: return "nl";
    case LANG_FRENCH: return "fr";
    default: return {};
    }
}

fs::path WorkingFolder()
{
    PWSTR documents = nullptr;
    fs::path work;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &documents)))
        work = fs::path(documents) / L"Racepoints";
    CoTaskMemFree(documents);
    return work;
}

fs::path Program()
{
    return Installed() / L"racepoints.exe";
}

fs::path ShippedCatalogues()
{
    return Installed() / L"club";
}

void Start(const fs::path &program)
{
    std::wstring commandLine = L'"' + program.wstring() + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return;
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    std::exit(0);
}

void Report(const Failure &failure)
{
    std::wstring text = L"Racepoints " + std::wstring(failure.what.begin(), failure.what.end());
    if (!failure.which.empty())
        text += L" " + failure.which.wstring();
    text += L".";
    if (failure.reason) {
        const std::string reason = failure.reason.message();
        text += L"\n" + std::wstring(reason.begin(), reason.end());
    }
    MessageBoxW(nullptr, text.c_str(), L"Racepoints", MB_OK | MB_ICONERROR);
}

#else

namespace {

fs::path Installed()
{
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error).parent_path();
}

} // namespace

std::string UserLanguage()
{
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char *value = std::getenv(name);
        if (value && *value)
            return LanguageOfLocale(value);
    }
    return {};
}

fs::path WorkingFolder()
{
    const char *home = std::getenv("HOME");
    return home && *home ? fs::path(home) / "Racepoints" : fs::path();
}

fs::path Program()
{
    return Installed() / "racepoints";
}

fs::path ShippedCatalogues()
{
    return Installed() / "../share/racepoints/club";
}

void Start(const fs::path &program)
{
    char *const arguments[] = {const_cast<char *>(program.c_str()), nullptr};
    ::execv(program.c_str(), arguments);
}

void Report(const Failure &failure)
{
    std::fprintf(stderr, "racepoints-launch: %s%s%s%s%s\n", failure.what.c_str(), failure.which.empty() ? "" : " ",
                 failure.which.c_str(), failure.reason ? ": " : "", failure.reason ? failure.reason.message().c_str() : "");
}

#endif

} // namespace Launcher
