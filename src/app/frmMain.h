// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "racepoints/Coordinates.h"

#include <QMainWindow>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

class QLockFile;

class QAction;
class QListWidget;
class QMenu;

namespace COMPortsManage {
class PortSearch;
}

// The main window: the race point list and the menu from which every dialog
// opens. Dialogs refill its list and read the selected race point from it.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The start-up sequence, run before the window shows. False when the
    // program cannot start (another copy works in this folder, or club.txt
    // cannot be read); the title and text of the message say why, or are
    // empty when the user chose not to start.
    bool Form_Load(QString *errorText = nullptr, QString *errorTitle = nullptr);

    // Reads a list of race points (CSV, text, GPX, KML), shows what it gives
    // and, when the user agrees, puts it into the race point file as one
    // change. Also for a file dropped on the window.
    void ImportFile(const QString &path);

    // Loads the race point table from its file and refills the list.
    void RacePointsAnzeigen();

    // Called by the settings dialog; no menu entry depends on the serial port.
    void DisableCOMMenues() {}
    void EnableCOMMenues() {}

    // The number of the race point last selected in the list ("83"); "" until
    // the first selection, and kept when the list is refilled.
    QString GewaehlterRacePoint;
    // Never given a value; the selection keeping compares the first list line
    // with them.
    QString txtNoClub, txtNoFancier, txtNoPigeons;
    // Why the program does not start: another copy works in this folder.
    QString MsgBoxName1, MsgBoxText1;
    // Whether to open anyway where a copy on another computer holds the folder.
    QString MsgBoxName2, MsgBoxText2;
    // The race point file is there but cannot be read.
    QString MsgBoxName3, MsgBoxText3;
    // No web browser opened for the map.
    QString MsgBoxNameMap, MsgBoxTextMap;

    // Where the race point selected in the list lies; nothing without a
    // selected race point or without its coordinates.
    std::optional<Coordinates::Position> SelectedPosition() const;

    QListWidget *List1;
    QTimer Timer1;
    // Finds the serial ports, for the start-up check and the settings dialog.
    COMPortsManage::PortSearch *COMPorts;

    QMenu *mnuProgram;
    QAction *mnuProgramSet;
    QAction *mnuProgramClubLocation;
    QAction *mnuProgramSlash;
    QAction *mnuProgramExit;
    QMenu *mnuRacePoints;
    QAction *mnuRacePointsAdd;
    QAction *mnuRacePointsAlter;
    QAction *mnuRacePointsDelete;
    QAction *mnuRacePointsUndo;
    QAction *mnuRacePointsRedo;
    QAction *mnuRacePointsSlash;
    QAction *mnuRacePointsImport;
    QAction *mnuRacePointsExport;
    QAction *mnuRacePointsSlash2;
    QAction *mnuRacePointsShow;
    QAction *mnuRacePointsMap;
    QAction *mnuRacePointsPrint;
    QAction *mnuRacePointsSend;
    QMenu *mnuHelp;
    QAction *mnuInfo;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    bool ApplyTextsMain(QString *errorText);
    void List1_Click();
    void Timer1_Timer();
    void mnuProgramSet_Click();
    void mnuProgramClubLocation_Click();
    void mnuRacePointsMap_Click();
    void UpdateMapEntry();
    void List1_ContextMenu(const QPoint &position);
    void mnuRacePointsAdd_Click();
    void mnuRacePointsAlter_Click();
    void mnuRacePointsDelete_Click();
    void mnuRacePointsPrint_Click();
    void mnuRacePointsUndo_Click();
    void mnuRacePointsRedo_Click();
    void UndoOrRedo(bool redo);
    void mnuRacePointsImport_Click();
    void mnuRacePointsExport_Click();
    // The captions of Undo and Redo name the step they take back or do again.
    void ShowUndoSteps();
    void mnuRacePointsSend_Click();
    void mnuInfo_Click();

    bool ListFilled = false;
    // The user has been told that the race point file cannot be read; told
    // again only after it could be read meanwhile.
    bool ReadFailureShown = false;
    // Held while the program runs, so that no second copy works in this folder.
    std::unique_ptr<QLockFile> WorkFolderLock;
};
