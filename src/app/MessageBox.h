#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The program's one kind of message: an icon, a title and a text from the
// catalogue, and a single OK button. Returns when the user has closed it.
void ShowMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text);

// A catalogue text, or the given English text when the catalogue lacks the key
// (used for the few messages that were added after the first catalogues).
QString TextOr(const QString &key, const QString &fallback);
