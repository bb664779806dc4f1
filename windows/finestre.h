// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where and how large the two windows open. A window whose layout at 96 dpi
// fits its screen's available area opens at that size, pixel for pixel; one
// that does not opens scaled down evenly until it fits, whole and centred on
// the screen. The game window opens in the start window's place and state.

class QWidget;

namespace finestre {

// Shows a window whose layout is an scena::Scena, on its screen: where the
// window manager puts it when it fits, else scaled down and centred.
void apri(QWidget *finestra);
// Shows `finestra` where `prima` stands: centred on it, on its screen and in
// its state (normal, maximised or full screen), scaled down as apri does
// where that screen is too small; whole on the screen.
void apriAlPostoDi(QWidget *finestra, const QWidget *prima);
// Places a window about to be shown (a message box) centred over `sopra`,
// or over its screen where there is none; whole on the screen.
void centraSopra(QWidget *finestra, const QWidget *sopra);
// F11 takes the window to the whole screen and back.
void aggiungiSchermoIntero(QWidget *finestra);

} // namespace finestre
