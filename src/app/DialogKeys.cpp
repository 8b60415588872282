// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DialogKeys.h"

#include <QAbstractButton>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>

namespace {

class DialogKeyFilter : public QObject {
public:
    explicit DialogKeyFilter(QDialog &dialog) : QObject(&dialog), dialog(dialog) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Escape) {
            dialog.reject();
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (auto *button = qobject_cast<QAbstractButton *>(watched); button && button->isEnabled())
                button->click();
            return true;
        }
        return false;
    }

private:
    QDialog &dialog;
};

} // namespace

void InstallDialogKeys(QDialog &dialog)
{
    auto *filter = new DialogKeyFilter(dialog);
    dialog.installEventFilter(filter);
    for (QWidget *child : dialog.findChildren<QWidget *>()) {
        child->installEventFilter(filter);
        // No default button: Enter only ever presses the focused button.
        if (auto *button = qobject_cast<QPushButton *>(child)) {
            button->setAutoDefault(false);
            button->setDefault(false);
        }
    }
}
