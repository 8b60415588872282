// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editing/RacePointDialog.h"

// Enters a race point under its number, 80 to 98. The dialog stays open
// after each add, for the next race point.
class frmRacePointsAdd : public RacePointDialog {
    Q_OBJECT

public:
    explicit frmRacePointsAdd(frmMain &main);

    QString MsgBoxName1, MsgBoxText1; // a number, name or place is missing
    QString MsgBoxName2, MsgBoxText2; // the file could not be saved

private:
    void ApplyTextsAdd();
    void Text1_Change();
    void Command1_Click();
};
