// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "LinuxTestSupport.h"
#include "SerialTestSupport.h"
#include "TestSupport.h"

#include "app/Init.h"
#include "terminal/COMPortsManage.h"
#include "terminal/frmSet.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

#include <cerrno>

namespace {

// A working folder with the English catalogue; COM 1 and COM 3 present
// unless asked otherwise.
struct Ports {
    WorkFolder folder;
    PseudoTerminal com1, com3;
    PortTable table;
    COMPortsManage::PortSearch search;
    Modals boxes; // answers the dialog's messages and notes them

    explicit Ports(bool present = true)
    {
        folder.copyCatalogue();
        if (present) {
            table.set(1, com1);
            table.set(3, com3);
        }
        Init::InitProgram();
    }
};

QList<int> Ticked(const frmSet &dialog)
{
    QList<int> ticked;
    for (int i = 0; i < dialog.List1->count(); ++i) {
        if (dialog.List1->item(i)->checkState() == Qt::Checked)
            ticked << i;
    }
    return ticked;
}

void Tick(frmSet &dialog, int line, bool on = true)
{
    dialog.List1->item(line)->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

} // namespace

class tst_frmset : public QObject {
    Q_OBJECT

private slots:
    void listsPortsFound()
    {
        Ports ports;
        frmSet dialog(ports.search);
        QVERIFY(Answered(ports.search));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Set"));
        QCOMPARE(dialog.Frame3->title(), QStringLiteral("Serial port"));
        QCOMPARE(dialog.List1->count(), 2);
        QCOMPARE(dialog.List1->item(0)->text(), QStringLiteral("COM 1"));
        QCOMPARE(dialog.List1->item(1)->text(), QStringLiteral("COM 3"));
        QCOMPARE(dialog.List1->item(0)->toolTip(), ports.com1.serialPath());
        QCOMPARE(dialog.List1->item(1)->toolTip(), ports.com3.serialPath());
        QVERIFY(dialog.List1->item(0)->flags() & Qt::ItemIsUserCheckable);
        QVERIFY(Ticked(dialog).isEmpty());
    }

    // A line names the port's adapter; the tick still stores the number.
    void linesNameTheAdapter()
    {
        Ports ports;
        using COMPortsManage::Adapter;
        COMPortsManage::SetAdapterSource([&] {
            return QList<Adapter>{{QString(), ports.com3.serialPath(), QStringLiteral("USB-Serial Controller"),
                                   QStringLiteral("Prolific"), 0x067b, 0x2303}};
        });
        frmSet dialog(ports.search);
        QVERIFY(Answered(ports.search));
        COMPortsManage::SetAdapterSource({});
        QCOMPARE(dialog.List1->item(0)->text(), QStringLiteral("COM 1"));
        QCOMPARE(dialog.List1->item(1)->text(), QStringLiteral("COM 3  USB-Serial Controller (Prolific, USB 067B:2303)"));
        QVERIFY(dialog.Label7->isHidden());
        Tick(dialog, 1);
        dialog.Command1_Click();
        QCOMPARE(ports.folder.read(QStringLiteral("OPTIONS.PAR")), QByteArray("3\r\n"));
    }

    // Under the list, the note says why a port that is there is not listed,
    // in the catalogue's language; without one it takes no room.
    void noteNamesPortsThatDoNotOpen_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("note");
        QTest::newRow("English") << QString()
                                 << "Present, but cannot be used now:\nCOM 5 (%1): this user may not open it "
                                    "(add the user to the group dialout and log in again)";
        QTest::newRow("German") << "de"
                                << "Vorhanden, aber jetzt nicht nutzbar:\nCOM 5 (%1): dieser Benutzer darf sie nicht "
                                   "öffnen (den Benutzer in die Gruppe dialout aufnehmen und neu anmelden)";
    }
    void noteNamesPortsThatDoNotOpen()
    {
        QFETCH(QString, language);
        QFETCH(QString, note);
        Ports ports;
        ports.folder.copyCatalogue(language);
        const int plainHeight = frmSet(ports.search).height();
        PseudoTerminal denied;
        ports.table.set(5, denied);
        RespectPermissions asUser;
        if (!asUser.permissionsHold())
            QSKIP("file permissions cannot be made to hold here");
        TemporaryMode closed(denied.serialPath(), {});
        frmSet dialog(ports.search);
        QVERIFY(Answered(ports.search));
        QCOMPARE(dialog.List1->count(), 2);
        QVERIFY(!dialog.Label7->isHidden());
        QCOMPARE(dialog.Label7->text(), note.arg(denied.serialPath()));
        QVERIFY(dialog.height() > plainHeight);
        QVERIFY(dialog.Command1->geometry().top() > dialog.Label7->geometry().bottom());
        QVERIFY(dialog.rect().contains(dialog.Command1->geometry()));
    }

    // A screen reader hears the list by its frame's name, with the
    // instruction, and each line as a tick box, ticked or not.
    void portListForScreenReaders()
    {
        Ports ports;
        frmSet dialog(ports.search);
        QVERIFY(Answered(ports.search));
        Tick(dialog, 1);
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(dialog.List1);
        QCOMPARE(list->text(QAccessible::Name), QStringLiteral("Serial port"));
        QCOMPARE(list->text(QAccessible::Description), dialog.Label6->text());
        for (int row : {0, 1}) {
            QAccessibleInterface *line = list->tableInterface()->cellAt(row, 0);
            QCOMPARE(line->text(QAccessible::Name), dialog.List1->item(row)->text());
            QVERIFY(line->state().checkable);
            QCOMPARE(bool(line->state().checked), row == 1);
        }
    }

    // What the dialog ticks, or says, when it becomes active.
    void activation_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("message");
        QTest::addColumn<QList<int>>("ticked");
        QTest::newRow("stored port") << "3" << true << 0 << QList<int>{1};
        QTest::newRow("leading zero") << "03" << true << 0 << QList<int>{1};
        QTest::newRow("first port") << "1" << true << 0 << QList<int>{0};
        QTest::newRow("absent port: highest proposed") << "5" << true << 4 << QList<int>{1};
        QTest::newRow("absent port, none found") << "5" << false << 4 << QList<int>{};
        QTest::newRow("not a number") << "COM3" << true << 4 << QList<int>{1};
        QTest::newRow("nothing stored") << "" << true << 5 << QList<int>{};
        QTest::newRow("zero stored") << "0" << true << 5 << QList<int>{};
        QTest::newRow("nothing stored, none found") << "" << false << 5 << QList<int>{};
    }
    void activation()
    {
        QFETCH(QString, stored);
        QFETCH(bool, present);
        QFETCH(int, message);
        QFETCH(QList<int>, ticked);
        Ports ports(present);
        Init::SelectedCOMPort = stored;
        frmSet dialog(ports.search);
        dialog.show();
        if (message) {
            QTRY_COMPARE(ports.boxes.seen.size(), 1);
            QCOMPARE(ports.boxes.seen[0].icon, QMessageBox::Warning);
            QCOMPARE(ports.boxes.seen[0].title, message == 4 ? dialog.MsgBoxName4 : dialog.MsgBoxName5);
            QCOMPARE(ports.boxes.seen[0].text, message == 4 ? dialog.MsgBoxText4 : dialog.MsgBoxText5);
            QVERIFY(!ports.boxes.seen[0].text.isEmpty());
        }
        QTRY_COMPARE(Ticked(dialog), ticked);
        QCoreApplication::processEvents();
        QCOMPARE(ports.boxes.seen.size(), message ? 1 : 0);
    }

    // Closing the dialog's own message box makes it active again, which is
    // no new activation; another window of the program in between is.
    void ownMessageBoxIsNoActivation()
    {
        Ports ports;
        Init::SelectedCOMPort = QStringLiteral("5");
        frmSet dialog(ports.search);
        dialog.show();
        QTRY_COMPARE(ports.boxes.seen.size(), 1); // message 4
        QTRY_COMPARE(Ticked(dialog), QList<int>{1});
        Tick(dialog, 1, false);
        dialog.Command1->click();
        QCOMPARE(ports.boxes.seen.size(), 2); // message 3
        QCOMPARE(ports.boxes.seen[1].text, dialog.MsgBoxText3);
        // What the window system does when a message box closes.
        dialog.activateWindow();
        QTRY_VERIFY(dialog.isActiveWindow());
        QCoreApplication::processEvents();
        QCOMPARE(ports.boxes.seen.size(), 2);
        QVERIFY(Ticked(dialog).isEmpty());

        QWidget other;
        other.show();
        other.activateWindow();
        QTRY_VERIFY(other.isActiveWindow());
        dialog.activateWindow();
        QTRY_COMPARE(ports.boxes.seen.size(), 3); // message 4 again
        QTRY_COMPARE(Ticked(dialog), QList<int>{1});
    }

    void oneTickAtMost()
    {
        Ports ports;
        Init::SelectedCOMPort = QStringLiteral("3");
        frmSet dialog(ports.search);
        dialog.show();
        QTRY_COMPARE(Ticked(dialog), QList<int>{1});
        Tick(dialog, 0);
        QCOMPARE(Ticked(dialog), QList<int>{0});
        Tick(dialog, 0, false);
        QVERIFY(Ticked(dialog).isEmpty());
        dialog.Command1->click();
        QCOMPARE(ports.boxes.seen.size(), 1);
        QCOMPARE(ports.boxes.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(ports.boxes.seen[0].title, dialog.MsgBoxName3);
        QCOMPARE(ports.boxes.seen[0].text, dialog.MsgBoxText3);
        QVERIFY(dialog.isVisible());
        QVERIFY(!QFile::exists(ports.folder.path(QStringLiteral("OPTIONS.PAR"))));
        QCOMPARE(Init::SelectedCOMPort, QStringLiteral("3"));
    }

    void nothingFoundNothingToSave()
    {
        Ports ports(false);
        Init::SelectedCOMPort = QStringLiteral("3");
        frmSet dialog(ports.search);
        QVERIFY(Answered(ports.search));
        QCOMPARE(dialog.List1->count(), 0);
        dialog.Command1->click();
        QCOMPARE(ports.boxes.seen.size(), 1);
        QCOMPARE(ports.boxes.seen[0].text, dialog.MsgBoxText3);
    }

    // Save stores the ticked port, not the highlighted line.
    void saveStoresTickedPort()
    {
        Ports ports;
        frmSet dialog(ports.search);
        dialog.show();
        QTRY_COMPARE(ports.boxes.seen.size(), 1); // message 5: nothing stored yet
        Tick(dialog, 1);
        dialog.List1->setFocus();
        dialog.List1->setCurrentRow(1);
        QTest::keyClick(dialog.List1, Qt::Key_Up);
        QCOMPARE(dialog.List1->currentRow(), 0);
        dialog.Command1->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.ChosenCOMPort, QStringLiteral("3"));
        QCOMPARE(Init::SelectedCOMPort, QStringLiteral("3"));
        QCOMPARE(ports.folder.read(QStringLiteral("OPTIONS.PAR")), QByteArray("3\r\n"));
        Init::ReadOptions();
        QCOMPARE(Init::SelectedCOMPort, QStringLiteral("3"));
    }

    void saveReplacesStoredPort()
    {
        Ports ports;
        ports.folder.write(QStringLiteral("OPTIONS.PAR"), "3\r\n7\r\n");
        Init::ReadOptions();
        frmSet dialog(ports.search);
        dialog.show();
        QTRY_COMPARE(Ticked(dialog), QList<int>{1});
        Tick(dialog, 0);
        dialog.Command1->click();
        QCOMPARE(ports.folder.read(QStringLiteral("OPTIONS.PAR")), QByteArray("1\r\n"));
        QVERIFY(ports.boxes.seen.isEmpty());
    }

    void saveFailureKeepsDialogOpen()
    {
        Ports ports;
        QVERIFY(QDir(ports.folder.path()).mkdir(QStringLiteral("OPTIONS.PAR"))); // cannot be written as a file
        Init::SelectedCOMPort = QStringLiteral("1");
        frmSet dialog(ports.search);
        dialog.show();
        QTRY_COMPARE(Ticked(dialog), QList<int>{0});
        Tick(dialog, 1);
        dialog.Command2->setFocus();
        dialog.Command1->click();
        QCOMPARE(ports.boxes.seen.size(), 1);
        QCOMPARE(ports.boxes.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(ports.boxes.seen[0].title, dialog.MsgBoxName1);
        QVERIFY(ports.boxes.seen[0].text.startsWith(dialog.MsgBoxText1 + u'\n')); // and the reason
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.focusWidget(), dialog.List1);
        QCOMPARE(Init::SelectedCOMPort, QStringLiteral("1")); // what the next start reads
    }

    // A working folder that takes no new file: an OPTIONS.PAR that may be
    // written is rewritten in place; without one, Save says why it fails.
    void saveInReadOnlyFolder_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("reason"); // "": the save succeeds
        QTest::newRow("writable OPTIONS.PAR") << QByteArray("1\r\n") << QString();
        QTest::newRow("no OPTIONS.PAR") << QByteArray() << qt_error_string(EACCES);
    }
    void saveInReadOnlyFolder()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, reason);
        Ports ports;
        if (!stored.isEmpty())
            ports.folder.write(QStringLiteral("OPTIONS.PAR"), stored);
        Init::ReadOptions();
        const QString before = Init::SelectedCOMPort;
        RespectPermissions asUser;
        if (!asUser.permissionsHold())
            QSKIP("file permissions cannot be made to hold here");
        TemporaryMode readOnly(ports.folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        frmSet dialog(ports.search);
        QVERIFY(Answered(ports.search));
        Tick(dialog, 1);
        dialog.Command1_Click();
        if (reason.isEmpty()) {
            QVERIFY(ports.boxes.seen.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(ports.folder.read(QStringLiteral("OPTIONS.PAR")), QByteArray("3\r\n"));
            QCOMPARE(Init::SelectedCOMPort, QStringLiteral("3"));
        } else {
            QCOMPARE(ports.boxes.seen.size(), 1);
            QCOMPARE(ports.boxes.seen[0].text, dialog.MsgBoxText1 + u'\n' + reason);
            QCOMPARE(Init::SelectedCOMPort, before);
        }
        QCOMPARE(QDir(ports.folder.path()).entryList(QDir::Files).size(), stored.isEmpty() ? 1 : 2); // club.txt
    }

    void cancelChangesNothing_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelChangesNothing()
    {
        QFETCH(bool, escape);
        Ports ports;
        Init::SelectedCOMPort = QStringLiteral("1");
        frmSet dialog(ports.search);
        dialog.show();
        QTRY_COMPARE(Ticked(dialog), QList<int>{0});
        Tick(dialog, 1);
        if (escape)
            QTest::keyClick(dialog.List1, Qt::Key_Escape);
        else
            dialog.Command2->click();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QCOMPARE(Init::SelectedCOMPort, QStringLiteral("1"));
        QVERIFY(!QFile::exists(ports.folder.path(QStringLiteral("OPTIONS.PAR"))));
    }
};

QTEST_MAIN(tst_frmset)
#include "tst_frmset.moc"
