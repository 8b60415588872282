// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What the main window shows, made the plain way with Qt and nothing else:
// the menu bar with its menus and entries, and the list of the 19 race
// point numbers in Courier New 10.5 point, in a window of the main window's
// size. bench/startup times it beside racepoints and the bare window, so
// that what showing these costs in Qt stands apart from what racepoints
// adds (its catalogue, files, libraries and port search).

#include <QApplication>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>

#include <vector>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Racepoints"));
    auto *client = new QWidget(&window);
    client->setFixedSize(611, 389);
    window.setCentralWidget(client);

    // The entries in English; an empty one is a separator.
    const std::vector<std::vector<const char *>> menus = {
        {"&Program", "&Set...", "&Club location...", "", "E&xit"},
        {"&Race points", "&Add...", "A&lter...", "&Delete...", "&Undo", "&Redo", "", "&Import...", "&Export...", "",
         "S&how", "Show on &map", "&Print...", "Send (PC --> Terminal)"},
        {"&Help", "&Info..."},
    };
    for (const auto &entries : menus) {
        QMenu *menu = window.menuBar()->addMenu(QString::fromLatin1(entries.front()));
        for (auto entry = entries.begin() + 1; entry != entries.end(); ++entry) {
            if (**entry)
                menu->addAction(QString::fromLatin1(*entry));
            else
                menu->addSeparator();
        }
    }

    auto *list = new QListWidget(client);
    list->setGeometry(14, 14, 582, 361);
    QFont font(QStringLiteral("Courier New"));
    font.setPointSizeF(10.5);
    font.setStyleHint(QFont::TypeWriter);
    list->setFont(font);
    for (int number = 80; number <= 98; ++number)
        list->addItem(QString::number(number) + QStringLiteral(":  "));

    window.show();
    return app.exec();
}
