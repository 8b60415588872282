// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "BenchTerminal.h"

#include "PseudoTerminal.h"

namespace BenchTerminal {

const char *const Arguments = "";

bool Configure(const QStringList &arguments)
{
    return arguments.isEmpty();
}

QString Make(bool answers, QObject &owner)
{
    auto *terminal = new PseudoTerminal(&owner);
    // The answer comes as soon as the frame's last byte is in.
    if (answers) {
        QObject::connect(terminal, &PseudoTerminal::bytesReceived, terminal, [terminal] {
            if (terminal->received.size() == FrameBytes)
                terminal->write(">");
        });
    }
    return terminal->serialPath();
}

} // namespace BenchTerminal
