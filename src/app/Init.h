// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <memory>

class QLockFile;

// Working folder and options file. The program works in the folder that is
// current when it starts; every file it touches lies there or below it.
namespace Init {

// The working folder with a trailing separator: the prefix of every file name.
extern QString WorkPath;
// The chosen serial port number as decimal text ("3"); "" or "0": none chosen.
extern QString SelectedCOMPort;

inline constexpr const char *DataFolderName = "racepo";
inline constexpr const char *OptionsFileName = "OPTIONS.PAR";
inline constexpr const char *LockFileName = "racepoints.lock";

void InitProgram();

// One copy of the program per working folder: a second copy would save its
// own, older table over what the first one stored. Locks the current folder
// for this copy until the result is destroyed; nothing when a running copy
// holds it already. The lock of a copy that was killed does not count, and a
// folder that cannot take the lock file at all (read-only) is not locked.
// A lock of another computer (a folder on a network share or a USB stick)
// cannot be checked from here: nothing, and the computer's name in
// `otherComputer`.
std::unique_ptr<QLockFile> LockWorkFolder(QString *otherComputer = nullptr);
// Takes the lock over from another computer's copy, which the user says
// is no longer running there; nothing when another copy has taken it meanwhile.
std::unique_ptr<QLockFile> TakeOverWorkFolder();
void CreateDataFolder();
void ReadOptions();

// Replaces OPTIONS.PAR with the port number and CR LF; returns whether the
// new content is in place. Where the working folder takes no new file but
// OPTIONS.PAR itself may be written, the file is rewritten in place.
bool WriteOptions(const QString &port, QString *reason = nullptr);

QString OptionsFilePath();
QString DataFilePath(); // WorkPath + "racepo/racepo.dat"

// The lines of an 8-bit text file: CR LF, CR or LF end a line, the line end
// is not part of the line, and a last line without an end still counts.
QByteArrayList SplitLines(QByteArrayView content, qsizetype maxLines = -1);

// The file functions below give, when they fail, the operating system's
// reason in `reason` ("Permission denied", "No space left on device"), in
// the words of the system's language, for the user to read.

// No file of the program comes near this size (a catalogue of 1000 lines has
// about 100 kB, the race point file 1.2 kB); a larger one is refused before
// it is read into memory.
inline constexpr qint64 MaxFileSize = qint64(16) * 1024 * 1024;

// Reads a whole plain file; false when it cannot be opened or read, is no
// plain file (a folder, a named pipe, a device) or is larger than
// MaxFileSize.
bool ReadWholeFile(const QString &path, QByteArray &content, QString *reason = nullptr);

enum class Replace : std::uint8_t {
    // Write a new file beside the old one, onto the disk, and rename it over
    // the old, so that a failed or interrupted write never leaves a partly
    // written file (see SafeWrite). A link stays, and the file it names is
    // written; a named pipe or a device is never replaced.
    Atomically,
    // The same, except where the folder takes no new file but the old plain
    // file may be written: then it is rewritten in place. For files whose
    // partly written content does no harm.
    InPlaceIfNeeded,
};

bool WriteWholeFile(const QString &path, QByteArrayView content, QString *reason = nullptr,
                    Replace replace = Replace::Atomically);

} // namespace Init
