// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/dispositivo.h"

#include "windows/filtrofinestra.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace dispositivo {

namespace {

// The logical cell whose device pixels hold device pixel d, and where
// they start and how many there are.
struct Cella
{
    int logica;
    int primo;
    int pixel;
};

Cella cellaDi(int d, double rapporto)
{
    int l = static_cast<int>(std::floor((d + 0.5) / rapporto));
    while (bordo(l + 1, rapporto) <= d)
        ++l;
    while (bordo(l, rapporto) > d)
        --l;
    return {l, bordo(l, rapporto), bordo(l + 1, rapporto) - bordo(l, rapporto)};
}

double instradaAsse(double esatta, double rapporto)
{
    // A device pixel's corner divided by r comes back times r a hair off.
    const int d = static_cast<int>(std::floor(esatta * rapporto + 1e-6));
    const Cella c = cellaDi(d, rapporto);
    return c.logica - 0.5 + (d - c.primo + 0.5) / c.pixel;
}

int pixelAsse(double instradata, double rapporto)
{
    const int l = static_cast<int>(std::floor(instradata + 0.5));
    const int primo = bordo(l, rapporto);
    const int pixel = bordo(l + 1, rapporto) - primo;
    if (pixel <= 0)
        return primo;
    return primo + std::clamp(static_cast<int>(std::floor((instradata - l + 0.5) * pixel)), 0, pixel - 1);
}

// Watches a top-level widget for its window and re-sends the window's mouse
// events at the routed position. Qt picks the control under a press (and
// where each later move and release lands on it) from that position, so
// everything downstream, the pressed button's grab and double clicks
// included, stays Qt's own.
class Instradatore final : public FiltroFinestra
{
public:
    using FiltroFinestra::FiltroFinestra;

protected:
    bool sullaFinestra(QEvent *evento) override
    {
        switch (evento->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
            break;
        default:
            return false;
        }
        if (m_inoltrando)
            return false;
        auto *mouse = static_cast<QMouseEvent *>(evento);
        const double rapporto = finestraQt()->devicePixelRatio();
        const QPointF posto = instrada(mouse->scenePosition(), rapporto);
        if (posto == mouse->position())
            return false;
        // The press that opens a double click only marks it: Qt hands the
        // control the double click that follows instead. A copy could not
        // carry that mark, so it goes no further.
        if (evento->type() == QEvent::MouseButtonPress && mouse->flags().testFlag(Qt::MouseEventCreatedDoubleClick))
            return true;
        QMouseEvent copia(evento->type(), posto, posto, mouse->globalPosition(), mouse->button(), mouse->buttons(),
                          mouse->modifiers(), mouse->pointingDevice());
        copia.setTimestamp(mouse->timestamp());
        m_inoltrando = true;
        QCoreApplication::sendEvent(finestraQt(), &copia);
        m_inoltrando = false;
        evento->setAccepted(copia.isAccepted());
        return true;
    }

private:
    bool m_inoltrando = false;
};

} // namespace

int bordo(int logico, double rapporto)
{
    // Rounded as Qt rounds the edges it clips to.
    return qRound(logico * rapporto);
}

QRect rettangolo(const QRect &logico, double rapporto)
{
    const QPoint alto(bordo(logico.left(), rapporto), bordo(logico.top(), rapporto));
    const QPoint basso(bordo(logico.left() + logico.width(), rapporto), bordo(logico.top() + logico.height(), rapporto));
    return {alto, basso - QPoint(1, 1)};
}

QPointF instrada(QPointF esatta, double rapporto)
{
    return {instradaAsse(esatta.x(), rapporto), instradaAsse(esatta.y(), rapporto)};
}

QPoint pixel(QPointF instradata, double rapporto)
{
    return {pixelAsse(instradata.x(), rapporto), pixelAsse(instradata.y(), rapporto)};
}

QPointF nellaFinestra(const QMouseEvent &evento, const QWidget &w)
{
    // Qt hands a widget its position rounded to whole logical units; the
    // position in the window keeps the part that tells the device pixel.
    // (An event sent to the widget itself, as tests do, has the same
    // position in both, with nothing more to tell.)
    const QPointF scena = evento.scenePosition();
    return evento.position() + (scena - QPointF(scena.toPoint())) + QPointF(w.mapTo(w.window(), QPoint(0, 0)));
}

void instradaPressioni(QWidget *finestra)
{
    new Instradatore(finestra);
}

Pittura::Pittura(QPainter &p, const QWidget *w)
    : m_p(p)
    , m_prima(p.worldTransform())
{
    const QTransform t = p.deviceTransform();
    if (t.type() <= QTransform::TxScale && t.m11() > 0 && t.m11() == t.m22())
        m_rapporto = t.m11();
    // The widget's corner on the device in logical units: a whole number,
    // as widgets stand at whole logical places.
    m_posto = QPoint(qRound(t.dx() / m_rapporto), qRound(t.dy() / m_rapporto));
    m_origine = QPoint(bordo(m_posto.x(), m_rapporto), bordo(m_posto.y(), m_rapporto));
    m_rettangolo = di(w->rect());
    // Device pixel q is painted at q + origine: the world transform undoes
    // the device's own, whatever the painter had before.
    p.setWorldTransform(QTransform::fromTranslate(m_origine.x(), m_origine.y()) * t.inverted() * m_prima);
}

Pittura::~Pittura()
{
    m_p.setWorldTransform(m_prima);
}

QRect Pittura::di(const QRect &logico) const
{
    return dispositivo::rettangolo(logico.translated(m_posto), m_rapporto).translated(-m_origine);
}

} // namespace dispositivo
