// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/frmRacePointsDelete.h"

#include "app/DialogKeys.h"
#include "app/MessageBox.h"
#include "racepoints/Index.h"
#include "racepoints/RacePointsManage.h"

#include <QPushButton>

frmRacePointsDelete::frmRacePointsDelete(frmMain &main) : RacePointDialog(main, "frmRacePointsDelete")
{
    setWindowTitle(QStringLiteral("Delete race points "));
    Command1->setText(QStringLiteral("Delete"));
    Command2->setText(QStringLiteral("Cancel"));
    for (RacePointField *field : Fields())
        field->setShowOnly();
    connect(Command1, &QPushButton::clicked, this, &frmRacePointsDelete::Command1_Click);

    ApplyTextsDelete();
    ShowSelectedRecord();
    // Enter or Space deletes at once.
    Command1->setFocus();
    InstallDialogKeys(*this);
}

void frmRacePointsDelete::ApplyTextsDelete()
{
    ApplyLayoutTexts(QStringLiteral("frmRacePointsDelete"));
    MsgBoxName1 = TextOr(QStringLiteral("frmRacePointsDelete.MsgBoxName1"), QStringLiteral("Delete race point"));
    MsgBoxText1 = TextOr(QStringLiteral("frmRacePointsDelete.MsgBoxText1"), SaveFailedText());
}

void frmRacePointsDelete::Command1_Click()
{
    Index::RememberListSelection(Main);
    if (StoreAndSave(RacePointsManage::BlankRecord(SelectedRacePoint()), MsgBoxName1, MsgBoxText1))
        Index::RestoreListSelection(Main);
    accept();
}
