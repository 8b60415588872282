// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

// The program's name, version code, release date and maker's address block.
class frmInfo : public QDialog {
    Q_OBJECT

public:
    explicit frmInfo(QWidget *parent = nullptr);

    QLabel *Label6;
    QLabel *Label9;
    QLabel *Label7;
    QLabel *Label8;
    QFrame *Picture1;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label5;
    QPushButton *Command1;

private:
    void ApplyTextsInfo();
};
