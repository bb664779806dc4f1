// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/fuoco.h"

#include "platform/colore.h"
#include "windows/filtrofinestra.h"
#include "windows/scena.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QWidget>

namespace fuoco {

namespace {

bool muoveIlFuoco(int tasto)
{
    switch (tasto) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        return true;
    default:
        return false;
    }
}

// Watches the window's keys where the platform hands them to it, before
// any control has seen them: the key that moves the focus finds the marks
// already on.
class Osservatore final : public FiltroFinestra
{
public:
    using FiltroFinestra::FiltroFinestra;

    // Whether a key has moved the focus in the window yet.
    bool inUso = false;

protected:
    bool sullaFinestra(QEvent *evento) override
    {
        if (evento->type() != QEvent::KeyPress || inUso
            || !muoveIlFuoco(static_cast<QKeyEvent *>(evento)->key()))
            return false;
        inUso = true;
        if (QWidget *controllo = finestra()->focusWidget()) {
            controllo->update();
            QEvent cambio(eventoTastiera());
            QCoreApplication::sendEvent(controllo, &cambio);
        }
        return false;
    }
};

// The rectangles inside r where the black ring, the white ring and the
// rest begin.
struct Anelli
{
    QRect esterno;
    QRect medio;
    QRect interno;
};

Anelli anelli(const QRect &r, double s, const layout::SegnoFuoco &segno)
{
    const auto dentro = [&](int d) { return r.adjusted(d, d, -d, -d); };
    return {dentro(scena::scala(segno.margine, s)), dentro(scena::scala(segno.margine + segno.nero, s)),
            dentro(scena::scala(segno.margine + segno.nero + segno.bianco, s))};
}

void anello(QPainter &p, const QRect &fuori, const QRect &dentro, const QColor &colore)
{
    for (const QRect &pezzo : QRegion(fuori) - QRegion(dentro))
        p.fillRect(pezzo, colore);
}

} // namespace

void segui(QWidget *finestra)
{
    new Osservatore(finestra);
}

bool tastieraInUso(const QWidget *w)
{
    if (!w)
        return false;
    for (const QObject *figlio : w->window()->children())
        if (const auto *o = dynamic_cast<const Osservatore *>(figlio))
            return o->inUso;
    return false;
}

bool visibile(const QWidget *w)
{
    return w->hasFocus() && tastieraInUso(w);
}

QEvent::Type eventoTastiera()
{
    static const auto tipo = static_cast<QEvent::Type>(QEvent::registerEventType());
    return tipo;
}

QRegion regione(const QRect &r, double s, const layout::SegnoFuoco &segno)
{
    const Anelli a = anelli(r, s, segno);
    return QRegion(a.esterno) - QRegion(a.interno);
}

void disegna(QPainter &p, const dispositivo::Pittura &pixel, const QRect &r, double s, const layout::SegnoFuoco &segno)
{
    // Each ring's edges are whole logical pixels, put on the device pixels
    // Qt shows them on, as the control's own edges are.
    const Anelli a = anelli(r, s, segno);
    anello(p, pixel.di(a.esterno), pixel.di(a.medio), colore::aQColor(colore::Nero));
    anello(p, pixel.di(a.medio), pixel.di(a.interno), colore::aQColor(colore::Bianco));
}

} // namespace fuoco
