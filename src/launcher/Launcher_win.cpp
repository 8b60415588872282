// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Launcher.h"

#include <cstdlib>

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

namespace Launcher {

namespace {

std::error_code LastError()
{
    return {static_cast<int>(GetLastError()), std::system_category()};
}

// Text in the ANSI code page, as the C library gives it, made wide.
std::wstring Widened(const std::string &text)
{
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// The system's words for a reason, in the user's language: Windows' own
// texts taken wide from the system, the C library's converted.
std::wstring ReasonText(std::error_code reason)
{
    if (reason.category() == std::system_category()) {
        wchar_t *text = nullptr;
        const DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                                | FORMAT_MESSAGE_IGNORE_INSERTS,
                                            nullptr, static_cast<DWORD>(reason.value()), 0,
                                            reinterpret_cast<wchar_t *>(&text), 0, nullptr);
        std::wstring message(text ? text : L"", length);
        LocalFree(text);
        while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
            message.pop_back();
        if (!message.empty())
            return message;
    }
    return Widened(reason.message());
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

fs::path InstalledFolder(std::error_code &reason)
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            reason = LastError();
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            const fs::path self(path);
            return self.is_absolute() ? self.parent_path() : fs::path();
        }
        path.resize(path.size() * 2);
    }
}

fs::path Program(const fs::path &installed)
{
    return installed / L"racepoints.exe";
}

fs::path ShippedCatalogues(const fs::path &installed)
{
    return installed / L"club";
}

std::error_code Start(const fs::path &program)
{
    std::wstring commandLine = L'"' + program.wstring() + L'"';
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started))
        return LastError();
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    std::exit(0);
}

void Report(const Failure &failure)
{
    std::wstring text = L"Racepoints " + Widened(failure.what);
    if (!failure.which.empty())
        text += L" " + failure.which.wstring();
    text += L".";
    if (failure.reason)
        text += L"\n" + ReasonText(failure.reason);
    MessageBoxW(nullptr, text.c_str(), L"Racepoints", MB_OK | MB_ICONERROR);
}

} // namespace Launcher
