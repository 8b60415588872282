// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editing/FieldRules.h"
#include "racepoints/Coordinates.h"

#include <QLineEdit>

#include <array>

// One of the eleven race point fields. It trims its text when the user
// enters it, lets only the characters of its kind be typed, and fills its
// text to the record's width when the user leaves it. Pasted text is not
// filtered in the number, name and place fields; the fill and the dialog's
// checks still apply to it. A coordinate field takes digits only, by any way:
// what is pasted or dropped on it goes to its dialog as `pasted`, to be read
// as a coordinate.
class RacePointField : public QLineEdit {
    Q_OBJECT

public:
    RacePointField(FieldRules::Kind kind, int maxLength, QWidget *parent = nullptr);

    FieldRules::Kind kind() const { return fieldKind; }

    // Read-only fields show a record: they cannot be edited, Tab skips them,
    // and no rule rewrites their text.
    void setShowOnly();

signals:
    // Text pasted (the keyboard, the context menu, the middle mouse button)
    // or dropped on an editable coordinate field; the field itself is unchanged.
    void pasted(const QString &text);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    // Writes only a different text, so that a rule leaving the text as it
    // was is no change of it.
    void rewrite(const QString &text);
    // Whether text put in goes to `pasted` instead of into the field.
    bool readsPastes() const;

    FieldRules::Kind fieldKind;
    // Between entering and leaving; the dialog losing activation (a message
    // box, another program, a context menu) leaves the user in the field.
    bool entered = false;
    // Entered by a click that has not been released yet.
    bool selectOnRelease = false;
};

// Names each coordinate field for a screen reader by what it holds, as the
// row's label names only the first: from the keys WINDOW.TextN.AccessibleName,
// N counting from `firstNumber`, in English where a catalogue lacks them.
void NameCoordinateFields(const std::array<RacePointField *, 8> &coordinateFields, const QString &window,
                          int firstNumber);

// Shows what was read from a paste in the coordinate fields of its rows: the
// latitude's four fields, then the longitude's four.
void ShowReading(const std::array<RacePointField *, 8> &coordinateFields, const Coordinates::Reading &reading);
