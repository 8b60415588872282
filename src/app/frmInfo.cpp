// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frmInfo.h"

#include "app/DialogKeys.h"
#include "app/Geometry.h"
#include "app/Texte.h"
#include "app/Version.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {

QLabel *MakeLabel(QWidget *parent, const char *name, const QRect &geometry, bool bold)
{
    auto *label = PlaceControl<QLabel>(parent, QLatin1String(name), geometry);
    label->setAlignment(Qt::AlignCenter);
    QFont font = label->font();
    font.setPointSizeF(9.75);
    font.setBold(bold);
    label->setFont(font);
    return label;
}

} // namespace

frmInfo::frmInfo(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmInfo"));
    setFixedSize(Twips(6300), Twips(4335));

    Label6 = MakeLabel(this, "Label6", TwipsRect(210, 210, 5895, 330), true);
    Label9 = MakeLabel(this, "Label9", TwipsRect(525, 525, 5055, 330), true);
    Label7 = MakeLabel(this, "Label7", TwipsRect(525, 840, 5055, 330), false);
    Label8 = MakeLabel(this, "Label8", TwipsRect(420, 1155, 5265, 330), false);

    Picture1 = PlaceControl<QFrame>(this, QStringLiteral("Picture1"), TwipsRect(1050, 1575, 4005, 1800));
    Picture1->setFrameShape(QFrame::Box);
    Label1 = MakeLabel(Picture1, "Label1", TwipsRect(105, 105, 3690, 330), true);
    Label2 = MakeLabel(Picture1, "Label2", TwipsRect(105, 420, 3690, 330), false);
    Label3 = MakeLabel(Picture1, "Label3", TwipsRect(105, 735, 3690, 330), false);
    Label4 = MakeLabel(Picture1, "Label4", TwipsRect(105, 1050, 3690, 330), false);
    Label5 = MakeLabel(Picture1, "Label5", TwipsRect(105, 1365, 3690, 330), false);
    Label1->setText(QStringLiteral("Racepoints"));
    Label2->setText(QStringLiteral("Race point manager"));
    Label3->setText(QStringLiteral("for racing-pigeon clubs"));

    Command1 = PlaceControl<QPushButton>(this, QStringLiteral("Command1"), TwipsRect(2205, 3675, 1695, 435));
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);

    ApplyTextsInfo();
    InstallDialogKeys(*this);
    // In the middle of the screen, not of the main window.
    CentreOnScreen(*this);
}

void frmInfo::ApplyTextsInfo()
{
    Texte::LoadTexts();
    Label6->setText(ProgramCaption());
    Label7->setText(QLatin1String(ReleaseDate));
    Label8->setText(QString());
    Label9->setText(QLatin1String(VersionCode));
    setWindowTitle(Texte::GetText(QStringLiteral("frmInfo.Caption")));
    Command1->setText(Texte::GetText(QStringLiteral("frmInfo.Command1.Caption")));
}
