// What a screen reader hears: every control and window is named after its
// caption in the catalogue's language.

#include "TestSupport.h"
#include "app/Accessibility.h"
#include "app/Init.h"
#include "app/Version.h"
#include "app/frmInfo.h"
#include "app/frmMain.h"

#include <QAccessible>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QString SpokenName(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

} // namespace

class tst_accessibility : public QObject {
    Q_OBJECT

private slots:
    void spokenCaption_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("field label") << "&Number :" << "Number";
        QTest::newRow("mnemonic inside") << "Län&ge :" << QString::fromUtf8("Länge");
        QTest::newRow("colon without blank") << "Latitude:" << "Latitude";
        QTest::newRow("menu entry") << "&Add..." << "Add...";
        QTest::newRow("plain ampersand") << "Rock && Roll" << "Rock & Roll";
        QTest::newRow("trailing blank") << "Add race points " << "Add race points";
        QTest::newRow("ampersand last") << "Save &" << "Save &";
        QTest::newRow("empty") << "" << "";
    }
    void spokenCaption()
    {
        QFETCH(QString, caption);
        QFETCH(QString, spoken);
        QCOMPARE(SpokenCaption(caption), spoken);
    }

    void mainWindow_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("listName");
        QTest::newRow("English") << "" << "Race points";
        QTest::newRow("German") << "de" << "Auflassorte";
        QTest::newRow("French") << "fr" << QString::fromUtf8("Lieux de lâcher");
    }
    void mainWindow()
    {
        QFETCH(QString, language);
        QFETCH(QString, listName);
        WorkFolder folder;
        folder.copyCatalogue(language);
        frmMain window;
        QVERIFY(window.Form_Load());
        QCOMPARE(SpokenName(window.List1), listName);
        QCOMPARE(SpokenName(&window), ProgramCaption());
    }

    void infoDialog()
    {
        WorkFolder folder;
        folder.copyCatalogue(QStringLiteral("nl"));
        Init::InitProgram();
        frmInfo dialog;
        QCOMPARE(SpokenName(&dialog), QStringLiteral("Info"));
        QCOMPARE(SpokenName(dialog.Command1), QStringLiteral("Sluiten"));
    }

    void buddiesNamedFromLabels()
    {
        // A label and its field need not share a parent: the latitude row
        // sits in a frame while other labels stand on the dialog.
        QDialog dialog;
        auto *frame = new QFrame(&dialog);
        auto *number = new QLineEdit(&dialog);
        auto *latitude = new QLineEdit(frame);
        auto *minutes = new QLineEdit(frame);
        auto *numberLabel = new QLabel(QStringLiteral("&Number :"), &dialog);
        numberLabel->setBuddy(number);
        auto *latitudeLabel = new QLabel(QStringLiteral("La&titude :"), &dialog);
        latitudeLabel->setBuddy(latitude);
        new QLabel(QStringLiteral("'"), frame); // a separator, nobody's label

        NameBuddiesFromLabels(dialog);
        QCOMPARE(SpokenName(number), QStringLiteral("Number"));
        QCOMPARE(SpokenName(latitude), QStringLiteral("Latitude"));
        QCOMPARE(minutes->accessibleName(), QString());
    }
};

QTEST_MAIN(tst_accessibility)
#include "tst_accessibility.moc"
