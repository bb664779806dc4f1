#include "windows/controlli.h"

#include "game/disegno.h"
#include "windows/layout.h"

#include <QImageReader>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

namespace {

// Highlight and shadow of the 3-D edges, outer ring first.
constexpr Colore LuceEsterna = 0xFFFFFF;
constexpr Colore LuceInterna = 0xE0E0E0;
constexpr Colore OmbraInterna = 0x808080;
constexpr Colore OmbraEsterna = 0x000000;

// Two rings of edges: raised (light top-left) or sunken (dark top-left).
void disegnaBordo(QPainter &p, QRect r, bool incassato)
{
    const Colore alti[2] = {incassato ? OmbraInterna : LuceEsterna, incassato ? OmbraEsterna : LuceInterna};
    const Colore bassi[2] = {incassato ? LuceEsterna : OmbraEsterna, incassato ? LuceInterna : OmbraInterna};
    for (int anello = 0; anello < 2; ++anello) {
        p.setPen(colore::aQColor(alti[anello]));
        p.drawLine(r.topLeft(), r.topRight() - QPoint(1, 0));
        p.drawLine(r.topLeft(), r.bottomLeft() - QPoint(0, 1));
        p.setPen(colore::aQColor(bassi[anello]));
        p.drawLine(r.bottomLeft(), r.bottomRight());
        p.drawLine(r.topRight(), r.bottomRight());
        r.adjust(1, 1, -1, -1);
    }
}

QColor sfondo(const std::optional<Colore> &colore, const QWidget *w)
{
    return colore ? colore::aQColor(*colore) : w->palette().color(QPalette::Button);
}

} // namespace

PulsanteGrafico::PulsanteGrafico(QWidget *genitore)
    : QAbstractButton(genitore)
{
    setFocusPolicy(Qt::StrongFocus);
}

void PulsanteGrafico::setBackColor(std::optional<Colore> colore)
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
    const QRect r = rect();
    p.fillRect(r, sfondo(m_colore, this));
    disegnaBordo(p, r, isDown());

    const int spostamento = isDown() ? 1 : 0;
    QRect contenuto = r.adjusted(3 + spostamento, 3 + spostamento, -3 + spostamento, -3 + spostamento);
    const QString didascalia = text();
    if (!m_immagine.isNull()) {
        const QFontMetrics fm(font());
        const int altezzaTesto = didascalia.isEmpty() ? 0 : fm.height();
        const int alto = contenuto.top() + (contenuto.height() - layout::LatoIcona - altezzaTesto) / 2;
        const QRect icona(contenuto.center().x() - layout::LatoIcona / 2 + 1, alto, layout::LatoIcona, layout::LatoIcona);
        m_immagine.paint(&p, icona);
        contenuto.setTop(icona.bottom() + 1);
        contenuto.setHeight(altezzaTesto);
    }
    if (!didascalia.isEmpty()) {
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(contenuto, Qt::AlignCenter, didascalia);
    }
    if (hasFocus()) {
        QPen tratteggio(palette().color(QPalette::ButtonText));
        tratteggio.setStyle(Qt::DotLine);
        p.setPen(tratteggio);
        p.setBrush(Qt::NoBrush);
        p.drawRect(r.adjusted(4, 4, -5, -5));
    }
}

void PulsanteGrafico::mousePressEvent(QMouseEvent *evento)
{
    if (evento->button() == Qt::LeftButton)
        QAbstractButton::mousePressEvent(evento);
    else
        evento->accept();
}

void PulsanteGrafico::mouseReleaseEvent(QMouseEvent *evento)
{
    if (evento->button() == Qt::LeftButton)
        QAbstractButton::mouseReleaseEvent(evento);
    else
        evento->accept();
}

void PulsanteGrafico::mouseDoubleClickEvent(QMouseEvent *evento)
{
    if (evento->button() == Qt::LeftButton)
        QAbstractButton::mouseDoubleClickEvent(evento);
    else
        evento->accept();
}

void PulsanteGrafico::keyPressEvent(QKeyEvent *evento)
{
    if (!evento->isAutoRepeat() && (evento->key() == Qt::Key_Return || evento->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(evento);
}

QList<RigaTesto> impaginaTesto(const QString &testo, const QFontMetrics &misure, int larghezza)
{
    QList<RigaTesto> righe;
    const auto aggiungi = [&](const QString &riga) {
        righe.append({riga, (larghezza - misure.horizontalAdvance(riga)) / 2});
    };
    for (const QString &paragrafo : testo.split(u'\n')) {
        const qsizetype n = paragrafo.size();
        qsizetype inizio = 0;
        while (true) {
            // Add words, each with the spaces before it, while the line fits;
            // a line may break before any word but its first.
            qsizetype i = inizio;
            qsizetype prossima = n;
            while (i < n) {
                qsizetype parola = i;
                while (parola < n && paragrafo[parola] == u' ')
                    ++parola;
                qsizetype fine = parola;
                while (fine < n && paragrafo[fine] != u' ')
                    ++fine;
                if (misure.horizontalAdvance(paragrafo.mid(inizio, fine - inizio)) > larghezza) {
                    prossima = parola > inizio ? parola : fine;
                    break;
                }
                i = fine;
            }
            if (prossima >= n && i >= n) {
                aggiungi(paragrafo.mid(inizio));
                break;
            }
            // A broken line loses the spaces at its break.
            QString riga = paragrafo.mid(inizio, prossima - inizio);
            while (riga.endsWith(u' '))
                riga.chop(1);
            aggiungi(riga);
            inizio = prossima;
            while (inizio < n && paragrafo[inizio] == u' ')
                ++inizio;
            if (inizio >= n)
                break;
        }
    }
    return righe;
}

Etichetta::Etichetta(const QString &testo, QWidget *genitore)
    : QLabel(testo, genitore)
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

void Etichetta::mousePressEvent(QMouseEvent *evento)
{
    evento->accept();
}

void Etichetta::mouseReleaseEvent(QMouseEvent *evento)
{
    evento->accept();
}

void Etichetta::mouseDoubleClickEvent(QMouseEvent *evento)
{
    evento->accept();
}

RiquadroImmagine::RiquadroImmagine(QWidget *genitore)
    : QWidget(genitore)
    , m_interno(new QWidget(this))
{
    setFocusPolicy(Qt::TabFocus);
    m_interno->move(layout::Bordo, layout::Bordo);
    m_interno->setAttribute(Qt::WA_OpaquePaintEvent);
    m_interno->installEventFilter(this);
}

void RiquadroImmagine::setPictureDifferita(const QString &file)
{
    const QSize lato = QImageReader(file).size();
    m_dc.immagine = QImage();
    m_differita = file;
    m_interno->resize(lato);
    resize(lato.width() + 2 * layout::Bordo, lato.height() + 2 * layout::Bordo);
    m_interno->update();
}

superficie::Superficie &RiquadroImmagine::dc() const
{
    if (!m_differita.isEmpty()) {
        m_dc.immagine = disegno::opaca(QImage(m_differita), coloreSfondo());
        m_differita.clear();
    }
    return m_dc;
}

void RiquadroImmagine::setPicture(const QImage &immagine)
{
    m_differita.clear();
    m_dc.immagine = disegno::opaca(immagine, coloreSfondo());
    m_interno->resize(m_dc.immagine.size());
    resize(m_dc.immagine.width() + 2 * layout::Bordo, m_dc.immagine.height() + 2 * layout::Bordo);
    m_interno->update();
}

Colore RiquadroImmagine::Point(int x, int y) const
{
    const QImage &immagine = dc().immagine;
    if (immagine.valid(x, y))
        return colore::daRgb(immagine.pixel(x, y));
    return coloreSfondo();
}

Colore RiquadroImmagine::coloreSfondo() const
{
    return colore::daRgb(sfondo(m_colore, this).rgb());
}

void RiquadroImmagine::ridisegna(const QRect &rettangolo)
{
    if (!rettangolo.isEmpty())
        m_interno->repaint(rettangolo);
}

void RiquadroImmagine::setBackColor(std::optional<Colore> colore)
{
    m_colore = colore;
    m_interno->update();
}

void RiquadroImmagine::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    disegnaBordo(p, rect(), true);
}

void RiquadroImmagine::keyPressEvent(QKeyEvent *evento)
{
    if (evento->key() == Qt::Key_Space && !evento->isAutoRepeat()) {
        emit click();
        return;
    }
    QWidget::keyPressEvent(evento);
}

void RiquadroImmagine::resizeEvent(QResizeEvent *)
{
    m_interno->resize(width() - 2 * layout::Bordo, height() - 2 * layout::Bordo);
}

void RiquadroImmagine::mousePressEvent(QMouseEvent *evento)
{
    m_premuto = evento->button() == Qt::LeftButton;
}

void RiquadroImmagine::mouseReleaseEvent(QMouseEvent *evento)
{
    const bool dentro = m_premuto && rect().contains(evento->position().toPoint());
    m_premuto = false;
    if (dentro)
        emit click();
}

bool RiquadroImmagine::eventFilter(QObject *oggetto, QEvent *evento)
{
    if (oggetto == m_interno && evento->type() == QEvent::Paint) {
        QPainter p(m_interno);
        const QRect zona = static_cast<QPaintEvent *>(evento)->rect();
        p.fillRect(zona, sfondo(m_colore, this));
        const QImage &immagine = dc().immagine;
        if (!immagine.isNull())
            p.drawImage(zona.topLeft(), immagine, zona);
        return true;
    }
    if (oggetto == m_interno && evento->type() == QEvent::MouseButtonPress) {
        // Reported here, then passed on to the box, which tracks the click.
        const auto *m = static_cast<QMouseEvent *>(evento);
        const QPoint punto = m->position().toPoint();
        emit mouseDown(m->button(), m->modifiers(), punto.x(), punto.y());
    }
    return QWidget::eventFilter(oggetto, evento);
}
