// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/frmRacePointsImport.h"

#include "app/Accessibility.h"
#include "app/ClubLocation.h"
#include "app/DialogKeys.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "editing/FieldRules.h"
#include "editing/RacePointDialog.h"
#include "racepoints/RacePointsManage.h"

#include <QBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include <utility>

namespace {

using RacePointImport::Note;
using RacePointImport::Reason;

QString ReasonText(Reason reason)
{
    switch (reason) {
    case Reason::NumberOutside:
        return TextOr(QStringLiteral("frmRacePointsImport.txtNumberOutside"), QStringLiteral("number not from 80 to 98"));
    case Reason::NumberTwice:
        return TextOr(QStringLiteral("frmRacePointsImport.txtNumberTwice"), QStringLiteral("number given twice"));
    case Reason::NumberInUse:
        return TextOr(QStringLiteral("frmRacePointsImport.txtNumberInUse"),
                      QStringLiteral("number already in the list"));
    case Reason::NoCoordinates:
        return TextOr(QStringLiteral("frmRacePointsImport.txtNoCoordinates"),
                      QStringLiteral("no coordinates, or none that can be read"));
    case Reason::NoName:
        return TextOr(QStringLiteral("frmRacePointsImport.txtNoName"), QStringLiteral("no name"));
    case Reason::NoFreeNumber:
        break;
    }
    return TextOr(QStringLiteral("frmRacePointsImport.txtNoFreeNumber"), QStringLiteral("no free number left"));
}

QString NoteText(Note note)
{
    switch (note) {
    case Note::NameCut:
        return TextOr(QStringLiteral("frmRacePointsImport.txtNameCut"), QStringLiteral("name cut to 13 characters"));
    case Note::PlaceCut:
        return TextOr(QStringLiteral("frmRacePointsImport.txtPlaceCut"), QStringLiteral("place cut to 30 characters"));
    case Note::Replaced:
        return TextOr(QStringLiteral("frmRacePointsImport.txtReplaced"),
                      QStringLiteral("letters with accents written plain"));
    case Note::LeftOut:
        return TextOr(QStringLiteral("frmRacePointsImport.txtLeftOut"),
                      QStringLiteral("characters that cannot be typed left out"));
    case Note::OtherHemisphere:
        break;
    }
    return TextOr(QStringLiteral("frmRacePointsImport.txtOtherHemisphere"),
                  QStringLiteral("in another hemisphere than the club location; the list keeps no hemisphere"));
}

} // namespace

frmRacePointsImport::frmRacePointsImport(QWidget *parent, RacePointLists::Sheet sheet, const QString &fileName)
    : QDialog(parent), sheet(std::move(sheet))
{
    setObjectName(QStringLiteral("frmRacePointsImport"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Grid1 = new QTableWidget(0, 7, this);
    Grid1->setObjectName(QStringLiteral("Grid1"));
    Grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid1->verticalHeader()->hide();
    Grid1->setWordWrap(false);
    Grid1->horizontalHeader()->setStretchLastSection(true);
    Label1->setBuddy(Grid1);
    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    Label2->setBuddy(List1);
    Option1 = new QRadioButton(this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option2 = new QRadioButton(this);
    Option2->setObjectName(QStringLiteral("Option2"));
    Command1 = new QPushButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Grid1, 3);
    layout->addWidget(Label2);
    layout->addWidget(List1, 1);
    auto *options = new QHBoxLayout;
    options->addWidget(Option1);
    options->addWidget(Option2);
    options->addStretch();
    layout->addLayout(options);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    resize(860, 520);

    // Filling the free numbers keeps what the club has; an empty list is
    // simply replaced.
    bool listEmpty = true;
    for (int slot = 1; slot <= RacePointsManage::RacePointCount && slot <= RacePointsManage::SlotCount; ++slot)
        listEmpty = listEmpty && RacePointsManage::IsBlankRecord(RacePointsManage::RacePoints[slot]);
    (listEmpty ? Option1 : Option2)->setChecked(true);
    connect(Option1, &QRadioButton::toggled, this, &frmRacePointsImport::ShowPlan);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    ApplyTextsImport(fileName);
    ShowPlan();
    InstallDialogKeys(*this);
}

bool frmRacePointsImport::Replace() const
{
    return Option1->isChecked();
}

void frmRacePointsImport::ApplyTextsImport(const QString &fileName)
{
    Texte::LoadTexts();
    setWindowTitle(TextOr(QStringLiteral("frmRacePointsImport.Caption"), QStringLiteral("Import race points"))
                   + QStringLiteral(" - ") + fileName);
    Label1->setText(TextOr(QStringLiteral("frmRacePointsImport.Label1.Caption"),
                           QStringLiteral("Race points &to be imported:")));
    Label2->setText(TextOr(QStringLiteral("frmRacePointsImport.Label2.Caption"), QStringLiteral("Rows &left out:")));
    Option1->setText(TextOr(QStringLiteral("frmRacePointsImport.Option1.Caption"), QStringLiteral("&Replace the list")));
    Option2->setText(
        TextOr(QStringLiteral("frmRacePointsImport.Option2.Caption"), QStringLiteral("&Fill the free numbers")));
    Command1->setText(TextOr(QStringLiteral("frmRacePointsImport.Command1.Caption"), QStringLiteral("&Import")));
    Command2->setText(TextOr(QStringLiteral("frmRacePointsImport.Command2.Caption"), QStringLiteral("&Cancel")));
    Grid1->setHorizontalHeaderLabels(
        TextOr(QStringLiteral("frmRacePointsImport.txtColumns"),
               QStringLiteral("No.;Name;Place;Latitude;Longitude;Distance (km);Notes"))
            .split(u';'));
    NameBuddiesFromLabels(*this);
}

void frmRacePointsImport::ShowPlan()
{
    plan = RacePointImport::MakePlan(sheet, Replace());
    Grid1->setRowCount(int(plan.kept.size()));
    for (int row = 0; row < plan.kept.size(); ++row) {
        const RacePointImport::Kept &kept = plan.kept[row];
        const QStringList fields = FieldRules::FieldTexts(kept.record);
        QStringList notes;
        for (const Note note : kept.notes)
            notes << NoteText(note);
        // The checks the dialogs make while the coordinates are typed.
        for (const CoordinateNotes::Note &note : CoordinateNotes::Check(fields.mid(3), fields[0].toInt()))
            notes << CoordinateNoteText(QStringLiteral("frmRacePointsAdd"), note);
        const QStringList cells = {fields[0],
                                   fields[1].trimmed(),
                                   fields[2].trimmed(),
                                   FieldRules::CoordinateText(fields, false),
                                   FieldRules::CoordinateText(fields, true),
                                   kept.distance ? ClubLocation::KilometresText(*kept.distance * 1000) : QString(),
                                   notes.join(QStringLiteral("; "))};
        for (int column = 0; column < cells.size(); ++column)
            Grid1->setItem(row, column, new QTableWidgetItem(cells[column]));
    }
    Grid1->resizeColumnsToContents();
    Grid1->resizeRowsToContents();
    List1->clear();
    const QString line = TextOr(QStringLiteral("frmRacePointsImport.txtLine"), QStringLiteral("Line %1: %2"));
    for (const RacePointImport::LeftOut &row : plan.leftOut)
        List1->addItem(line.arg(row.line).arg(ReasonText(row.reason)) + QStringLiteral(" - ") + row.text);
    Command1->setEnabled(!plan.kept.isEmpty());
}
