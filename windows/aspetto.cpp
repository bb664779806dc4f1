// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/aspetto.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFrame>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QLayout>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

namespace aspetto {

namespace {

// Where colloca keeps a control's place, font size and line at 96 dpi.
constexpr char Posto[] = "brindel_posto";
constexpr char Pixel[] = "brindel_pixel";
constexpr char Linea[] = "brindel_linea";
constexpr char Origine[] = "brindel_origine";

void applica(QWidget *w, double s)
{
    const QVariant posto = w->property(Posto);
    if (posto.isValid()) {
        const QRect r = posto.toRect();
        w->setGeometry(scala(layout::Rettangolo{r.x(), r.y(), r.width(), r.height()}, s).translated(origine(w->parentWidget(), s)));
    }
    const QVariant pixel = w->property(Pixel);
    if (pixel.isValid()) {
        QFont f = w->font();
        f.setPixelSize(std::max(1, scala(pixel.toInt(), s)));
        w->setFont(f);
    }
    const QVariant linea = w->property(Linea);
    if (auto *cornice = qobject_cast<QFrame *>(w); cornice && linea.isValid())
        cornice->setLineWidth(std::max(1, scala(linea.toInt(), s)));
}

// A picture made at several sizes, one raster file each, increasing. A file
// is read when its size is asked for and not kept: read at once, the four
// pictures at all their sizes would hold 2.3 MB and take about 6 ms, where
// a button shows one size.
class Figura final : public QIconEngine
{
public:
    explicit Figura(QList<std::pair<int, QString>> file)
        : m_file(std::move(file))
    {
    }

    QIconEngine *clone() const override { return new Figura(m_file); }
    QString key() const override { return QStringLiteral("brindel_figura"); }
    bool isNull() override { return m_file.isEmpty(); }

    // The sizes offered to the desktop as a window's icon; pixmap makes any.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> lati;
        for (const auto &[lato, file] : m_file)
            if (std::find(layout::LatiIconaFinestra.cbegin(), layout::LatiIconaFinestra.cend(), lato) != layout::LatiIconaFinestra.cend())
                lati.append({lato, lato});
        return lati;
    }

    // As QIcon promises: square, never larger than asked for.
    QSize actualSize(const QSize &lato, QIcon::Mode, QIcon::State) override
    {
        const int n = m_file.isEmpty() ? 0 : std::min({lato.width(), lato.height(), m_file.back().first});
        return {n, n};
    }

    // The raster made for the size, else the next larger one scaled down
    // smoothly, else the largest.
    QPixmap pixmap(const QSize &lato, QIcon::Mode modo, QIcon::State stato) override
    {
        const int n = actualSize(lato, modo, stato).width();
        if (n <= 0)
            return {};
        const auto scelto = std::find_if(m_file.cbegin(), m_file.cend(), [n](const auto &f) { return f.first >= n; });
        QImage img(scelto == m_file.cend() ? m_file.back().second : scelto->second);
        if (!img.isNull() && img.width() != n)
            img = img.scaled(n, n, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return QPixmap::fromImage(std::move(img));
    }

    // Sizes asked for here are in device pixels already.
    QPixmap scaledPixmap(const QSize &lato, QIcon::Mode modo, QIcon::State stato, qreal) override
    {
        return pixmap(lato, modo, stato);
    }

    void paint(QPainter *p, const QRect &r, QIcon::Mode modo, QIcon::State stato) override
    {
        const qreal rapporto = p->device() ? p->device()->devicePixelRatioF() : 1.0;
        p->drawPixmap(r, pixmap((QSizeF(r.size()) * rapporto).toSize(), modo, stato));
    }

private:
    QList<std::pair<int, QString>> m_file;
};

} // namespace

QFont carattere(const layout::Carattere &c)
{
    // The family the layout names where it is installed, else straight away
    // the free font the game installs in its place: a family that is not
    // there would make every text in it ask the system for fallbacks.
    static QHash<QByteArray, QString> risolte;
    const QByteArray nome(c.famiglia);
    auto trovata = risolte.constFind(nome);
    if (trovata == risolte.cend()) {
        const QString famiglia = QString::fromLatin1(nome);
        trovata = risolte.insert(nome, QFontDatabase::hasFamily(famiglia) ? famiglia : QFont::substitute(famiglia));
    }
    QFont f(*trovata);
    f.setPixelSize(c.pixel);
    f.setBold(true);
    return f;
}

QIcon immagine(const char *nome)
{
    const QString file = QStringLiteral(":/immagini/") + QLatin1String(nome);
    qsizetype punto = file.lastIndexOf(u'.');
    if (punto < 0)
        punto = file.size();
    QList<std::pair<int, QString>> lati;
    for (int lato : layout::LatiFigura) {
        QString f = file;
        if (lato != layout::LatoIcona)
            f.insert(punto, QStringLiteral("-%1").arg(lato));
        if (QFile::exists(f))
            lati.append({lato, f});
    }
    return lati.isEmpty() ? QIcon() : QIcon(new Figura(std::move(lati)));
}

void impostaSfondo(QWidget *w, Colore colore)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Window, colore::aQColor(colore));
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

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
        if (const auto *scena = qobject_cast<const Scena *>(w))
            return scena->fattore();
    return 1.0;
}

void impostaOrigine(QWidget *w, QPoint origine)
{
    w->setProperty(Origine, origine);
}

QPoint origine(const QWidget *w, double s)
{
    const QVariant o = w ? w->property(Origine) : QVariant();
    if (!o.isValid())
        return {};
    return {scala(o.toPoint().x(), s), scala(o.toPoint().y(), s)};
}

void colloca(QWidget *w, const layout::Rettangolo &r)
{
    w->setProperty(Posto, QRect(r.left, r.top, r.width, r.height));
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
    const QVariant posto = w->property(Posto);
    const QRect r = posto.isValid() ? posto.toRect() : w->geometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

void impostaCarattere(QWidget *w, const layout::Carattere &c)
{
    w->setFont(carattere(c));
    w->setProperty(Pixel, c.pixel);
    applica(w, fattore(w));
}

void impostaLinea(QFrame *cornice, int spessore)
{
    cornice->setProperty(Linea, spessore);
    applica(cornice, fattore(cornice));
}

void registraSostituzioni()
{
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
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
    const QRect posto(QPoint((lato.width() - scalata.width()) / 2, (lato.height() - scalata.height()) / 2), scalata);
    if (s == m_fattore) {
        setGeometry(posto);
        return;
    }
    m_fattore = s;
    // Controls first, then the scene: a resize of the scene finds them placed.
    const QList<QWidget *> controlli = findChildren<QWidget *>();
    for (QWidget *w : controlli)
        applica(w, s);
    setGeometry(posto);
    for (QWidget *w : controlli) {
        QEvent cambio(eventoScala());
        QCoreApplication::sendEvent(w, &cambio);
    }
}

} // namespace aspetto
