// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProxyStyle>

// The application's style, unchanged but for one thing: the arrows of the
// menu bar's extension button are read only when that button is first shown
// (when the menus do not fit in the window's width). Every menu bar makes
// the button, hidden, when it is made; reading its three pictures then would
// load every image format plugin of the system to ask it about them, a
// good share of the start-up's work for a button most users never see.
class DeferredIconsStyle : public QProxyStyle {
public:
    // Takes `base`, the style the application would use otherwise.
    explicit DeferredIconsStyle(QStyle *base);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
};
