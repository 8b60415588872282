// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Accessibility.h"

#include <QAccessible>
#include <QLabel>
#include <QListWidget>

QString SpokenCaption(const QString &caption)
{
    QString spoken;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        spoken += caption[i];
    }
    spoken = spoken.trimmed();
    if (spoken.endsWith(u':'))
        spoken.chop(1);
    return spoken.trimmed();
}

void NameBuddiesFromLabels(QWidget &window)
{
    for (QLabel *label : window.findChildren<QLabel *>()) {
        if (QWidget *buddy = label->buddy())
            buddy->setAccessibleName(SpokenCaption(label->text()));
    }
}

void AnnounceCheckState(QListWidgetItem &item)
{
    QListWidget *list = item.listWidget();
    if (!list || !QAccessible::isActive())
        return;
    QAccessibleInterface *view = QAccessible::queryAccessibleInterface(list);
    QAccessibleTableInterface *table = view ? view->tableInterface() : nullptr;
    QAccessibleInterface *line = table ? table->cellAt(list->row(&item), 0) : nullptr;
    if (!line)
        return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(line, changed);
    QAccessible::updateAccessibility(&event);
}
