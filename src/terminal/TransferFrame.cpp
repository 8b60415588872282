// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal/TransferFrame.h"

#include "racepoints/RacePointsManage.h"

namespace TransferFrame {

QByteArray Build(std::span<const QByteArray> records)
{
    using RacePointsManage::NameColumn;
    QByteArray frame;
    frame.reserve(HeaderLength + BlockLength * records.size() + 1);
    frame.append(FrameByte).append(LeadDigit).append(qsizetype{BlankBlocks} * BlockLength, ' ');
    for (const QByteArray &record : records)
        frame.append(record.mid(NameColumn.offset, NameColumn.width).leftJustified(BlockLength, ' ', true));
    frame.append(FrameByte);
    return frame;
}

int RecordCompletedAt(qsizetype offset, qsizetype recordCount)
{
    const qsizetype sinceHeader = offset - HeaderLength + 1;
    if (sinceHeader < BlockLength || sinceHeader % BlockLength != 0 || sinceHeader / BlockLength > recordCount)
        return 0;
    return int(sinceHeader / BlockLength);
}

bool IsConfirmation(QByteArrayView reply)
{
    return !reply.isEmpty() && reply.front() == FrameByte;
}

} // namespace TransferFrame
