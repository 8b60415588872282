// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The text catalogue: whatever bytes club.txt holds, a key yields the text
// after the first "=" of the first of the first 1000 lines that has exactly
// that key, decoded one byte per character, and "" when there is none.
#include "FuzzSupport.h"

#include "app/Texte.h"
#include "racepoints/Cp1252.h"

namespace {

constexpr size_t MaxKeysChecked = 16;

// The text for a key by the catalogue's rules, in bytes; nothing when absent.
std::optional<std::string_view> ReferenceText(const std::vector<std::string_view> &lines,
                                              std::string_view key)
{
    for (size_t i = 0; i < lines.size() && i < static_cast<size_t>(Texte::MaxLines); ++i) {
        const size_t p = lines[i].find('=');
        if (p != std::string_view::npos && lines[i].substr(0, p) == key)
            return lines[i].substr(p + 1);
    }
    return std::nullopt;
}

void CheckKey(const QStringList &catalogue, const std::vector<std::string_view> &lines,
              std::string_view key)
{
    const std::optional<std::string_view> expected = ReferenceText(lines, key);
    const QString text = Texte::LookUp(catalogue, Cp1252::Decode(ToBytes(key)));
    FUZZ_CHECK(text == (expected ? Cp1252::Decode(ToBytes(*expected)) : QString()));
    FUZZ_CHECK(!text.contains(u'\r') && !text.contains(u'\n'));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView content = Bytes(data, size);
    const std::vector<std::string_view> lines = ReferenceLines(content);
    const QStringList catalogue = Texte::ParseCatalogue(content);
    FUZZ_CHECK(catalogue.size() == qMin<qsizetype>(lines.size(), Texte::MaxLines));

    // Every key of the first lines, the same keys cut short by one byte (a
    // near miss that must not match), and one key nobody writes.
    for (size_t i = 0; i < lines.size() && i < MaxKeysChecked; ++i) {
        const size_t p = lines[i].find('=');
        if (p == std::string_view::npos)
            continue;
        const std::string_view key = lines[i].substr(0, p);
        CheckKey(catalogue, lines, key);
        if (!key.empty())
            CheckKey(catalogue, lines, key.substr(0, key.size() - 1));
    }
    CheckKey(catalogue, lines, "frmMain.mnuProgram.Caption");

    // Through the real file, as every window reads it.
    UseFuzzWorkFolder();
    WriteFile(Texte::CataloguePath(), content);
    FUZZ_CHECK(Texte::LoadTexts());
    for (size_t i = 0; i < lines.size() && i < MaxKeysChecked; ++i) {
        const size_t p = lines[i].find('=');
        if (p == std::string_view::npos)
            continue;
        const QString key = Cp1252::Decode(ToBytes(lines[i].substr(0, p)));
        FUZZ_CHECK(Texte::GetText(key) == Texte::LookUp(catalogue, key));
    }
    return 0;
}
