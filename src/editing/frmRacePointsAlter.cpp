// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/frmRacePointsAlter.h"

#include "app/DialogKeys.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "racepoints/Index.h"

#include <QPushButton>

frmRacePointsAlter::frmRacePointsAlter(frmMain &main) : RacePointDialog(main, "frmRacePointsAlter")
{
    setWindowTitle(QStringLiteral("Alter race points "));
    Command1->setText(QStringLiteral("Save"));
    Command2->setText(QStringLiteral("Cancel"));
    Text1->setShowOnly();
    connect(Command1, &QPushButton::clicked, this, &frmRacePointsAlter::Command1_Click);

    ApplyTextsAlter();
    ShowSelectedRecord();
    ShowCoordinateChecks();
    Text2->setFocus();
    InstallDialogKeys(*this);
}

void frmRacePointsAlter::ApplyTextsAlter()
{
    ApplyLayoutTexts(QStringLiteral("frmRacePointsAlter"));
    MsgBoxName1 = Texte::GetText(QStringLiteral("frmRacePointsAlter.MsgBoxName1"));
    MsgBoxText1 = Texte::GetText(QStringLiteral("frmRacePointsAlter.MsgBoxText1"));
    MsgBoxName2 = TextOr(QStringLiteral("frmRacePointsAlter.MsgBoxName2"), QStringLiteral("Alter race point"));
    MsgBoxText2 = TextOr(QStringLiteral("frmRacePointsAlter.MsgBoxText2"), SaveFailedText());
}

void frmRacePointsAlter::Command1_Click()
{
    TakeFocus(Command1);
    Index::RememberListSelection(Main);
    if (!FieldRules::AlterInputValid(FieldTexts())) {
        ShowMessage(this, QMessageBox::Critical, MsgBoxName1, MsgBoxText1);
        return;
    }
    if (StoreAndSave(RecordFromFields(), MsgBoxName2, MsgBoxText2))
        Index::RestoreListSelection(Main);
    accept();
}
