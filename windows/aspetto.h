// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fonts, pictures and background colours shared by the windows. Where the
// controls stand, at the window's scale, is scena.h's.

#include "platform/colore.h"
#include "windows/layout.h"

#include <QFont>
#include <QIcon>
#include <QWidget>

namespace aspetto {

// The font the layout names, bold, at its pixel size at 96 dpi (the free
// font the game installs where the named one is missing).
QFont carattere(const layout::Carattere &c);
// One of the pictures compiled into the program, by the file name of its
// 32 x 32 raster ("avvio.png"), with all the sizes it is made at
// (layout::LatiFigura, "avvio-64.png" ...). Each size is read only when it
// is asked for; a size between two is the next larger one scaled down. A
// null icon if there is no such picture.
QIcon immagine(const char *nome);
void impostaSfondo(QWidget *w, Colore colore);
// Maps the fonts the layout names to the free fonts the game installs.
void registraSostituzioni();

} // namespace aspetto
