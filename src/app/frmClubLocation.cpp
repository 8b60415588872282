// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frmClubLocation.h"

#include "app/Accessibility.h"
#include "app/DialogKeys.h"
#include "app/Geometry.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "editing/RacePointDialog.h"
#include "editing/RacePointField.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

constexpr const char *Window = "frmClubLocation";

} // namespace

frmClubLocation::frmClubLocation(QWidget *parent) : QDialog(parent)
{
    setObjectName(QLatin1String(Window));
    setFixedSize(Twips(6240), Twips(3360));

    Label1 = PlaceControl<QLabel>(this, QStringLiteral("Label1"), TwipsRect(240, 300, 1100, 240));
    Label2 = PlaceControl<QLabel>(this, QStringLiteral("Label2"), TwipsRect(240, 840, 1100, 240));
    // The race point dialogs' fields and signs, degrees to hundredths.
    static constexpr std::array<int, 4> lefts{1400, 2132, 2864, 3500};
    std::array<RacePointField *, 8> fields;
    for (int i = 0; i < 8; ++i) {
        const int top = i < 4 ? 192 : 732;
        fields[i] = new RacePointField(FieldRules::Kind::Coordinate, 2, this);
        fields[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        fields[i]->setGeometry(TwipsRect(lefts[i % 4], top, 435, 360));
        auto *sign = PlaceControl<QLabel>(this, QStringLiteral("Sign%1").arg(i + 1),
                                          TwipsRect(lefts[i % 4] + 435, top, 228, 336));
        sign->setText(QString::fromUtf16(FieldRules::CoordinateSigns[i]));
        const auto row = i < 4 ? Coordinates::Axis::Latitude : Coordinates::Axis::Longitude;
        connect(fields[i], &RacePointField::pasted, this, [this, row](const QString &text) { Paste(row, text); });
        connect(fields[i], &QLineEdit::textChanged, this, [this] { Label4->clear(); });
    }
    Text1 = fields[0], Text2 = fields[1], Text3 = fields[2], Text4 = fields[3];
    Text5 = fields[4], Text6 = fields[5], Text7 = fields[6], Text8 = fields[7];
    Combo1 = PlaceControl<QComboBox>(this, QStringLiteral("Combo1"), TwipsRect(4380, 192, 900, 360));
    Combo2 = PlaceControl<QComboBox>(this, QStringLiteral("Combo2"), TwipsRect(4380, 732, 900, 360));
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text5);

    Label3 = PlaceControl<QLabel>(this, QStringLiteral("Label3"), TwipsRect(240, 1320, 5760, 720));
    Label4 = PlaceControl<QLabel>(this, QStringLiteral("Label4"), TwipsRect(240, 2064, 5760, 480));
    for (QLabel *label : {Label3, Label4}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    Command1 = PlaceControl<QPushButton>(this, QStringLiteral("Command1"), TwipsRect(1200, 2700, 1695, 435));
    Command2 = PlaceControl<QPushButton>(this, QStringLiteral("Command2"), TwipsRect(3300, 2700, 1695, 435));
    connect(Command1, &QPushButton::clicked, this, &frmClubLocation::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    QWidget *previous = Text1;
    for (QWidget *next : std::initializer_list<QWidget *>{Text2, Text3, Text4, Combo1, Text5, Text6, Text7, Text8,
                                                          Combo2, Command1, Command2}) {
        setTabOrder(previous, next);
        previous = next;
    }

    ApplyTextsClubLocation();
    Show(ClubLocation::Current);
    Text1->setFocus();
    InstallDialogKeys(*this);
}

void frmClubLocation::ApplyTextsClubLocation()
{
    Texte::LoadTexts();
    setWindowTitle(TextOr(QStringLiteral("frmClubLocation.Caption"), QStringLiteral("Club location")));
    Label1->setText(TextOr(QStringLiteral("frmClubLocation.Label1.Caption"), QStringLiteral("La&titude :")));
    Label2->setText(TextOr(QStringLiteral("frmClubLocation.Label2.Caption"), QStringLiteral("L&ongitude :")));
    Label3->setText(TextOr(QStringLiteral("frmClubLocation.Label3.Caption"),
                           QStringLiteral("Distances are measured from here. The race points are taken to lie in "
                                          "the same hemispheres as the club, as their file holds none.")));
    Command1->setText(TextOr(QStringLiteral("frmClubLocation.Command1.Caption"), QStringLiteral("&Save")));
    Command2->setText(TextOr(QStringLiteral("frmClubLocation.Command2.Caption"), QStringLiteral("&Cancel")));
    Combo1->addItems({TextOr(QStringLiteral("frmClubLocation.txtNorth"), QStringLiteral("N")),
                      TextOr(QStringLiteral("frmClubLocation.txtSouth"), QStringLiteral("S"))});
    Combo2->addItems({TextOr(QStringLiteral("frmClubLocation.txtEast"), QStringLiteral("E")),
                      TextOr(QStringLiteral("frmClubLocation.txtWest"), QStringLiteral("W"))});
    MsgBoxName1 = TextOr(QStringLiteral("frmClubLocation.MsgBoxName1"), QStringLiteral("Club location"));
    MsgBoxText1 = TextOr(QStringLiteral("frmClubLocation.MsgBoxText1"),
                         QStringLiteral("This is no place on the earth. A latitude goes up to 90°, minutes and "
                                        "seconds up to 59."));
    MsgBoxName2 = TextOr(QStringLiteral("frmClubLocation.MsgBoxName2"), QStringLiteral("Club location"));
    MsgBoxText2 = TextOr(QStringLiteral("frmClubLocation.MsgBoxText2"),
                         QStringLiteral("The club location could not be saved. Please check that the working "
                                        "folder can be written and that the disk is not full."));

    NameBuddiesFromLabels(*this);
    NameCoordinateFields(Fields(), QLatin1String(Window), 1);
    Combo1->setAccessibleName(
        TextOr(QStringLiteral("frmClubLocation.Combo1.AccessibleName"), QStringLiteral("Latitude hemisphere")));
    Combo2->setAccessibleName(
        TextOr(QStringLiteral("frmClubLocation.Combo2.AccessibleName"), QStringLiteral("Longitude hemisphere")));
}

std::array<RacePointField *, 8> frmClubLocation::Fields() const
{
    return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8};
}

void frmClubLocation::Show(const std::optional<ClubLocation::Location> &location)
{
    if (!location)
        return;
    ShowReading(Fields(), {location->latitude, location->longitude});
    Combo1->setCurrentIndex(location->latitude.negative ? 1 : 0);
    Combo2->setCurrentIndex(location->longitude.negative ? 1 : 0);
}

void frmClubLocation::Paste(Coordinates::Axis row, const QString &text)
{
    const std::optional<Coordinates::Reading> reading = Coordinates::Read(text, row);
    if (!reading) {
        Label4->setText(PasteFormsText(QLatin1String(Window)));
        return;
    }
    ShowReading(Fields(), *reading);
    if (reading->latitude && reading->latitude->hemisphereGiven)
        Combo1->setCurrentIndex(reading->latitude->negative ? 1 : 0);
    if (reading->longitude && reading->longitude->hemisphereGiven)
        Combo2->setCurrentIndex(reading->longitude->negative ? 1 : 0);
}

std::optional<ClubLocation::Location> frmClubLocation::Shown(bool *valid) const
{
    *valid = true;
    QStringList texts;
    for (const RacePointField *field : Fields())
        texts.append(field->text().trimmed());
    if (texts.join(QString()).isEmpty())
        return std::nullopt;
    for (QString &text : texts)
        text = text.rightJustified(2, u'0');
    std::optional<Coordinates::Angle> latitude = Coordinates::FromFields(texts[0], texts[1], texts[2], texts[3]);
    std::optional<Coordinates::Angle> longitude = Coordinates::FromFields(texts[4], texts[5], texts[6], texts[7]);
    const auto sixty = [&texts](int i) { return texts[i].toInt() >= 60; };
    if (!latitude || !longitude || latitude->hundredths > 90 * Coordinates::HundredthsPerDegree || sixty(1)
        || sixty(2) || sixty(5) || sixty(6)) {
        *valid = false;
        return std::nullopt;
    }
    latitude->negative = Combo1->currentIndex() == 1 && latitude->hundredths > 0;
    longitude->negative = Combo2->currentIndex() == 1 && longitude->hundredths > 0;
    latitude->hemisphereGiven = longitude->hemisphereGiven = true;
    return ClubLocation::Location{*latitude, *longitude};
}

void frmClubLocation::Command1_Click()
{
    if (!Command1->hasFocus())
        Command1->setFocus(Qt::ShortcutFocusReason);
    bool valid = false;
    const std::optional<ClubLocation::Location> location = Shown(&valid);
    if (!valid) {
        ShowMessage(this, QMessageBox::Critical, MsgBoxName1, MsgBoxText1);
        return;
    }
    // Nothing to write where there was no location and still is none.
    QString reason;
    if ((location || ClubLocation::Current) && !ClubLocation::Save(location, &reason)) {
        ShowFailure(this, MsgBoxName2, MsgBoxText2, reason);
        return;
    }
    accept();
}
