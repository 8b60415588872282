// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "DriverQueue.h"
#include "LinuxTestSupport.h"
#include "SerialTestSupport.h"
#include "TestSupport.h"

#include "app/Init.h"
#include "app/frmMain.h"
#include "racepoints/RacePointsManage.h"
#include "terminal/COMPortsManage.h"
#include "terminal/TransferFrame.h"
#include "terminal/frmRacePointsSend.h"
#include "terminal/frmSet.h"

#include <QAction>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSerialPort>
#include <QtTest>

#include <chrono>

namespace {

QByteArray Name(int number)
{
    return "Point " + QByteArray::number(number);
}

// 19 race points, all named except those listed as blank, all with a place
// and coordinates, which the terminal never gets.
QByteArrayList Records(QList<int> blank = {})
{
    QByteArrayList records;
    for (int number = 80; number <= 98; ++number)
        records << Record(number, blank.contains(number) ? QByteArray() : Name(number), "Somewhere", "5112345607123456");
    return records;
}

// What the terminal must receive for that file, spelt out byte by byte.
QByteArray ExpectedFrame(QList<int> blank = {})
{
    QByteArray frame = ">8" + QByteArray(1040, ' ');
    for (int number = 80; number <= 98; ++number)
        frame += (blank.contains(number) ? QByteArray() : Name(number)).leftJustified(13, ' ');
    return frame + ">";
}

// A working folder with the English catalogue, and a terminal on COM 4,
// which is the chosen port.
struct Line {
    WorkFolder folder;
    PseudoTerminal terminal;
    PortTable table;
    Modals boxes; // answers the transfer window's messages and notes them

    Line()
    {
        folder.copyCatalogue();
        table.set(4, terminal);
        Init::InitProgram();
        Init::SelectedCOMPort = QStringLiteral("4");
    }
    // Answers with these bytes once the terminal has received that many.
    void answerAt(qsizetype received, const QByteArray &answer)
    {
        if (answer.isEmpty())
            return;
        auto *once = new QObject(&terminal);
        QObject::connect(&terminal, &PseudoTerminal::bytesReceived, once, [this, received, answer, once] {
            if (terminal.received.size() >= received) {
                terminal.write(answer);
                delete once;
            }
        });
    }
};

// Notes how long a key posted to a widget, as the window system posts it,
// waits until the widget gets it.
class KeyClock : public QObject {
public:
    explicit KeyClock(QWidget &target) : target(target) { target.installEventFilter(this); }

    // The wait in milliseconds; -1 when the key did not come within 5 s.
    qint64 press(Qt::Key key)
    {
        arrived = -1;
        clock.start();
        QCoreApplication::postEvent(&target, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
        return QTest::qWaitFor([this] { return arrived >= 0; }, 5000) ? arrived : -1;
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && arrived < 0)
            arrived = clock.elapsed();
        return false;
    }

private:
    QWidget &target;
    QElapsedTimer clock;
    qint64 arrived = -1;
};

} // namespace

class tst_frmracepointssend : public QObject {
    Q_OBJECT

private slots:
    void frameOfNineteen()
    {
        const QByteArray frame = TransferFrame::Build(Records({90}));
        QCOMPARE(frame.size(), 1290);
        QCOMPARE(frame, ExpectedFrame({90}));
        QCOMPARE(frame.mid(1042 + 10 * 13, 13), QByteArray(13, ' ')); // the blank record of 90
    }

    void frameOfNone()
    {
        QCOMPARE(TransferFrame::Build({}), ">8" + QByteArray(1040, ' ') + ">");
    }

    void frameKeepsBytes()
    {
        // Whatever a file holds goes out byte for byte, as 13 bytes a block.
        const QByteArray odd = "80" + QByteArray("\xe4\xf6\xfc\x00>\r\n", 7).leftJustified(13, 'x') + "rest";
        QCOMPARE(TransferFrame::Build(QByteArrayList{odd}).mid(1042, 13), odd.mid(2, 13));
        QCOMPARE(TransferFrame::Build(QByteArrayList{"81Short"}).mid(1042, 13), QByteArray("Short        "));
    }

    void recordCompletedAt_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("record");
        QTest::newRow("start byte") << 0 << 19 << 0;
        QTest::newRow("last blank") << 1041 << 19 << 0;
        QTest::newRow("first name, 12th byte") << 1053 << 19 << 0;
        QTest::newRow("first name done") << 1054 << 19 << 1;
        QTest::newRow("second name done") << 1067 << 19 << 2;
        QTest::newRow("last name done") << 1041 + 19 * 13 << 19 << 19;
        QTest::newRow("end byte") << 1042 + 19 * 13 << 19 << 0;
        QTest::newRow("end byte, no records") << 1042 << 0 << 0;
    }
    void recordCompletedAt()
    {
        QFETCH(int, offset);
        QFETCH(int, count);
        QFETCH(int, record);
        QCOMPARE(TransferFrame::RecordCompletedAt(offset, count), record);
    }

    // The terminal's first character since the port opened decides, even one
    // sent while the frame was still going out.
    void transfer_data()
    {
        QTest::addColumn<QByteArray>("early"); // sent after 500 bytes of the frame
        QTest::addColumn<QByteArray>("late");  // sent after the whole frame
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("confirmed") << QByteArray() << QByteArray(">") << true;
        QTest::newRow("confirmed and more") << QByteArray() << QByteArray(">OK\r\n") << true;
        QTest::newRow("other answer") << QByteArray() << QByteArray("x") << false;
        QTest::newRow("line noise") << QByteArray() << QByteArray("\x00", 1) << false;
        QTest::newRow("noise during the frame") << QByteArray("x") << QByteArray(">") << false;
        QTest::newRow("early start character") << QByteArray(">") << QByteArray("x") << true;
    }
    void transfer()
    {
        QFETCH(QByteArray, early);
        QFETCH(QByteArray, late);
        QFETCH(bool, confirmed);
        Line line;
        line.folder.write(DataFileName, DataFile(Records({98})));
        line.answerAt(500, early);
        line.answerAt(1290, late);

        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        dialog.show();
        QVERIFY(!dialog.txtCommunicationOk.isEmpty() && !dialog.txtCommunicationError.isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 10000);

        QCOMPARE(line.terminal.received, ExpectedFrame({98}));
        QCOMPARE(dialog.Label1->text(), QStringLiteral("98") + QString(15, u' '));
        QVERIFY(!dialog.MSComm1.IsOpen());
        QVERIFY(!dialog.Timer1.isActive() && !dialog.Timer2.isActive());
        if (confirmed) {
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.Label2->text(), dialog.txtCommunicationOk);
            QVERIFY(line.boxes.seen.isEmpty());
        } else {
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QCOMPARE(dialog.Label2->text(), dialog.txtCommunicationError);
            QCOMPARE(line.boxes.seen.size(), 1);
            QCOMPARE(line.boxes.seen[0].icon, QMessageBox::Critical);
            QCOMPARE(line.boxes.seen[0].title, dialog.MsgBoxName2);
            QCOMPARE(line.boxes.seen[0].text, dialog.MsgBoxText2);
        }
    }

    void progressShowsLastRecord()
    {
        Line line;
        line.folder.write(DataFileName, DataFile(Records()));
        line.answerAt(1290, ">");
        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        QTRY_COMPARE_WITH_TIMEOUT(dialog.result(), int(QDialog::Accepted), 10000);
        QCOMPARE(dialog.Label1->text(), QStringLiteral("98  ") + QString::fromLatin1(Name(98).leftJustified(13, ' ')));
    }

    void emptyTableSendsHeaderOnly()
    {
        Line line;
        line.folder.write(DataFileName, " 0 \r\n");
        line.answerAt(1043, ">");
        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        QTRY_COMPARE_WITH_TIMEOUT(dialog.result(), int(QDialog::Accepted), 10000);
        QCOMPARE(line.terminal.received, ">8" + QByteArray(1040, ' ') + ">");
        QCOMPARE(dialog.Label1->text(), QString());
    }

    // A data file that cannot be read: the blank table in its place is not
    // sent; the window says why and closes.
    void unreadableDataFileIsNotSent()
    {
        Line line;
        line.folder.write(DataFileName, DataFile(Records()));
        RespectPermissions asUser;
        if (!asUser.permissionsHold())
            QSKIP("file permissions cannot be made to hold here");
        TemporaryMode unreadable(line.folder.path(DataFileName), QFile::WriteOwner);
        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        QTRY_COMPARE_WITH_TIMEOUT(line.boxes.seen.size(), 1, 10000);
        QCOMPARE(line.boxes.seen[0].title, dialog.MsgBoxName3);
        QCOMPARE(line.boxes.seen[0].text, dialog.MsgBoxText3 + u'\n' + qt_error_string(EACCES));
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.MSComm1.IsOpen());
        QCOMPARE(line.terminal.received, QByteArray());
    }

    // Whatever the driver's queue count does, the next byte goes out only
    // once it reads zero, and the frame arrives whole.
    void pacingFollowsTheDriverQueue_data()
    {
        QTest::addColumn<DriverQueue::Kind>("kind");
        // The driver's line against the port's baud rate, in percent.
        QTest::addColumn<int>("lineSlowdown");
        QTest::newRow("exact UART") << DriverQueue::Kind::ExactUart << 100;
        // Held a little past the first look: the close looks that follow
        // must not let a byte overtake.
        QTest::newRow("exact UART, line 1 % slower") << DriverQueue::Kind::ExactUart << 101;
        QTest::newRow("exact UART, slower line") << DriverQueue::Kind::ExactUart << 200;
        QTest::newRow("16550") << DriverQueue::Kind::Fifo16550 << 100;
        QTest::newRow("USB modem-class, 160") << DriverQueue::Kind::UsbAcm8 << 100;
        QTest::newRow("USB modem-class, 1280") << DriverQueue::Kind::UsbAcm64 << 100;
    }
    void pacingFollowsTheDriverQueue()
    {
        QFETCH(DriverQueue::Kind, kind);
        QFETCH(int, lineSlowdown);
        Line line;
        DriverQueue queue(kind, 0, lineSlowdown * std::chrono::nanoseconds(1'041'667) / 100);
        line.folder.write(DataFileName, DataFile(Records()));
        line.answerAt(1290, ">");
        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        QTRY_COMPARE_WITH_TIMEOUT(dialog.result(), int(QDialog::Accepted), 15000);
        QCOMPARE(line.terminal.received, ExpectedFrame());
        QVERIFY(!queue.overtaken());
    }

    // A driver whose count never empties holds the transfer, and the window
    // with it, until the user cancels; the cancel ends the wait at once.
    void stuckQueueWaitsForCancel()
    {
        Line line;
        DriverQueue queue(DriverQueue::Kind::ExactUart, 300);
        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(line.terminal.received.size(), 300, 10000);
        QTest::qWait(100); // a hundred looks at the count: nothing more may come
        QCOMPARE(line.terminal.received.size(), 300);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QVERIFY(!dialog.MSComm1.IsOpen());
        QVERIFY(line.boxes.seen.isEmpty());
        QVERIFY(!queue.overtaken());
        QSerialPort next(line.terminal.serialPath());
        QVERIFY2(next.open(QIODevice::ReadWrite), qPrintable(next.errorString()));
    }

    // The session ending (or the main window closed) while the transfer waits
    // for the answer: no message holds the program up, the port is free.
    void programEndsDuringTheReplyWait()
    {
        Line line;
        line.folder.write(QStringLiteral("OPTIONS.PAR"), "4\r\n");
        frmMain window;
        QVERIFY(StartMainWindow(window));
        window.show();
        bool waited = false;
        // The menu entry returns once the transfer window has closed.
        QVERIFY(WhileOpen<frmRacePointsSend>([&] { window.mnuRacePointsSend->trigger(); },
                                             [&](frmRacePointsSend &transfer) {
            QTRY_VERIFY_WITH_TIMEOUT(transfer.Timer1.isActive(), 10000);
            waited = true;
            window.close();
            QVERIFY(!transfer.isVisible());
        }));
        QVERIFY(waited);
        QVERIFY(!window.isVisible());
        QCOMPARE(line.boxes.count<QMessageBox>(), 0);
        QSerialPort next(line.terminal.serialPath());
        QVERIFY2(next.open(QIODevice::ReadWrite), qPrintable(next.errorString()));
    }

    void silenceEndsAfterTwoSeconds()
    {
        Line line;
        QElapsedTimer sinceEnd;
        connect(&line.terminal, &PseudoTerminal::bytesReceived, this, [&] {
            if (line.terminal.received.size() == 1290)
                sinceEnd.start();
        });
        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(line.boxes.seen.size(), 1, 15000);
        const qint64 waited = sinceEnd.elapsed();
        QVERIFY2(waited >= 1900 && waited < 8000, qPrintable(QString::number(waited)));
        QCOMPARE(line.boxes.seen[0].text, dialog.MsgBoxText2);
        QVERIFY(dialog.ReplyTimedOut);
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Label2->text(), dialog.txtCommunicationError);
    }

    // Escape, Cancel and the window's close button stop everything at once,
    // silently, until the frame is out.
    void cancelBeforeTheEnd_data()
    {
        QTest::addColumn<int>("after"); // bytes received before cancelling
        QTest::addColumn<QString>("how");
        QTest::newRow("escape in start delay") << 0 << "escape";
        QTest::newRow("close button in start delay") << 0 << "close";
        QTest::newRow("cancel while sending") << 300 << "cancel";
        QTest::newRow("escape while sending") << 1100 << "escape";
    }
    void cancelBeforeTheEnd()
    {
        QFETCH(int, after);
        QFETCH(QString, how);
        Line line;
        frmRacePointsSend dialog;
        auto cancel = [&] {
            if (how == u"escape")
                QTest::keyClick(&dialog, Qt::Key_Escape);
            else if (how == u"cancel")
                dialog.Command1->click();
            else
                dialog.close();
        };
        qsizetype sent = -1;
        QVERIFY(dialog.Form_Load());
        dialog.show();
        if (after == 0) {
            cancel();
            sent = 0;
        } else {
            connect(&line.terminal, &PseudoTerminal::bytesReceived, &dialog, [&] {
                if (sent < 0 && line.terminal.received.size() >= after) {
                    sent = line.terminal.received.size();
                    cancel();
                }
            });
            QTRY_VERIFY_WITH_TIMEOUT(sent >= 0, 10000);
        }
        QVERIFY(!dialog.isVisible());
        QVERIFY(dialog.TransferCancelled);
        QVERIFY(!dialog.MSComm1.IsOpen());
        QTest::qWait(1500); // past the start delay: nothing more may come
        // A byte already handed to the driver may still arrive; no other.
        const qsizetype inFlight = after > 0 ? 1 : 0;
        QVERIFY2(line.terminal.received.size() <= sent + inFlight, qPrintable(QString::number(line.terminal.received.size())));
        QVERIFY(line.boxes.seen.isEmpty());
        QCOMPARE(dialog.Label2->text(), QString());
    }

    void cancelWhileAwaitingReply()
    {
        Line line;
        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(line.terminal.received.size(), 1290, 10000);
        QTRY_VERIFY(dialog.Timer1.isActive());
        dialog.Command1->click();
        QCOMPARE(line.boxes.seen.size(), 1);
        QCOMPARE(line.boxes.seen[0].text, dialog.MsgBoxText2);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Label2->text(), dialog.txtCommunicationError);
    }

    void unpluggedWhileSending()
    {
        Line line;
        connect(&line.terminal, &PseudoTerminal::bytesReceived, this, [&] {
            if (line.terminal.received.size() >= 300)
                line.terminal.vanish();
        });
        // Why the port failed goes to standard error.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^racepoints: COM 4 failed during the transfer: .+")));
        frmRacePointsSend dialog;
        QVERIFY(dialog.Form_Load());
        dialog.show();
        QTRY_COMPARE_WITH_TIMEOUT(line.boxes.seen.size(), 1, 10000);
        QCOMPARE(line.boxes.seen[0].title, dialog.MsgBoxName2);
        QCOMPARE(line.boxes.seen[0].text, dialog.MsgBoxText2);
        QTRY_VERIFY(!dialog.isVisible());
        QCOMPARE(dialog.Label2->text(), dialog.txtCommunicationError);
        QVERIFY(!dialog.MSComm1.IsOpen());
    }

    // A port whose open never returns (a Bluetooth link that does not
    // connect) holds up nothing: the settings dialog opens time after time
    // and takes keys at once, as does the main window, the threads stay few,
    // and the terminal's port takes a confirmed transfer.
    void blockingPortHoldsNothing()
    {
        BlockingDevice blocking;
        if (!blocking.isValid())
            QSKIP("no FUSE file system can be mounted here (it takes root)");
        Line line;
        line.table.set(7, blocking.path());
        line.folder.write(QStringLiteral("OPTIONS.PAR"), "4\r\n");
        // Saves asking the system about its adapters 20 times.
        COMPortsManage::SetAdapterSource([] { return QList<COMPortsManage::Adapter>(); });
        const auto restore = qScopeGuard([] { COMPortsManage::SetAdapterSource({}); });
        frmMain window;
        QVERIFY(StartMainWindow(window));
        window.show();
        QTRY_COMPARE(blocking.waiting(), 1);
        const int before = ThreadCount();
        int most = 0;
        qint64 slowest = 0;
        KeyClock mainKeys(*window.List1);
        for (int i = 0; i < 20; ++i) {
            QVERIFY(WhileOpen<frmSet>([&] { window.mnuProgramSet->trigger(); }, [&](frmSet &dialog) {
                const qint64 wait = KeyClock(*dialog.List1).press(Qt::Key_Down);
                QVERIFY(wait >= 0);
                slowest = std::max(slowest, wait);
                QTRY_VERIFY(dialog.Label7->text().contains(QStringLiteral("COM 7 (%1): still opening").arg(blocking.path())));
                QCOMPARE(dialog.List1->count(), 1);
                most = std::max(most, ThreadCount());
            }));
            const qint64 wait = mainKeys.press(Qt::Key_Down);
            QVERIFY(wait >= 0);
            slowest = std::max(slowest, wait);
        }
        qInfo("with a port whose open blocks: keys waited %lld ms at most; threads: %d, at most %d in 20 searches",
              slowest, before, most);
        QVERIFY(most <= before + COMPortsManage::PortSearch::Threads);
        QCOMPARE(blocking.waiting(), 1);

        line.answerAt(1290, ">");
        QVERIFY(WhileOpen<frmRacePointsSend>([&] { window.mnuRacePointsSend->trigger(); },
                                             [&](frmRacePointsSend &transfer) {
            QTRY_VERIFY_WITH_TIMEOUT(!transfer.isVisible(), 10000);
            QCOMPARE(transfer.Label2->text(), transfer.txtCommunicationOk);
        }));
        QCOMPARE(line.boxes.count<QMessageBox>(), 0);
    }

    void portHeldByAnotherProgram()
    {
        Line line;
        QSerialPort other(line.terminal.serialPath());
        QVERIFY(other.open(QIODevice::ReadWrite));
        frmRacePointsSend dialog;
        QVERIFY(!dialog.Form_Load());
        QCOMPARE(line.boxes.seen.size(), 1);
        QCOMPARE(line.boxes.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(line.boxes.seen[0].title, dialog.MsgBoxName1);
        QCOMPARE(line.boxes.seen[0].text, dialog.MsgBoxText1);
        QVERIFY(!dialog.Timer2.isActive());
    }

    void noUsablePort_data()
    {
        QTest::addColumn<QString>("selected");
        QTest::newRow("none chosen") << "";
        QTest::newRow("zero") << "0";
        QTest::newRow("not present") << "5";
        QTest::newRow("letters") << "COM4";
        QTest::newRow("negative") << "-4";
        QTest::newRow("too large") << "70000";
    }
    void noUsablePort()
    {
        QFETCH(QString, selected);
        Line line;
        Init::SelectedCOMPort = selected;
        frmRacePointsSend dialog;
        QVERIFY(!dialog.Form_Load());
        QCOMPARE(line.boxes.seen.size(), 1);
        QCOMPARE(line.boxes.seen[0].text, dialog.MsgBoxText1);
        QVERIFY(!dialog.MSComm1.IsOpen());
    }

    // A line that misbehaves ends the transfer with the right message, never
    // a hang, and leaves the port free for the next attempt.
    void misbehavingLine_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("opens");
        QTest::addColumn<bool>("confirmed");
        QTest::newRow("gone between probe and open") << "gone before open" << false << false;
        QTest::newRow("gone while awaiting the answer") << "gone after frame" << true << false;
        QTest::newRow("flood of noise") << "flood x" << true << false;
        QTest::newRow("flood after a confirmation") << "confirm, flood x" << true << true;
    }
    void misbehavingLine()
    {
        QFETCH(QString, fault);
        QFETCH(bool, opens);
        QFETCH(bool, confirmed);
        Line line;
        COMPortsManage::PortSearch search;
        search.SearchCOMPorts();
        QVERIFY(Answered(search));
        QCOMPARE(COMPortsManage::FindSelectedCOMPort(), qint16(0));
        if (fault == u"gone before open")
            line.terminal.vanish();
        if (fault == u"gone after frame") {
            connect(&line.terminal, &PseudoTerminal::bytesReceived, this, [&] {
                if (line.terminal.received.size() == 1290)
                    line.terminal.vanish();
            });
        }
        // Noise as fast as the line takes it: from before the start byte, or
        // right after a confirmation.
        QTimer flood;
        connect(&flood, &QTimer::timeout, this, [&] { line.terminal.write(QByteArray(4096, 'x')); });
        if (fault == u"flood x")
            flood.start(1);
        if (fault == u"confirm, flood x") {
            connect(&line.terminal, &PseudoTerminal::bytesReceived, this, [&] {
                if (line.terminal.received.size() == 1290 && !flood.isActive()) {
                    line.terminal.write(">");
                    flood.start(1);
                }
            });
        }

        frmRacePointsSend dialog;
        QCOMPARE(dialog.Form_Load(), opens);
        if (opens) {
            dialog.show();
            QTRY_VERIFY_WITH_TIMEOUT(!dialog.isVisible(), 15000);
        }
        flood.stop();
        QVERIFY(!dialog.MSComm1.IsOpen());
        QCOMPARE(line.boxes.seen.size(), confirmed ? 0 : 1);
        if (!confirmed) {
            QCOMPARE(line.boxes.seen[0].icon, QMessageBox::Critical);
            QCOMPARE(line.boxes.seen[0].text, opens ? dialog.MsgBoxText2 : dialog.MsgBoxText1);
        }
        if (opens)
            QCOMPARE(dialog.Label2->text(), confirmed ? dialog.txtCommunicationOk : dialog.txtCommunicationError);
        if (line.terminal.isOpen()) {
            QSerialPort next(line.terminal.serialPath());
            QVERIFY2(next.open(QIODevice::ReadWrite), qPrintable(next.errorString()));
        }
    }
};

QTEST_MAIN(tst_frmracepointssend)
#include "tst_frmracepointssend.moc"
