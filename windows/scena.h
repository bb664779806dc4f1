// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one place that lays controls out from their tables at the window's
// scale. Each control placed here keeps its place at 96 dpi (and its font's
// size, a frame's line, where its own children are placed from) in a typed
// record of its own, which goes with it; when the window's factor changes,
// every control in it is laid out again from that record.

#include "windows/layout.h"

#include <QEvent>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QWidget>

class QFrame;

namespace scena {

// Places a control as its table gives it (pixels at 96 dpi, from its
// parent's corner), at the scale of the window it is in; the place is kept
// and followed when the scale changes.
void colloca(QWidget *w, const layout::Rettangolo &r);
// The corner children of w are placed from (pixels at 96 dpi from its own
// corner): a picture box places them inside its border.
void impostaOrigine(QWidget *w, QPoint origine);
// That corner at factor s.
QPoint origine(const QWidget *w, double s);
// The same place with a new size (a picture box that takes its picture's).
void ridimensiona(QWidget *w, int larghezza, int altezza);
// Where the table puts a control, at 96 dpi (its geometry if it has no
// place of its own).
layout::Rettangolo rettangolo(const QWidget *w);
// A control's font (aspetto::carattere), at the scale of its window.
void impostaCarattere(QWidget *w, const layout::Carattere &c);
// A frame's line, at the scale of its window.
void impostaLinea(QFrame *cornice, int spessore);
// The factor the window of w is shown at (1 outside a Scena).
double fattore(const QWidget *w);
// A length of the table at factor s: round(x * s).
int scala(int x, double s);
// A rectangle at factor s, each of its edges rounded on its own, so that
// rectangles that meet at 96 dpi still meet at every factor.
QRect scala(const layout::Rettangolo &r, double s);

// The layout of a window, drawn on its container: as large as the container
// lets it grow evenly, s = min(width ratio, height ratio), never below its
// size at 96 dpi (or below the smallest factor allowed), centred, the
// margins in the container's colour. Every control placed by colloca inside
// it follows the factor.
class Scena : public QWidget
{
    Q_OBJECT
public:
    Scena(QSize misura, QWidget *contenitore);

    double fattore() const { return m_fattore; }
    QSize misura() const { return m_misura; }
    // Lets the layout shrink down to factor `minimo` (at most 1), for a
    // screen too small for it at 96 dpi: the container's minimum size
    // becomes the layout at that factor.
    void consentiFattore(double minimo);
    // Sent to every control in the scene after the factor has changed.
    static QEvent::Type eventoScala();

protected:
    bool eventFilter(QObject *oggetto, QEvent *evento) override;

private:
    void adatta();

    QSize m_misura;
    double m_fattore = 1.0;
    double m_minimo = 1.0;
};

} // namespace scena
