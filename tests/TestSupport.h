// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>

class QDialog;
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
// A race point with coordinates (Namur, number 90, line 11), and the address
// of its map in the north-east.
inline const QByteArray NamurRecord = Record(90, "Namur", "Namur, B", "5027451204515000");
inline const QString NamurMap =
    QStringLiteral("https://www.openstreetmap.org/?mlat=50.462533&mlon=4.863889#map=11/50.462533/4.863889");
// The data file the program writes when there is none, 19 blank records,
// with some slots replaced (slot 1 is race point 80).
QByteArray DefaultDataFile(const QList<std::pair<int, QByteArray>> &replaced = {});
// A file's lines without their line ends.
QByteArrayList FileLines(const QByteArray &content);
// The copies kept aside of damaged data files.
QStringList KeptCopies(const WorkFolder &folder);
// Everything below a folder, as paths relative to it, sorted.
QStringList Tree(const QString &folder);

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

// Tests never touch the machine's own serial ports: no COM number names a
// device unless a test lets one play it. In force from the start of every
// test program that uses this support.
void UseNoSerialPorts();

// The program itself (build/racepoints), for tests that need its exit status
// and what it writes to stderr.
QString ProgramPath();
// A helper program built beside the tests (tests/helpers/).
QString HelperPath(const QString &name);

// Watches the modal windows (dialogs and message boxes) that open while it
// lives and notes what each showed. The innermost of several watchers deals
// with each window: with the action given to next() if one waits, otherwise
// as a user who wants to get on would, answering a message box with OK and
// closing any other dialog with its close button. Nothing waits for a window
// once the watcher is gone.
class Modals : public QObject {
public:
    struct Seen {
        QByteArray kind; // the window's class: "QMessageBox", "frmSet", ...
        QString title;
        QMessageBox::Icon icon = QMessageBox::NoIcon; // a message box's
        QString text;                                 // a message box's
        QElapsedTimer shown; // started as the window showed
    };
    QList<Seen> seen;

    Modals();
    ~Modals() override;
    Modals(const Modals &) = delete;
    Modals &operator=(const Modals &) = delete;

    // Runs `act` on the next modal window, which must be a `kind`, once it is
    // active; the window is closed afterwards if `act` left it open.
    void next(const QMetaObject &kind, std::function<void(QWidget &)> act);

    // How many windows of the given class opened.
    template <class Window>
    qsizetype count() const
    {
        return std::count_if(seen.begin(), seen.end(),
                             [](const Seen &window) { return window.kind == Window::staticMetaObject.className(); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<std::pair<const QMetaObject *, std::function<void(QWidget &)>>> acts;
    Modals *outer;
    static inline Modals *innermost = nullptr;
};

// Runs `open` (a menu entry, a key) and, when it opens a modal `Dialog`, runs
// `act` on it while it is open and closes it afterwards if `act` left it
// open. Returns whether such a dialog opened.
template <class Dialog>
bool WhileOpen(const std::function<void()> &open, const std::function<void(Dialog &)> &act = {})
{
    Modals modals;
    modals.next(Dialog::staticMetaObject, [&act](QWidget &dialog) {
        if (act)
            act(static_cast<Dialog &>(dialog));
    });
    open();
    return modals.count<Dialog>() > 0;
}

// Shows a dialog without its modal loop, so that the test itself can type
// into it step by step; no watcher deals with it. True once it is active.
bool Shown(QDialog &dialog);
