// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Init.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

// A property that does not hold is a finding like a crash: libFuzzer keeps
// the input that broke it.
#define FUZZ_CHECK(condition)                                                              \
    do {                                                                                   \
        if (!(condition)) {                                                                \
            std::fprintf(stderr, "%s:%d: property does not hold: %s\n", __FILE__, __LINE__, \
                         #condition);                                                      \
            std::abort();                                                                  \
        }                                                                                  \
    } while (false)

// One working folder for the whole run, made the program's WorkPath. Kept in
// memory where possible: every save syncs to disk, which would otherwise set
// the pace of the fuzzing.
inline void UseFuzzWorkFolder()
{
    static QTemporaryDir folder(
        (QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath())
        + QStringLiteral("/racepoints-fuzz-XXXXXX"));
    if (!folder.isValid())
        std::abort();
    Init::WorkPath = folder.path() + u'/';
}

inline QByteArrayView Bytes(const uint8_t *data, size_t size)
{
    return {reinterpret_cast<const char *>(data), static_cast<qsizetype>(size)};
}

inline void WriteFile(const QString &path, QByteArrayView content)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(content.data(), content.size()) != content.size())
        std::abort();
}

inline QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of a file as the program's files define them (CR LF, CR or LF
// ends a line; a last line without an end counts), written apart from the
// program's own reader so that the two can be held against each other.
inline std::vector<std::string_view> ReferenceLines(QByteArrayView content)
{
    const std::string_view text(content.data(), static_cast<size_t>(content.size()));
    std::vector<std::string_view> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

inline QByteArray ToBytes(std::string_view text)
{
    return {text.data(), static_cast<qsizetype>(text.size())};
}
