// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The options file: whatever bytes OPTIONS.PAR holds, the chosen port is its
// first line as read, never holding a line end, and a port written is read
// back the same.
#include "FuzzSupport.h"

#include "racepoints/Cp1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView content = Bytes(data, size);
    UseFuzzWorkFolder();
    WriteFile(Init::OptionsFilePath(), content);

    Init::SelectedCOMPort = QStringLiteral("stale");
    Init::ReadOptions();
    const QString port = Init::SelectedCOMPort;
    FUZZ_CHECK(!port.contains(u'\r') && !port.contains(u'\n'));
    const std::vector<std::string_view> lines = ReferenceLines(content);
    FUZZ_CHECK(port == (lines.empty() ? QString() : Cp1252::Decode(ToBytes(lines.front()))));

    FUZZ_CHECK(Init::WriteOptions(port));
    FUZZ_CHECK(ReadFile(Init::OptionsFilePath()) == Cp1252::Encode(port) + "\r\n");
    Init::SelectedCOMPort.clear();
    Init::ReadOptions();
    FUZZ_CHECK(Init::SelectedCOMPort == port);
    return 0;
}
