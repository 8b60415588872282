#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QByteArrayList>
#include <QEvent>
#include <QFile>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>

class frmMain;

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

// A shipped catalogue ("" English, "de" German, ...), without the keys that
// start with `prefix`, as in catalogues older than those keys.
QByteArray Catalogue(const QString &language = QString(), const QByteArray &prefix = QByteArray());

// Race point records and the data file, written out byte by byte as the
// program reads and writes them.

// Where the data file lies in a working folder.
inline const QString DataFileName = QStringLiteral("racepo/racepo.dat");

// A record: the number in two columns (100 gives "00"), then name, place and
// coordinates, each filled with blanks to its width.
QByteArray Record(int number, const QByteArray &name = QByteArray(), const QByteArray &place = QByteArray(),
                  const QByteArray &coordinates = QByteArray());
// The blank records of the numbers `from` to `to`.
QByteArrayList BlankRecords(int from = 80, int to = 98);
// A data file: the count line (" 5 " for five records, unless given) and the
// records, each line ending in CR LF.
QByteArray DataFile(const QByteArrayList &records, const QByteArray &countLine = QByteArray());
// The data file the program writes when there is none, 19 blank records,
// with some slots replaced (slot 1 is race point 80).
QByteArray DefaultDataFile(const QList<std::pair<int, QByteArray>> &replaced = {});
// A file's lines without their line ends.
QByteArrayList FileLines(const QByteArray &content);
// The copies kept aside of damaged data files.
QStringList KeptCopies(const WorkFolder &folder);

// Starts the main window as the program does, in the current folder, but
// without the port check that would follow a second later: no settings dialog
// comes up unasked. False, with the reason, when the program does not start.
bool StartMainWindow(frmMain &window, QString *error = nullptr);

// The program started and shown in a fresh working folder with the given
// data file (the program writes its default one unless given) and catalogue.
struct StartedProgram {
    explicit StartedProgram(const QByteArray &dataFile = QByteArray(), const QByteArray &catalogue = Catalogue());
    ~StartedProgram();

    // A new main window in the same folder, as when the program starts again.
    void restart();
    QByteArray file() const { return folder.read(DataFileName); }
    // Selects a list line as a click does (line 1 is race point 80).
    void select(int line);
    QStringList lines() const;

    WorkFolder folder;
    std::unique_ptr<frmMain> main;
};

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

// The program itself (build/racepoints), for tests that need its exit status
// and what it writes to stderr.
QString ProgramPath();
// A helper program built beside the tests (tests/helpers/).
QString HelperPath(const QString &name);

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
