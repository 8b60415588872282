#pragma once

#include "PseudoTerminal.h"
#include "TestSupport.h"
#include "terminal/SerialPort.h"

#include <QMap>
#include <QString>

#include <memory>

// Lets pseudo-terminals (or any path) play COM numbers while the object
// lives; no other number names a device, so the machine's own serial ports
// never take part in a test.
class PortTable {
public:
    PortTable() { SerialPort::SetDeviceTable([ports = ports](int number) { return ports->value(number); }); }
    ~PortTable() { UseNoSerialPorts(); }
    PortTable(const PortTable &) = delete;
    PortTable &operator=(const PortTable &) = delete;

    void set(int number, const QString &device) { ports->insert(number, device); }
    void set(int number, const PseudoTerminal &terminal) { set(number, terminal.serialPath()); }

private:
    std::shared_ptr<QMap<int, QString>> ports = std::make_shared<QMap<int, QString>>();
};

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QList>
#include <QMessageBox>
#include <QTimer>

// Answers every message box that opens while it lives with OK, and keeps
// what each one showed. Nothing is left waiting for a box after it is gone.
class MessageBoxes : public QObject {
public:
    struct Seen {
        QMessageBox::Icon icon;
        QString title;
        QString text;
    };
    QList<Seen> seen;

    MessageBoxes() { qApp->installEventFilter(this); }
    ~MessageBoxes() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            seen.append({box->icon(), box->windowTitle(), box->text()});
            QTimer::singleShot(0, box, [box] { box->button(QMessageBox::Ok)->click(); });
        }
        return false;
    }
};
