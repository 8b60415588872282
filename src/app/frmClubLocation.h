// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/ClubLocation.h"

#include <QDialog>
#include <QString>

#include <array>

class QComboBox;
class QLabel;
class QPushButton;
class RacePointField;

// The club's location, from which the race points' distances are measured:
// latitude and longitude in the race point dialogs' fields, each with its
// hemisphere. Empty fields remove the location.
class frmClubLocation : public QDialog {
    Q_OBJECT

public:
    explicit frmClubLocation(QWidget *parent = nullptr);

    // Latitude degrees, minutes, seconds, hundredths; then the longitude's.
    RacePointField *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8;
    QComboBox *Combo1; // north or south
    QComboBox *Combo2; // east or west
    QLabel *Label1, *Label2;
    QLabel *Label3; // the race points lie in these hemispheres
    QLabel *Label4; // why a paste was not taken
    QPushButton *Command1, *Command2;

    QString MsgBoxName1, MsgBoxText1; // no place on the earth
    QString MsgBoxName2, MsgBoxText2; // the file could not be saved

    std::array<RacePointField *, 8> Fields() const;

    // The location the fields and hemispheres show; nothing when all fields
    // are empty. `valid` is false when they show no place on the earth.
    std::optional<ClubLocation::Location> Shown(bool *valid) const;

private:
    void ApplyTextsClubLocation();
    void Show(const std::optional<ClubLocation::Location> &location);
    void Paste(Coordinates::Axis row, const QString &text);
    void Command1_Click();
};
