// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QListWidgetItem;
class QWidget;

// Screen readers name a control by its accessible name. Qt derives it from a
// button's caption and a window's title by itself; these cover the rest.

// A caption as it should be spoken: without its mnemonic marker ("&&" stays
// a plain "&") and without the " :" that ends a field label.
QString SpokenCaption(const QString &caption);

// Names every control that is the buddy of a label in `window` after that
// label's caption. Qt's own naming keeps the " :" and finds only labels with
// the same parent as the control. Call it once the window's texts are set.
void NameBuddiesFromLabels(QWidget &window);

// Tells a screen reader that a line of a list has been ticked or unticked,
// so that it can say so; Qt's item views leave the change unannounced.
void AnnounceCheckState(QListWidgetItem &item);
