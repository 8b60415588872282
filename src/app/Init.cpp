#include "app/Init.h"

#include "racepoints/Cp1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace Init {

QString WorkPath;
QString SelectedCOMPort;

void InitProgram()
{
    WorkPath = QDir::currentPath() + u'/';
    CreateDataFolder();
    ReadOptions();
}

std::unique_ptr<QLockFile> LockWorkFolder()
{
    auto lock = std::make_unique<QLockFile>(QDir::current().filePath(QLatin1String(LockFileName)));
    // The program may run for days: its lock never gets stale by age, only by
    // its process having ended.
    lock->setStaleLockTime(0);
    if (!lock->tryLock() && lock->error() == QLockFile::LockFailedError)
        return nullptr;
    return lock;
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

bool WriteOptions(const QString &port)
{
    return WriteWholeFile(OptionsFilePath(), Cp1252::Encode(port) + "\r\n");
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

bool ReadWholeFile(const QString &path, QByteArray &content)
{
    // Plain files only: a folder reads nothing useful, and a named pipe or a
    // device under the file's name would block the program or never end.
    if (!QFileInfo(path).isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    content = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool WriteWholeFile(const QString &path, QByteArrayView content)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(content.data(), content.size()) != content.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace Init
