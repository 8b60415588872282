#include "app/Accessibility.h"

#include <QLabel>

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
