#include "editing/RacePointField.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>

namespace {

bool LeavesWindowOnly(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// Keys that edit or move rather than type: they always work.
bool IsEditingKey(const QKeyEvent &event)
{
    const QString text = event.text();
    if (text.isEmpty() || event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete
        || event.key() == Qt::Key_Escape)
        return true;
    // Shortcuts such as Ctrl+C and Ctrl+V; Ctrl+Alt is AltGr typing a character.
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if (modifiers & Qt::MetaModifier)
        return true;
    return (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
}

} // namespace

RacePointField::RacePointField(FieldRules::Kind kind, int maxLength, QWidget *parent)
    : QLineEdit(parent), fieldKind(kind)
{
    setMaxLength(maxLength);
    // Composed input would bypass the filters; the fields take plain ASCII.
    setAttribute(Qt::WA_InputMethodEnabled, false);
}

void RacePointField::setShowOnly()
{
    setReadOnly(true);
    setFocusPolicy(Qt::ClickFocus);
    QPalette colours = palette();
    colours.setColor(QPalette::Base, QApplication::palette("QMenuBar").color(QPalette::Window));
    setPalette(colours);
}

void RacePointField::rewrite(const QString &text)
{
    if (text != this->text())
        setText(text);
}

void RacePointField::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    if (entered)
        return;
    entered = true;
    if (!isReadOnly())
        rewrite(FieldRules::Entering(text()));
    // A click then places the cursor where the user clicked, to mend a typo.
    selectAll();
}

void RacePointField::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    if (LeavesWindowOnly(event->reason()) || !entered)
        return;
    entered = false;
    if (!isReadOnly())
        rewrite(FieldRules::Leaving(fieldKind, text(), maxLength()));
}

void RacePointField::keyPressEvent(QKeyEvent *event)
{
    if (!IsEditingKey(*event)) {
        for (const QChar typed : event->text()) {
            if (!FieldRules::Takes(fieldKind, typed)) {
                event->accept(); // discarded without a sound
                return;
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}
