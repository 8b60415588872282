#pragma once

#include <QByteArray>
#include <QMessageBox>
#include <QString>
#include <QTemporaryDir>

#include <functional>

// A fresh working folder that is the current folder while the object lives,
// as the program expects at start-up.
class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    WorkFolder(const WorkFolder &) = delete;
    WorkFolder &operator=(const WorkFolder &) = delete;

    QString path(const QString &relative = QString()) const;
    // Copies a shipped catalogue ("" for English, "de" for German, ...).
    void copyCatalogue(const QString &language = QString()) const;
    void write(const QString &relative, const QByteArray &content) const;
    QByteArray read(const QString &relative) const;

private:
    QTemporaryDir dir;
    QString previous;
};

// The shipped catalogues' folder (club/ of the source tree).
QString ShippedCatalogueFolder();

// Runs `act` on the next modal window (dialog or message box) that opens after
// this call. Use it before the action that opens the window.
void OnNextModal(std::function<void(QWidget *)> act);
// Drops every OnNextModal still waiting (for a window that never opened), so
// it cannot act on a window of the next test.
void ForgetPendingModals();

struct SeenMessage {
    bool seen = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
};
// Answers the next message box with OK and records what it showed.
void AnswerNextMessageBox(SeenMessage *seen);

// Tests never touch the machine's own serial ports: no COM number names a
// device unless a test lets one play it. In force from the start of every
// test program that uses this support.
void UseNoSerialPorts();

// The default data file the program writes: " 19 " and 19 blank records.
QByteArray DefaultDataFile();
