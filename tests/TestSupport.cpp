#include "TestSupport.h"

#include "terminal/SerialPort.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

void WorkFolder::copyCatalogue(const QString &language) const
{
    QFile source(QDir(ShippedCatalogueFolder()).filePath(language.isEmpty() ? QStringLiteral("club.txt") : language + QStringLiteral("/club.txt")));
    QVERIFY2(source.open(QIODevice::ReadOnly), qPrintable(source.fileName()));
    write(QStringLiteral("club.txt"), source.readAll());
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

void OnNextModal(std::function<void(QWidget *)> act)
{
    QPointer<QWidget> before = QApplication::activeModalWidget();
    auto *poll = new QTimer(qApp);
    poll->setObjectName(QStringLiteral("OnNextModal"));
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, before, act = std::move(act)] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == before || !modal->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        act(modal);
    });
    poll->start();
}

void ForgetPendingModals()
{
    for (QTimer *poll : qApp->findChildren<QTimer *>(QStringLiteral("OnNextModal"), Qt::FindDirectChildrenOnly))
        delete poll;
}

void AnswerNextMessageBox(SeenMessage *seen)
{
    OnNextModal([seen](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            modal->close();
            return;
        }
        seen->seen = true;
        seen->icon = box->icon();
        seen->title = box->windowTitle();
        seen->text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
}

void UseNoSerialPorts()
{
    SerialPort::SetDeviceTable([](int) { return QString(); });
}
Q_CONSTRUCTOR_FUNCTION(UseNoSerialPorts)

QByteArray DefaultDataFile()
{
    QByteArray content = " 19 \r\n";
    for (int number = 80; number <= 98; ++number)
        content += QByteArray::number(number) + QByteArray(59, ' ') + "\r\n";
    return content;
}

QString ProgramPath()
{
    return qEnvironmentVariable("RACEPOINTS_EXE");
}

QString HelperPath(const QString &name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}
