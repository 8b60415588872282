#include "app/MessageBox.h"

#include "app/Texte.h"

void ShowMessage(QWidget *parent, QMessageBox::Icon icon, const QString &title, const QString &text)
{
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("MsgBox"));
    box.exec();
}

QString TextOr(const QString &key, const QString &fallback)
{
    const QString text = Texte::GetText(key);
    return text.isEmpty() ? fallback : text;
}
