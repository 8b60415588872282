// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "terminal/SerialPort.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <QTimer>

#include <cstdint>

class QFrame;
class QLabel;
class QPushButton;

// Sends the race point names to the timing terminal in one frame, one byte at
// a time, and waits for its confirmation. It starts by itself one second after
// it opens and closes by itself when the terminal has answered or the answer
// is overdue; the user can only cancel.
//
// The waits are not loops on the window thread: the port paces the bytes on
// a thread of its own (each goes out once the previous one has left, driver
// queue included) and reports the progress, the reply wait is a timer, and
// Cancel or Escape act at once in every state.
class frmRacePointsSend : public QDialog {
    Q_OBJECT

public:
    explicit frmRacePointsSend(QWidget *parent = nullptr);
    ~frmRacePointsSend() override;

    // Applies the texts, opens the chosen port and starts the start delay.
    // When the port cannot be opened, shows message 1 and returns false: the
    // window is not to be shown.
    bool Form_Load();

    QString MsgBoxName1, MsgBoxText1;
    QString MsgBoxName2, MsgBoxText2;
    // The race point file cannot be read: nothing is sent.
    QString MsgBoxName3, MsgBoxText3;
    QString txtCommunicationOk, txtCommunicationError;
    bool ReplyTimedOut = false;
    bool TransferCancelled = false;

    QFrame *Picture1;
    QLabel *Label1;
    QLabel *Label2;
    QPushButton *Command1;
    QTimer Timer1; // reply time-out
    QTimer Timer2; // start delay
    SerialPort MSComm1;

    static constexpr int StartDelayMs = 1000;
    static constexpr int ReplyTimeoutMs = 2000;
    static constexpr qint64 OutBufferSize = 8192;

    // Ends the transfer at once and closes the window without a message, as
    // when the program ends while it is open.
    void CloseSilently();

public slots:
    // Cancel, Escape and the window's close button.
    void reject() override;

private:
    enum class Stage : std::uint8_t { Loading, WaitingToStart, Sending, AwaitingReply, Closed };

    void ApplyTextsSend();
    void Timer1_Timer();
    void Timer2_Timer();
    void SendRacePoints();
    void ShowProgress(qsizetype sent);
    void StartReplyWait();
    void CheckReply();
    void EndTransfer(QByteArrayView reply);
    void Form_Unload();

    Stage stage = Stage::Loading;
    qsizetype frameSize = 0;
    qsizetype recordCount = 0;
};
