// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Lists to import, CSV and text lists as well as GPX and KML waypoints:
// whatever the file holds, it is refused whole with a reason or read into
// rows, and every race point an import would keep is a record the data
// file, the dialogs and the terminal can take.
#include "FuzzSupport.h"

#include "editing/FieldRules.h"
#include "racepoints/RacePointImport.h"
#include "racepoints/RacePointLists.h"
#include "racepoints/RacePointsManage.h"

#include <set>

using namespace RacePointsManage;

namespace {

void CheckPlan(const RacePointLists::Sheet &sheet, bool replace)
{
    const RacePointImport::Plan plan = RacePointImport::MakePlan(sheet, replace);
    FUZZ_CHECK(plan.kept.size() + plan.leftOut.size() <= sheet.rows.size());
    std::set<QByteArray> numbers;
    for (const RacePointImport::Kept &kept : plan.kept) {
        const QByteArray &record = kept.record;
        FUZZ_CHECK(record.size() == RecordLength);
        const int number = record.left(2).toInt();
        FUZZ_CHECK(number >= FirstNumber && number <= LastNumber);
        FUZZ_CHECK(numbers.insert(record.left(2)).second);
        // Name and place as the dialogs would have taken them when typed.
        for (const char c : record.mid(NameColumn.offset, NameColumn.width + PlaceColumn.width))
            FUZZ_CHECK(FieldRules::Takes(FieldRules::Kind::Text, QLatin1Char(c)) && c != '\b');
        FUZZ_CHECK(record.at(NameColumn.offset) != ' ');
        for (const char c : record.mid(CoordinatesOffset))
            FUZZ_CHECK(c >= '0' && c <= '9');
    }
    RacePointImport::Apply(plan, replace);
    const QByteArray file = FormatDataFile(TableInMemory());
    FUZZ_CHECK(ParseDataFile(file).has_value());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the reader: an XML file starts with "<".
    QByteArray content = Bytes(data + 1, size - 1).toByteArray();
    if (data[0] & 1)
        content.prepend('<');
    const RacePointLists::Sheet sheet = RacePointLists::ReadSheet(content);
    FUZZ_CHECK((sheet.problem == RacePointLists::Problem::None) == !sheet.rows.isEmpty());
    FUZZ_CHECK(sheet.rows.size() <= RacePointLists::MaxRows);
    // The club's list as the program shows it at start: 19 blank race points,
    // one of them in use.
    const Table table = DefaultTable();
    RacePointCount = table.count;
    for (int slot = 1; slot <= table.count; ++slot)
        RacePoints[slot] = table.records[slot - 1];
    RacePoints[3] = "82Noyon        Noyon                         4934560003000000";
    CheckPlan(sheet, (data[0] & 2) != 0);
    return 0;
}
