// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The shipped catalogues: every one must serve every key the program asks
// for, in bytes that Windows-1252 can hold, with CR LF line ends, and with
// mnemonics that do not clash within one menu or dialog.

#include "app/Texte.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString ClubFolder()
{
    return qEnvironmentVariable("RACEPOINTS_CLUB_DIR");
}

// The fixed key table of the windows, including the keys for save errors
// and for screen readers.
QStringList KeyTable()
{
    QStringList keys;
    for (const char *entry : {"mnuProgram", "mnuProgramSet", "mnuProgramExit", "mnuRacePoints",
                              "mnuRacePointsAdd", "mnuRacePointsAlter", "mnuRacePointsDelete",
                              "mnuRacePointsShow", "mnuHelp", "mnuInfo"})
        keys << QStringLiteral("frmMain.%1.Caption").arg(QLatin1String(entry));
    keys << QStringLiteral("frmSet.Caption") << QStringLiteral("frmSet.Frame3.Caption")
         << QStringLiteral("frmSet.Command1.Caption") << QStringLiteral("frmSet.Command2.Caption");
    for (int n : {1, 3, 4, 5})
        keys << QStringLiteral("frmSet.MsgBoxName%1").arg(n) << QStringLiteral("frmSet.MsgBoxText%1").arg(n);
    keys << QStringLiteral("frmSet.Label5.Caption") << QStringLiteral("frmSet.Label6.Caption");
    for (const char *window : {"frmRacePointsAdd", "frmRacePointsAlter", "frmRacePointsDelete"}) {
        const QString w = QLatin1String(window);
        // The blank before ".Caption" belongs to the key.
        keys << w + QStringLiteral(".Caption") << w + QStringLiteral(".Command1.Caption")
             << w + QStringLiteral(".Command2 .Caption");
        for (int n = 1; n <= 5; ++n)
            keys << w + QStringLiteral(".Label%1.Caption").arg(n);
        // What a screen reader says of the fields the labels do not name.
        keys << w + QStringLiteral(".Text1.AccessibleDescription") << w + QStringLiteral(".Frame1.AccessibleName");
        for (int n = 4; n <= 11; ++n)
            keys << w + QStringLiteral(".Text%1.AccessibleName").arg(n);
    }
    for (const char *window : {"frmRacePointsAdd", "frmRacePointsAlter"}) {
        for (int n : {1, 2})
            keys << QStringLiteral("%1.MsgBoxName%2").arg(QLatin1String(window)).arg(n)
                 << QStringLiteral("%1.MsgBoxText%2").arg(QLatin1String(window)).arg(n);
    }
    keys << QStringLiteral("frmRacePointsDelete.MsgBoxName1") << QStringLiteral("frmRacePointsDelete.MsgBoxText1");
    // The notes under the coordinates, and what a paste that was no
    // coordinate says; the club location dialog's fields.
    for (const char *window : {"frmRacePointsAdd", "frmRacePointsAlter"}) {
        for (const char *suffix : {"txtDistance", "txtNoteSixty", "txtNoteLatitude", "txtNoteFar", "txtNoteSame",
                                   "txtNoteSwapped", "txtNoteHemisphere", "txtPasteForms"})
            keys << QStringLiteral("%1.%2").arg(QLatin1String(window), QLatin1String(suffix));
    }
    keys << QStringLiteral("frmClubLocation.txtPasteForms");
    for (int n = 1; n <= 8; ++n)
        keys << QStringLiteral("frmClubLocation.Text%1.AccessibleName").arg(n);
    keys << QStringLiteral("frmRacePointsSend.Caption") << QStringLiteral("frmRacePointsSend.Command1.Caption");
    for (int n : {1, 2})
        keys << QStringLiteral("frmRacePointsSend.MsgBoxName%1").arg(n)
             << QStringLiteral("frmRacePointsSend.MsgBoxText%1").arg(n);
    keys << QStringLiteral("frmRacePointsSend.txtCommunicationOk")
         << QStringLiteral("frmRacePointsSend.txtCommunicationError")
         << QStringLiteral("frmInfo.Caption") << QStringLiteral("frmInfo.Command1.Caption");
    return keys;
}

// The keys that the sources pass as literals to Texte::GetText or TextOr, so
// that a window added later is checked without anyone updating a list.
QStringList KeysInSources()
{
    static const QRegularExpression call(QStringLiteral(
        "\\b(?:GetText|TextOr)\\s*\\(\\s*"
        "(?:(?:QStringLiteral|QLatin1String|QString|QStringView)\\s*\\(\\s*)?u?"
        "\"((?:[^\"\\\\]|\\\\.)*)\""));
    static const QRegularExpression wholeKey(QStringLiteral("^frm\\w+\\.[^%]+$"));
    QStringList keys;
    QDirIterator it(qEnvironmentVariable("RACEPOINTS_SOURCE_DIR"), {QStringLiteral("*.cpp"), QStringLiteral("*.h")},
                    QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString source = QString::fromUtf8(file.readAll());
        for (const QRegularExpressionMatch &m : call.globalMatch(source)) {
            // Only whole keys: a literal that is a pattern ("%1.Caption") or a
            // part of a key built in code is no key by itself.
            if (wholeKey.match(m.captured(1)).hasMatch())
                keys << m.captured(1);
        }
    }
    keys.removeDuplicates();
    return keys;
}

QStringList RequiredKeys()
{
    QStringList keys = KeyTable() + KeysInSources();
    keys.removeDuplicates();
    return keys;
}

QByteArray ReadFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The keys of a catalogue's entries, in file order, as the program reads them.
QStringList EntryKeys(const QByteArray &content)
{
    QStringList keys;
    for (const QString &line : Texte::ParseCatalogue(content)) {
        const qsizetype p = line.indexOf(u'=');
        if (p >= 0)
            keys << line.left(p);
    }
    return keys;
}

// The characters marked as mnemonics ("&x"; "&&" is a plain ampersand).
QString Mnemonics(const QString &caption)
{
    QString found;
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            found += caption[i + 1].toLower();
        ++i;
    }
    return found;
}

// Captions that share one menu or one dialog, so their mnemonics must differ.
QList<QStringList> MnemonicGroups()
{
    auto menu = [](std::initializer_list<const char *> entries) {
        QStringList keys;
        for (const char *entry : entries)
            keys << QStringLiteral("frmMain.%1.Caption").arg(QLatin1String(entry));
        return keys;
    };
    QList<QStringList> groups = {
        menu({"mnuProgram", "mnuRacePoints", "mnuHelp"}),
        menu({"mnuProgramSet", "mnuProgramClubLocation", "mnuProgramExit"}),
        menu({"mnuRacePointsAdd", "mnuRacePointsAlter", "mnuRacePointsDelete", "mnuRacePointsShow",
              "mnuRacePointsMap", "mnuRacePointsPrint", "mnuRacePointsUndo", "mnuRacePointsRedo",
              "mnuRacePointsImport", "mnuRacePointsExport"}),
        menu({"mnuInfo"}),
        {QStringLiteral("frmSet.Command1.Caption"), QStringLiteral("frmSet.Command2.Caption")},
        {QStringLiteral("frmRacePointsSend.Command1.Caption")},
        {QStringLiteral("frmInfo.Command1.Caption")},
        {QStringLiteral("frmRacePointsImport.Label1.Caption"), QStringLiteral("frmRacePointsImport.Label2.Caption"),
         QStringLiteral("frmRacePointsImport.Option1.Caption"), QStringLiteral("frmRacePointsImport.Option2.Caption"),
         QStringLiteral("frmRacePointsImport.Command1.Caption"), QStringLiteral("frmRacePointsImport.Command2.Caption")},
        {QStringLiteral("frmClubLocation.Label1.Caption"), QStringLiteral("frmClubLocation.Label2.Caption"),
         QStringLiteral("frmClubLocation.Command1.Caption"), QStringLiteral("frmClubLocation.Command2.Caption")},
    };
    for (const char *window : {"frmRacePointsAdd", "frmRacePointsAlter", "frmRacePointsDelete"}) {
        const QString w = QLatin1String(window);
        QStringList keys = {w + QStringLiteral(".Command1.Caption"), w + QStringLiteral(".Command2 .Caption")};
        for (int n = 1; n <= 5; ++n)
            keys << w + QStringLiteral(".Label%1.Caption").arg(n);
        groups << keys;
    }
    return groups;
}

} // namespace

class tst_catalogues : public QObject {
    Q_OBJECT

private slots:
    void sourceScanFindsTheWindowsKeys()
    {
        // Proves the scan reads the sources: the windows that exist use literals.
        const QStringList scanned = KeysInSources();
        for (const char *key : {"frmMain.mnuProgram.Caption", "frmMain.mnuInfo.Caption", "frmInfo.Caption",
                                "frmInfo.Command1.Caption"})
            QVERIFY2(scanned.contains(QLatin1String(key)), key);
    }

    void everyLanguageShipped_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::newRow("English") << "club.txt";
        QTest::newRow("German") << "de/club.txt";
        QTest::newRow("Dutch") << "nl/club.txt";
        QTest::newRow("French") << "fr/club.txt";
    }
    void everyLanguageShipped()
    {
        QFETCH(QString, relative);
        QVERIFY2(QFile::exists(ClubFolder() + u'/' + relative), qPrintable(relative));
    }

    void catalogue_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator it(ClubFolder(), {QStringLiteral("club.txt")}, QDir::Files, QDirIterator::Subdirectories);
        int found = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(QDir(ClubFolder()).relativeFilePath(path))) << path;
            ++found;
        }
        QVERIFY2(found > 0, qPrintable(ClubFolder()));
    }

    void catalogue()
    {
        QFETCH(QString, path);
        const QByteArray content = ReadFile(path);
        QVERIFY(!content.isEmpty());
        const QStringList lines = Texte::ParseCatalogue(content);
        const QStringList required = RequiredKeys();

        QStringList missing;
        for (const QString &key : required) {
            if (Texte::LookUp(lines, key).isEmpty())
                missing << key;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("missing or empty: ") + missing.join(u'|')));

        // A key nothing asks for is a misspelling (such as "Command2.Caption"
        // without its blank) or a leftover, and a repeated key hides its
        // later text: both are faults a translator cannot see.
        const QStringList keys = EntryKeys(content);
        QStringList unknown, repeated;
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (!required.contains(keys[i]))
                unknown << keys[i];
            if (keys.indexOf(keys[i]) != i)
                repeated << keys[i];
        }
        QVERIFY2(unknown.isEmpty(), qPrintable(QStringLiteral("unknown: ") + unknown.join(u'|')));
        QVERIFY2(repeated.isEmpty(), qPrintable(QStringLiteral("repeated: ") + repeated.join(u'|')));
        QVERIFY(content.count('\n') <= Texte::MaxLines);
    }

    void bytes_data() { catalogue_data(); }
    void bytes()
    {
        QFETCH(QString, path);
        const QByteArray content = ReadFile(path);
        QVERIFY(content.endsWith("\r\n"));
        for (qsizetype i = 0; i < content.size(); ++i) {
            const auto b = static_cast<unsigned char>(content[i]);
            const QByteArray where = QByteArray("byte ") + QByteArray::number(i);
            // Windows-1252 leaves these five undefined.
            QVERIFY2(b != 0x81 && b != 0x8D && b != 0x8F && b != 0x90 && b != 0x9D, where);
            QVERIFY2(b >= 0x20 || b == '\r' || b == '\n', where);
            QVERIFY2(b != '\n' || (i > 0 && content[i - 1] == '\r'), where + " (LF without CR)");
            QVERIFY2(b != '\r' || (i + 1 < content.size() && content[i + 1] == '\n'), where + " (CR without LF)");
            // A UTF-8 sequence: the file was saved in the wrong encoding.
            const int length = b >= 0xC2 && b <= 0xDF ? 2 : b >= 0xE0 && b <= 0xEF ? 3 : b >= 0xF0 && b <= 0xF4 ? 4 : 0;
            if (length > 0 && i + length <= content.size()) {
                bool continuation = true;
                for (int k = 1; k < length; ++k)
                    continuation = continuation && (static_cast<unsigned char>(content[i + k]) & 0xC0) == 0x80;
                QVERIFY2(!continuation, where + " (UTF-8)");
            }
        }
    }

    void mnemonics_data() { catalogue_data(); }
    void mnemonics()
    {
        QFETCH(QString, path);
        const QStringList lines = Texte::ParseCatalogue(ReadFile(path));
        for (const QStringList &group : MnemonicGroups()) {
            QString used;
            for (const QString &key : group) {
                const QString marks = Mnemonics(Texte::LookUp(lines, key));
                QVERIFY2(marks.size() == 1, qPrintable(key + QStringLiteral(": one mnemonic expected")));
                QVERIFY2(!used.contains(marks), qPrintable(key + QStringLiteral(": mnemonic used twice in its group")));
                used += marks;
            }
        }
    }
};

QTEST_GUILESS_MAIN(tst_catalogues)
#include "tst_catalogues.moc"
