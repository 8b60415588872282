// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Convert.h"

#include <limits>

namespace Convert {

std::optional<int> ToInteger(QStringView text, int min, int max)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    bool negative = false;
    if (begin < end && (text[begin] == u'+' || text[begin] == u'-')) {
        negative = text[begin] == u'-';
        ++begin;
    }
    if (begin == end)
        return std::nullopt;
    long long value = 0;
    for (qsizetype i = begin; i < end; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < min || value > max)
        return std::nullopt;
    return static_cast<int>(value);
}

std::optional<int> ToInt16(QStringView text)
{
    return ToInteger(text, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max());
}

} // namespace Convert
