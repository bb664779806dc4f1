// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/aspetto.h"

#include <QFile>
#include <QFontDatabase>
#include <QHash>
#include <QIconEngine>
#include <QPainter>

#include <algorithm>

namespace aspetto {

namespace {

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

void registraSostituzioni()
{
    QFont::insertSubstitution(QStringLiteral("Comic Sans MS"), QStringLiteral("Comic Neue"));
    QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
}

} // namespace aspetto
