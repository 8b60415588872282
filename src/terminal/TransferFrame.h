// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <span>

// The one frame that carries the race point names to the timing terminal:
// ">", "8", 80 blank blocks, the 13-byte name of every record in table order,
// ">". Block n after the two leading bytes carries race point n, so the
// terminal finds each name by its number. The terminal confirms with ">".
namespace TransferFrame {

inline constexpr char FrameByte = '>';
inline constexpr char LeadDigit = '8';
inline constexpr int BlockLength = 13;
inline constexpr int BlankBlocks = 80;
inline constexpr int HeaderLength = 2 + BlankBlocks * BlockLength; // 1042

// The frame for these records (slot 1 first): 1043 + 13 × count bytes.
QByteArray Build(std::span<const QByteArray> records);

// When the byte at this offset completes the block of record k (1-based),
// k; otherwise 0.
int RecordCompletedAt(qsizetype offset, qsizetype recordCount);

// Whether the terminal's reply, as received so far, confirms the frame: its
// very first byte decides, whatever follows.
bool IsConfirmation(QByteArrayView reply);

} // namespace TransferFrame
