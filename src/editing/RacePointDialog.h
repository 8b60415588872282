// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editing/CoordinateNotes.h"
#include "editing/RacePointField.h"

#include <QDialog>
#include <QString>

#include <array>

class QGroupBox;
class QLabel;
class QPushButton;
class frmMain;

// What the add, alter and delete dialogs share: the eleven race point fields
// with their labels and unit signs, the two buttons, the layout and the tab
// order, and the steps that store a record and show the result.
class RacePointDialog : public QDialog {
    Q_OBJECT

public:
    RacePointField *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10, *Text11;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5;
    // The captionless frame around the coordinate row.
    QGroupBox *Frame1;
    // The fixed signs after Text4 to Text11: degrees, minutes, seconds comma, seconds.
    std::array<QLabel *, 8> UnitSigns;
    QPushButton *Command1, *Command2;
    // Under the coordinates, in the add and alter dialogs: the distance from
    // the club location, and what looks wrong or why a paste was not taken.
    QLabel *LabelDistance = nullptr, *LabelNotes = nullptr;

    // Text1 to Text11 in record order.
    std::array<RacePointField *, 11> Fields() const;
    // Text4 to Text11.
    std::array<RacePointField *, 8> CoordinateFields() const;

    // Whether the alter or delete dialog found the selected race point; it
    // opens only then.
    bool HasRecord() const { return selectedSlot > 0; }

protected:
    RacePointDialog(frmMain &main, const char *name);

    // The window caption, the button and the label captions and what a
    // screen reader says of the fields, from the catalogue read anew; the
    // dialog's own message texts follow.
    void ApplyLayoutTexts(const QString &window);
    QStringList FieldTexts() const;
    void ShowFieldTexts(const QStringList &texts, int first = 1);

    // Finds the selected race point and shows it: false when the selection
    // names no stored record, and then the dialog must not open.
    bool ShowSelectedRecord();
    int SelectedRacePoint() const;

    // The record of the eleven fields, after setting each coordinate field
    // that is not two characters long to "00".
    QByteArray RecordFromFields();

    // Stores the record and saves the table; a failed save is reported with
    // the given message and the operating system's reason before the list is
    // refilled from what the file holds.
    // False when the record names no slot: nothing is saved then.
    bool StoreAndSave(const QByteArray &record, const QString &failTitle, const QString &failText);

    // Shows the distance and the notes under the coordinates, kept up to
    // date as they change. The window's catalogue texts must be applied.
    void ShowCoordinateChecks();

    // An access key presses a button without moving the focus; moving it
    // first lets the field being left apply its fill, as a click would.
    void TakeFocus(QPushButton *button);

    frmMain &Main;

private:
    void PasteCoordinates(Coordinates::Axis row, const QString &text);
    void UpdateCoordinateChecks();

    int selectedSlot = 0;
    QString windowName;
    // Why the last paste was not taken; shown until the coordinates change.
    QString pasteNote;
};

// What a note says when a paste into a coordinate field of `window` was no
// coordinate: the forms that are understood.
QString PasteFormsText(const QString &window);

// Texts for the file error messages of catalogues that predate them.
QString SaveFailedText();
// A note of the coordinate checks in the words of a window's catalogue keys
// ("frmRacePointsAdd.txtNoteFar"), with English for older catalogues.
QString CoordinateNoteText(const QString &window, const CoordinateNotes::Note &note);
