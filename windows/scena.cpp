// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/scena.h"

#include "windows/aspetto.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLayout>

#include <algorithm>
#include <cmath>
#include <optional>

namespace scena {

namespace {

// What colloca and its kin keep of a control, at 96 dpi: a child object of
// the control, so that it lives and dies with it.
class Posto final : public QObject
{
public:
    using QObject::QObject;

    // Its place, from its parent's corner.
    std::optional<layout::Rettangolo> rettangolo;
    // Its font's size in pixels.
    std::optional<int> pixel;
    // A frame's line width.
    std::optional<int> linea;
    // Where its own children are placed from, from its corner.
    QPoint origine;
};

Posto *postoDi(const QWidget *w)
{
    if (!w)
        return nullptr;
    for (QObject *figlio : w->children())
        if (auto *p = dynamic_cast<Posto *>(figlio))
            return p;
    return nullptr;
}

// The control's record, made with its first place, font or line.
Posto &posto(QWidget *w)
{
    if (Posto *p = postoDi(w))
        return *p;
    return *new Posto(w);
}

void applica(QWidget *w, double s)
{
    const Posto *p = postoDi(w);
    if (!p)
        return;
    if (p->rettangolo)
        w->setGeometry(scala(*p->rettangolo, s).translated(origine(w->parentWidget(), s)));
    if (p->pixel) {
        QFont f = w->font();
        f.setPixelSize(std::max(1, scala(*p->pixel, s)));
        w->setFont(f);
    }
    if (auto *cornice = qobject_cast<QFrame *>(w); cornice && p->linea)
        cornice->setLineWidth(std::max(1, scala(*p->linea, s)));
}

} // namespace

int scala(int x, double s)
{
    return static_cast<int>(std::floor(x * s + 0.5));
}

QRect scala(const layout::Rettangolo &r, double s)
{
    const int sinistra = scala(r.left, s);
    const int alto = scala(r.top, s);
    return {sinistra, alto, scala(r.left + r.width, s) - sinistra, scala(r.top + r.height, s) - alto};
}

double fattore(const QWidget *w)
{
    for (; w; w = w->parentWidget())
        if (const auto *s = qobject_cast<const Scena *>(w))
            return s->fattore();
    return 1.0;
}

void impostaOrigine(QWidget *w, QPoint origine)
{
    posto(w).origine = origine;
}

QPoint origine(const QWidget *w, double s)
{
    const Posto *p = postoDi(w);
    if (!p)
        return {};
    return {scala(p->origine.x(), s), scala(p->origine.y(), s)};
}

void colloca(QWidget *w, const layout::Rettangolo &r)
{
    posto(w).rettangolo = r;
    applica(w, fattore(w));
}

void ridimensiona(QWidget *w, int larghezza, int altezza)
{
    layout::Rettangolo r = rettangolo(w);
    r.width = larghezza;
    r.height = altezza;
    colloca(w, r);
}

layout::Rettangolo rettangolo(const QWidget *w)
{
    if (const Posto *p = postoDi(w); p && p->rettangolo)
        return *p->rettangolo;
    const QRect r = w->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void impostaCarattere(QWidget *w, const layout::Carattere &c)
{
    w->setFont(aspetto::carattere(c));
    posto(w).pixel = c.pixel;
    applica(w, fattore(w));
}

void impostaLinea(QFrame *cornice, int spessore)
{
    posto(cornice).linea = spessore;
    applica(cornice, fattore(cornice));
}

Scena::Scena(QSize misura, QWidget *contenitore)
    : QWidget(contenitore)
    , m_misura(misura)
{
    setGeometry(QRect(QPoint(0, 0), misura));
    contenitore->setMinimumSize(misura);
    contenitore->installEventFilter(this);
}

void Scena::consentiFattore(double minimo)
{
    m_minimo = std::min(1.0, minimo);
    parentWidget()->setMinimumSize(scala(layout::Rettangolo{0, 0, m_misura.width(), m_misura.height()}, m_minimo).size());
    // The window may be made that small at once, not only once its layout
    // has heard of it.
    if (QLayout *l = window()->layout())
        l->activate();
}

QEvent::Type Scena::eventoScala()
{
    static const auto tipo = static_cast<QEvent::Type>(QEvent::registerEventType());
    return tipo;
}

bool Scena::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == parent() && evento->type() == QEvent::Resize)
        adatta();
    return QWidget::eventFilter(oggetto, evento);
}

void Scena::adatta()
{
    const QSize lato = parentWidget()->size();
    const double s = std::max(m_minimo, std::min(double(lato.width()) / m_misura.width(), double(lato.height()) / m_misura.height()));
    const QSize scalata(scala(m_misura.width(), s), scala(m_misura.height(), s));
    const QRect dove(QPoint((lato.width() - scalata.width()) / 2, (lato.height() - scalata.height()) / 2), scalata);
    if (s == m_fattore) {
        setGeometry(dove);
        return;
    }
    m_fattore = s;
    // Controls first, then the scene: a resize of the scene finds them placed.
    const QList<QWidget *> controlli = findChildren<QWidget *>();
    for (QWidget *w : controlli)
        applica(w, s);
    setGeometry(dove);
    for (QWidget *w : controlli) {
        QEvent cambio(eventoScala());
        QCoreApplication::sendEvent(w, &cambio);
    }
}

} // namespace scena
