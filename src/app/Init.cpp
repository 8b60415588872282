// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Init.h"

#include "app/SafeWrite.h"
#include "racepoints/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

namespace Init {

QString WorkPath;
QString SelectedCOMPort;

void InitProgram()
{
    WorkPath = QDir::currentPath() + u'/';
    CreateDataFolder();
    ReadOptions();
}

namespace {

std::unique_ptr<QLockFile> WorkFolderLock()
{
    auto lock = std::make_unique<QLockFile>(QDir::current().filePath(QLatin1String(LockFileName)));
    // The program may run for days: its lock never gets stale by age, only by
    // its process having ended.
    lock->setStaleLockTime(0);
    return lock;
}

// Whether a lock's computer is this one. On Windows Qt names the computer
// in its lock by the Windows computer name, the host name in capitals and
// cut to 15 characters ("CLUB-PC" for "club-pc"); elsewhere by the host name.
bool IsThisComputer(const QString &computer)
{
    const QString self = QSysInfo::machineHostName();
    return computer == self || computer.compare(self.left(15), Qt::CaseInsensitive) == 0;
}

} // namespace

std::unique_ptr<QLockFile> LockWorkFolder(QString *otherComputer)
{
    auto lock = WorkFolderLock();
    if (lock->tryLock() || lock->error() != QLockFile::LockFailedError)
        return lock;
    qint64 pid = 0;
    QString computer, program;
    if (otherComputer && lock->getLockInfo(&pid, &computer, &program) && !IsThisComputer(computer))
        *otherComputer = computer;
    return nullptr;
}

std::unique_ptr<QLockFile> TakeOverWorkFolder()
{
    auto lock = WorkFolderLock();
    lock->removeStaleLockFile();
    if (lock->tryLock() || lock->error() != QLockFile::LockFailedError)
        return lock;
    return nullptr;
}

void CreateDataFolder()
{
    // A plain file of that name counts as present; then no folder is made and
    // the race point file later simply cannot be written.
    if (QFileInfo::exists(WorkPath + QLatin1String(DataFolderName)))
        return;
    QDir().mkdir(WorkPath + QLatin1String(DataFolderName)); // failure is silent
}

void ReadOptions()
{
    SelectedCOMPort.clear();
    QByteArray content;
    if (!ReadWholeFile(OptionsFilePath(), content))
        return;
    const QByteArrayList lines = SplitLines(content, 1);
    if (!lines.isEmpty())
        SelectedCOMPort = Cp1252::Decode(lines.first());
}

bool WriteOptions(const QString &port, QString *reason)
{
    // A cut-short line reads as another port or none, which the settings
    // dialog then asks about: nothing is lost that the user cannot redo.
    return WriteWholeFile(OptionsFilePath(), Cp1252::Encode(port) + "\r\n", reason, Replace::InPlaceIfNeeded);
}

QString OptionsFilePath()
{
    return WorkPath + QLatin1String(OptionsFileName);
}

QString DataFilePath()
{
    return WorkPath + QLatin1String(DataFolderName) + u'/' + QStringLiteral("racepo.dat");
}

QByteArrayList SplitLines(QByteArrayView content, qsizetype maxLines)
{
    QByteArrayList lines;
    qsizetype start = 0;
    const qsizetype size = content.size();
    while (start < size && (maxLines < 0 || lines.size() < maxLines)) {
        qsizetype end = start;
        while (end < size && content[end] != '\r' && content[end] != '\n')
            ++end;
        lines.append(content.sliced(start, end - start).toByteArray());
        if (end < size && content[end] == '\r' && end + 1 < size && content[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return lines;
}

namespace {

bool Failed(QString *reason, const QString &why)
{
    if (reason)
        *reason = why;
    return false;
}

} // namespace

bool ReadWholeFile(const QString &path, QByteArray &content, QString *reason)
{
    // Plain files only: a named pipe or a device under the file's name would
    // block the program or never end. A folder is refused by open() itself,
    // which says so.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        return Failed(reason, QStringLiteral("Not a plain file"));
    const auto tooLarge = [&](qint64 size) {
        return Failed(reason, QStringLiteral("File too large: %1 MB, where no file of the program has more than %2 MB")
                                  .arg((size + (1 << 20) - 1) >> 20)
                                  .arg(MaxFileSize >> 20));
    };
    if (info.isFile() && info.size() > MaxFileSize)
        return tooLarge(info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failed(reason, file.errorString());
    QByteArray read = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return Failed(reason, file.errorString());
    if (read.size() > MaxFileSize) // grown meanwhile
        return tooLarge(read.size());
    content = std::move(read);
    return true;
}

bool WriteWholeFile(const QString &path, QByteArrayView content, QString *reason, Replace replace)
{
    // A link stays a link: the file it names is written.
    const QFileInfo link(path);
    const QFileInfo target(link.isSymLink() ? link.symLinkTarget() : path);
    // Never in the place of a named pipe or a device, which are no club's
    // files; a folder in the way makes the save fail by itself.
    if (target.exists() && !target.isFile() && !target.isDir())
        return Failed(reason, QStringLiteral("Not a plain file"));
    const auto mode = replace == Replace::InPlaceIfNeeded && target.isFile() ? SafeWrite::Mode::InPlaceIfNeeded
                                                                              : SafeWrite::Mode::Replace;
    const std::error_code error = SafeWrite::Write(target.filePath().toStdU16String(),
                                                   std::string_view(content.data(), content.size()), mode);
    if (error)
        return Failed(reason, qt_error_string(error.value()));
    return true;
}

} // namespace Init
