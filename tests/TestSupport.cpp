// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestSupport.h"

#include "app/frmMain.h"
#include "terminal/SerialPort.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <QtTest>

WorkFolder::WorkFolder() : previous(QDir::currentPath())
{
    QDir::setCurrent(dir.path());
}

WorkFolder::~WorkFolder()
{
    QDir::setCurrent(previous);
}

QString WorkFolder::path(const QString &relative) const
{
    return relative.isEmpty() ? dir.path() : dir.filePath(relative);
}

QString ShippedCatalogueFolder()
{
    return qEnvironmentVariable("RACEPOINTS_CLUB_DIR");
}

QByteArray Catalogue(const QString &language, const QByteArray &prefix)
{
    QFile shipped(QDir(ShippedCatalogueFolder()).filePath(language.isEmpty() ? QStringLiteral("club.txt") : language + QStringLiteral("/club.txt")));
    if (!QTest::qVerify(shipped.open(QIODevice::ReadOnly), "shipped.open()", qPrintable(shipped.fileName()), __FILE__, __LINE__))
        return QByteArray();
    QByteArray catalogue;
    for (const QByteArray &line : shipped.readAll().split('\n'))
        if (prefix.isEmpty() || !line.startsWith(prefix))
            catalogue += line + '\n';
    catalogue.chop(1); // the split's last piece had no line end
    return catalogue;
}

void WorkFolder::copyCatalogue(const QString &language) const
{
    write(QStringLiteral("club.txt"), Catalogue(language));
}

void WorkFolder::write(const QString &relative, const QByteArray &content) const
{
    QDir().mkpath(QFileInfo(path(relative)).path());
    QFile file(path(relative));
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(file.fileName()));
    file.write(content);
}

QByteArray WorkFolder::read(const QString &relative) const
{
    QFile file(path(relative));
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool StartMainWindow(frmMain &window, QString *error)
{
    const bool started = window.Form_Load(error);
    window.Timer1.stop();
    return started;
}

StartedProgram::StartedProgram(const QByteArray &dataFile, const QByteArray &catalogue)
{
    folder.write(QStringLiteral("club.txt"), catalogue);
    if (!dataFile.isEmpty())
        folder.write(DataFileName, dataFile);
    restart();
}

StartedProgram::~StartedProgram() = default;

void StartedProgram::restart()
{
    main.reset();
    main = std::make_unique<frmMain>();
    QVERIFY(StartMainWindow(*main));
    main->show();
}

void StartedProgram::select(int line)
{
    main->List1->setCurrentRow(line - 1);
}

QStringList StartedProgram::lines() const
{
    QStringList lines;
    for (int row = 0; row < main->List1->count(); ++row)
        lines.append(main->List1->item(row)->text());
    return lines;
}

Modals::Modals() : outer(innermost)
{
    innermost = this;
    qApp->installEventFilter(this);
}

Modals::~Modals()
{
    qApp->removeEventFilter(this);
    innermost = outer;
}

void Modals::next(const QMetaObject &kind, std::function<void(QWidget &)> act)
{
    acts.append({&kind, std::move(act)});
}

bool Modals::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show)
        return false;
    auto *window = qobject_cast<QWidget *>(watched);
    if (!window || !window->isWindow() || !window->testAttribute(Qt::WA_ShowModal))
        return false;
    auto *box = qobject_cast<QMessageBox *>(window);
    Seen &noted = seen.emplace_back();
    noted.kind = window->metaObject()->className();
    noted.title = window->windowTitle();
    if (box) {
        noted.icon = box->icon();
        noted.text = box->text();
    }
    noted.shown.start();
    if (this != innermost)
        return false;

    // Dealt with from within the window's own event loop, once it runs.
    QTimer::singleShot(0, window, [window = QPointer<QWidget>(window),
                                   action = acts.isEmpty() ? decltype(acts)::value_type() : acts.takeFirst()] {
        const auto &[kind, act] = action;
        if (act && QTest::qVerify(kind->cast(window), "kind->cast(window)", "a modal window of another kind opened",
                                  __FILE__, __LINE__)
            && QTest::qVerify(QTest::qWaitForWindowActive(window), "QTest::qWaitForWindowActive(window)",
                              "a modal window never became active", __FILE__, __LINE__))
            act(*window);
        if (!window || !window->isVisible())
            return;
        if (auto *box = qobject_cast<QMessageBox *>(window.data()))
            box->button(QMessageBox::Ok)->click();
        else
            window->close();
    });
    return false;
}

bool Shown(QDialog &dialog)
{
    dialog.show();
    return QTest::qWaitForWindowActive(&dialog);
}

void UseNoSerialPorts()
{
    SerialPort::SetDeviceTable([](int) { return QString(); });
}
Q_CONSTRUCTOR_FUNCTION(UseNoSerialPorts)

QByteArray Record(int number, const QByteArray &name, const QByteArray &place, const QByteArray &coordinates)
{
    return QByteArray::number(number).right(2) + name.leftJustified(13, ' ') + place.leftJustified(30, ' ')
        + coordinates.leftJustified(16, ' ');
}

QByteArrayList BlankRecords(int from, int to)
{
    QByteArrayList records;
    for (int number = from; number <= to; ++number)
        records.append(Record(number));
    return records;
}

QByteArray DataFile(const QByteArrayList &records, const QByteArray &countLine)
{
    QByteArray content = (countLine.isNull() ? ' ' + QByteArray::number(records.size()) + ' ' : countLine) + "\r\n";
    for (const QByteArray &record : records)
        content += record + "\r\n";
    return content;
}

QByteArray DefaultDataFile(const QList<std::pair<int, QByteArray>> &replaced)
{
    QByteArrayList records = BlankRecords();
    for (const auto &[slot, record] : replaced)
        records[slot - 1] = record;
    return DataFile(records);
}

QByteArrayList FileLines(const QByteArray &content)
{
    QByteArrayList lines = content.split('\n');
    for (QByteArray &line : lines)
        line.chop(line.endsWith('\r') ? 1 : 0);
    return lines;
}

QStringList KeptCopies(const WorkFolder &folder)
{
    return QDir(folder.path(QStringLiteral("racepo"))).entryList({QStringLiteral("racepo.dat.damaged-*")}, QDir::Files);
}

QStringList Tree(const QString &folder)
{
    QStringList paths;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        paths.append(QDir(folder).relativeFilePath(it.next()));
    paths.sort();
    return paths;
}

QString ProgramPath()
{
    return qEnvironmentVariable("RACEPOINTS_EXE");
}

QString HelperPath(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}
