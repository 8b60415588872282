#include "SerialTestSupport.h"
#include "TestSupport.h"

#include "app/Init.h"
#include "app/frmMain.h"
#include "terminal/COMPortsManage.h"
#include "terminal/frmRacePointsSend.h"
#include "terminal/frmSet.h"

#include <QAction>
#include <QElapsedTimer>
#include <QtTest>

namespace {

// Notes when and how often a dialog of the given kind shows, and closes it
// right away as a user would with Cancel.
template <typename Dialog>
class Shown : public QObject {
public:
    int count = 0;
    qint64 at = -1;
    QElapsedTimer clock;

    Shown() { clock.start(); qApp->installEventFilter(this); }
    ~Shown() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = qobject_cast<Dialog *>(watched);
        if (dialog && event->type() == QEvent::Show) {
            ++count;
            at = clock.elapsed();
            QTimer::singleShot(0, dialog, &QDialog::reject);
        }
        return false;
    }
};

} // namespace

class tst_startupportcheck : public QObject {
    Q_OBJECT

private slots:
    // One second after start the settings dialog asks for a port, unless
    // the stored one is there.
    void portCheck_data()
    {
        QTest::addColumn<QByteArray>("options"); // "-": no OPTIONS.PAR
        QTest::addColumn<bool>("present");       // COM 3 present
        QTest::addColumn<bool>("asks");
        QTest::newRow("no options file") << QByteArray("-") << true << true;
        QTest::newRow("zero stored") << QByteArray("0\r\n") << true << true;
        QTest::newRow("empty line") << QByteArray("\r\n") << true << true;
        QTest::newRow("stored port present") << QByteArray("3\r\n") << true << false;
        QTest::newRow("leading zero, present") << QByteArray("03\r\n") << true << false;
        QTest::newRow("stored port absent") << QByteArray("3\r\n") << false << true;
        QTest::newRow("odd value") << QByteArray("3x\r\n") << true << true;
    }
    void portCheck()
    {
        QFETCH(QByteArray, options);
        QFETCH(bool, present);
        QFETCH(bool, asks);
        WorkFolder folder;
        folder.copyCatalogue();
        if (options != "-")
            folder.write(QStringLiteral("OPTIONS.PAR"), options);
        PseudoTerminal com3;
        PortTable table;
        if (present)
            table.set(3, com3);
        MessageBoxes boxes;
        Shown<frmSet> settings;

        frmMain window;
        QVERIFY(window.Form_Load());
        const qint64 loaded = settings.clock.elapsed();
        QCOMPARE(COMPortsManage::COMPortCount, present ? 1 : 0);
        QVERIFY(window.Timer1.isActive());
        QCOMPARE(window.Timer1.interval(), 1000);
        window.show();

        QTRY_COMPARE_WITH_TIMEOUT(window.Timer1.interval(), 0, 10000); // the check has run
        QVERIFY(!window.Timer1.isActive());
        QTRY_COMPARE(settings.count, asks ? 1 : 0);
        if (asks)
            QVERIFY2(settings.at - loaded >= 900, qPrintable(QString::number(settings.at - loaded)));
        QCoreApplication::processEvents();
        QCOMPARE(settings.count, asks ? 1 : 0);
    }

    void menuOpensDialogs()
    {
        PortTable table;
        MessageBoxes boxes;
        Shown<frmSet> settings;
        StartedProgram program;
        frmMain &window = *program.main;

        window.mnuProgramSet->trigger();
        QCOMPARE(settings.count, 1);

        // No port chosen: the transfer window says so and does not open.
        Shown<frmRacePointsSend> transfer;
        boxes.seen.clear();
        window.mnuRacePointsSend->trigger();
        QCOMPARE(boxes.seen.size(), 1);
        QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
        QCOMPARE(transfer.count, 0);
    }
};

QTEST_MAIN(tst_startupportcheck)
#include "tst_startupportcheck.moc"
