// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for any Qt Widgets program: an empty window of the main window's
// size, started and timed exactly as racepoints is (bench/startup).

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Bare window"));
    window.resize(611, 410);
    window.show();
    return app.exec();
}
