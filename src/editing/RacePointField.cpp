// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/RacePointField.h"

#include "app/MessageBox.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QRegularExpressionValidator>

#include <utility>

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
    // Super (Meta) is no shortcut here: Super+"/" would put "/" into the field.
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    return (modifiers & Qt::ControlModifier) && !(modifiers & Qt::AltModifier);
}

} // namespace

RacePointField::RacePointField(FieldRules::Kind kind, int maxLength, QWidget *parent)
    : QLineEdit(parent), fieldKind(kind)
{
    setMaxLength(maxLength);
    // Composed input would bypass the filters; the fields take plain ASCII.
    setAttribute(Qt::WA_InputMethodEnabled, false);
    // Whatever way around the key filter text may find (an input method, a
    // paste this class does not know of), a coordinate field refuses every
    // change that leaves a character other than a digit in it.
    if (kind == FieldRules::Kind::Coordinate)
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
}

bool RacePointField::readsPastes() const
{
    return fieldKind == FieldRules::Kind::Coordinate && !isReadOnly();
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
    selectAll();
    // The click that enters the field would place the cursor where it landed;
    // like Tab, it leaves the whole text selected, so that typing replaces it.
    selectOnRelease = event->reason() == Qt::MouseFocusReason;
}

void RacePointField::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (readsPastes()) {
        // Qt names none of its actions; its Paste is the one with its text,
        // in the language of Qt's translation.
        const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
        for (QAction *action : menu->actions()) {
            if (action->isSeparator() || !action->text().startsWith(pasteText))
                continue;
            action->disconnect(this);
            connect(action, &QAction::triggered, this, [this] { emit pasted(QGuiApplication::clipboard()->text()); });
        }
    }
    menu->popup(event->globalPos());
}

void RacePointField::dropEvent(QDropEvent *event)
{
    if (!readsPastes() || !event->mimeData()->hasText()) {
        QLineEdit::dropEvent(event);
        return;
    }
    event->acceptProposedAction();
    emit pasted(event->mimeData()->text());
}

void RacePointField::mousePressEvent(QMouseEvent *event)
{
    // The middle button pastes the text selected elsewhere (X11).
    if (readsPastes() && event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        event->accept();
        emit pasted(QGuiApplication::clipboard()->text(QClipboard::Selection));
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void RacePointField::mouseReleaseEvent(QMouseEvent *event)
{
    if (readsPastes() && event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
    // A part the user selected by dragging stays selected.
    if (std::exchange(selectOnRelease, false) && !hasSelectedText())
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
    if (readsPastes() && event->matches(QKeySequence::Paste)) {
        event->accept();
        emit pasted(QGuiApplication::clipboard()->text());
        return;
    }
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

void NameCoordinateFields(const std::array<RacePointField *, 8> &coordinateFields, const QString &window,
                          int firstNumber)
{
    static constexpr std::array<const char *, 8> names{
        "Latitude degrees",  "Latitude minutes",  "Latitude seconds",  "Latitude hundredths of a second",
        "Longitude degrees", "Longitude minutes", "Longitude seconds", "Longitude hundredths of a second"};
    for (int i = 0; i < 8; ++i) {
        const QString key = window + QStringLiteral(".Text%1.AccessibleName").arg(firstNumber + i);
        coordinateFields[i]->setAccessibleName(TextOr(key, QLatin1String(names[i])));
    }
}

void ShowReading(const std::array<RacePointField *, 8> &coordinateFields, const Coordinates::Reading &reading)
{
    const auto show = [&coordinateFields](const Coordinates::Angle &angle, int first) {
        const QStringList fields = Coordinates::Fields(angle);
        for (int i = 0; i < 4; ++i)
            coordinateFields[first + i]->setText(fields[i]);
    };
    if (reading.latitude)
        show(*reading.latitude, 0);
    if (reading.longitude)
        show(*reading.longitude, 4);
}
