// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Show on map the way a Linux desktop opens an address: Qt runs xdg-open,
// which starts the browser that BROWSER names; here a script that writes
// down the address it was given.

#include "TestSupport.h"

#include "app/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QStandardPaths>
#include <QtTest>

class tst_mapbrowser : public QObject {
    Q_OBJECT

private slots:
    void opensTheBrowser()
    {
        QVERIFY2(!QStandardPaths::findExecutable("xdg-open").isEmpty(), "xdg-utils is not installed");
        QTemporaryDir home;
        const QString browser = home.filePath("browser"), address = home.filePath("address");
        QFile script(browser);
        QVERIFY(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$1\" > '" + address.toUtf8() + "'\n");
        script.close();
        QVERIFY(script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        // No desktop's own settings: xdg-open finds no handler of its own
        // and turns to BROWSER.
        qputenv("BROWSER", browser.toUtf8());
        for (const char *folders : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_DIRS"})
            qputenv(folders, home.path().toUtf8());
        for (const char *desktop : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION",
                                    "GNOME_DESKTOP_SESSION_ID", "DEFAULT_BROWSER"})
            qunsetenv(desktop);

        StartedProgram program(DefaultDataFile({{11, NamurRecord}}));
        program.select(11);
        program.main->mnuRacePointsMap->trigger();
        QFile opened(address);
        QTRY_VERIFY(opened.exists() && opened.size() > 0);
        QVERIFY(opened.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(opened.readAll()), NamurMap);
    }
};

int main(int argc, char **argv)
{
    // The headless platform of the other tests opens no address; the VNC one
    // opens them as a desktop does, and needs no display.
    qputenv("QT_QPA_PLATFORM", "vnc:port=0");
    QApplication app(argc, argv);
    tst_mapbrowser test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_mapbrowser.moc"
