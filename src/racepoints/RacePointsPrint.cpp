// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "racepoints/RacePointsPrint.h"

#include "app/Accessibility.h"
#include "app/ClubLocation.h"
#include "app/MessageBox.h"
#include "app/Texte.h"
#include "app/Version.h"
#include "editing/FieldRules.h"
#include "racepoints/RacePointsManage.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <numeric>

namespace RacePointsPrint {

namespace {

constexpr qreal BodyPointSize = 10;
// Smaller type is hard to read on paper: below it names and places wrap.
constexpr qreal SmallestPointSize = 7;
constexpr int NameColumn = 1;
constexpr int PlaceColumn = 2;

// A text laid out within `width`, broken between words, or inside a word too
// long for the width; painted with its top left at `at` when there is a
// painter. Returns its height, so that measuring and painting agree.
qreal Cell(QPainter *painter, const QPaintDevice &device, const QFont &font, const QString &text, QPointF at,
           qreal width)
{
    QTextLayout layout(text, font, &device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal height = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, height));
        height += line.height();
    }
    layout.endLayout();
    if (painter)
        layout.draw(painter, at);
    return height;
}

struct Table {
    QFont body, head;
    QList<qreal> widths; // of the columns
    QList<qreal> heads;  // the widths of the heads, which never wrap
    qreal gap = 0;       // between two columns

    qreal width() const { return std::accumulate(widths.begin(), widths.end(), gap * qreal(widths.size() - 1)); }
};

// Each column as wide as its widest text. A proportional font makes a name
// of thirteen W far wider than one of thirteen i, so only the texts
// themselves tell.
Table Measure(const QPaintDevice &device, const Sheet &sheet, const QFont &font)
{
    Table table;
    table.body = font;
    table.head = font;
    table.head.setBold(true);
    const QFontMetricsF body(table.body, &device), head(table.head, &device);
    table.gap = body.horizontalAdvance(u'M') * 1.5;
    for (qsizetype column = 0; column < sheet.heads.size(); ++column) {
        // Rounded up, so that no text wraps by a fraction of a dot.
        table.heads.append(std::ceil(head.horizontalAdvance(sheet.heads[column])) + 1);
        qreal width = table.heads.last();
        for (const QStringList &row : sheet.rows)
            width = std::max(width, std::ceil(body.horizontalAdvance(row.value(column))) + 1);
        table.widths.append(width);
    }
    return table;
}

// The table fitted to the page width: smaller type first, then, where even
// the smallest is too wide, a narrower place column that wraps, and only
// when that is not enough a narrower name column.
Table Fit(const QPaintDevice &device, const Sheet &sheet, const QFont &font)
{
    const qreal pageWidth = device.width();
    QFont sized = font;
    Table table = Measure(device, sheet, sized);
    // Widths grow almost but not quite in step with the type, so a few tries.
    for (int tries = 0; tries < 4 && table.width() > pageWidth && sized.pointSizeF() > SmallestPointSize; ++tries) {
        sized.setPointSizeF(std::max(SmallestPointSize, sized.pointSizeF() * pageWidth / table.width() * 0.99));
        table = Measure(device, sheet, sized);
    }
    for (const int column : {PlaceColumn, NameColumn}) {
        const qreal excess = table.width() - pageWidth;
        if (excess > 0)
            table.widths[column] = std::max(table.widths[column] - excess, table.heads[column]);
    }
    return table;
}

} // namespace

Sheet RacePointsSheet(const QDate &date)
{
    using namespace RacePointsManage;
    Sheet sheet;
    sheet.title = ProgramCaption();
    sheet.subtitle = SpokenCaption(Texte::GetText(QStringLiteral("frmMain.mnuRacePoints.Caption")));
    sheet.date = date.toString(TextOr(QStringLiteral("frmMain.txtPrintDateFormat"), QStringLiteral("yyyy-MM-dd")));
    sheet.heads = {TextOr(QStringLiteral("frmMain.txtPrintNumber"), QStringLiteral("No.")),
                   TextOr(QStringLiteral("frmMain.txtPrintName"), QStringLiteral("Name")),
                   TextOr(QStringLiteral("frmMain.txtPrintPlace"), QStringLiteral("Place")),
                   TextOr(QStringLiteral("frmMain.txtPrintLatitude"), QStringLiteral("Latitude")),
                   TextOr(QStringLiteral("frmMain.txtPrintLongitude"), QStringLiteral("Longitude"))};
    // Distances only where there is a place to measure them from.
    const bool distances = ClubLocation::Current.has_value();
    if (distances)
        sheet.heads.append(TextOr(QStringLiteral("frmMain.txtPrintDistance"), QStringLiteral("Distance (km)")));
    for (int slot = 1; slot <= RacePointCount && slot <= SlotCount; ++slot) {
        if (IsBlankRecord(RacePoints[slot]))
            continue;
        const QStringList fields = FieldRules::FieldTexts(RacePoints[slot]);
        QStringList row{QString::number(slot + FirstNumber - 1).rightJustified(2, u'0'), fields[1].trimmed(),
                        fields[2].trimmed(), FieldRules::CoordinateText(fields, false),
                        FieldRules::CoordinateText(fields, true)};
        if (distances) {
            const std::optional<double> metres = ClubLocation::DistanceMetres(fields.mid(3));
            row.append(metres ? ClubLocation::KilometresText(*metres) : QString());
        }
        sheet.rows.append(row);
    }
    return sheet;
}

bool PrintSheet(QPagedPaintDevice &device, const Sheet &sheet, const QFont &font)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const Table table = Fit(device, sheet, font);
    const qreal pageWidth = device.width();
    const qreal pageHeight = device.height();
    const qreal line = QFontMetricsF(table.body, &device).lineSpacing();
    const qreal padding = line * 0.3;
    const qreal footer = line * 2;
    QFont titleFont = table.head;
    titleFont.setPointSizeF(table.head.pointSizeF() * 1.4);
    painter.setFont(table.body);
    QPen rule = painter.pen();
    rule.setWidthF(device.logicalDpiY() / 144.0); // half a point

    // One row of the table; its height, padding included.
    const auto row = [&](QPainter *p, const QStringList &cells, const QFont &cellFont, qreal y) {
        qreal x = 0, height = 0;
        for (qsizetype column = 0; column < table.widths.size(); ++column) {
            height = std::max(height, Cell(p, device, cellFont, cells.value(column), {x, y}, table.widths[column]));
            x += table.widths[column] + table.gap;
        }
        return height + padding;
    };

    // Goes through the sheet page by page, painting when given a painter;
    // either way returns how many pages it takes.
    const auto pages = [&](QPainter *p, int total) {
        int page = 1;
        const auto pageNumber = [&] {
            if (p && total > 1) {
                p->drawText(QRectF(0, pageHeight - line, pageWidth, line), Qt::AlignHCenter,
                            QStringLiteral("%1 / %2").arg(page).arg(total));
            }
        };
        const auto heads = [&](qreal y) {
            y += row(p, sheet.heads, table.head, y);
            if (p) {
                p->save();
                p->setPen(rule);
                p->drawLine(QLineF(0, y - padding / 2, std::min(table.width(), pageWidth), y - padding / 2));
                p->restore();
            }
            return y;
        };

        const qreal dateWidth = std::ceil(QFontMetricsF(table.body, &device).horizontalAdvance(sheet.date)) + 1;
        const qreal titleWidth = std::max(pageWidth - dateWidth - table.gap, pageWidth / 2);
        qreal y = Cell(p, device, titleFont, sheet.title, {0, 0}, titleWidth);
        Cell(p, device, table.body, sheet.date, {pageWidth - dateWidth, 0}, dateWidth);
        y += Cell(p, device, table.head, sheet.subtitle, {0, y}, pageWidth) + line;
        y = heads(y);
        bool rowsOnPage = false;
        for (const QStringList &cells : sheet.rows) {
            const qreal height = row(nullptr, cells, table.body, y);
            // A row taller than a whole page still gets one of its own.
            if (rowsOnPage && y + height > pageHeight - footer) {
                pageNumber();
                if (p && !device.newPage())
                    return 0;
                ++page;
                y = heads(0);
                rowsOnPage = false;
            }
            if (p)
                row(p, cells, table.body, y);
            y += height;
            rowsOnPage = true;
        }
        pageNumber();
        return page;
    };

    const bool painted = pages(&painter, pages(nullptr, 0)) > 0;
    return painter.end() && painted;
}

bool PrintRacePoints(QPagedPaintDevice &device)
{
    QFont font = QGuiApplication::font();
    font.setPointSizeF(BodyPointSize);
    return PrintSheet(device, RacePointsSheet(QDate::currentDate()), font);
}

} // namespace RacePointsPrint
