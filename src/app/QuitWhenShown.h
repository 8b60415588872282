#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

// For the start-up benchmark (bench/startup), which times the program to its
// first painted window from outside: when RACEPOINTS_BENCH_EXIT_ON_SHOWN is
// set, the program ends right after the window's first expose, whose handling
// paints the window. Otherwise it does nothing. Call it after show().
inline void QuitWhenShownForBenchmark(QWidget &window)
{
    if (qEnvironmentVariableIsEmpty("RACEPOINTS_BENCH_EXIT_ON_SHOWN") || !window.windowHandle())
        return;
    struct ExposeWatcher : QObject {
        using QObject::QObject;
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
                QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
            return false;
        }
    };
    window.windowHandle()->installEventFilter(new ExposeWatcher(window.windowHandle()));
}
