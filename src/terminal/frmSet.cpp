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

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>

namespace {

constexpr int DialogWidth = 8715;
constexpr int DialogHeight = 3840;
constexpr int ListWidth = 5715;

bool IsWithin(const QWidget *widget, const QWidget *ancestor)
{
    for (; widget; widget = widget->parentWidget()) {
        if (widget == ancestor)
            return true;
    }
    return false;
}

} // namespace

frmSet::frmSet(COMPortsManage::PortSearch &search, QWidget *parent) : QDialog(parent), search(search)
{
    setObjectName(QStringLiteral("frmSet"));
    // The list is wide enough for a port's adapter ("COM 33  USB-Serial
    // Controller (Prolific, USB 067B:2303)").
    setFixedSize(Twips(DialogWidth), Twips(DialogHeight));

    Frame3 = PlaceControl<QGroupBox>(this, QStringLiteral("Frame3"), TwipsRect(120, 120, DialogWidth - 240, 2940));
    Label5 = PlaceControl<QLabel>(Frame3, QStringLiteral("Label5"), TwipsRect(120, 300, ListWidth, 255));
    List1 = PlaceControl<QListWidget>(Frame3, QStringLiteral("List1"), TwipsRect(120, 600, ListWidth, 2175));
    Label6 = PlaceControl<QLabel>(Frame3, QStringLiteral("Label6"), TwipsRect(ListWidth + 300, 600, 2460, 1500));
    Label6->setWordWrap(true);
    Label6->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(List1, &QListWidget::itemChanged, this, &frmSet::List1_ItemCheck);
    Label7 = PlaceControl<QLabel>(this, QStringLiteral("Label7"), TwipsRect(240, 3120, DialogWidth - 480, 0));
    Label7->setTextFormat(Qt::PlainText); // device names and the system's words as they are
    Label7->setWordWrap(true);
    Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label7->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Label7->hide();

    const int buttonsLeft = (DialogWidth - 2 * 1455 - 345) / 2;
    Command1 = PlaceControl<QPushButton>(this, QStringLiteral("Command1"), TwipsRect(buttonsLeft, 3255, 1455, 435));
    Command2 = PlaceControl<QPushButton>(this, QStringLiteral("Command2"), TwipsRect(buttonsLeft + 1800, 3255, 1455, 435));
    connect(Command1, &QPushButton::clicked, this, &frmSet::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmSet::reject);
    plainHeight = height();
    buttonsTop = Command1->y();

    ApplyTextsSet();
    connect(&search, &COMPortsManage::PortSearch::PortsChanged, this, [this] {
        FillCOMPortList();
        ShowUnusablePorts();
    });
    connect(&search, &COMPortsManage::PortSearch::Settled, this, [this] {
        ShowUnusablePorts(); // the ports still opening now
        ActivateWhenSettled();
    });
    search.SearchCOMPorts(true);
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
    // The lines are made afresh as each port answers; the tick and the
    // highlight stay with their ports.
    using namespace COMPortsManage;
    const QString ticked = CheckedCOMPort();
    const QListWidgetItem *current = List1->currentItem();
    const int currentNumber = current ? current->data(Qt::UserRole).toInt() : 0;
    const QSignalBlocker quiet(List1);
    List1->clear();
    for (const Port &port : search.Ports()) {
        if (port.state != State::Free)
            continue;
        const QString name = PortName(port.number);
        auto *item = new QListWidgetItem(port.adapter.isEmpty() ? name : name + QStringLiteral("  ") + port.adapter);
        item->setData(Qt::UserRole, port.number);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(QString::number(port.number) == ticked ? Qt::Checked : Qt::Unchecked);
        item->setToolTip(port.device);
        List1->addItem(item);
        if (port.number == currentNumber)
            List1->setCurrentItem(item);
    }
}

void frmSet::ShowUnusablePorts()
{
    using namespace COMPortsManage;
    QStringList lines;
    for (const Port &port : search.Ports()) {
        QString why;
        switch (port.state) {
        case State::Free:
        case State::Absent: continue;
        case State::Opening:
            // Most ports answer at once; only those that keep the search
            // waiting are worth a word.
            if (!search.IsSettled())
                continue;
            why = TextOr(QStringLiteral("frmSet.Label7.Opening"),
                         QStringLiteral("still opening (the system has not answered yet)"));
            break;
        case State::Held:
            why = TextOr(QStringLiteral("frmSet.Label7.Held"), QStringLiteral("in use by another program"));
            break;
        case State::NotPermitted:
            why = TextOr(QStringLiteral("frmSet.Label7.NotPermitted"), QStringLiteral("this user may not open it"));
#ifndef Q_OS_WIN
            why += u' ' + TextOr(QStringLiteral("frmSet.Label7.Dialout"),
                                 QStringLiteral("(add the user to the group dialout and log in again)"));
#endif
            break;
        case State::Other:
            why = TextOr(QStringLiteral("frmSet.Label7.Other"), QStringLiteral("cannot be opened")) + QStringLiteral(" (")
                + port.reason + u')';
            break;
        }
        lines << QStringLiteral("%1 (%2): %3").arg(PortName(port.number), port.device, why);
    }
    int shift = 0;
    if (lines.isEmpty()) {
        Label7->hide(); // no note, and no room for one
    } else {
        lines.prepend(TextOr(QStringLiteral("frmSet.Label7.Caption"), QStringLiteral("Present, but cannot be used now:")));
        Label7->setText(lines.join(u'\n'));
        Label7->setAccessibleName(Label7->text());
        const int noteHeight = Label7->heightForWidth(Label7->width());
        Label7->resize(Label7->width(), noteHeight);
        Label7->show();
        shift = noteHeight + Twips(120);
    }
    Command1->move(Command1->x(), buttonsTop + shift);
    Command2->move(Command2->x(), buttonsTop + shift);
    setFixedSize(width(), plainHeight + shift);
}

void frmSet::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        if (activationDue) {
            activationDue = false;
            activationWaiting = true;
            // After the activation itself has been handled, as the
            // preselection may open a message box.
            QTimer::singleShot(0, this, &frmSet::ActivateWhenSettled);
        }
        return;
    }
    // The dialog's own message boxes do not count as leaving it, nor does
    // switching to another program; another window of this one does.
    const QWidget *now = QApplication::activeWindow();
    if (now && !IsWithin(now, this))
        activationDue = true;
}

void frmSet::ActivateWhenSettled()
{
    // The preselection needs the ports' answers.
    if (!activationWaiting || !search.IsSettled() || !isVisible())
        return;
    activationWaiting = false;
    Form_Activate();
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
            return List1->item(i)->data(Qt::UserRole).toString();
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
