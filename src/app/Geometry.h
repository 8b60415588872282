// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <QString>
#include <QWidget>

// Window layouts are designed in twips (1/1440 inch); 15 twips are one pixel
// at 96 dots per inch. Qt scales the pixels for high-density screens.
constexpr int Twips(int twips)
{
    return (twips + 7) / 15;
}

constexpr QRect TwipsRect(int left, int top, int width, int height)
{
    return QRect(Twips(left), Twips(top), Twips(width), Twips(height));
}

// A control of a window: named as in the window's design, so that tests and
// the catalogue keys can find it, and placed at its designed position.
template <class Control>
Control *PlaceControl(QWidget *parent, const QString &name, const QRect &geometry)
{
    auto *control = new Control(parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

// Places a top-level window in the middle of the screen it is on.
void CentreOnScreen(QWidget &window);
