// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The screen's own pixels. Qt may show a window at a device-pixel ratio r
// other than 1 (1.25, 1.5, 2 on high-dpi screens): a logical edge at x
// lands on device pixel round(x r), each edge rounded on its own, half up,
// and that is where Qt clips every control. A press, though, reaches a
// control by its logical position rounded to a whole number, which at such
// a ratio can be a device pixel away from the control shown under the
// pointer. Here the controls are painted on exactly their device pixels,
// and presses are routed by what is shown.

#include <QPainter>
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QTransform>

class QMouseEvent;
class QWidget;

namespace dispositivo {

// The device pixel where a logical edge lands at ratio r.
int bordo(int logico, double rapporto);
// The device pixels of a logical rectangle: each edge by bordo.
QRect rettangolo(const QRect &logico, double rapporto);

// A pointer position, exact in logical units (the device pixel's corner
// divided by r), as Qt must be given it so that its own rounding picks the
// control shown on that device pixel: within half a unit of the logical
// cell whose device pixels hold it, and still telling which of them.
QPointF instrada(QPointF esatta, double rapporto);
// The device pixel of a position given by instrada (or of any position,
// taken as the middle of its logical cell when it came another way).
QPoint pixel(QPointF instradata, double rapporto);

// Where a mouse event that reached widget w lies in w's window, as
// instrada gives it: its whole position on w tells the logical cell, and
// where it came in the window the rest.
QPointF nellaFinestra(const QMouseEvent &evento, const QWidget &w);

// Makes hit-testing in a top-level window follow what is shown: every mouse
// event reaching the window is given the position of instrada.
void instradaPressioni(QWidget *finestra);

// Paints a widget on its own device pixels: while it lives, the painter's
// coordinates are device pixels, (0, 0) the widget's first one, and
// rettangolo() all of those it is clipped to.
class Pittura
{
public:
    Pittura(QPainter &p, const QWidget *w);
    ~Pittura();
    Pittura(const Pittura &) = delete;
    Pittura &operator=(const Pittura &) = delete;

    double rapporto() const { return m_rapporto; }
    QRect rettangolo() const { return m_rettangolo; }
    // The device pixels of a rectangle in the widget's logical coordinates.
    QRect di(const QRect &logico) const;
    // Where (0, 0) is on the paint device, in its pixels.
    QPoint origine() const { return m_origine; }

private:
    QPainter &m_p;
    QTransform m_prima;
    double m_rapporto = 1.0;
    // The widget's corner on the paint device, in logical units.
    QPoint m_posto;
    QPoint m_origine;
    QRect m_rettangolo;
};

} // namespace dispositivo
