// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editing/RacePointDialog.h"

// Changes the selected race point; its number, and so its place in the
// table, stays as it is.
class frmRacePointsAlter : public RacePointDialog {
    Q_OBJECT

public:
    explicit frmRacePointsAlter(frmMain &main);

    QString MsgBoxName1, MsgBoxText1; // the name or the place is missing
    QString MsgBoxName2, MsgBoxText2; // the file could not be saved

private:
    void ApplyTextsAlter();
    void Command1_Click();
};
