// SPDX-FileCopyrightText: 2026 the Racepoints developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QDialog;

// Keys as club secretaries know them from their desktop: the dialog sees every
// key before its controls. Escape closes it like its Cancel button; Enter or
// Return on a focused button presses that button; Enter typed in a field does
// nothing, so no button is pressed behind the user's back.
// Call once all of the dialog's controls exist.
void InstallDialogKeys(QDialog &dialog);
