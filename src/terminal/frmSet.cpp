// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal/frmSet.h"

#include "app/Accessibility.h"
#include "app/DialogKeys.h"
#include "app/Geometry.h"
#include "app/Init.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "app/frmMain.h"
#include "terminal/COMPortsManage.h"
#include "terminal/SerialPort.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

constexpr int NamePrefixLength = 4; // "COM "

bool IsWithin(const QWidget *widget, const QWidget *ancestor)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget == ancestor)
            return true;
    }
    return false;
}

} // namespace

frmSet::frmSet(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmSet"));
    setFixedSize(Twips(5415), Twips(3840));

    Frame3 = PlaceControl<QGroupBox>(this, QStringLiteral("Frame3"), TwipsRect(120, 120, 5175, 2940));
    Label5 = PlaceControl<QLabel>(Frame3, QStringLiteral("Label5"), TwipsRect(120, 300, 2295, 255));
    List1 = PlaceControl<QListWidget>(Frame3, QStringLiteral("List1"), TwipsRect(120, 600, 2295, 2175));
    Label6 = PlaceControl<QLabel>(Frame3, QStringLiteral("Label6"), TwipsRect(2595, 600, 2460, 1500));
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(List1, &QListWidget::itemChanged, this, &frmSet::List1_ItemCheck);

    Command1 = PlaceControl<QPushButton>(this, QStringLiteral("Command1"), TwipsRect(1080, 3255, 1455, 435));
    Command2 = PlaceControl<QPushButton>(this, QStringLiteral("Command2"), TwipsRect(2880, 3255, 1455, 435));
    connect(Command1, &QPushButton::clicked, this, &frmSet::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSet::reject);

    ApplyTextsSet();
    COMPortsManage::SearchCOMPorts();
    FillCOMPortList();
    InstallDialogKeys(*this);
}

void frmSet::ApplyTextsSet()
{
    Texte::LoadTexts();
    setWindowTitle(Texte::GetText(QStringLiteral("frmSet.Caption")));
    Frame3->setTitle(Texte::GetText(QStringLiteral("frmSet.Frame3.Caption")));
    Command1->setText(Texte::GetText(QStringLiteral("frmSet.Command1.Caption")));
    Command2->setText(Texte::GetText(QStringLiteral("frmSet.Command2.Caption")));
    MsgBoxName1 = Texte::GetText(QStringLiteral("frmSet.MsgBoxName1"));
    MsgBoxText1 = Texte::GetText(QStringLiteral("frmSet.MsgBoxText1"));
    MsgBoxName3 = Texte::GetText(QStringLiteral("frmSet.MsgBoxName3"));
    MsgBoxText3 = Texte::GetText(QStringLiteral("frmSet.MsgBoxText3"));
    MsgBoxName4 = Texte::GetText(QStringLiteral("frmSet.MsgBoxName4"));
    MsgBoxText4 = Texte::GetText(QStringLiteral("frmSet.MsgBoxText4"));
    MsgBoxName5 = Texte::GetText(QStringLiteral("frmSet.MsgBoxName5"));
    MsgBoxText5 = Texte::GetText(QStringLiteral("frmSet.MsgBoxText5"));
    Label5->setText(Texte::GetText(QStringLiteral("frmSet.Label5.Caption")));
    Label6->setText(Texte::GetText(QStringLiteral("frmSet.Label6.Caption")));
    // A screen reader names the list after its frame and reads the
    // instruction beside it as its description.
    List1->setAccessibleName(SpokenCaption(Frame3->title()));
    List1->setAccessibleDescription(Label6->text());
}

void frmSet::FillCOMPortList()
{
    using namespace COMPortsManage;
    List1->clear();
    for (int i = 0; i < COMPortCount; ++i) {
        auto *item = new QListWidgetItem(COMPortList[i]);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        if (const std::optional<int> number = PortNumber(COMPortList[i].mid(NamePrefixLength)))
            item->setToolTip(SerialPort::DeviceName(*number));
        List1->addItem(item);
    }
}

void frmSet::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        if (activationDue) {
            activationDue = false;
            // After the activation itself has been handled, as the
            // preselection may open a message box.
            QTimer::singleShot(0, this, [this] {
                if (isVisible())
                    Form_Activate();
            });
        }
        return;
    }
    // The dialog's own message boxes do not count as leaving it, nor does
    // switching to another program; another window of this one does.
    const QWidget *now = QApplication::activeWindow();
    if (now && !IsWithin(now, this))
        activationDue = true;
}

void frmSet::Form_Activate()
{
    if (!COMPortsManage::PortChosen()) {
        ShowMessage(this, QMessageBox::Warning, MsgBoxName5, MsgBoxText5);
        return;
    }
    const int index = COMPortsManage::FindSelectedCOMPort();
    if (index >= 0) {
        Tick(index);
        return;
    }
    ShowMessage(this, QMessageBox::Warning, MsgBoxName4, MsgBoxText4);
    // Proposes the highest port found.
    if (List1->count() > 0)
        Tick(List1->count() - 1);
}

void frmSet::Tick(int index)
{
    List1->item(index)->setCheckState(Qt::Checked); // unticks any other
}

void frmSet::List1_ItemCheck(QListWidgetItem *item)
{
    AnnounceCheckState(*item);
    if (item->checkState() != Qt::Checked)
        return;
    for (int i = 0; i < List1->count(); ++i) {
        QListWidgetItem *other = List1->item(i);
        if (other != item && other->checkState() != Qt::Unchecked)
            other->setCheckState(Qt::Unchecked);
    }
}

QString frmSet::CheckedCOMPort() const
{
    for (int i = 0; i < List1->count(); ++i) {
        if (List1->item(i)->checkState() == Qt::Checked)
            return List1->item(i)->text().mid(NamePrefixLength);
    }
    return QString();
}

void frmSet::Command1_Click()
{
    ChosenCOMPort = CheckedCOMPort();
    if (ChosenCOMPort.isEmpty()) {
        ShowMessage(this, QMessageBox::Critical, MsgBoxName3, MsgBoxText3);
        return;
    }
    // The choice takes effect only once it is stored: a port that the next
    // start would not know is no choice the user has made.
    QString reason;
    if (!Init::WriteOptions(ChosenCOMPort, &reason)) {
        ShowFailure(this, MsgBoxName1, MsgBoxText1, reason);
        List1->setFocus();
        return;
    }
    Init::SelectedCOMPort = ChosenCOMPort;
    if (auto *main = qobject_cast<frmMain *>(parentWidget()))
        main->EnableCOMMenues();
    accept();
}

void frmSet::reject()
{
    if (!COMPortsManage::PortChosen()) {
        if (auto *main = qobject_cast<frmMain *>(parentWidget()))
            main->DisableCOMMenues();
    }
    QDialog::reject();
}
