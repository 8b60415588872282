// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "EditingSupport.h"

#include "app/ClubLocation.h"
#include "editing/frmRacePointsAdd.h"
#include "racepoints/RacePointsManage.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMimeData>

namespace {

const QByteArray Namur = Record(90, "Namur", "Namur, Belgique", "5027451203049145");

QString Filled(const char *text, int width)
{
    return QString::fromLatin1(text).leftJustified(width);
}

// Fills the add dialog as a user does: number, name and place typed and left.
void TypeRacePoint(frmRacePointsAdd &dialog, const QString &number, const QString &name, const QString &place)
{
    Type(dialog.Text1, number);
    Type(dialog.Text2, name);
    Type(dialog.Text3, place);
}

} // namespace

class tst_frmracepointsadd : public QObject {
    Q_OBJECT

private slots:
    void opensWithTextsAndFocusOrder()
    {
        StartedProgram program;
        QVERIFY(program.main->mnuRacePointsAdd->isEnabled());
        QVERIFY(WhileOpen<frmRacePointsAdd>([&] { program.main->mnuRacePointsAdd->trigger(); },
                                            [](frmRacePointsAdd &dialog) {
            QCOMPARE(dialog.windowTitle(), "Add race points ");
            QCOMPARE(dialog.Command1->text(), "&Add");
            QCOMPARE(dialog.Command2->text(), "&Cancel"); // the key with a blank before ".Caption"
            QCOMPARE(dialog.Label5->text(), "L&ongitude :");
            // The label's access key reaches its row.
            QCOMPARE(dialog.Label5->buddy(), dialog.Text8);
            QCOMPARE(dialog.MsgBoxText1, "Please enter a number from 80 to 98, a name and a place.");
            QStringList signs;
            for (QLabel *sign : dialog.UnitSigns) {
                QCOMPARE(sign->parentWidget(), dialog.Frame1);
                signs.append(sign->text());
            }
            QCOMPARE(signs, QStringList({"°", "'", ",", "\"", "°", "'", ",", "''"}));
            QVERIFY(dialog.Frame1->title().isEmpty());
            for (RacePointField *field : dialog.Fields())
                QVERIFY(field->text().isEmpty());
            // Tab walks the eleven fields and then the two buttons.
            QList<QWidget *> order;
            for (int i = 0; i < 14; ++i) {
                order.append(QApplication::focusWidget());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
            const auto fields = dialog.Fields();
            QList<QWidget *> expected(fields.begin(), fields.end());
            expected << dialog.Command1 << dialog.Command2 << dialog.Text1;
            QCOMPARE(order, expected);
        }));
    }

    void typedCharacters_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<Qt::KeyboardModifiers>("held");
        QTest::newRow("number digits only") << 1 << "8a 5" << "85" << Qt::KeyboardModifiers();
        QTest::newRow("number max length") << 1 << "851" << "85" << Qt::KeyboardModifiers();
        QTest::newRow("coordinate letters") << 4 << "x7-" << "7" << Qt::KeyboardModifiers();
        QTest::newRow("name letters digits signs") << 2 << "Ab 1+,-." << "Ab 1+,-." << Qt::KeyboardModifiers();
        QTest::newRow("name discards") << 2 << QString::fromUtf8("Mé'o/n(s)") << "Mons" << Qt::KeyboardModifiers();
        QTest::newRow("super slash in a name") << 2 << "a/b" << "ab" << Qt::KeyboardModifiers(Qt::MetaModifier);
        QTest::newRow("super letter in a coordinate") << 8 << "1a2" << "12" << Qt::KeyboardModifiers(Qt::MetaModifier);
    }
    void typedCharacters()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(Qt::KeyboardModifiers, held);
        StartedProgram program;
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        RacePointField *text = dialog.Fields()[field - 1];
        Enter(text);
        if (held == Qt::NoModifier) {
            Keys(text, typed);
        } else {
            for (const QChar c : typed)
                QTest::keyClick(text, char(c.unicode()), held);
        }
        QCOMPARE(text->text(), shown);
    }

    void editingKeysKeepWorking()
    {
        StartedProgram program;
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Enter(dialog.Text2);
        QTest::keyClicks(dialog.Text2, "Mosn");
        QTest::keyClick(dialog.Text2, Qt::Key_Backspace);
        QTest::keyClick(dialog.Text2, Qt::Key_Left);
        QTest::keyClick(dialog.Text2, Qt::Key_Backspace);
        QTest::keyClicks(dialog.Text2, "on");
        QTest::keyClick(dialog.Text2, Qt::Key_Home);
        QTest::keyClick(dialog.Text2, Qt::Key_Delete);
        QTest::keyClicks(dialog.Text2, "M");
        QTest::keyClick(dialog.Text2, Qt::Key_End);
        QTest::keyClicks(dialog.Text2, "x");
        QCOMPARE(dialog.Text2->text(), "Monsx");
        // Shortcuts are no typed characters; pasted text is not filtered.
        QTest::keyClick(dialog.Text2, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(dialog.Text2, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text(), "Monsx");
        QApplication::clipboard()->setText(QString::fromUtf8(" Liège "));
        QTest::keyClick(dialog.Text2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialog.Text2->text(), QString::fromUtf8(" Liège "));
        QApplication::clipboard()->setText(" 8");
        Enter(dialog.Text1);
        QCOMPARE(dialog.Text2->text(), QString::fromUtf8("Liège        "));
        QTest::keyClick(dialog.Text1, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(dialog.Text1->text(), " 8");
        QTest::keyClick(dialog.Text1, Qt::Key_Tab);
        QCOMPARE(dialog.Text1->text(), "08");
    }

    void fillsOnLeaving_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("left");
        QTest::newRow("number digit") << 1 << "5" << "05";
        QTest::newRow("name") << 2 << "Mons" << Filled("Mons", 13);
        QTest::newRow("name of spaces") << 2 << "   " << "";
        QTest::newRow("latitude degrees empty") << 4 << "" << "00";
        QTest::newRow("latitude hundredths digit") << 7 << "9" << "09";
    }
    void fillsOnLeaving()
    {
        QFETCH(int, field);
        QFETCH(QString, typed);
        QFETCH(QString, left);
        StartedProgram program;
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Type(dialog.Fields()[field - 1], typed);
        QCOMPARE(dialog.Fields()[field - 1]->text(), left);
    }

    void enteringTrimsAndSelects()
    {
        StartedProgram program(DefaultDataFile({{11, Namur}}));
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Enter(dialog.Text1);
        QTest::keyClicks(dialog.Text1, "90");
        QCOMPARE(dialog.Text2->text(), Filled("Namur", 13));
        Enter(dialog.Text2);
        QCOMPARE(dialog.Text2->text(), "Namur");
        QCOMPARE(dialog.Text2->selectedText(), "Namur");
        QTest::keyClick(dialog.Text2, Qt::Key_Tab);
        QCOMPARE(dialog.Text2->text(), Filled("Namur", 13));
        Enter(dialog.Text2);
        QTest::keyClicks(dialog.Text2, "Dinant");
        QCOMPARE(dialog.Text2->text(), "Dinant");
    }

    void numberLookup_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("found");
        QTest::newRow("90") << "90" << true;
        QTest::newRow("99: no record") << "99" << false;
        QTest::newRow("79: no slot") << "79" << false;
    }
    void numberLookup()
    {
        QFETCH(QString, number);
        QFETCH(bool, found);
        StartedProgram program(DefaultDataFile({{11, Namur}}));
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Type(dialog.Text2, "Kept");
        Enter(dialog.Text1);
        QTest::keyClicks(dialog.Text1, number.left(1));
        QCOMPARE(dialog.Text2->text(), Filled("Kept", 13));
        QTest::keyClicks(dialog.Text1, number.mid(1));
        if (!found) {
            QCOMPARE(dialog.Text2->text(), Filled("Kept", 13));
            QVERIFY(dialog.Text4->text().isEmpty());
            return;
        }
        QCOMPARE(dialog.Text2->text(), Filled("Namur", 13));
        QCOMPARE(dialog.Text3->text(), Filled("Namur, Belgique", 30));
        QCOMPARE(dialog.Text4->text(), "50");
        QCOMPARE(dialog.Text11->text(), "45");
        // Entering and leaving the number again changes nothing in it, so
        // the edits in the other fields stay.
        Type(dialog.Text2, "Dinant");
        Enter(dialog.Text1);
        Enter(dialog.Text3);
        QCOMPARE(dialog.Text1->text(), "90");
        QCOMPARE(dialog.Text2->text(), Filled("Dinant", 13));
    }

    void addChecks_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("place");
        QTest::addColumn<int>("line"); // of the file; 0: refused
        QTest::newRow("80") << "80" << "Mons" << "Mons, B" << 2;
        QTest::newRow("98") << "98" << "Ypres" << "Ieper, B" << 20;
        QTest::newRow("79") << "79" << "Mons" << "Mons, B" << 0;
        QTest::newRow("99") << "99" << "Mons" << "Mons, B" << 0;
        QTest::newRow("no number") << "" << "Mons" << "Mons, B" << 0;
        QTest::newRow("name left empty") << "85" << "" << "Mons, B" << 0;
        QTest::newRow("name of spaces") << "85" << "   " << "Mons, B" << 0;
        QTest::newRow("place left empty") << "85" << "Mons" << "" << 0;
    }
    void addChecks()
    {
        QFETCH(QString, number);
        QFETCH(QString, name);
        QFETCH(QString, place);
        QFETCH(int, line);
        StartedProgram program;
        const QByteArray before = program.file();
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        TypeRacePoint(dialog, number, name, place);
        Type(dialog.Text4, "5");
        dialog.Command1->setFocus();
        const auto texts = [&dialog] {
            QStringList texts;
            for (RacePointField *field : dialog.Fields())
                texts.append(field->text());
            return texts;
        };
        const QStringList typed = texts();
        Modals boxes;
        dialog.Command1->click();
        QVERIFY(dialog.isVisible());
        QCOMPARE(boxes.seen.size(), line ? 0 : 1);
        if (!line) {
            QCOMPARE(boxes.seen[0].icon, QMessageBox::Critical);
            QCOMPARE(boxes.seen[0].title, dialog.MsgBoxName1);
            QCOMPARE(boxes.seen[0].text, dialog.MsgBoxText1);
            QCOMPARE(program.file(), before);
            QCOMPARE(texts(), typed);
            return;
        }
        const QByteArray record = (number + Filled(qPrintable(name), 13) + Filled(qPrintable(place), 30)).toLatin1()
            + "0500" + QByteArray(12, ' '); // the blank record's coordinates stay
        QByteArrayList expected = FileLines(before);
        expected[line - 1] = record;
        QCOMPARE(FileLines(program.file()), expected);
        QCOMPARE(program.lines().at(line - 2), number + ":  " + Filled(qPrintable(name), 13));
    }

    void blankRecordAddedAsItIs()
    {
        StartedProgram program;
        QCOMPARE(program.file(), DefaultDataFile());
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Enter(dialog.Text1);
        QTest::keyClicks(dialog.Text1, "85");
        QCOMPARE(dialog.Text2->text(), QString(13, ' '));
        QCOMPARE(dialog.Text7->text(), "  ");
        QTest::mouseClick(dialog.Command1, Qt::LeftButton);
        QCOMPARE(program.file(), DefaultDataFile());
        QVERIFY(dialog.isVisible());
    }

    void addsAgainWithoutReopening()
    {
        StartedProgram program;
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        // A short list, so that the added race point must be scrolled to.
        program.main->List1->setFixedHeight(3 * program.main->List1->sizeHintForRow(0));
        TypeRacePoint(dialog, "85", "Mons", "Mons, B");
        dialog.Command1->click();
        TypeRacePoint(dialog, "85", "Dinant", "Dinant, B");
        dialog.Command1->click();
        TypeRacePoint(dialog, "98", "Ypres", "Ieper, B");
        dialog.Command1->click();
        QCOMPARE(program.lines().at(5), "85:  " + Filled("Dinant", 13));
        QCOMPARE(program.lines().at(18), "98:  " + Filled("Ypres", 13));
        QListWidget *list = program.main->List1;
        QVERIFY(list->viewport()->rect().contains(list->visualItemRect(list->item(18))));
        QVERIFY(list->selectedItems().isEmpty());
    }

    // A line break pasted into a field would split the record's line in the
    // file and make the next load throw every race point away; it is stored
    // as a blank, as the field shows it.
    void pastedLineBreakBecomesABlank()
    {
        StartedProgram program;
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Type(dialog.Text1, "85");
        Enter(dialog.Text2);
        QApplication::clipboard()->setText("Mons\r\nCentre");
        QTest::keyClick(dialog.Text2, Qt::Key_V, Qt::ControlModifier);
        Type(dialog.Text3, "Mons, B");
        dialog.Command1->click();
        QCOMPARE(program.lines().at(5), "85:  " + Filled("Mons  Centre", 13));
        // Nothing was found damaged and kept aside.
        QCOMPARE(QDir(program.folder.path("racepo")).entryList(QDir::Files), QStringList{"racepo.dat"});
    }

    // Pasted or dropped on a coordinate field, text is read as a coordinate:
    // one value fills its row, a pair both rows; anything else changes
    // nothing and says which forms are understood.
    void pastedCoordinates_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QString>("note"); // how the note under the fields starts
        const QStringList blank(8, "  ");
        const QString forms = "Not a coordinate. Paste, for example";
        QTest::newRow("map pair") << "Ctrl+V" << 4 << "51.123456, 4.567890"
                                  << QStringList{"51", "07", "24", "44", "04", "34", "04", "40"} << "";
        QTest::newRow("federation line") << "Shift+Insert" << 8 << "510724.4 / 0043404.4"
                                         << QStringList{"51", "07", "24", "40", "04", "34", "04", "40"} << "";
        QTest::newRow("one value, its row") << "context menu" << 9 << "4°34'04.4\""
                                            << blank.mid(4) + QStringList{"04", "34", "04", "40"} << "";
        QTest::newRow("dropped") << "drop" << 5 << "N 42:11.3860"
                                 << QStringList{"42", "11", "23", "16"} + blank.mid(4) << "";
        QTest::newRow("another hemisphere") << "Ctrl+V" << 6 << "-33.856"
                                            << QStringList{"33", "51", "21", "60"} + blank.mid(4)
                                            << "The pasted coordinates lie in another hemisphere";
        QTest::newRow("no coordinate") << "Ctrl+V" << 4 << "not a coordinate" << blank << forms;
        QTest::newRow("a megabyte") << "context menu" << 6 << QString(1 << 20, u'7') << blank << forms;
        QTest::newRow("control characters") << "drop" << 10 << QString::fromLatin1("5\x01\x1b[2J") << blank << forms;
    }
    void pastedCoordinates()
    {
        QFETCH(QString, way);
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QStringList, shown);
        QFETCH(QString, note);
        StartedProgram program;
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Type(dialog.Text1, "85");
        RacePointField *target = dialog.Fields()[field - 1];
        Enter(target);
        QApplication::clipboard()->setText(text);
        if (way == "Ctrl+V") {
            QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
        } else if (way == "Shift+Insert") {
            QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
        } else if (way == "context menu") {
            QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(2, 2), target->mapToGlobal(QPoint(2, 2)));
            QApplication::sendEvent(target, &click);
            QMenu *menu = nullptr;
            QTRY_VERIFY((menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())));
            const QString pasteText = QCoreApplication::translate("QLineEdit", "&Paste");
            const QList<QAction *> actions = menu->actions();
            const auto paste = std::find_if(actions.begin(), actions.end(),
                                            [&](QAction *action) { return action->text().startsWith(pasteText); });
            QVERIFY(paste != actions.end() && (*paste)->isEnabled());
            (*paste)->trigger();
            menu->close();
        } else {
            QMimeData dropped;
            dropped.setText(text);
            QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            // A drop goes where the drag entered.
            QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &enter);
            QApplication::sendEvent(target, &drop);
        }
        QStringList coordinates;
        for (RacePointField *coordinate : dialog.CoordinateFields())
            coordinates.append(coordinate->text());
        const bool refused = shown == QStringList(8, "  ");
        if (refused)
            shown[field - 4] = ""; // entering the field trimmed it
        QCOMPARE(coordinates, shown);
        QVERIFY2(note.isEmpty() ? dialog.LabelNotes->text().isEmpty() : dialog.LabelNotes->text().startsWith(note),
                 qPrintable(dialog.LabelNotes->text()));

        // What the fields show is what is stored.
        Type(dialog.Text2, "Namur");
        Type(dialog.Text3, "Namur, B");
        dialog.Command1->click();
        coordinates.clear();
        for (RacePointField *coordinate : dialog.CoordinateFields())
            coordinates.append(coordinate->text());
        QCOMPARE(RacePointsManage::RacePoints[6].mid(RacePointsManage::CoordinatesOffset),
                 coordinates.join(QString()).toLatin1());
    }

    // Composed input and anything else that goes past the key filter leaves
    // no character but digits in a coordinate field.
    void coordinateFieldsTakeDigitsOnly()
    {
        StartedProgram program;
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Enter(dialog.Text4);
        QInputMethodEvent composed;
        composed.setCommitString("5a");
        QApplication::sendEvent(dialog.Text4, &composed);
        QCOMPARE(dialog.Text4->text(), "");
        dialog.Text4->insert("x7");
        QCOMPARE(dialog.Text4->text(), "");
        dialog.Text4->insert("7");
        QCOMPARE(dialog.Text4->text(), "7");
    }

    // With the club's location set, the distance shows while the coordinates
    // change, and a swapped pair gets its note, which never stops the add.
    void distanceAndNotes()
    {
        StartedProgram program;
        QVERIFY(ClubLocation::Save(ClubLocation::Parse("50 50 00 N, 04 21 00 E")));
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        QVERIFY(dialog.LabelDistance->text().isEmpty());
        TypeRacePoint(dialog, "85", "Lommel", "Lommel, B");
        Enter(dialog.Text4);
        QApplication::clipboard()->setText("4.567890, 51.123456");
        QTest::keyClick(dialog.Text4, Qt::Key_V, Qt::ControlModifier);
        QVERIFY2(QRegularExpression("^Distance from the club location: [0-9,]+\\.[0-9]{3} km$")
                     .match(dialog.LabelDistance->text())
                     .hasMatch(),
                 qPrintable(dialog.LabelDistance->text()));
        QVERIFY2(dialog.LabelNotes->text().startsWith("Latitude and longitude look swapped"),
                 qPrintable(dialog.LabelNotes->text()));
        dialog.Command1->click();
        QVERIFY(RacePointsManage::RacePoints[6].endsWith("0434044051072444"));

        QApplication::clipboard()->setText("51.123456, 4.567890");
        QTest::keyClick(dialog.Text4, Qt::Key_V, Qt::ControlModifier);
        const QStringList fields{"51", "07", "24", "44", "04", "34", "04", "40"};
        QCOMPARE(dialog.LabelDistance->text(), "Distance from the club location: "
                                                   + ClubLocation::KilometresText(*ClubLocation::DistanceMetres(fields))
                                                   + " km");
        QCOMPARE(dialog.LabelNotes->text(), "");
    }

    void coordinatesNeverEnteredBecomeZeros()
    {
        // Slot 11 lies above this file's count: the add changes memory only,
        // and the list keeps its five lines.
        StartedProgram program(DataFile(BlankRecords(80, 84)));
        const QByteArray before = program.file();
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        TypeRacePoint(dialog, "90", "Namur", "Namur, B");
        QVERIFY(dialog.Text4->text().isEmpty());
        dialog.Command1->click();
        for (RacePointField *field : dialog.Fields())
            if (field->kind() == FieldRules::Kind::Coordinate)
                QCOMPARE(field->text(), "00");
        QCOMPARE(program.file(), before);
        QCOMPARE(program.main->List1->count(), 5);
    }

    void escapeAndEnter()
    {
        StartedProgram program;
        const QByteArray before = program.file();
        QVERIFY(WhileOpen<frmRacePointsAdd>([&] { program.main->mnuRacePointsAdd->trigger(); },
                                            [](frmRacePointsAdd &dialog) {
            QVERIFY(dialog.Text1->hasFocus());
            QTest::keyClicks(dialog.Text1, "85");
            TypeRacePoint(dialog, "85", "Mons", "Mons, B");
            Enter(dialog.Text3);
            QTest::keyClick(dialog.Text3, Qt::Key_Return);
            QTest::keyClick(dialog.Text3, Qt::Key_Enter);
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.Text3->text(), "Mons, B");
            QTest::keyClick(dialog.Text3, Qt::Key_Escape);
            QVERIFY(!dialog.isVisible());
        }));
        QCOMPARE(program.file(), before);
        // Enter on the focused button presses it.
        QVERIFY(WhileOpen<frmRacePointsAdd>([&] { program.main->mnuRacePointsAdd->trigger(); },
                                            [](frmRacePointsAdd &dialog) {
            TypeRacePoint(dialog, "85", "Mons", "Mons, B");
            dialog.Command1->setFocus();
            QTest::keyClick(dialog.Command1, Qt::Key_Return);
            QVERIFY(dialog.isVisible());
        }));
        QCOMPARE(program.lines().at(5), "85:  " + Filled("Mons", 13));
    }

    void accessKeyAppliesTheFill()
    {
        StartedProgram program;
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        Type(dialog.Text1, "85");
        Type(dialog.Text2, "Mons");
        Enter(dialog.Text3);
        QTest::keyClicks(dialog.Text3, "Mons, B");
        QTest::keyClick(dialog.Text3, Qt::Key_A, Qt::AltModifier); // "&Add"
        QTRY_COMPARE(program.lines().at(5), "85:  " + Filled("Mons", 13));
    }

    void failedSaveIsReported_data()
    {
        SaveFailureCatalogues("frmRacePointsAdd", QString::fromUtf8("Auflassort hinzufügen"));
    }
    void failedSaveIsReported()
    {
        QFETCH(QByteArray, catalogue);
        QFETCH(QString, title);
        QFETCH(QString, text);
        StartedProgram program(DefaultDataFile({{11, Namur}}), catalogue);
        frmRacePointsAdd dialog(*program.main);
        QVERIFY(Shown(dialog));
        TypeRacePoint(dialog, "85", "Mons", "Mons, B");
        ConfirmWhileSavesFail(program.folder, dialog.Command1, title.isEmpty() ? "Add race point" : title, text);
        // The list shows what the file holds: nothing readable, so no race point.
        QCOMPARE(program.lines().at(10), "90:  " + QString(13, ' '));
        QVERIFY(dialog.isVisible());
    }
};

QTEST_MAIN(tst_frmracepointsadd)
#include "tst_frmracepointsadd.moc"
