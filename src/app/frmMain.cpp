// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/frmMain.h"

#include "app/Accessibility.h"
#include "app/ClubLocation.h"
#include "app/frmClubLocation.h"
#include "app/Geometry.h"
#include "app/Init.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "app/Version.h"
#include "app/frmInfo.h"
#include "editing/FieldRules.h"
#include "editing/frmRacePointsAdd.h"
#include "editing/frmRacePointsAlter.h"
#include "editing/frmRacePointsDelete.h"
#include "editing/frmRacePointsImport.h"
#include "racepoints/Cp1252.h"
#include "racepoints/Index.h"
#include "racepoints/RacePointLists.h"
#include "racepoints/RacePointsManage.h"
#include "racepoints/RacePointsPrint.h"
#include "racepoints/UndoHistory.h"
#include "terminal/COMPortsManage.h"
#include "terminal/frmRacePointsSend.h"
#include "terminal/frmSet.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QListWidget>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QUrl>

namespace {

// Courier New keeps the columns of the list lines aligned. Where it is not
// installed, one of its free twins of the same metrics is named at once, as
// the system would put one in its place: a family the system lacks is
// looked for among all its fonts, a good part of the first paint's work.
// Without any of them, any fixed-pitch font does.
QFont ListFont()
{
    const QStringList installed = QFontDatabase::families();
    QFont font(QStringLiteral("Courier New"));
    for (const QString &family : {QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                                 QStringLiteral("Cousine"), QStringLiteral("Nimbus Mono PS")}) {
        if (installed.contains(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setPointSizeF(10.5);
    font.setStyleHint(QFont::TypeWriter);
    if (QFontInfo(font).fixedPitch())
        return font;
    font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(10.5);
    return font;
}

} // namespace

frmMain::frmMain(QWidget *parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    auto *client = new QWidget(this);
    client->setFixedSize(Twips(9165), Twips(5835));
    setCentralWidget(client);

    List1 = PlaceControl<QListWidget>(client, QStringLiteral("List1"), TwipsRect(210, 210, 8730, 5415));
    List1->setFont(ListFont());
    // At 150 % the list's edges fall on half pixels of the screen, where the
    // area inside (its viewport) would paint over the frame: the list fills
    // its background itself, under the frame, and the viewport stays clear.
    List1->setBackgroundRole(QPalette::Base);
    List1->setAutoFillBackground(true);
    List1->viewport()->setAutoFillBackground(false);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    // Every line is one line of the same font, as wide as the list: the
    // list measures one instead of laying out the text of each.
    List1->setUniformItemSizes(true);
    List1->installEventFilter(this);
    connect(List1, &QListWidget::itemSelectionChanged, this, &frmMain::List1_Click);
    connect(List1, &QListWidget::itemSelectionChanged, this, &frmMain::UpdateMapEntry);
    List1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(List1, &QWidget::customContextMenuRequested, this, &frmMain::List1_ContextMenu);

    COMPorts = new COMPortsManage::PortSearch(this);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);

    auto action = [this](QMenu *menu, const char *name, void (frmMain::*handler)()) {
        QAction *entry = menu->addAction(QString());
        entry->setObjectName(QLatin1String(name));
        if (handler)
            connect(entry, &QAction::triggered, this, handler);
        return entry;
    };
    auto separator = [](QMenu *menu, const char *name) {
        QAction *entry = menu->addSeparator();
        entry->setObjectName(QLatin1String(name));
        return entry;
    };

    mnuProgram = menuBar()->addMenu(QString());
    mnuProgram->setObjectName(QStringLiteral("mnuProgram"));
    mnuProgramSet = action(mnuProgram, "mnuProgramSet", &frmMain::mnuProgramSet_Click);
    mnuProgramClubLocation = action(mnuProgram, "mnuProgramClubLocation", &frmMain::mnuProgramClubLocation_Click);
    mnuProgramSlash = separator(mnuProgram, "mnuProgramSlash");
    mnuProgramExit = action(mnuProgram, "mnuProgramExit", nullptr);
    connect(mnuProgramExit, &QAction::triggered, this, &QWidget::close);

    mnuRacePoints = menuBar()->addMenu(QString());
    mnuRacePoints->setObjectName(QStringLiteral("mnuRacePoints"));
    mnuRacePointsAdd = action(mnuRacePoints, "mnuRacePointsAdd", &frmMain::mnuRacePointsAdd_Click);
    mnuRacePointsAlter = action(mnuRacePoints, "mnuRacePointsAlter", &frmMain::mnuRacePointsAlter_Click);
    mnuRacePointsDelete = action(mnuRacePoints, "mnuRacePointsDelete", &frmMain::mnuRacePointsDelete_Click);
    mnuRacePointsUndo = action(mnuRacePoints, "mnuRacePointsUndo", &frmMain::mnuRacePointsUndo_Click);
    mnuRacePointsUndo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnuRacePointsRedo = action(mnuRacePoints, "mnuRacePointsRedo", &frmMain::mnuRacePointsRedo_Click);
    mnuRacePointsRedo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    mnuRacePointsSlash = separator(mnuRacePoints, "mnuRacePointsSlash");
    mnuRacePointsImport = action(mnuRacePoints, "mnuRacePointsImport", &frmMain::mnuRacePointsImport_Click);
    mnuRacePointsExport = action(mnuRacePoints, "mnuRacePointsExport", &frmMain::mnuRacePointsExport_Click);
    mnuRacePointsSlash2 = separator(mnuRacePoints, "mnuRacePointsSlash2");
    mnuRacePointsShow = action(mnuRacePoints, "mnuRacePointsShow", &frmMain::RacePointsAnzeigen);
    mnuRacePointsMap = action(mnuRacePoints, "mnuRacePointsMap", &frmMain::mnuRacePointsMap_Click);
    mnuRacePointsMap->setEnabled(false);
    // Before Send, which stays the last entry.
    mnuRacePointsPrint = action(mnuRacePoints, "mnuRacePointsPrint", &frmMain::mnuRacePointsPrint_Click);
    mnuRacePointsSend = action(mnuRacePoints, "mnuRacePointsSend", &frmMain::mnuRacePointsSend_Click);
    mnuRacePointsSend->setText(QStringLiteral("Send (PC --> Terminal)"));
    mnuRacePointsAdd->setEnabled(false);
    mnuRacePointsAlter->setEnabled(false);
    mnuRacePointsDelete->setEnabled(false);

    mnuHelp = menuBar()->addMenu(QString());
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuInfo = action(mnuHelp, "mnuInfo", &frmMain::mnuInfo_Click);

    setWindowTitle(ProgramCaption());
    // A list file dropped on the window is imported.
    setAcceptDrops(true);
    adjustSize();
}

frmMain::~frmMain() = default;

bool frmMain::Form_Load(QString *errorText, QString *errorTitle)
{
    // Before anything in the folder is touched.
    QString otherComputer;
    WorkFolderLock = Init::LockWorkFolder(&otherComputer);
    if (!WorkFolderLock) {
        Init::WorkPath = QDir::currentPath() + u'/';
        Texte::LoadTexts();
    }
    if (!otherComputer.isEmpty()) {
        // Whether that copy still runs cannot be checked from here: the user
        // knows, or can look.
        MsgBoxName2 = TextOr(QStringLiteral("frmMain.MsgBoxName2"), QStringLiteral("Racepoints"));
        MsgBoxText2 = TextOr(QStringLiteral("frmMain.MsgBoxText2"),
                             QStringLiteral("Racepoints is open in this folder on another computer, or was not "
                                            "closed there. Open it here anyway? Only do so if it is closed on "
                                            "that computer; otherwise the two copies would undo each other's "
                                            "changes."));
        if (!AskYesNo(this, MsgBoxName2, MsgBoxText2 + u'\n' + otherComputer))
            return false;
        WorkFolderLock = Init::TakeOverWorkFolder();
    }
    if (!WorkFolderLock) {
        MsgBoxName1 = TextOr(QStringLiteral("frmMain.MsgBoxName1"), QStringLiteral("Racepoints"));
        MsgBoxText1 = TextOr(QStringLiteral("frmMain.MsgBoxText1"),
                             QStringLiteral("Racepoints is already open in this folder. Please go on working in the "
                                            "window that is open; a second copy would undo its changes."));
        if (errorTitle)
            *errorTitle = MsgBoxName1;
        if (errorText)
            *errorText = MsgBoxText1;
        return false;
    }
    Init::InitProgram();
    ClubLocation::Load();
    // Undo covers this session's changes in this folder.
    UndoHistory::Clear();
    if (!ApplyTextsMain(errorText)) {
        // The catalogue holds every text, so this report cannot come from it.
        if (errorTitle)
            *errorTitle = QStringLiteral("Racepoints");
        return false;
    }
    RacePointsAnzeigen();
    // The check one second from now decides with the ports that have
    // answered by then.
    COMPorts->SearchCOMPorts();
    Timer1.setInterval(1000);
    Timer1.start();
    CentreOnScreen(*this);
    return true;
}

bool frmMain::ApplyTextsMain(QString *errorText)
{
    if (!Texte::LoadTexts(errorText))
        return false;
    MsgBoxName3 = TextOr(QStringLiteral("frmMain.MsgBoxName3"), QStringLiteral("Racepoints"));
    MsgBoxText3 = TextOr(QStringLiteral("frmMain.MsgBoxText3"),
                         QStringLiteral("The race point file could not be read. Race points cannot be added, "
                                        "altered or deleted until it can be read again."));
    setWindowTitle(ProgramCaption());
    mnuProgram->setTitle(Texte::GetText(QStringLiteral("frmMain.mnuProgram.Caption")));
    mnuProgramSet->setText(Texte::GetText(QStringLiteral("frmMain.mnuProgramSet.Caption")));
    mnuProgramExit->setText(Texte::GetText(QStringLiteral("frmMain.mnuProgramExit.Caption")));
    mnuProgramClubLocation->setText(
        TextOr(QStringLiteral("frmMain.mnuProgramClubLocation.Caption"), QStringLiteral("&Club location...")));
    mnuRacePoints->setTitle(Texte::GetText(QStringLiteral("frmMain.mnuRacePoints.Caption")));
    mnuRacePointsAdd->setText(Texte::GetText(QStringLiteral("frmMain.mnuRacePointsAdd.Caption")));
    mnuRacePointsAlter->setText(Texte::GetText(QStringLiteral("frmMain.mnuRacePointsAlter.Caption")));
    mnuRacePointsDelete->setText(Texte::GetText(QStringLiteral("frmMain.mnuRacePointsDelete.Caption")));
    mnuRacePointsShow->setText(Texte::GetText(QStringLiteral("frmMain.mnuRacePointsShow.Caption")));
    mnuRacePointsMap->setText(
        TextOr(QStringLiteral("frmMain.mnuRacePointsMap.Caption"), QStringLiteral("Show on &map")));
    MsgBoxNameMap = TextOr(QStringLiteral("frmMain.MsgBoxNameMap"), QStringLiteral("Show on map"));
    MsgBoxTextMap = TextOr(QStringLiteral("frmMain.MsgBoxTextMap"),
                           QStringLiteral("No web browser could be opened. The map of the race point is at this "
                                          "address:"));
    // A club's own catalogue may predate this entry; it must not be left blank.
    mnuRacePointsPrint->setText(
        TextOr(QStringLiteral("frmMain.mnuRacePointsPrint.Caption"), QStringLiteral("&Print...")));
    ShowUndoSteps();
    mnuRacePointsImport->setText(
        TextOr(QStringLiteral("frmMain.mnuRacePointsImport.Caption"), QStringLiteral("&Import...")));
    mnuRacePointsExport->setText(
        TextOr(QStringLiteral("frmMain.mnuRacePointsExport.Caption"), QStringLiteral("&Export...")));
    mnuHelp->setTitle(Texte::GetText(QStringLiteral("frmMain.mnuHelp.Caption")));
    mnuInfo->setText(Texte::GetText(QStringLiteral("frmMain.mnuInfo.Caption")));
    // The list has no caption of its own; its menu names what it holds.
    List1->setAccessibleName(SpokenCaption(mnuRacePoints->title()));
    return true;
}

void frmMain::RacePointsAnzeigen()
{
    using namespace RacePointsManage;
    List1->clear();
    RacePointCount = LoadRacePoints(Init::DataFilePath());
    if (!ReadFailure.isEmpty() && !ReadFailureShown)
        ShowFailure(this, MsgBoxName3, MsgBoxText3, ReadFailure);
    ReadFailureShown = !ReadFailure.isEmpty();
    List1->setEnabled(true);
    for (int slot = 1; slot <= RacePointCount; ++slot) {
        const QString number = QString::number(slot + FirstNumber - 1).rightJustified(2, u'0');
        const QByteArray name = RacePoints[slot].mid(NameColumn.offset, NameColumn.width);
        List1->addItem(number + QStringLiteral(":  ") + Cp1252::Decode(name));
    }
    mnuRacePointsAdd->setEnabled(true);
    ListFilled = true;
    ShowUndoSteps();
    UpdateMapEntry();
}

std::optional<Coordinates::Position> frmMain::SelectedPosition() const
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    if (selected.isEmpty())
        return std::nullopt;
    const int slot = List1->row(selected.first()) + 1;
    if (slot > RacePointsManage::RacePointCount || slot > RacePointsManage::SlotCount)
        return std::nullopt;
    const QStringList coordinates = FieldRules::FieldTexts(RacePointsManage::RacePoints[slot]).mid(3);
    return ClubLocation::RacePointPosition(coordinates);
}

void frmMain::UpdateMapEntry()
{
    mnuRacePointsMap->setEnabled(SelectedPosition().has_value());
}

void frmMain::List1_ContextMenu(const QPoint &position)
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("List1Menu"));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->addActions({mnuRacePointsAlter, mnuRacePointsDelete, mnuRacePointsMap});
    menu->popup(List1->viewport()->mapToGlobal(position));
}

void frmMain::mnuRacePointsMap_Click()
{
    const std::optional<Coordinates::Position> position = SelectedPosition();
    if (!position)
        return;
    const QString address = Coordinates::MapAddress(*position);
    if (!QDesktopServices::openUrl(QUrl(address)))
        ShowMessage(this, QMessageBox::Warning, MsgBoxNameMap, MsgBoxTextMap + u'\n' + address);
}


namespace {

// What a step did, for the captions of Undo and Redo: "delete 84".
QString StepText(const UndoHistory::Step &step)
{
    const QString number = QString::number(step.number);
    switch (step.action) {
    case UndoHistory::Action::Add:
        return TextOr(QStringLiteral("frmMain.txtStepAdd"), QStringLiteral("add %1")).arg(number);
    case UndoHistory::Action::Alter:
        return TextOr(QStringLiteral("frmMain.txtStepAlter"), QStringLiteral("alter %1")).arg(number);
    case UndoHistory::Action::Delete:
        return TextOr(QStringLiteral("frmMain.txtStepDelete"), QStringLiteral("delete %1")).arg(number);
    case UndoHistory::Action::Import:
        break;
    }
    return TextOr(QStringLiteral("frmMain.txtStepImport"), QStringLiteral("import"));
}

} // namespace

void frmMain::ShowUndoSteps()
{
    const QList<UndoHistory::Step> &undo = UndoHistory::UndoSteps();
    const QList<UndoHistory::Step> &redo = UndoHistory::RedoSteps();
    mnuRacePointsUndo->setEnabled(!undo.isEmpty());
    mnuRacePointsUndo->setText(
        undo.isEmpty() ? TextOr(QStringLiteral("frmMain.mnuRacePointsUndo.Caption"), QStringLiteral("&Undo"))
                       : TextOr(QStringLiteral("frmMain.txtUndo"), QStringLiteral("&Undo %1")).arg(StepText(undo.last())));
    mnuRacePointsRedo->setEnabled(!redo.isEmpty());
    mnuRacePointsRedo->setText(
        redo.isEmpty() ? TextOr(QStringLiteral("frmMain.mnuRacePointsRedo.Caption"), QStringLiteral("&Redo"))
                       : TextOr(QStringLiteral("frmMain.txtRedo"), QStringLiteral("&Redo %1")).arg(StepText(redo.last())));
}

void frmMain::List1_Click()
{
    const QList<QListWidgetItem *> selected = List1->selectedItems();
    if (selected.isEmpty() || !ListFilled)
        return;
    GewaehlterRacePoint = selected.first()->text().left(2);
    mnuRacePointsAlter->setEnabled(true);
    mnuRacePointsDelete->setEnabled(true);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == List1 && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        if (!List1->selectedItems().isEmpty())
            mnuRacePointsDelete_Click();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    // Closing the main window ends the program, even while a dialog is open
    // (the session ending, too). A transfer then ends without a word: the
    // program must not wait for anyone to read a message.
    for (QDialog *dialog : findChildren<QDialog *>()) {
        if (!dialog->isVisible())
            continue;
        if (auto *transfer = qobject_cast<frmRacePointsSend *>(dialog))
            transfer->CloseSilently();
        else
            dialog->reject();
    }
    Timer1.stop();
    event->accept();
}

void frmMain::Timer1_Timer()
{
    // The start-up port check, once per run: ask for a port when none is
    // stored or the stored one was not found.
    const bool needed = !COMPortsManage::PortChosen() || COMPortsManage::FindSelectedCOMPort() == -1;
    Timer1.stop();
    Timer1.setInterval(0);
    if (needed)
        mnuProgramSet_Click();
}

void frmMain::mnuProgramSet_Click()
{
    frmSet dialog(*COMPorts, this);
    dialog.exec();
}

void frmMain::mnuProgramClubLocation_Click()
{
    frmClubLocation dialog(this);
    if (dialog.exec() == QDialog::Accepted)
        UpdateMapEntry(); // the hemispheres may have changed
}

void frmMain::mnuRacePointsAdd_Click()
{
    frmRacePointsAdd dialog(*this);
    dialog.exec();
}

void frmMain::mnuRacePointsAlter_Click()
{
    frmRacePointsAlter dialog(*this);
    if (dialog.HasRecord())
        dialog.exec();
}

void frmMain::mnuRacePointsDelete_Click()
{
    frmRacePointsDelete dialog(*this);
    if (dialog.HasRecord())
        dialog.exec();
}

void frmMain::mnuRacePointsPrint_Click()
{
    // Read anew, as every dialog reads it when it opens.
    Texte::LoadTexts();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(SpokenCaption(mnuRacePoints->title()));
    const QString title = TextOr(QStringLiteral("frmMain.MsgBoxNamePrint"), QStringLiteral("Print race points"));
    // The file as it is now, as Send reads it; never the blank table that
    // stands in for a file that could not be read.
    using namespace RacePointsManage;
    RacePointCount = LoadRacePoints(Init::DataFilePath());
    if (!ReadFailure.isEmpty()) {
        ShowFailure(this, title,
                    TextOr(QStringLiteral("frmMain.MsgBoxTextPrintUnreadable"),
                           QStringLiteral("The race point file could not be read, so the race points were not "
                                          "printed.")),
                    ReadFailure);
        return;
    }
#ifdef Q_OS_WIN
    // Without any printer Qt falls back to PDF output, which the Windows
    // print dialog refuses to show: without this the menu entry would do
    // nothing at all.
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        ShowMessage(this, QMessageBox::Warning, title,
                    TextOr(QStringLiteral("frmMain.MsgBoxTextNoPrinter"),
                           QStringLiteral("No printer is set up on this computer. Please add one in the Windows "
                                          "settings under Printers & scanners (Microsoft Print to PDF prints to a "
                                          "file).")));
        return;
    }
#endif
    QPrintDialog dialog(&printer, this);
    // The whole list is printed; it rarely takes more than a page.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!RacePointsPrint::PrintRacePoints(printer)) {
        ShowMessage(this, QMessageBox::Critical, title,
                    TextOr(QStringLiteral("frmMain.MsgBoxTextPrint"),
                           QStringLiteral("The race points could not be printed. Please check that the printer is "
                                          "switched on and ready or, when printing to a file, that its folder can "
                                          "be written.")));
    }
}

void frmMain::mnuRacePointsUndo_Click()
{
    UndoOrRedo(false);
}

void frmMain::mnuRacePointsRedo_Click()
{
    UndoOrRedo(true);
}

void frmMain::UndoOrRedo(bool redo)
{
    // Read anew, as every dialog reads it when it opens.
    Texte::LoadTexts();
    const QString path = Init::DataFilePath();
    const QString title = SpokenCaption((redo ? mnuRacePointsRedo : mnuRacePointsUndo)->text());
    // Another copy (on another computer, on a shared folder) may have saved
    // since: its work is only overwritten when the user says so.
    const QStringList changed = UndoHistory::ChangedSince(path, redo);
    if (!changed.isEmpty()
        && !AskYesNo(this, title,
                     TextOr(QStringLiteral("frmMain.MsgBoxTextChanged"),
                            QStringLiteral("The race point file has been changed since, perhaps by Racepoints on "
                                           "another computer. Going on would overwrite: %1. Go on?"))
                         .arg(changed.join(QStringLiteral(", ")))))
        return;
    Index::RememberListSelection(*this);
    QString reason;
    if (!(redo ? UndoHistory::Redo(path, &reason) : UndoHistory::Undo(path, &reason))) {
        ShowFailure(this, title,
                    TextOr(QStringLiteral("frmMain.MsgBoxTextUndo"),
                           QStringLiteral("The race point file could not be saved, so the list stays as it is. "
                                          "Please check that the folder racepo can be written and that the disk "
                                          "is not full.")),
                    reason);
    }
    RacePointsAnzeigen();
    Index::RestoreListSelection(*this);
}

namespace {

// A menu entry's caption as the title of what it opens: "Export" for "&Export...".
QString TitleOf(const QAction &entry)
{
    QString title = SpokenCaption(entry.text());
    while (title.endsWith(u'.') || title.endsWith(u'\u2026'))
        title.chop(1);
    return title;
}

// The program's own files in the working folder, which no list may replace.
bool IsOwnFile(const QString &path)
{
    const QString chosen = QFileInfo(path).absoluteFilePath();
    for (const QString &own : {Init::DataFilePath(), Texte::CataloguePath(), Init::OptionsFilePath()}) {
        if (QFileInfo(own).absoluteFilePath() == chosen)
            return true;
    }
    return false;
}

// Why a file cannot be imported, for the user.
QString ProblemText(const RacePointLists::Sheet &sheet)
{
    using RacePointLists::Problem;
    switch (sheet.problem) {
    case Problem::None:
    case Problem::Empty:
        break;
    case Problem::TooLarge:
        return TextOr(QStringLiteral("frmMain.MsgBoxTextImportTooLarge"),
                      QStringLiteral("The file is far too large for a list of race points. Nothing was imported."));
    case Problem::TooManyRows:
        return TextOr(QStringLiteral("frmMain.MsgBoxTextImportRows"),
                      QStringLiteral("The file holds more than 1000 rows: it is no list of race points. Nothing "
                                     "was imported."));
    case Problem::Utf16:
        return TextOr(QStringLiteral("frmMain.MsgBoxTextImportUtf16"),
                      QStringLiteral("The file is saved as Unicode text (UTF-16). Please save it from the "
                                     "spreadsheet as CSV (or CSV UTF-8) and import that file."));
    case Problem::Binary:
        return TextOr(QStringLiteral("frmMain.MsgBoxTextImportBinary"),
                      QStringLiteral("This is no list that Racepoints can read. Please save the list as CSV or "
                                     "text, or as GPX or KML waypoints. Nothing was imported."));
    case Problem::NotWellFormed:
        return TextOr(QStringLiteral("frmMain.MsgBoxTextImportDamaged"),
                      QStringLiteral("The file is damaged or cut short (line %1: %2). Nothing was imported."))
            .arg(sheet.problemLine)
            .arg(sheet.problemText);
    }
    return TextOr(QStringLiteral("frmMain.MsgBoxTextImportEmpty"),
                  QStringLiteral("The file holds no race points. Nothing was imported."));
}

} // namespace

void frmMain::mnuRacePointsImport_Click()
{
    Texte::LoadTexts();
    QFileDialog dialog(this, TitleOf(*mnuRacePointsImport));
    dialog.setObjectName(QStringLiteral("ImportDialog"));
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({TextOr(QStringLiteral("frmMain.txtFileLists"), QStringLiteral("Race point lists"))
                               + QStringLiteral(" (*.csv *.txt *.gpx *.kml)"),
                           TextOr(QStringLiteral("frmMain.txtFileAll"), QStringLiteral("All files"))
                               + QStringLiteral(" (*)")});
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        ImportFile(dialog.selectedFiles().first());
}

void frmMain::ImportFile(const QString &path)
{
    Texte::LoadTexts();
    const QString title = TitleOf(*mnuRacePointsImport);
    RacePointLists::Sheet sheet;
    // Refused by its size before a byte is read: a list is a few kilobytes.
    if (QFileInfo(path).size() > RacePointLists::MaxFileSize) {
        sheet.problem = RacePointLists::Problem::TooLarge;
    } else {
        QByteArray content;
        QString reason;
        if (!Init::ReadWholeFile(path, content, &reason)) {
            ShowFailure(this, title,
                        TextOr(QStringLiteral("frmMain.MsgBoxTextImportRead"),
                               QStringLiteral("The file could not be read. Nothing was imported.")),
                        reason);
            return;
        }
        sheet = RacePointLists::ReadSheet(content);
    }
    if (sheet.problem != RacePointLists::Problem::None) {
        ShowMessage(this, QMessageBox::Warning, title, ProblemText(sheet));
        return;
    }
    frmRacePointsImport preview(this, std::move(sheet), QFileInfo(path).fileName());
    if (preview.exec() != QDialog::Accepted)
        return;
    const QString dataFile = Init::DataFilePath();
    QString reason;
    UndoHistory::BeginChange(dataFile);
    RacePointImport::Apply(preview.Plan(), preview.Replace());
    if (!UndoHistory::SaveChange(dataFile, &reason, true)) {
        ShowFailure(this, title,
                    TextOr(QStringLiteral("frmMain.MsgBoxTextImport"),
                           QStringLiteral("The race point file could not be saved, so nothing was imported. Please "
                                          "check that the folder racepo can be written and that the disk is not "
                                          "full.")),
                    reason);
    }
    RacePointsAnzeigen();
}

void frmMain::dragEnterEvent(QDragEnterEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() == 1 && urls.first().isLocalFile())
        event->acceptProposedAction();
}

void frmMain::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return;
    event->acceptProposedAction();
    // After the drop has ended, so that the program that dragged the file
    // does not wait on the preview.
    const QString path = urls.first().toLocalFile();
    QTimer::singleShot(0, this, [this, path] { ImportFile(path); });
}

void frmMain::mnuRacePointsExport_Click()
{
    using RacePointLists::Format;
    // Read anew, as every dialog reads it when it opens.
    Texte::LoadTexts();
    const QString title = TitleOf(*mnuRacePointsExport);
    const QList<std::pair<Format, QString>> types = {
        {Format::Csv, TextOr(QStringLiteral("frmMain.txtFileCsv"), QStringLiteral("Spreadsheet, CSV"))
                          + QStringLiteral(" (*.csv)")},
        {Format::Gpx, TextOr(QStringLiteral("frmMain.txtFileGpx"), QStringLiteral("Waypoints for maps and GPS, GPX"))
                          + QStringLiteral(" (*.gpx)")},
        {Format::Kml, TextOr(QStringLiteral("frmMain.txtFileKml"), QStringLiteral("Placemarks for Google Earth, KML"))
                          + QStringLiteral(" (*.kml)")}};
    static constexpr std::array<const char *, 3> suffixes{"csv", "gpx", "kml"};
    QFileDialog dialog(this, title);
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const auto &type : types)
        filters << type.second;
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QLatin1String(suffixes[0]));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &filter) {
        dialog.setDefaultSuffix(QLatin1String(suffixes[std::max<qsizetype>(0, filters.indexOf(filter))]));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString path = dialog.selectedFiles().first();
    if (IsOwnFile(path)) {
        ShowMessage(this, QMessageBox::Warning, title,
                    TextOr(QStringLiteral("frmMain.MsgBoxTextExportOwn"),
                           QStringLiteral("This is one of Racepoints' own files. Please choose another name.")));
        return;
    }
    // The type the name says; else the type chosen in the dialog.
    qsizetype type = std::find(suffixes.begin(), suffixes.end(), QFileInfo(path).suffix().toLower().toStdString())
                     - suffixes.begin();
    if (type >= qsizetype(suffixes.size()))
        type = std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter()));
    const QByteArray content = RacePointLists::Write(
        types[type].first, RacePointLists::EntriesOfTable(),
        TextOr(QStringLiteral("frmMain.txtExportHeader"),
               QStringLiteral("Number;Name;Place;Latitude;Longitude;Latitude (decimal);Longitude (decimal);"
                              "Distance (km)")),
        SpokenCaption(mnuRacePoints->title()));
    QString reason;
    if (!Init::WriteWholeFile(path, content, &reason)) {
        ShowFailure(this, title,
                    TextOr(QStringLiteral("frmMain.MsgBoxTextExport"),
                           QStringLiteral("The race points could not be saved in this file. Please check that its "
                                          "folder can be written and that the disk is not full.")),
                    reason);
    }
}

void frmMain::mnuRacePointsSend_Click()
{
    frmRacePointsSend dialog(this);
    if (dialog.Form_Load())
        dialog.exec();
}

void frmMain::mnuInfo_Click()
{
    frmInfo dialog(this);
    dialog.exec();
}
