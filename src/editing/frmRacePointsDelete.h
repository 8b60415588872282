// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "editing/RacePointDialog.h"

// Empties the selected race point: it keeps its number and its line, with
// no name, no place and blank coordinates. The dialog only shows the record.
class frmRacePointsDelete : public RacePointDialog {
    Q_OBJECT

public:
    explicit frmRacePointsDelete(frmMain &main);

    QString MsgBoxName1, MsgBoxText1; // the file could not be saved

private:
    void ApplyTextsDelete();
    void Command1_Click();
};
