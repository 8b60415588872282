// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "Launcher.h"

using namespace Launcher;

int main()
{
    const fs::path work = WorkingFolder();
    if (work.empty()) {
        Report({"cannot find the user's home or Documents folder", {}, {}});
        return 1;
    }
    if (const std::optional<Failure> failure = EnterWorkingFolder(work, CatalogueFor(ShippedCatalogues(), UserLanguage()))) {
        Report(*failure);
        return 1;
    }
    const fs::path program = Program();
    Start(program);
    Report({"cannot start", program, {}});
    return 1;
}
