// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The keyboard focus as the desktop shows it: no mark while only the mouse
// is used; from the first key that moves the focus in a window (Tab,
// Shift+Tab or an arrow) the control holding the focus shows its mark, for
// as long as the window lives.

#include "windows/dispositivo.h"
#include "windows/layout.h"

#include <QEvent>
#include <QRect>
#include <QRegion>

class QPainter;
class QWidget;

namespace fuoco {

// Follows the keys given to the top-level window finestra.
void segui(QWidget *finestra);
// Whether a key has moved the focus in w's window.
bool tastieraInUso(const QWidget *w);
// Whether w shows its focus mark: it has the focus, and the keyboard is in
// use in its window.
bool visibile(const QWidget *w);
// Sent to the control holding the focus when the keyboard comes into use in
// its window.
QEvent::Type eventoTastiera();

// The pixels of the mark of a control whose rectangle is r (logical units,
// at the window's factor s): a ring, each side as wide as the mark's rings.
QRegion regione(const QRect &r, double s, const layout::SegnoFuoco &segno);
// Paints that mark on the control's own device pixels.
void disegna(QPainter &p, const dispositivo::Pittura &pixel, const QRect &r, double s, const layout::SegnoFuoco &segno);

} // namespace fuoco
