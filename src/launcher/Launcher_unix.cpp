// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Launcher.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace Launcher {

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

fs::path InstalledFolder(std::error_code &reason)
{
    const fs::path self = fs::read_symlink("/proc/self/exe", reason);
    return !reason && self.is_absolute() ? self.parent_path() : fs::path();
}

fs::path Program(const fs::path &installed)
{
    return installed / "racepoints";
}

fs::path ShippedCatalogues(const fs::path &installed)
{
    return installed / "../share/racepoints/club";
}

std::error_code Start(const fs::path &program)
{
    char *const arguments[] = {const_cast<char *>(program.c_str()), nullptr};
    ::execv(program.c_str(), arguments);
    return {errno, std::generic_category()};
}

void Report(const Failure &failure)
{
    std::fprintf(stderr, "racepoints-launch: %s%s%s%s%s\n", failure.what.c_str(), failure.which.empty() ? "" : " ",
                 failure.which.c_str(), failure.reason ? ": " : "", failure.reason ? failure.reason.message().c_str() : "");
}

} // namespace Launcher
