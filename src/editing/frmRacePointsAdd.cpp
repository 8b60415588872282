// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/frmRacePointsAdd.h"

#include "app/DialogKeys.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "app/frmMain.h"
#include "racepoints/RacePointsManage.h"

#include <QListWidget>
#include <QPushButton>

frmRacePointsAdd::frmRacePointsAdd(frmMain &main) : RacePointDialog(main, "frmRacePointsAdd")
{
    setWindowTitle(QStringLiteral("Add race points "));
    Command1->setText(QStringLiteral("Add"));
    Command2->setText(QStringLiteral("Cancel"));
    connect(Command1, &QPushButton::clicked, this, &frmRacePointsAdd::Command1_Click);
    // Only real changes: a rule writing back the same text does not discard
    // what the user typed into the other fields.
    connect(Text1, &QLineEdit::textChanged, this, &frmRacePointsAdd::Text1_Change);

    ApplyTextsAdd();
    ShowCoordinateChecks();
    Text1->setFocus();
    InstallDialogKeys(*this);
}

void frmRacePointsAdd::ApplyTextsAdd()
{
    ApplyLayoutTexts(QStringLiteral("frmRacePointsAdd"));
    MsgBoxName1 = Texte::GetText(QStringLiteral("frmRacePointsAdd.MsgBoxName1"));
    MsgBoxText1 = Texte::GetText(QStringLiteral("frmRacePointsAdd.MsgBoxText1"));
    MsgBoxName2 = TextOr(QStringLiteral("frmRacePointsAdd.MsgBoxName2"), QStringLiteral("Add race point"));
    MsgBoxText2 = TextOr(QStringLiteral("frmRacePointsAdd.MsgBoxText2"), SaveFailedText());
}

void frmRacePointsAdd::Text1_Change()
{
    if (const std::optional<QStringList> stored = FieldRules::NumberLookup(Text1->text()))
        ShowFieldTexts(*stored, 2);
}

void frmRacePointsAdd::Command1_Click()
{
    TakeFocus(Command1);
    if (!FieldRules::AddInputValid(FieldTexts())) {
        ShowMessage(this, QMessageBox::Critical, MsgBoxName1, MsgBoxText1);
        return;
    }
    const int number = Text1->text().toInt();
    if (!StoreAndSave(RecordFromFields(), MsgBoxName2, MsgBoxText2))
        return;
    // Bring the added race point into view; the list has its line only
    // when the file holds that many records.
    if (QListWidgetItem *line = Main.List1->item(number - RacePointsManage::FirstNumber))
        Main.List1->scrollToItem(line);
}
