// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/controlli.h"

#include "game/disegno.h"
#include "windows/scena.h"
#include "windows/dispositivo.h"
#include "windows/fuoco.h"
#include "windows/impaginazione.h"
#include "windows/ingrandimento.h"
#include "windows/layout.h"

#include <QFocusFrame>
#include <QGuiApplication>
#include <QImageReader>
#include <QStyleHints>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmapCache>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Highlight and shadow of the 3-D edges, outer ring first.
constexpr Colore LuceEsterna = 0xFFFFFF;
constexpr Colore LuceInterna = 0xE0E0E0;
constexpr Colore OmbraInterna = 0x808080;
constexpr Colore OmbraEsterna = 0x000000;

// A ring between two rectangles: its top and left in `alto`, its bottom
// and right (corners included) in `basso`.
void anello(QPainter &p, const QRect &fuori, const QRect &dentro, const QColor &alto, const QColor &basso)
{
    p.fillRect(QRect(fuori.topLeft(), QPoint(dentro.right(), dentro.top() - 1)), alto);
    p.fillRect(QRect(fuori.topLeft(), QPoint(dentro.left() - 1, dentro.bottom())), alto);
    p.fillRect(QRect(QPoint(fuori.left(), dentro.bottom() + 1), fuori.bottomRight()), basso);
    p.fillRect(QRect(QPoint(dentro.right() + 1, fuori.top()), fuori.bottomRight()), basso);
}

// The colours of the two rings, outer first: raised (light top-left) or
// sunken (dark top-left).
struct Anelli
{
    QColor alto[2];
    QColor basso[2];
};

Anelli anelli(bool incassato)
{
    const Colore alti[2] = {incassato ? OmbraInterna : LuceEsterna, incassato ? OmbraEsterna : LuceInterna};
    const Colore bassi[2] = {incassato ? LuceEsterna : OmbraEsterna, incassato ? LuceInterna : OmbraInterna};
    return {{colore::aQColor(alti[0]), colore::aQColor(alti[1])}, {colore::aQColor(bassi[0]), colore::aQColor(bassi[1])}};
}

// Two rings of edges inside r, each one pixel wide at 96 dpi and round(k)
// or so at k device pixels to the 96-dpi pixel.
void disegnaBordo(QPainter &p, QRect r, bool incassato, double k)
{
    const Anelli a = anelli(incassato);
    for (int i = 0; i < 2; ++i) {
        const int t = scena::scala(i + 1, k) - scena::scala(i, k);
        const QRect dentro = r.adjusted(t, t, -t, -t);
        anello(p, r, dentro, a.alto[i], a.basso[i]);
        r = dentro;
    }
}

// The sunken rings of a picture box, filling all that lies between its
// outer edges and its inner area (both in device pixels): the outer ring
// as wide as one pixel at 96 dpi where there is room, the inner the rest.
void disegnaCornice(QPainter &p, const QRect &fuori, const QRect &dentro, double k)
{
    const Anelli a = anelli(true);
    const int t = scena::scala(1, k);
    const QRect mezzo(QPoint(fuori.left() + std::min(t, dentro.left() - fuori.left()), fuori.top() + std::min(t, dentro.top() - fuori.top())),
                      QPoint(fuori.right() - std::min(t, fuori.right() - dentro.right()),
                             fuori.bottom() - std::min(t, fuori.bottom() - dentro.bottom())));
    anello(p, fuori, mezzo, a.alto[0], a.basso[0]);
    anello(p, mezzo, dentro, a.alto[1], a.basso[1]);
}

QColor sfondo(const std::optional<Colore> &colore, const QWidget *w)
{
    return colore ? colore::aQColor(*colore) : w->palette().color(QPalette::Button);
}

// A picture LatoIcona pixels square at 96 dpi, drawn in the square posto
// at factor s on a screen of ratio rapporto: round(LatoIcona s rapporto)
// device pixels, centred on posto and laid 1:1 on the device's pixels, from
// the raster made for that size (else the next larger one scaled down
// smoothly; past the largest, that one grown). Kept in Qt's pixmap cache
// for the repaints.
void disegnaFigura(QPainter &p, const QIcon &figura, const QRect &posto, double s, double rapporto)
{
    const int n = static_cast<int>(std::lround(layout::LatoIcona * s * rapporto));
    const QString chiave = QStringLiteral("brindel_figura_%1_%2_%3").arg(figura.cacheKey()).arg(n).arg(rapporto);
    QPixmap pm;
    if (!QPixmapCache::find(chiave, &pm)) {
        pm = figura.pixmap(QSize(n, n), 1.0);
        if (!pm.isNull() && pm.width() != n)
            pm = pm.scaled(n, n, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pm.setDevicePixelRatio(rapporto);
        QPixmapCache::insert(chiave, pm);
    }
    const QPointF angolo(std::lround(posto.x() * rapporto + (posto.width() * rapporto - n) / 2),
                         std::lround(posto.y() * rapporto + (posto.height() * rapporto - n) / 2));
    p.drawPixmap(angolo / rapporto, pm);
}

// The focus mark of a picture box, above the controls the box holds (the
// covers and grid labels over the drawing): as large as the box, shown
// only on the mark's ring, and passing every press to what lies beneath. A
// focus frame, which assistive technologies do not count among the box's
// controls.
class AnelloFuoco : public QFocusFrame
{
public:
    explicit AnelloFuoco(QWidget *riquadro)
        : QFocusFrame(riquadro)
    {
        hide();
    }

    void colloca()
    {
        setGeometry(parentWidget()->rect());
        setMask(fuoco::regione(rect(), scena::fattore(this), layout::SegnoRiquadro));
        raise();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        const dispositivo::Pittura pixel(p, this);
        fuoco::disegna(p, pixel, rect(), scena::fattore(this), layout::SegnoRiquadro);
    }
};

// The arrows the cursor follows, as steps of one pixel.
std::optional<QPoint> direzione(int tasto)
{
    switch (tasto) {
    case Qt::Key_Left:
        return QPoint(-1, 0);
    case Qt::Key_Right:
        return QPoint(1, 0);
    case Qt::Key_Up:
        return QPoint(0, -1);
    case Qt::Key_Down:
        return QPoint(0, 1);
    default:
        return std::nullopt;
    }
}

bool premeIlControllo(const QKeyEvent *evento)
{
    const int tasto = evento->key();
    return !evento->isAutoRepeat() && (tasto == Qt::Key_Space || tasto == Qt::Key_Return || tasto == Qt::Key_Enter);
}

} // namespace

PulsanteGrafico::PulsanteGrafico(QWidget *genitore)
    : QAbstractButton(genitore)
{
    // The keyboard's alone: a click does not move the focus, so playing
    // with the mouse never leaves it on a control.
    setFocusPolicy(Qt::TabFocus);
    // Only the left button clicks; no press on a button, of any button,
    // reaches the control beneath it.
    setAttribute(Qt::WA_NoMousePropagation);
}

void PulsanteGrafico::setColoreProprio(std::optional<Colore> colore)
{
    if (m_colore == colore)
        return;
    m_colore = colore;
    update();
}

void PulsanteGrafico::setImmagine(const QIcon &immagine)
{
    m_immagine = immagine;
    update();
}

void PulsanteGrafico::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const double s = scena::fattore(this);
    {
        // The face and its edges cover every device pixel the button is shown on.
        const dispositivo::Pittura pixel(p, this);
        p.fillRect(pixel.rettangolo(), sfondo(m_colore, this));
        disegnaBordo(p, pixel.rettangolo(), isDown(), s * pixel.rapporto());
    }
    const QRect r = rect();

    const int margine = scena::scala(3, s);
    const int spostamento = isDown() ? scena::scala(1, s) : 0;
    QRect contenuto = r.adjusted(margine + spostamento, margine + spostamento, -margine + spostamento, -margine + spostamento);
    const QString didascalia = text();
    if (!m_immagine.isNull()) {
        const QFontMetrics fm(font());
        const int altezzaTesto = didascalia.isEmpty() ? 0 : fm.height();
        const int lato = scena::scala(layout::LatoIcona, s);
        const int alto = contenuto.top() + (contenuto.height() - lato - altezzaTesto) / 2;
        const QRect icona(contenuto.center().x() - lato / 2 + scena::scala(1, s), alto, lato, lato);
        disegnaFigura(p, m_immagine, icona, s, devicePixelRatioF());
        contenuto.setTop(icona.bottom() + 1);
        contenuto.setHeight(altezzaTesto);
    }
    if (!didascalia.isEmpty()) {
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(contenuto, Qt::AlignCenter, didascalia);
    }
    if (fuoco::visibile(this)) {
        // Whole on the part that is shown (a cover cut at the drawing's edge).
        const dispositivo::Pittura pixel(p, this);
        fuoco::disegna(p, pixel, mask().isEmpty() ? r : mask().boundingRect(), s, layout::SegnoPulsante);
    }
}

void PulsanteGrafico::mouseDoubleClickEvent(QMouseEvent *)
{
    // A double click is one click: its second press is not another answer.
}

void PulsanteGrafico::keyPressEvent(QKeyEvent *evento)
{
    if (!evento->isAutoRepeat() && (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(evento);
}

Etichetta::Etichetta(const QString &testo, QWidget *genitore)
    : QLabel(testo, genitore)
{
    setAttribute(Qt::WA_NoMousePropagation);
}

void Etichetta::mousePressEvent(QMouseEvent *evento)
{
    if (evento->button() == Qt::LeftButton)
        emit premuta();
}

void Etichetta::mouseDoubleClickEvent(QMouseEvent *)
{
}

void Etichetta::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.setFont(font());
    const QFontMetrics misure(font());
    int alto = 0;
    for (const RigaTesto &riga : impaginaTesto(text(), misure, width())) {
        if (alto >= height())
            break;
        p.drawText(riga.x, alto + misure.ascent(), riga.testo);
        alto += misure.height();
    }
}

RiquadroImmagine::RiquadroImmagine(QWidget *genitore)
    : QWidget(genitore)
{
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    scena::impostaOrigine(this, {layout::Bordo, layout::Bordo});
}

QRect RiquadroImmagine::areaInterna() const
{
    // The border is as wide on every side, whatever the box's edges were
    // rounded to: the rings fill it exactly.
    const int bordo = scena::scala(layout::Bordo, scena::fattore(this));
    return rect().adjusted(bordo, bordo, -bordo, -bordo);
}

void RiquadroImmagine::mostraImmagineDifferita(const QString &file)
{
    const QSize lato = QImageReader(file).size();
    m_superficie.immagine = QImage();
    m_differita = file;
    prendiMisura(lato);
}

superficie::Superficie &RiquadroImmagine::superficieCaricata() const
{
    if (!m_differita.isEmpty()) {
        m_superficie.immagine = disegno::opaca(QImage(m_differita), coloreMostrato());
        m_differita.clear();
    }
    return m_superficie;
}

void RiquadroImmagine::mostraImmagine(const QImage &immagine)
{
    m_differita.clear();
    m_superficie.immagine = disegno::opaca(immagine, coloreMostrato());
    prendiMisura(m_superficie.immagine.size());
}

void RiquadroImmagine::prendiMisura(QSize lato)
{
    scena::ridimensiona(this, lato.width() + 2 * layout::Bordo, lato.height() + 2 * layout::Bordo);
    update();
}

Colore RiquadroImmagine::colorePixel(int x, int y) const
{
    const QImage &immagine = superficieCaricata().immagine;
    if (immagine.valid(x, y))
        return colore::daRgb(immagine.pixel(x, y));
    return coloreMostrato();
}

Colore RiquadroImmagine::coloreMostrato() const
{
    return colore::daRgb(sfondo(m_colore, this).rgb());
}

void RiquadroImmagine::ridisegna(const QRect &rettangolo)
{
    if (rettangolo.isEmpty())
        return;
    const double s = scena::fattore(this);
    const QPoint angolo = areaInterna().topLeft();
    if (s == 1.0 && devicePixelRatioF() == 1.0) {
        repaint(rettangolo.translated(angolo));
        return;
    }
    // The grown view changes around the changed pixels, as far as the
    // smoothing reaches: one pixel of the drawing on each side; and a
    // logical pixel more for where the device's pixels are rounded to.
    const QRect dintorno = rettangolo.adjusted(-1, -1, 1, 1);
    repaint(QRectF(dintorno.x() * s, dintorno.y() * s, dintorno.width() * s, dintorno.height() * s)
                .toAlignedRect()
                .adjusted(-1, -1, 1, 1)
                .translated(angolo));
}

std::optional<QPoint> RiquadroImmagine::pixelSotto(QPointF scena) const
{
    const double rapporto = devicePixelRatioF();
    const QPoint premuto = dispositivo::pixel(scena, rapporto);
    const QRect interna = dispositivo::rettangolo(areaInterna().translated(mapTo(window(), QPoint(0, 0))), rapporto);
    if (!interna.contains(premuto))
        return std::nullopt;
    const QPoint v = premuto - interna.topLeft();
    const double k = scena::fattore(this) * rapporto;
    if (k == 1.0)
        return v;
    // The drawing's pixel that device pixel v shows: the one its middle
    // falls on (the largest share of its smoothed colour).
    return QPoint(static_cast<int>(std::floor((v.x() + 0.5) / k)), static_cast<int>(std::floor((v.y() + 0.5) / k)));
}

void RiquadroImmagine::setColoreProprio(std::optional<Colore> colore)
{
    m_colore = colore;
    update();
}

void RiquadroImmagine::paintEvent(QPaintEvent *evento)
{
    // Rings and inside from one set of edges, on every device pixel the
    // box is shown on.
    QPainter p(this);
    const dispositivo::Pittura pixel(p, this);
    const QRect interna = pixel.di(areaInterna());
    const QRect zona = pixel.di(evento->rect());
    const double k = scena::fattore(this) * pixel.rapporto();
    if (!interna.contains(zona))
        disegnaCornice(p, pixel.rettangolo(), interna, k);
    dipingiInterno(p, interna, zona & interna, k, pixel.origine());
    if (m_cursore && fuoco::visibile(this))
        dipingiCursore(p, interna, k);
}

void RiquadroImmagine::setCursore(std::optional<QPoint> pixel)
{
    if (pixel) {
        // On the picture: at its edge when the arrows would take it past.
        const QSize lato = superficieCaricata().immagine.size();
        if (lato.isEmpty())
            pixel.reset();
        else
            pixel = QPoint(std::clamp(pixel->x(), 0, lato.width() - 1), std::clamp(pixel->y(), 0, lato.height() - 1));
    }
    if (pixel == m_cursore)
        return;
    const bool mostrato = fuoco::visibile(this);
    if (mostrato && m_cursore)
        update(zonaCursore());
    m_cursore = pixel;
    if (mostrato && m_cursore)
        update(zonaCursore());
}

QRect RiquadroImmagine::zonaCursore() const
{
    // The arms' reach and their white edges, and a pixel more for where
    // the device's pixels are rounded to.
    const layout::Mirino &m = layout::MirinoDisegno;
    const double s = scena::fattore(this);
    const QPoint centro = areaInterna().topLeft()
        + QPoint(static_cast<int>((m_cursore->x() + 0.5) * s), static_cast<int>((m_cursore->y() + 0.5) * s));
    const int raggio = static_cast<int>(std::ceil((m.vuoto + m.braccio + m.linea + 2 * m.bordo) * s)) + 2;
    return QRect(centro - QPoint(raggio, raggio), centro + QPoint(raggio, raggio));
}

void RiquadroImmagine::dipingiCursore(QPainter &p, const QRect &interna, double k) const
{
    const layout::Mirino &m = layout::MirinoDisegno;
    // The device pixel in the middle of the cursor's pixel: of those that
    // show it, the one its middle falls on.
    const QPoint centro = interna.topLeft()
        + QPoint(static_cast<int>(std::floor((m_cursore->x() + 0.5) * k)), static_cast<int>(std::floor((m_cursore->y() + 0.5) * k)));
    const int vuoto = scena::scala(m.vuoto, k);
    const int braccio = std::max(1, scena::scala(m.braccio, k));
    const int linea = std::max(1, scena::scala(m.linea, k));
    const int bordo = std::max(1, scena::scala(m.bordo, k));
    const int mezza = linea / 2;
    const QRect bracci[4] = {
        {centro.x() + vuoto + 1, centro.y() - mezza, braccio, linea},
        {centro.x() - vuoto - braccio, centro.y() - mezza, braccio, linea},
        {centro.x() - mezza, centro.y() + vuoto + 1, linea, braccio},
        {centro.x() - mezza, centro.y() - vuoto - braccio, linea, braccio},
    };
    p.save();
    p.setClipRect(interna);
    for (const QRect &b : bracci)
        p.fillRect(b.adjusted(-bordo, -bordo, bordo, bordo), colore::aQColor(colore::Bianco));
    for (const QRect &b : bracci)
        p.fillRect(b, colore::aQColor(colore::Nero));
    p.restore();
}

void RiquadroImmagine::aggiornaFuoco()
{
    const bool visibile = fuoco::visibile(this);
    if (visibile && !m_anello)
        m_anello = new AnelloFuoco(this);
    if (m_anello) {
        if (visibile) {
            // Above the neighbours it overlaps (the swatches by a pixel).
            raise();
            static_cast<AnelloFuoco *>(m_anello)->colloca();
        }
        m_anello->setVisible(visibile);
    }
    if (m_cursore)
        update(zonaCursore());
}

void RiquadroImmagine::focusInEvent(QFocusEvent *)
{
    // Only the mark and the cursor change: the picture is not painted again.
    aggiornaFuoco();
}

void RiquadroImmagine::focusOutEvent(QFocusEvent *)
{
    aggiornaFuoco();
}

void RiquadroImmagine::keyPressEvent(QKeyEvent *evento)
{
    const bool comandi = evento->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (m_cursore && !comandi) {
        if (const std::optional<QPoint> verso = direzione(evento->key())) {
            const int passo = evento->modifiers() & Qt::ShiftModifier ? 1 : layout::MirinoDisegno.passo;
            setCursore(*m_cursore + *verso * passo);
            return;
        }
        if (premeIlControllo(evento)) {
            // Only where the cursor is seen: a key struck while playing with
            // the mouse paints nothing.
            if (fuoco::visibile(this))
                emit premuto(Qt::NoButton, evento->modifiers(), m_cursore->x(), m_cursore->y());
            return;
        }
    }
    if (premeIlControllo(evento)) {
        emit click();
        return;
    }
    QWidget::keyPressEvent(evento);
}

bool RiquadroImmagine::event(QEvent *evento)
{
    if (evento->type() == scena::Scena::eventoScala()) {
        update();
        aggiornaFuoco();
        return true;
    }
    if (evento->type() == fuoco::eventoTastiera()) {
        aggiornaFuoco();
        return true;
    }
    if (evento->type() == QEvent::ChildAdded) {
        if (auto *figlio = qobject_cast<QWidget *>(static_cast<QChildEvent *>(evento)->child()))
            figlio->installEventFilter(this);
    } else if (evento->type() == QEvent::Resize) {
        for (QWidget *figlio : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (figlio != m_anello)
                ritaglia(figlio);
        if (m_anello && m_anello->isVisible())
            static_cast<AnelloFuoco *>(m_anello)->colloca();
    }
    return QWidget::event(evento);
}

bool RiquadroImmagine::eventFilter(QObject *oggetto, QEvent *evento)
{
    if ((evento->type() == QEvent::Move || evento->type() == QEvent::Resize) && oggetto->parent() == this)
        ritaglia(static_cast<QWidget *>(oggetto));
    return QWidget::eventFilter(oggetto, evento);
}

void RiquadroImmagine::ritaglia(QWidget *figlio) const
{
    const QRect dentro = areaInterna().translated(-figlio->pos()).intersected(figlio->rect());
    if (dentro == figlio->rect())
        figlio->clearMask();
    else
        figlio->setMask(QRegion(dentro));
}

void RiquadroImmagine::mousePressEvent(QMouseEvent *evento)
{
    m_ultimaPressione = evento->timestamp();
    if (const std::optional<QPoint> punto = pixelSotto(dispositivo::nellaFinestra(*evento, *this)))
        emit premuto(evento->button(), evento->modifiers(), punto->x(), punto->y());
    m_premuto = evento->button() == Qt::LeftButton;
}

void RiquadroImmagine::mouseDoubleClickEvent(QMouseEvent *evento)
{
    // The second press of a double click presses the box only if the first
    // one did: when the first went to a control that then went away (a
    // cover answered), the second does nothing.
    const quint64 intervallo = static_cast<quint64>(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    if (m_ultimaPressione && evento->timestamp() - *m_ultimaPressione <= intervallo)
        mousePressEvent(evento);
}

void RiquadroImmagine::mouseReleaseEvent(QMouseEvent *evento)
{
    const bool dentro = m_premuto && rect().contains(evento->position().toPoint());
    m_premuto = false;
    if (dentro)
        emit click();
}

void RiquadroImmagine::dipingiInterno(QPainter &p, const QRect &interna, const QRect &zona, double k, QPoint origine)
{
    const QImage &immagine = superficieCaricata().immagine;
    const QColor fondo = sfondo(m_colore, this);
    if (immagine.isNull()) {
        p.fillRect(zona, fondo);
        return;
    }
    // The view, grown by k = the window's factor times the screen's ratio;
    // only what it does not cover shows the back colour.
    const QSize lato = k == 1.0 ? immagine.size()
                                : QSize(static_cast<int>(std::ceil(immagine.width() * k)), static_cast<int>(std::ceil(immagine.height() * k)));
    const QRect vista(interna.topLeft(), lato);
    for (const QRect &pezzo : QRegion(zona) - vista)
        p.fillRect(pezzo, fondo);
    const QRect sorgente = (zona & vista).translated(-vista.topLeft());
    if (sorgente.isEmpty())
        return;
    if (k == 1.0) {
        p.drawImage(vista.topLeft() + sorgente.topLeft(), immagine, sorgente);
        return;
    }
    ingrandimento::disegna(p, immagine, sorgente, k, vista.topLeft(), origine);
}
