#include "TestSupport.h"

#include "app/frmInfo.h"
#include "app/Init.h"
#include "app/frmMain.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

class tst_frminfo : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        folder = std::make_unique<WorkFolder>();
        folder->copyCatalogue();
    }
    void cleanup()
    {
        ForgetPendingModals();
        window.reset();
        folder.reset();
    }

    void infoDialog()
    {
        start();
        // Wherever the main window stands, the dialog opens in the middle of the screen.
        window->show();
        window->move(0, 0);
        QString caption, button, name, code, date, empty;
        QPoint centre;
        OnNextModal([&](QWidget *modal) {
            auto *info = qobject_cast<frmInfo *>(modal);
            QVERIFY(info);
            centre = info->frameGeometry().center();
            caption = info->windowTitle();
            button = info->Command1->text();
            name = info->Label6->text();
            code = info->Label9->text();
            date = info->Label7->text();
            empty = info->Label8->text();
            info->Command1->setFocus();
            QTest::keyClick(info->Command1, Qt::Key_Escape);
        });
        window->mnuInfo->trigger();
        const QPoint screenCentre = window->screen()->availableGeometry().center();
        QVERIFY2(qAbs(centre.x() - screenCentre.x()) <= 2 && qAbs(centre.y() - screenCentre.y()) <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
        QCOMPARE(caption, QStringLiteral("Info"));
        QCOMPARE(button, QStringLiteral("&Exit"));
        QCOMPARE(name, QStringLiteral("Oribex Manage Racepoints  V1.00"));
        QCOMPARE(code, QStringLiteral("MR 1.00-DK"));
        QCOMPARE(date, QStringLiteral("03.11.2009"));
        QCOMPARE(empty, QString());
    }

    void infoDialogReadsTheCatalogueAtEachOpening()
    {
        start();
        folder->write(QStringLiteral("club.txt"), "frmInfo.Caption=\xdc" "ber\r\n");
        QString caption, button;
        OnNextModal([&](QWidget *modal) {
            caption = modal->windowTitle();
            button = static_cast<frmInfo *>(modal)->Command1->text();
            QTest::keyClick(static_cast<frmInfo *>(modal)->Command1, Qt::Key_Return);
        });
        window->mnuInfo->trigger();
        QCOMPARE(caption, QString::fromUtf8("\u00dcber"));
        QCOMPARE(button, QString());
        // The menu keeps the texts it got at start-up.
        QCOMPARE(window->mnuInfo->text(), QStringLiteral("&Info..."));
    }

    void withoutItsKeysCaptionAndButtonAreEmpty()
    {
        folder->write(QStringLiteral("club.txt"), "frmMain.mnuInfo.Caption=Info\r\n");
        Init::InitProgram();
        frmInfo info;
        QCOMPARE(info.windowTitle(), QString());
        QCOMPARE(info.Command1->text(), QString());
        QCOMPARE(info.Label6->text(), QStringLiteral("Oribex Manage Racepoints  V1.00"));
    }

    void escapeClosesWhateverHasTheFocus()
    {
        Init::InitProgram();
        frmInfo info;
        info.show();
        QVERIFY(QTest::qWaitForWindowExposed(&info));
        QTest::keyClick(&info, Qt::Key_Escape);
        QVERIFY(!info.isVisible());
        QCOMPARE(info.result(), int(QDialog::Rejected));
    }

private:
    void start()
    {
        window = std::make_unique<frmMain>();
        QVERIFY(window->Form_Load());
        window->Timer1.stop();
    }

    std::unique_ptr<WorkFolder> folder;
    std::unique_ptr<frmMain> window;
};

QTEST_MAIN(tst_frminfo)
#include "tst_frminfo.moc"
