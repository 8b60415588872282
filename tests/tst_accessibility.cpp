// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader hears: every control and window is named after its
// caption in the catalogue's language.

#include "TestSupport.h"

#include "app/Accessibility.h"
#include "app/Init.h"
#include "app/Version.h"
#include "app/frmClubLocation.h"
#include "app/frmInfo.h"
#include "app/frmMain.h"
#include "editing/frmRacePointsAdd.h"
#include "editing/frmRacePointsAlter.h"
#include "editing/frmRacePointsDelete.h"
#include "terminal/frmRacePointsSend.h"
#include "terminal/frmSet.h"

#include <QAccessible>
#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

namespace {

QString SpokenName(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    return iface ? iface->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

// One of the program's windows, opened over the main window as the menu does.
std::unique_ptr<QWidget> Window(const QString &name, frmMain &main)
{
    if (name == QLatin1String("frmRacePointsAdd"))
        return std::make_unique<frmRacePointsAdd>(main);
    if (name == QLatin1String("frmRacePointsAlter"))
        return std::make_unique<frmRacePointsAlter>(main);
    if (name == QLatin1String("frmRacePointsDelete"))
        return std::make_unique<frmRacePointsDelete>(main);
    if (name == QLatin1String("frmSet"))
        return std::make_unique<frmSet>(&main);
    if (name == QLatin1String("frmClubLocation"))
        return std::make_unique<frmClubLocation>(&main);
    if (name == QLatin1String("frmInfo"))
        return std::make_unique<frmInfo>(&main);
    if (name == QLatin1String("frmRacePointsSend")) {
        // Without a port it applies its texts, says so and stays closed.
        auto send = std::make_unique<frmRacePointsSend>(&main);
        send->Form_Load();
        return send;
    }
    return nullptr;
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
        StartedProgram program({}, Catalogue(language));
        QCOMPARE(SpokenName(program.main->List1), listName);
        QCOMPARE(SpokenName(program.main.get()), ProgramCaption());
    }

    // Tabbing through any window, a screen reader names every control, and
    // no two alike.
    void everyControlNamed_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("language");
        for (const char *window : {"frmMain", "frmRacePointsAdd", "frmRacePointsAlter", "frmRacePointsDelete",
                                   "frmSet", "frmRacePointsSend", "frmInfo", "frmClubLocation"}) {
            for (const char *language : {"", "de"}) {
                QTest::addRow("%s %s", window, *language ? language : "en") << QString::fromLatin1(window)
                                                                              << QString::fromLatin1(language);
            }
        }
    }
    void everyControlNamed()
    {
        QFETCH(QString, window);
        QFETCH(QString, language);
        Modals boxes;
        StartedProgram program(DefaultDataFile(), Catalogue(language));
        program.select(6);
        std::unique_ptr<QWidget> dialog = Window(window, *program.main);
        QWidget *shown = dialog ? dialog.get() : program.main.get();
        QStringList names;
        for (QWidget *control : shown->findChildren<QWidget *>()) {
            if (control->focusPolicy() == Qt::NoFocus || !control->isVisibleTo(shown))
                continue;
            const QString name = SpokenName(control);
            QVERIFY2(!name.trimmed().isEmpty(), qPrintable(control->objectName()));
            QVERIFY2(!names.contains(name), qPrintable(name));
            names << name;
        }
        QVERIFY(!names.isEmpty());
    }

    // Each field of a race point names what it holds, in the catalogue's
    // language, or in English where a catalogue predates these names.
    void racePointFieldNames_data()
    {
        QTest::addColumn<QByteArray>("catalogue");
        QTest::addColumn<QStringList>("names"); // Text1, Text4, Text7, Text11, Frame1
        QTest::addColumn<QString>("numberDescription");
        QTest::newRow("German") << Catalogue("de")
            << QStringList{"Nummer", "Breite in Grad", "Breite in Hundertstelsekunden", "Länge in Hundertstelsekunden",
                           "Koordinaten"}
            << "Nummer des Auflassorts, 80 bis 98";
        QTest::newRow("older catalogue") << Catalogue("", "frmRacePointsAlter.Text")
            << QStringList{"Number", "Latitude degrees", "Latitude hundredths of a second", "Longitude hundredths of a second",
                           "Coordinates"}
            << "Race point number, 80 to 98";
    }
    void racePointFieldNames()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QStringList, names);
        QFETCH(QString, numberDescription);
        StartedProgram program(DefaultDataFile(), catalogue);
        program.select(1);
        frmRacePointsAlter dialog(*program.main);
        QCOMPARE(QStringList({SpokenName(dialog.Text1), SpokenName(dialog.Text4), SpokenName(dialog.Text7),
                              SpokenName(dialog.Text11), SpokenName(dialog.Frame1)}),
                 names);
        QCOMPARE(QAccessible::queryAccessibleInterface(dialog.Text1)->text(QAccessible::Description),
                 numberDescription);
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
