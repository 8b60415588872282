// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "racepoints/RacePointImport.h"
#include "racepoints/RacePointLists.h"

#include <QDialog>
#include <QString>

class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTableWidget;

// The preview of an import: each row of the file as the race point it
// becomes, with what had to change in it, and each row left out with its
// reason. The user chooses to replace the list or to fill its free numbers,
// or cancels; the table in memory changes only when Import is pressed.
class frmRacePointsImport : public QDialog {
    Q_OBJECT

public:
    frmRacePointsImport(QWidget *parent, RacePointLists::Sheet sheet, const QString &fileName);

    // The plan shown, for the option chosen.
    const RacePointImport::Plan &Plan() const { return plan; }
    bool Replace() const;

    QLabel *Label1, *Label2;
    QTableWidget *Grid1;
    QListWidget *List1;
    QRadioButton *Option1, *Option2;
    QPushButton *Command1, *Command2;

private:
    void ApplyTextsImport(const QString &fileName);
    void ShowPlan();

    RacePointLists::Sheet sheet;
    RacePointImport::Plan plan;
};
