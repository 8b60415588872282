// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>
#include <QString>

class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace COMPortsManage {
class PortSearch;
}

// Choosing the serial port of the terminal: the ports that can be opened now,
// one tick box per line, one tick at most. Save stores the ticked port in
// SelectedCOMPort and OPTIONS.PAR. The dialog starts a search of the ports
// when it opens and fills its list as they answer.
class frmSet : public QDialog {
    Q_OBJECT

public:
    explicit frmSet(COMPortsManage::PortSearch &search, QWidget *parent = nullptr);

    // Ticks the stored port, or says why it cannot. Runs when the dialog
    // becomes active and the search has settled, but not again when one of
    // its own message boxes closes.
    void Form_Activate();
    void Command1_Click(); // Save

    QString MsgBoxName1, MsgBoxText1;
    QString MsgBoxName3, MsgBoxText3;
    QString MsgBoxName4, MsgBoxText4;
    QString MsgBoxName5, MsgBoxText5;
    // The port number text taken by the last Save.
    QString ChosenCOMPort;

    QGroupBox *Frame3;
    QLabel *Label5;
    QLabel *Label6;
    // Under the list: the devices that are there but could not be opened
    // (or are still opening), and why; hidden when there are none.
    QLabel *Label7;
    QListWidget *List1;
    QPushButton *Command1;
    QPushButton *Command2;

public slots:
    // Cancel, Escape and the window's close button.
    void reject() override;

protected:
    void changeEvent(QEvent *event) override;

private:
    void ApplyTextsSet();
    void FillCOMPortList();
    void ShowUnusablePorts();
    QString CheckedCOMPort() const;
    void List1_ItemCheck(QListWidgetItem *item);
    void Tick(int index);
    void ActivateWhenSettled();

    COMPortsManage::PortSearch &search;
    // Whether the next activation is one: true at first, and again only once
    // another window of the program has been active in between.
    bool activationDue = true;
    // An activation waits for the search to settle.
    bool activationWaiting = false;
    int plainHeight = 0;
    int buttonsTop = 0;
};
