// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Loaded into racepoints and barewindow by bench/startup (LD_PRELOAD), never
// shipped: ends the program right after its first window has been painted,
// so that the benchmark can time the start-up from outside.

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

namespace {

class FirstPaint : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The expose is handled, and the window painted, before the queued
        // quit comes round.
        if (event->type() == QEvent::Expose && watched->isWindowType()
            && static_cast<QWindow *>(watched)->isExposed()) {
            qApp->removeEventFilter(this);
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        }
        return false;
    }
};

// Runs when the program makes its application object.
void WatchForFirstPaint()
{
    qApp->installEventFilter(new FirstPaint(qApp));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(WatchForFirstPaint)
