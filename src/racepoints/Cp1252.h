// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The program's files hold one byte per character in Windows-1252, the code
// page of the clubs' PCs. Records stay bytes in memory; text is decoded only
// for display and encoded again when a dialog builds a record.
namespace Cp1252 {

QString Decode(QByteArrayView bytes);

// One byte per UTF-16 unit, so that a field's length in characters is its
// width in the record; a character the code page lacks becomes "?".
QByteArray Encode(QStringView text);

} // namespace Cp1252
