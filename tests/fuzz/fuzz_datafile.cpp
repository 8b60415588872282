// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The race point file: whatever bytes racepo.dat holds, the loader either
// takes the table the file describes or shows the default table, and in that
// case keeps the damaged file; what it takes, it saves back unchanged.
#include "FuzzSupport.h"

#include "racepoints/RacePointsManage.h"

#include <QDir>

#include <charconv>

using namespace RacePointsManage;

namespace {

bool SameTable(const Table &a, const Table &b)
{
    return a.count == b.count && a.records == b.records;
}

// The format alone: an accepted table is well formed, and formatting is a
// fixed point: formatted, parsed again and formatted again, nothing changes.
void CheckFormat(const std::optional<Table> &table)
{
    if (!table)
        return;
    FUZZ_CHECK(table->count <= SlotCount);
    FUZZ_CHECK(table->records.size() == qMax<qsizetype>(0, table->count));
    for (const QByteArray &record : table->records) {
        FUZZ_CHECK(record.size() == RecordLength);
        FUZZ_CHECK(!record.contains('\r') && !record.contains('\n'));
    }
    const QByteArray formatted = FormatDataFile(*table);
    const std::optional<Table> again = ParseDataFile(formatted);
    FUZZ_CHECK(again && SameTable(*again, *table));
    FUZZ_CHECK(FormatDataFile(*again) == formatted);
}

// The count line: a whole number in 16 bits, blanks around it and one sign
// allowed.
std::optional<int> ReferenceCount(std::string_view line)
{
    while (!line.empty() && line.front() == ' ')
        line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    bool negative = false;
    if (!line.empty() && (line.front() == '+' || line.front() == '-')) {
        negative = line.front() == '-';
        line.remove_prefix(1);
    }
    if (line.empty() || line.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    long long value = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
    if (error != std::errc() || end != line.data() + line.size())
        return std::nullopt;
    value = negative ? -value : value;
    if (value < -32768 || value > 32767)
        return std::nullopt;
    return static_cast<int>(value);
}

// What the file holds by its rules: the count line, then as many record lines
// of 61 bytes; nothing at all when any of it is missing or wrong.
std::optional<Table> ReferenceTable(QByteArrayView content)
{
    const std::vector<std::string_view> lines = ReferenceLines(content);
    if (lines.empty())
        return std::nullopt;
    const std::optional<int> count = ReferenceCount(lines.front());
    if (!count || *count > SlotCount)
        return std::nullopt;
    Table table;
    table.count = static_cast<qint16>(*count);
    for (int i = 1; i <= *count; ++i) {
        if (static_cast<size_t>(i) >= lines.size() || lines[i].size() != RecordLength)
            return std::nullopt;
        table.records.append(ToBytes(lines[i]));
    }
    return table;
}

// The real file: load, then save what was loaded.
void CheckLoadAndSave(QByteArrayView content, const std::optional<Table> &parsed)
{
    UseFuzzWorkFolder();
    QDir folder(Init::WorkPath + QLatin1String(Init::DataFolderName));
    folder.removeRecursively();
    QDir().mkpath(folder.path());
    const QString path = Init::DataFilePath();
    WriteFile(path, content);

    const qint16 count = LoadRacePoints(path);
    FUZZ_CHECK(count == RacePointCount);
    const Table loaded = TableInMemory();
    FUZZ_CHECK(SameTable(loaded, parsed ? *parsed : DefaultTable()));
    // Loading never changes the file, damaged or not.
    FUZZ_CHECK(ReadFile(path) == content);
    if (!parsed) {
        const QStringList kept = folder.entryList({QStringLiteral("racepo.dat.damaged-*")}, QDir::Files);
        FUZZ_CHECK(kept.size() == 1);
        FUZZ_CHECK(ReadFile(folder.filePath(kept.first())) == content);
    }

    FUZZ_CHECK(SaveRacePoints(path));
    FUZZ_CHECK(ReadFile(path) == FormatDataFile(loaded));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArrayView content = Bytes(data, size);
    const std::optional<Table> parsed = ParseDataFile(content);
    const std::optional<Table> expected = ReferenceTable(content);
    FUZZ_CHECK(parsed.has_value() == expected.has_value());
    FUZZ_CHECK(!parsed || SameTable(*parsed, *expected));
    CheckFormat(parsed);
    CheckLoadAndSave(content, parsed);
    return 0;
}
