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

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

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

namespace {

// Without these, root reads and writes whatever the permission bits say.
constexpr quint32 OverridingCapabilities =
    (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH) | (1u << CAP_FOWNER);

bool Capabilities(__user_cap_data_struct (&data)[2], bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

} // namespace

RespectPermissions::RespectPermissions()
{
    __user_cap_data_struct data[2] = {};
    if (geteuid() != 0 || !Capabilities(data, false))
        return;
    savedEffective[0] = data[0].effective;
    savedEffective[1] = data[1].effective;
    data[0].effective &= ~OverridingCapabilities;
    restore = Capabilities(data, true);
}

RespectPermissions::~RespectPermissions()
{
    __user_cap_data_struct data[2] = {};
    if (!restore || !Capabilities(data, false))
        return;
    data[0].effective = savedEffective[0];
    data[1].effective = savedEffective[1];
    Capabilities(data, true);
}

bool RespectPermissions::permissionsHold() const
{
    QTemporaryDir probe;
    if (!probe.isValid())
        return false;
    TemporaryMode readOnly(probe.path(), QFile::ReadOwner | QFile::ExeOwner);
    QFile file(probe.filePath(QStringLiteral("probe")));
    return !file.open(QIODevice::WriteOnly);
}

TemporaryMode::TemporaryMode(const QString &path, QFile::Permissions permissions)
    : path(path), previous(QFile::permissions(path))
{
    QFile::setPermissions(path, permissions);
}

TemporaryMode::~TemporaryMode()
{
    QFile::setPermissions(path, previous);
}
