#include "app/MessageBox.h"
#include "app/QuitWhenShown.h"
#include "app/frmMain.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets the desktop match the window to racepoints.desktop and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("racepoints"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/racepoints.png")));
    frmMain window;
    QString error;
    if (!window.Form_Load(&error)) {
        // The catalogue holds every text, so this report cannot come from it.
        error += QStringLiteral(" Racepoints cannot start without it.");
        std::fprintf(stderr, "racepoints: %s\n", qPrintable(error));
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            ShowMessage(nullptr, QMessageBox::Critical, QStringLiteral("Racepoints"), error);
        return 2;
    }
    window.show();
    QuitWhenShownForBenchmark(window);
    return app.exec();
}
