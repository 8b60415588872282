// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/Cp1252.h"

#include <array>

namespace Cp1252 {

namespace {

// Windows-1252 is Latin-1 except for the bytes 0x80 to 0x9F, where it has
// 27 printable characters. Its five unassigned bytes (0x81, 0x8D, 0x8F, 0x90,
// 0x9D; 0 here) keep their Latin-1 control characters, as Windows does, so
// every byte survives a decode and encode. A table of our own, because Qt
// without ICU (the Windows build) has no named code pages.
constexpr std::array<char16_t, 32> High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 0x88
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 0x98
};

constexpr bool InHighRange(unsigned code)
{
    return code >= 0x80 && code <= 0x9F;
}

char16_t DecodeByte(unsigned char byte)
{
    return InHighRange(byte) && High[byte - 0x80] ? High[byte - 0x80] : char16_t(byte);
}

char EncodeUnit(char16_t unit)
{
    if (unit <= 0xFF)
        return !InHighRange(unit) || !High[unit - 0x80] ? static_cast<char>(unit) : '?';
    for (std::size_t i = 0; i < High.size(); ++i) {
        if (High[i] == unit)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

} // namespace

QString Decode(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(DecodeByte(static_cast<unsigned char>(bytes[i])));
    return text;
}

QByteArray Encode(QStringView text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        bytes[i] = EncodeUnit(text[i].unicode());
    return bytes;
}

} // namespace Cp1252
