// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Texte.h"

#include "app/Init.h"
#include "racepoints/Cp1252.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

namespace Texte {

namespace {
QStringList TextLines;
}

QString CataloguePath()
{
    return Init::WorkPath + QLatin1String(FileName);
}

bool LoadTexts(QString *errorText)
{
    const QString path = CataloguePath();
    QByteArray content;
    QString reason;
    if (!Init::ReadWholeFile(path, content, &reason)) {
        if (errorText) {
            *errorText = QStringLiteral("The text catalogue %1 cannot be read. Racepoints cannot start without it.\n%2")
                             .arg(path, reason);
        }
        return false;
    }
    TextLines = ParseCatalogue(content);
    return true;
}

QString GetText(const QString &key)
{
    return LookUp(TextLines, key);
}

bool LoadQtTranslations(const QLocale &locale)
{
    static QPointer<QTranslator> installed;
    delete installed; // which uninstalls it
    auto *translator = new QTranslator(QCoreApplication::instance());
    // One look per name the locale may go by (qtbase_de_DE.qm, qtbase_de.qm),
    // in the one folder where Qt keeps its translations.
    if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    installed = translator;
    return true;
}

QStringList ParseCatalogue(QByteArrayView content)
{
    QStringList lines;
    for (const QByteArray &line : Init::SplitLines(content, MaxLines))
        lines.append(Cp1252::Decode(line));
    return lines;
}

QString LookUp(const QStringList &lines, QStringView key)
{
    for (const QString &line : lines) {
        const qsizetype p = line.indexOf(u'=');
        if (p < 0)
            continue;
        if (QStringView(line).left(p) == key)
            return line.mid(p + 1);
    }
    return QString();
}

} // namespace Texte
