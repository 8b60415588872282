// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Launcher.h"

using namespace Launcher;

int main()
{
    // The program is only ever started from the launcher's own folder: a
    // relative name would find whatever lies in the working folder.
    std::error_code reason;
    const fs::path installed = InstalledFolder(reason);
    if (installed.empty()) {
        Report({"cannot find its own folder", {}, reason});
        return 1;
    }
    const fs::path work = WorkingFolder();
    if (work.empty()) {
        Report({"cannot find the user's home or Documents folder", {}, {}});
        return 1;
    }
    const fs::path catalogue = CatalogueFor(ShippedCatalogues(installed), UserLanguage());
    if (const std::optional<Failure> failure = EnterWorkingFolder(work, catalogue)) {
        Report(*failure);
        return 1;
    }
    const fs::path program = Program(installed);
    Report({"cannot start", program, Start(program)});
    return 1;
}
