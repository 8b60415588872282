// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves two different race point tables in turn, without end, in the working
// folder named by its argument, the way the program saves: a test kills it at
// random moments and then looks at what is on disk.
#include "app/Init.h"
#include "racepoints/RacePointsManage.h"

#include <QDir>

#include <cstdio>

using namespace RacePointsManage;

namespace {

// The table of the file churn_<which>: the two differ in every record and in
// their count, so a file made of parts of both cannot pass for either.
void UseChurnTable(char which)
{
    const int count = which == 'a' ? DefaultCount : 12;
    for (int number = FirstNumber; number < FirstNumber + count; ++number) {
        QByteArray record = BlankRecord(number);
        record.replace(NameColumn.offset, 6, QByteArray(1, which).repeated(6));
        StoreRacePoint(record);
    }
    RacePointCount = static_cast<qint16>(count);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: savechurn WORKING-FOLDER\n");
        return 64;
    }
    Init::WorkPath = QDir(QString::fromLocal8Bit(argv[1])).absolutePath() + u'/';
    const QString path = Init::DataFilePath();
    LoadRacePoints(path);
    std::printf("ready\n");
    std::fflush(stdout);
    for (;;) {
        UseChurnTable('a');
        SaveRacePoints(path);
        UseChurnTable('b');
        SaveRacePoints(path);
    }
}
