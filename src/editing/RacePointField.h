// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editing/FieldRules.h"

#include <QLineEdit>

// One of the eleven race point fields. It trims its text when the user
// enters it, lets only the characters of its kind be typed, and fills its
// text to the record's width when the user leaves it. Pasted text is not
// filtered; the fill and the dialog's checks still apply to it.
class RacePointField : public QLineEdit {
    Q_OBJECT

public:
    RacePointField(FieldRules::Kind kind, int maxLength, QWidget *parent = nullptr);

    FieldRules::Kind kind() const { return fieldKind; }

    // Read-only fields show a record: they cannot be edited, Tab skips them,
    // and no rule rewrites their text.
    void setShowOnly();

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Writes only a different text, so that a rule leaving the text as it
    // was is no change of it.
    void rewrite(const QString &text);

    FieldRules::Kind fieldKind;
    // Between entering and leaving; the dialog losing activation (a message
    // box, another program, a context menu) leaves the user in the field.
    bool entered = false;
    // Entered by a click that has not been released yet.
    bool selectOnRelease = false;
};
