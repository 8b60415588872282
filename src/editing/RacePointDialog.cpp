// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editing/RacePointDialog.h"

#include "app/Accessibility.h"
#include "app/ClubLocation.h"
#include "app/Geometry.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "app/frmMain.h"
#include "app/Init.h"
#include "editing/CoordinateNotes.h"
#include "racepoints/Index.h"
#include "racepoints/RacePointsManage.h"
#include "racepoints/UndoHistory.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {

// The labels keep the small type of the classic dialogs, so that a caption
// such as "Longitude :" fits its designed width.
constexpr double LabelPointSize = 8.25;
constexpr double FieldPointSize = 9.75;
constexpr double SignPointSize = 12;

void SetPointSize(QWidget *widget, double size)
{
    QFont font = widget->font();
    font.setPointSizeF(size);
    widget->setFont(font);
}

RacePointField *MakeField(QWidget *parent, int field, const QRect &geometry)
{
    auto *text = new RacePointField(FieldRules::KindOf(field), FieldRules::MaxLengths[field - 1], parent);
    text->setObjectName(QStringLiteral("Text") + QString::number(field));
    text->setGeometry(geometry);
    SetPointSize(text, FieldPointSize);
    return text;
}

QLabel *MakeLabel(QWidget *parent, const QString &name, const QString &text, const QRect &geometry)
{
    auto *label = PlaceControl<QLabel>(parent, name, geometry);
    label->setText(text);
    SetPointSize(label, LabelPointSize);
    return label;
}

} // namespace

QString PasteFormsText(const QString &window)
{
    return TextOr(window + QStringLiteral(".txtPasteForms"),
                  QStringLiteral("Not a coordinate. Paste, for example, 51.123456, 51°07.407', 51°07'24.4\" or "
                                 "510724.4, with N, S, E or W where needed."));
}

QString CoordinateNoteText(const QString &window, const CoordinateNotes::Note &note)
{
    const auto text = [&window](const char *suffix, const char *english) {
        return TextOr(window + QLatin1String(suffix), QString::fromUtf8(english));
    };
    switch (note.kind) {
    case CoordinateNotes::Kind::SixtyOrMore:
        return text(".txtNoteSixty", "Minutes and seconds go up to 59.");
    case CoordinateNotes::Kind::LatitudeOver90:
        return text(".txtNoteLatitude", "A latitude goes up to 90°.");
    case CoordinateNotes::Kind::FarAway:
        return text(".txtNoteFar", "This is more than 1,500 km from the club location.");
    case CoordinateNotes::Kind::SameAsOther:
        return text(".txtNoteSame", "Race point %1 (%2) has the same coordinates.")
            .arg(QString::number(note.otherNumber), note.otherName);
    case CoordinateNotes::Kind::Swapped:
        break;
    }
    return text(".txtNoteSwapped", "Latitude and longitude look swapped: swapped, the point lies far nearer the club.");
}

QString SaveFailedText()
{
    return QStringLiteral("The race point file could not be saved. Please check that the folder racepo "
                          "can be written and that the disk is not full.");
}

RacePointDialog::RacePointDialog(frmMain &main, const char *name) : QDialog(&main), Main(main)
{
    setObjectName(QLatin1String(name));
    setFixedSize(Twips(8520), Twips(3765));

    Label1 = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("Number :"), TwipsRect(384, 396, 1068, 228));
    Text1 = MakeField(this, 1, TwipsRect(1440, 288, 960, 360));
    Label2 = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("Name :"), TwipsRect(384, 1056, 1068, 228));
    Text2 = MakeField(this, 2, TwipsRect(1440, 960, 5370, 360));
    Label3 = MakeLabel(this, QStringLiteral("Label3"), QStringLiteral("Place :"), TwipsRect(384, 1824, 972, 300));
    Text3 = MakeField(this, 3, TwipsRect(1440, 1632, 5388, 396));

    Frame1 = PlaceControl<QGroupBox>(this, QStringLiteral("Frame1"), TwipsRect(288, 2208, 8172, 684));
    Label4 = MakeLabel(Frame1, QStringLiteral("Label4"), QStringLiteral("Latitude :"), TwipsRect(96, 300, 960, 228));
    Label5 = MakeLabel(Frame1, QStringLiteral("Label5"), QStringLiteral("Longitude :"), TwipsRect(4092, 300, 960, 228));

    // Degrees, minutes, seconds with a decimal comma, and the seconds sign.
    static constexpr std::array<int, 8> coordinateLefts{1152, 1884, 2616, 3252, 5136, 5868, 6624, 7236};
    std::array<RacePointField *, 8> coordinates;
    for (int i = 0; i < 8; ++i) {
        const int left = coordinateLefts[i];
        coordinates[i] = MakeField(Frame1, 4 + i, TwipsRect(left, 192, 435, 360));
        UnitSigns[i] = MakeLabel(Frame1, QStringLiteral("Sign") + QString::number(4 + i),
                                 QString::fromUtf16(FieldRules::CoordinateSigns[i]),
                                 TwipsRect(left + 435, 192, 228, 336));
        SetPointSize(UnitSigns[i], SignPointSize);
    }
    Text4 = coordinates[0];
    Text5 = coordinates[1];
    Text6 = coordinates[2];
    Text7 = coordinates[3];
    Text8 = coordinates[4];
    Text9 = coordinates[5];
    Text10 = coordinates[6];
    Text11 = coordinates[7];

    // A label's access key takes the user to its field; the coordinate rows
    // start at their degrees.
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    Label3->setBuddy(Text3);
    Label4->setBuddy(Text4);
    Label5->setBuddy(Text8);

    Command1 = PlaceControl<QPushButton>(this, QStringLiteral("Command1"), TwipsRect(2208, 3072, 1695, 435));
    Command2 = PlaceControl<QPushButton>(this, QStringLiteral("Command2"), TwipsRect(4608, 3072, 1695, 435));
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);

    QWidget *previous = Text1;
    for (QWidget *next : Fields()) {
        if (next != Text1)
            setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, Command1);
    setTabOrder(Command1, Command2);

    const std::array<RacePointField *, 8> coordinateFields = CoordinateFields();
    for (int i = 0; i < 8; ++i) {
        const auto row = i < 4 ? Coordinates::Axis::Latitude : Coordinates::Axis::Longitude;
        connect(coordinateFields[i], &RacePointField::pasted, this,
                [this, row](const QString &text) { PasteCoordinates(row, text); });
    }
}

std::array<RacePointField *, 8> RacePointDialog::CoordinateFields() const
{
    return {Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11};
}

void RacePointDialog::ShowCoordinateChecks()
{
    // The distance and up to three lines of notes under the coordinate
    // frame, the buttons below them.
    constexpr int lines = 1000;
    setFixedSize(Twips(8520), Twips(3765 + lines));
    LabelDistance = MakeLabel(this, QStringLiteral("LabelDistance"), QString(), TwipsRect(384, 2976, 7992, 240));
    LabelNotes = MakeLabel(this, QStringLiteral("LabelNotes"), QString(), TwipsRect(384, 3228, 7992, 720));
    LabelNotes->setWordWrap(true);
    LabelNotes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // No accessible name of its own: a screen reader reads the notes
    // themselves, and hears of every change (QLabel tells it).
    Command1->move(Command1->x(), Twips(3072 + lines));
    Command2->move(Command2->x(), Twips(3072 + lines));
    const auto changed = [this] {
        pasteNote.clear();
        UpdateCoordinateChecks();
    };
    for (RacePointField *field : CoordinateFields())
        connect(field, &QLineEdit::textChanged, this, changed);
    connect(Text1, &QLineEdit::textChanged, this, changed);
    UpdateCoordinateChecks();
}

void RacePointDialog::PasteCoordinates(Coordinates::Axis row, const QString &text)
{
    const std::optional<Coordinates::Reading> reading = Coordinates::Read(text, row);
    if (!reading) {
        pasteNote = PasteFormsText(windowName);
        UpdateCoordinateChecks();
        return;
    }
    ShowReading(CoordinateFields(), *reading);
    if (ClubLocation::OtherHemisphere(*reading)) {
        pasteNote = TextOr(windowName + QStringLiteral(".txtNoteHemisphere"),
                           QStringLiteral("The pasted coordinates lie in another hemisphere than the club "
                                          "location; they are kept as lying in the club's."));
        UpdateCoordinateChecks();
    }
}

void RacePointDialog::UpdateCoordinateChecks()
{
    if (!LabelNotes)
        return;
    QStringList coordinates;
    for (const RacePointField *field : CoordinateFields())
        coordinates.append(field->text());

    const auto text = [this](const char *suffix, const char *english) {
        return TextOr(windowName + QLatin1String(suffix), QString::fromUtf8(english));
    };
    const std::optional<double> metres = ClubLocation::DistanceMetres(coordinates);
    LabelDistance->setText(metres ? text(".txtDistance", "Distance from the club location: %1 km")
                                        .arg(ClubLocation::KilometresText(*metres))
                                  : QString());

    QStringList notes;
    if (!pasteNote.isEmpty())
        notes.append(pasteNote);
    for (const CoordinateNotes::Note &note : CoordinateNotes::Check(coordinates, Text1->text().toInt()))
        notes.append(CoordinateNoteText(windowName, note));
    LabelNotes->setText(notes.join(u'\n'));
}

std::array<RacePointField *, 11> RacePointDialog::Fields() const
{
    return {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10, Text11};
}

void RacePointDialog::ApplyLayoutTexts(const QString &window)
{
    windowName = window;
    Texte::LoadTexts();
    const auto text = [&window](const char *suffix) { return Texte::GetText(window + QLatin1String(suffix)); };
    setWindowTitle(text(".Caption"));
    Command1->setText(text(".Command1.Caption"));
    Command2->setText(text(".Command2 .Caption"));
    Label1->setText(text(".Label1.Caption"));
    Label2->setText(text(".Label2.Caption"));
    Label3->setText(text(".Label3.Caption"));
    Label4->setText(text(".Label4.Caption"));
    Label5->setText(text(".Label5.Caption"));
    NameBuddiesFromLabels(*this);

    NameCoordinateFields(CoordinateFields(), window, 4);
    Frame1->setAccessibleName(TextOr(window + QStringLiteral(".Frame1.AccessibleName"), QStringLiteral("Coordinates")));
    Text1->setAccessibleDescription(TextOr(window + QStringLiteral(".Text1.AccessibleDescription"),
                                           QStringLiteral("Race point number, 80 to 98")));
}

QStringList RacePointDialog::FieldTexts() const
{
    QStringList texts;
    for (const RacePointField *field : Fields())
        texts.append(field->text());
    return texts;
}

void RacePointDialog::ShowFieldTexts(const QStringList &texts, int first)
{
    const std::array<RacePointField *, 11> fields = Fields();
    for (int i = 0; i < texts.size() && first - 1 + i < int(fields.size()); ++i)
        fields[first - 1 + i]->setText(texts[i]);
}

bool RacePointDialog::ShowSelectedRecord()
{
    const std::optional<int> slot = Index::SelectedSlot(Main.GewaehlterRacePoint);
    if (!slot)
        return false;
    selectedSlot = *slot;
    QStringList texts = FieldRules::FieldTexts(RacePointsManage::RacePoints[selectedSlot]);
    // A hand-edited record may carry another number in its own columns;
    // the dialog works on the line the user chose.
    texts[0] = QString::number(SelectedRacePoint()).rightJustified(2, u'0');
    ShowFieldTexts(texts);
    return true;
}

int RacePointDialog::SelectedRacePoint() const
{
    return selectedSlot + RacePointsManage::FirstNumber - 1;
}

QByteArray RacePointDialog::RecordFromFields()
{
    for (RacePointField *field : Fields()) {
        if (field->kind() == FieldRules::Kind::Coordinate)
            field->setText(FieldRules::StoredCoordinate(field->text()));
    }
    return FieldRules::BuildRecord(FieldTexts());
}

bool RacePointDialog::StoreAndSave(const QByteArray &record, const QString &failTitle, const QString &failText)
{
    UndoHistory::BeginChange(Init::DataFilePath());
    if (!RacePointsManage::StoreRacePoint(record))
        return false;
    QString reason;
    if (!UndoHistory::SaveChange(Init::DataFilePath(), &reason))
        ShowFailure(this, failTitle, failText, reason);
    Main.RacePointsAnzeigen();
    return true;
}

void RacePointDialog::TakeFocus(QPushButton *button)
{
    if (!button->hasFocus())
        button->setFocus(Qt::ShortcutFocusReason);
}
