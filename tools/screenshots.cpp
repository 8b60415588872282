// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders the program's windows into PNG pictures for the README, headless.
//
// Usage: screenshots OUTPUT_FOLDER CLUB_FOLDER ICON_PNG
//
// Every picture shows the real window, built in a temporary working folder
// that holds the catalogue of CLUB_FOLDER and a few race points, with a plain
// title bar drawn above it (headless platforms have no window manager to draw
// one). Like a real title bar it keeps room for the close button and cuts a
// caption that does not fit with "...". QT_SCALE_FACTOR renders the windows
// as a screen of that scale shows them (scripts/screenshots --all).
// To picture another window, add a line to Shots() below. A message box
// that opens on the way makes the tool fail, naming it, instead of waiting.

#include "app/ClubLocation.h"
#include "app/Init.h"
#include "app/Texte.h"
#include "app/frmClubLocation.h"
#include "app/frmInfo.h"
#include "app/frmMain.h"
#include "editing/frmRacePointsAdd.h"
#include "editing/frmRacePointsImport.h"
#include "racepoints/RacePointsManage.h"
#include "terminal/COMPortsManage.h"
#include "terminal/SerialPort.h"
#include "terminal/frmRacePointsSend.h"
#include "terminal/frmSet.h"
#include "PseudoTerminal.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QPainter>
#include <QSerialPort>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

struct Shot {
    const char *file;
    // Opens the window over the main window, in the state to show.
    std::function<std::unique_ptr<QWidget>(frmMain &)> open;
};

QList<Shot> Shots()
{
    return {
        {"main-window.png", [](frmMain &) { return nullptr; }}, // the main window itself
        {"add.png", [](frmMain &main) {
             auto add = std::make_unique<frmRacePointsAdd>(main);
             add->Text1->setText(QStringLiteral("85")); // shows the stored race point 85
             return add;
         }},
        {"import.png", [](frmMain &main) {
             // A federation's list in degrees and decimal minutes, as a
             // spreadsheet saves it, over the club's first race points.
             const QByteArray list = "Nr;Lossingsplaats;Plaats;Breedte;Lengte\r\n"
                                     "86;Ch\xe2teauroux;Ch\xe2teauroux, Indre;46 48.6000 N;001 41.5000 E\r\n"
                                     "87;Poitiers;Poitiers, Vienne;46 34.8000 N;000 20.4000 E\r\n"
                                     "88;Angoul\xeame;Angoul\xeame, Charente;45 38.9000 N;000 09.3000 E\r\n"
                                     "88;Cognac;Cognac, Charente;45 41.7000 N;000 19.7000 W\r\n"
                                     "89;Tours;Tours, Indre-et-Loire;47 23.6000 N;000 41.3000 E\r\n"
                                     "90;Argenton;Argenton-sur-Creuse;;\r\n";
             ClubLocation::Current = ClubLocation::Parse("50 51 00.00 N, 04 21 00.00 E");
             auto preview = std::make_unique<frmRacePointsImport>(&main, RacePointLists::ReadSheet(list),
                                                                  QStringLiteral("season.csv"));
             preview->resize(820, 330);
             return preview;
         }},
        {"settings.png", [](frmMain &main) {
             auto set = std::make_unique<frmSet>(*main.COMPorts, &main);
             while (!main.COMPorts->IsSettled()) // every port answers at once here
                 QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
             set->Form_Activate(); // ticks the stored port, as the window system would
             return set;
         }},
        {"send.png", [](frmMain &main) {
             // Half-way through a transfer: the last name sent, no result yet.
             auto send = std::make_unique<frmRacePointsSend>(&main);
             send->setWindowTitle(Texte::GetText(QStringLiteral("frmRacePointsSend.Caption")));
             send->Command1->setText(Texte::GetText(QStringLiteral("frmRacePointsSend.Command1.Caption")));
             send->Label1->setText(QStringLiteral("84  Limoges      "));
             return send;
         }},
        {"info.png", [](frmMain &main) { return std::make_unique<frmInfo>(&main); }},
        {"club-location.png", [](frmMain &main) { return std::make_unique<frmClubLocation>(&main); }},
    };
}

QByteArray Record(const char *number, const char *name, const char *place, const char *latitude,
                  const char *longitude)
{
    return QByteArray(number) + QByteArray(name).leftJustified(13, ' ') + QByteArray(place).leftJustified(30, ' ')
        + latitude + longitude;
}

// A club's first few race points; the other numbers stay empty.
QByteArray SampleDataFile()
{
    using namespace RacePointsManage;
    Table table = DefaultTable();
    const QByteArrayList examples = {
        Record("80", "Quievrain", "Quievrain, Hainaut", "50240410", "03400925"),
        Record("81", "Noyon", "Noyon, Oise", "49345020", "02593160"),
        Record("82", "Pithiviers", "Pithiviers, Loiret", "48103075", "02150840"),
        Record("83", "Bourges", "Bourges, Cher", "47044500", "02234015"),
        Record("84", "Limoges", "Limoges, Haute-Vienne", "45500990", "01152255"),
        Record("85", "Montauban", "Montauban, Tarn-et-Garonne", "44004480", "01212030"),
    };
    for (const QByteArray &record : examples)
        table.records[record.left(2).toInt() - FirstNumber] = record;
    return FormatDataFile(table);
}

// The window as the user sees it on the desktop: a title bar with the icon
// and the caption, then the window itself.
QImage Framed(QWidget &window, const QPixmap &icon)
{
    // Drawn in the window's own units, at the scale of its pixels.
    const QPixmap content = window.grab();
    const qreal scale = content.devicePixelRatio();
    const int width = window.width();
    const int bar = 30;
    const int closeButton = 46; // as wide as Windows 10 and 11 draw it
    QImage picture(qRound((width + 2) * scale), qRound((window.height() + bar + 1) * scale), QImage::Format_ARGB32);
    picture.setDevicePixelRatio(scale);
    picture.fill(QColor(0x8a, 0x93, 0x9c));
    QPainter painter(&picture);
    painter.fillRect(1, 1, width, bar - 1, QColor(0xe4, 0xe8, 0xec));
    painter.drawPixmap(QRect(8, 6, 18, 18), icon);
    painter.setFont(window.font());
    painter.setPen(QColor(0x20, 0x24, 0x28));
    const QRect caption(34, 1, width - 34 - closeButton, bar - 1);
    painter.drawText(caption, Qt::AlignVCenter | Qt::AlignLeft,
                     painter.fontMetrics().elidedText(window.windowTitle(), Qt::ElideRight, caption.width()));
    painter.drawText(QRect(width - closeButton, 1, closeButton, bar - 1), Qt::AlignCenter, QStringLiteral("\u2715"));
    painter.drawPixmap(QPoint(1, bar), content);
    return picture;
}

// A message box would wait for a click that never comes on a headless
// screen: it is closed at once, named on standard error, and the tool fails.
class BoxWatcher : public QObject {
public:
    bool seen = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QMessageBox *>(watched);
        if (box && event->type() == QEvent::Show) {
            std::fprintf(stderr, "screenshots: a message box opened: %s: %s\n", qPrintable(box->windowTitle()),
                         qPrintable(box->text()));
            seen = true;
            QMetaObject::invokeMethod(box, &QDialog::reject, Qt::QueuedConnection);
        }
        return false;
    }
};

bool Write(const QImage &picture, const QString &path)
{
    if (!picture.save(path)) {
        std::fprintf(stderr, "screenshots: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: screenshots OUTPUT_FOLDER CLUB_FOLDER ICON_PNG\n");
        return 2;
    }
    const QString output = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    const QString club = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    const QPixmap icon(QString::fromLocal8Bit(argv[3]));
    QDir().mkpath(output);
    BoxWatcher boxes;
    app.installEventFilter(&boxes);

    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QDir().mkdir(QStringLiteral("racepo"));
    if (!QFile::copy(club + QStringLiteral("/club.txt"), QStringLiteral("club.txt"))
        || !Init::WriteWholeFile(QStringLiteral("racepo/racepo.dat"), SampleDataFile())
        // The club's house in Brussels, from which the add dialog measures.
        || !Init::WriteWholeFile(QDir::current().filePath(QLatin1String(ClubLocation::FileName)),
                                 "50 50 47.00 N, 04 21 06.00 E\r\n")) {
        std::fprintf(stderr, "screenshots: cannot prepare the working folder %s\n", qPrintable(work.path()));
        return 1;
    }

    // Four serial ports, played by pseudo-terminals: COM 33 is the chosen
    // one, a USB adapter; COM 34 is held by another program.
    const std::array<int, 4> numbers{1, 3, 33, 34};
    std::array<PseudoTerminal, 4> ports;
    SerialPort::SetDeviceTable([&](int number) {
        const auto at = std::find(numbers.begin(), numbers.end(), number);
        return at == numbers.end() ? QString() : ports[at - numbers.begin()].serialPath();
    });
    COMPortsManage::SetAdapterSource([&] {
        return QList<COMPortsManage::Adapter>{
            {QString(), ports[0].serialPath(), QStringLiteral("Communications Port"),
             QStringLiteral("(Standard port types)"), {}, {}},
            {QString(), ports[2].serialPath(), QStringLiteral("USB-Serial Controller"), QStringLiteral("Prolific"),
             0x067b, 0x2303}};
    });
    QSerialPort otherProgram(ports[3].serialPath());
    otherProgram.open(QIODevice::ReadWrite);
    QString reason;
    if (!Init::WriteWholeFile(QStringLiteral("OPTIONS.PAR"), "33\r\n", &reason)) {
        std::fprintf(stderr, "screenshots: cannot write OPTIONS.PAR: %s\n", qPrintable(reason));
        return 1;
    }

    frmMain main;
    QString error;
    if (!main.Form_Load(&error)) {
        std::fprintf(stderr, "screenshots: %s\n", qPrintable(error));
        return 1;
    }
    main.Timer1.stop(); // no port check: the pictures show one window each
    main.List1->setCurrentRow(3);
    main.show();

    bool ok = true;
    for (const Shot &shot : Shots()) {
        std::unique_ptr<QWidget> window = shot.open(main);
        QWidget &shown = window ? *window : static_cast<QWidget &>(main);
        shown.show();
        QApplication::processEvents();
        ok = Write(Framed(shown, icon), QDir(output).filePath(QLatin1String(shot.file))) && ok;
    }
    return ok && !boxes.seen ? 0 : 1;
}
