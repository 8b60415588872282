// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminal/frmRacePointsSend.h"

#include "app/DialogKeys.h"
#include "app/Geometry.h"
#include "app/Init.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "racepoints/Cp1252.h"
#include "racepoints/RacePointsManage.h"
#include "terminal/COMPortsManage.h"
#include "terminal/TransferFrame.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace {

// "80", two blanks and the 13-character name.
QString ProgressText(const QByteArray &record)
{
    using RacePointsManage::NameColumn;
    using RacePointsManage::NumberColumn;
    return Cp1252::Decode(record.mid(NumberColumn.offset, NumberColumn.width)) + QStringLiteral("  ")
        + Cp1252::Decode(record.mid(NameColumn.offset, NameColumn.width));
}

} // namespace

frmRacePointsSend::frmRacePointsSend(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmRacePointsSend"));
    setFixedSize(Twips(5415), Twips(2025));
    setWindowTitle(QStringLiteral("Send race points (PC -> terminal)"));

    Picture1 = PlaceControl<QFrame>(this, QStringLiteral("Picture1"), TwipsRect(120, 120, 5175, 1050));
    Picture1->setFrameShape(QFrame::Box);
    Label1 = PlaceControl<QLabel>(Picture1, QStringLiteral("Label1"), TwipsRect(120, 120, 4935, 330));
    Label2 = PlaceControl<QLabel>(Picture1, QStringLiteral("Label2"), TwipsRect(120, 570, 4935, 330));

    Command1 = PlaceControl<QPushButton>(this, QStringLiteral("Command1"), TwipsRect(1980, 1380, 1455, 435));
    Command1->setText(QStringLiteral("Cancel"));
    connect(Command1, &QPushButton::clicked, this, &frmRacePointsSend::reject);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer2.setObjectName(QStringLiteral("Timer2"));
    Timer1.setSingleShot(true);
    // A coarse timer may end the reply wait up to 5 % early.
    Timer1.setTimerType(Qt::PreciseTimer);
    Timer2.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmRacePointsSend::Timer1_Timer);
    connect(&Timer2, &QTimer::timeout, this, &frmRacePointsSend::Timer2_Timer);

    // Queued, so that a message box never opens inside the port's own code,
    // and the reports of the sending thread arrive on this one.
    connect(&MSComm1, &SerialPort::Sent, this, &frmRacePointsSend::ShowProgress, Qt::QueuedConnection);
    connect(&MSComm1, &SerialPort::DataArrived, this, [this] {
        if (stage == Stage::AwaitingReply)
            CheckReply();
    }, Qt::QueuedConnection);
    connect(&MSComm1, &SerialPort::Failed, this, [this](const QString &reason) {
        if (stage == Stage::Loading || stage == Stage::Closed)
            return;
        // The message box only says that the terminal did not confirm; why
        // goes to standard error.
        qWarning("racepoints: COM %s failed during the transfer: %s", qPrintable(Init::SelectedCOMPort),
                 qPrintable(reason));
        EndTransfer({});
    }, Qt::QueuedConnection);

    InstallDialogKeys(*this);
}

frmRacePointsSend::~frmRacePointsSend()
{
    Form_Unload();
}

void frmRacePointsSend::ApplyTextsSend()
{
    // A catalogue that has vanished meanwhile leaves the texts of the last
    // read in place; the transfer itself does not need it.
    Texte::LoadTexts();
    setWindowTitle(Texte::GetText(QStringLiteral("frmRacePointsSend.Caption")));
    Command1->setText(Texte::GetText(QStringLiteral("frmRacePointsSend.Command1.Caption")));
    MsgBoxName1 = Texte::GetText(QStringLiteral("frmRacePointsSend.MsgBoxName1"));
    MsgBoxText1 = Texte::GetText(QStringLiteral("frmRacePointsSend.MsgBoxText1"));
    MsgBoxName2 = Texte::GetText(QStringLiteral("frmRacePointsSend.MsgBoxName2"));
    MsgBoxText2 = Texte::GetText(QStringLiteral("frmRacePointsSend.MsgBoxText2"));
    MsgBoxName3 = TextOr(QStringLiteral("frmRacePointsSend.MsgBoxName3"), QStringLiteral("Send race points"));
    MsgBoxText3 = TextOr(QStringLiteral("frmRacePointsSend.MsgBoxText3"),
                         QStringLiteral("The race point file could not be read, so the race points were not sent."));
    txtCommunicationOk = Texte::GetText(QStringLiteral("frmRacePointsSend.txtCommunicationOk"));
    txtCommunicationError = Texte::GetText(QStringLiteral("frmRacePointsSend.txtCommunicationError"));
}

bool frmRacePointsSend::Form_Load()
{
    ApplyTextsSend();
    const std::optional<int> number = COMPortsManage::PortNumber(Init::SelectedCOMPort);
    if (!number || !MSComm1.SetPortNumber(*number)
        || !MSComm1.SetSettings(COMPortsManage::LineSettings)
        || !MSComm1.SetOutBufferSize(OutBufferSize) || !MSComm1.Open()) {
        stage = Stage::Closed;
        Form_Unload();
        ShowMessage(parentWidget(), QMessageBox::Critical, MsgBoxName1, MsgBoxText1);
        return false;
    }
    Timer2.setInterval(StartDelayMs);
    Timer2.start();
    TransferCancelled = false;
    stage = Stage::WaitingToStart;
    return true;
}

void frmRacePointsSend::Timer2_Timer()
{
    Timer2.stop();
    Timer2.setInterval(0);
    SendRacePoints();
}

void frmRacePointsSend::SendRacePoints()
{
    using namespace RacePointsManage;
    // The file may have changed since the list was filled.
    RacePointCount = LoadRacePoints(Init::DataFilePath());
    if (!ReadFailure.isEmpty()) {
        // The blank table in its place is not the club's.
        stage = Stage::Closed;
        Form_Unload();
        ShowFailure(this, MsgBoxName3, MsgBoxText3, ReadFailure);
        QDialog::reject();
        return;
    }
    recordCount = std::max<qsizetype>(RacePointCount, 0);
    const QByteArray frame = TransferFrame::Build(std::span(RacePoints).subspan(1, recordCount));
    frameSize = frame.size();
    stage = Stage::Sending;
    if (!MSComm1.StartSending(frame))
        EndTransfer({});
}

void frmRacePointsSend::ShowProgress(qsizetype sent)
{
    if (stage != Stage::Sending)
        return;
    if (const int record = TransferFrame::RecordCompletedAt(sent - 1, recordCount))
        Label1->setText(ProgressText(RacePointsManage::RacePoints[record]));
    if (sent == frameSize)
        StartReplyWait();
}

void frmRacePointsSend::StartReplyWait()
{
    // The wait counts from the moment the end byte has left the port.
    stage = Stage::AwaitingReply;
    Timer1.stop();
    Timer1.setInterval(ReplyTimeoutMs);
    Timer1.start();
    ReplyTimedOut = false;
    TransferCancelled = false;
    // The first byte received since the port opened decides, even one that
    // came while the frame was still going out.
    CheckReply();
}

void frmRacePointsSend::CheckReply()
{
    const QByteArray reply = MSComm1.ReadAvailable();
    if (!reply.isEmpty())
        EndTransfer(reply);
}

void frmRacePointsSend::Timer1_Timer()
{
    Timer1.stop();
    Timer1.setInterval(0);
    ReplyTimedOut = true;
    EndTransfer(MSComm1.ReadAvailable());
}

void frmRacePointsSend::EndTransfer(QByteArrayView reply)
{
    stage = Stage::Closed;
    Form_Unload();
    if (TransferFrame::IsConfirmation(reply)) {
        Label2->setText(txtCommunicationOk);
        accept();
        return;
    }
    Label2->setText(txtCommunicationError);
    ShowMessage(this, QMessageBox::Critical, MsgBoxName2, MsgBoxText2);
    QDialog::reject();
}

void frmRacePointsSend::CloseSilently()
{
    stage = Stage::Closed;
    Form_Unload();
    QDialog::reject();
}

void frmRacePointsSend::reject()
{
    TransferCancelled = true;
    // Cancelled while waiting for the answer: the terminal has not confirmed,
    // and the user is told so. Before that, nothing is said.
    if (stage == Stage::AwaitingReply)
        EndTransfer({});
    else
        CloseSilently();
}

void frmRacePointsSend::Form_Unload()
{
    MSComm1.Close();
    for (QTimer *timer : {&Timer1, &Timer2}) {
        timer->stop();
        timer->setInterval(0);
    }
}
