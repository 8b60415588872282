// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/DeferredIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QWidget>

namespace {

// Asks the style for the icon the first time it is drawn or measured.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QStyle *style, QStyle::StandardPixmap which, const QWidget *widget)
        : style(style), which(which), widget(widget)
    {
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    bool isNull() override { return Icon().isNull(); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }
    QIconEngine *clone() const override { return new DeferredIconEngine(*this); }

private:
    const QIcon &Icon()
    {
        if (!loaded) {
            loaded = true;
            if (style)
                icon = style->standardIcon(which, nullptr, widget);
        }
        return icon;
    }

    QPointer<const QStyle> style;
    QStyle::StandardPixmap which;
    QPointer<const QWidget> widget;
    bool loaded = false;
    QIcon icon;
};

} // namespace

DeferredIconsStyle::DeferredIconsStyle(QStyle *base) : QProxyStyle(base) {}

QIcon DeferredIconsStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption *option,
                                       const QWidget *widget) const
{
    // Only these are asked for without an option, by a button made hidden;
    // an option would not outlive the call.
    if (!option
        && (standardIcon == SP_ToolBarHorizontalExtensionButton || standardIcon == SP_ToolBarVerticalExtensionButton))
        return QIcon(new DeferredIconEngine(baseStyle(), standardIcon, widget));
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}
