// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/ingrandimento.h"

#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ingrandimento {
namespace {

// One source pixel and the weight (of 256) of the next one, for each view
// pixel along one axis: view pixel v samples the source at (v + 0.5) / k - 0.5.
struct Campione
{
    int primo;
    int secondo;
    quint32 peso;
};

std::vector<Campione> campioni(int inizio, int numero, int lato, double k)
{
    std::vector<Campione> c(static_cast<std::size_t>(numero));
    for (int i = 0; i < numero; ++i) {
        const double u = std::max(0.0, (inizio + i + 0.5) / k - 0.5);
        const int primo = std::min(static_cast<int>(u), lato - 1);
        const auto peso = static_cast<quint32>(std::lround((u - primo) * 256));
        c[static_cast<std::size_t>(i)] = {primo, std::min(primo + 1, lato - 1), std::min<quint32>(peso, 256)};
    }
    return c;
}

inline quint32 misto(quint32 a, quint32 b, quint32 peso)
{
    const quint32 rb = (((a & 0xFF00FFu) * (256 - peso) + (b & 0xFF00FFu) * peso) >> 8) & 0xFF00FFu;
    const quint32 g = (((a & 0x00FF00u) * (256 - peso) + (b & 0x00FF00u) * peso) >> 8) & 0x00FF00u;
    return 0xFF000000u | rb | g;
}

// The view pixels of zona, the picture grown by k with bilinear smoothing,
// written to destinazione moved by spostamento.
// Each view pixel depends only on where it stands, so a piece made again
// matches the whole view made at once. Most of a drawing is flat colour:
// where a pixel, its right neighbour and the two below are alike, the view
// pixels between them are that colour, written in runs. The view rows that
// sample the same two picture rows differ only where the picture is not
// flat, so each of them after the first copies the one above and mixes
// those few pixels again with its own weight, from the two horizontal
// mixes kept from the first.
void ingrandisci(const QImage &sorgente, QImage &destinazione, const QRect &zona, double k, QPoint spostamento)
{
    const std::vector<Campione> colonne = campioni(zona.left(), zona.width(), sorgente.width(), k);
    const std::vector<Campione> righe = campioni(zona.top(), zona.height(), sorgente.height(), k);
    const int w = sorgente.width();
    const std::size_t n = colonne.size();
    std::vector<char> piatto(static_cast<std::size_t>(w));
    // The first view column that samples picture column x or one right of it.
    // (Columns sample the picture left to right, never going back.)
    std::vector<std::size_t> daColonna(static_cast<std::size_t>(w) + 1, n);
    for (std::size_t x = 0, i = 0; x < daColonna.size(); ++x) {
        while (i < n && static_cast<std::size_t>(colonne[i].primo) < x)
            ++i;
        daColonna[x] = i;
    }
    // View columns not flat for the current pair of rows, with their upper
    // and lower horizontal mixes.
    std::vector<std::size_t> misti;
    std::vector<quint32> misteAlte, misteBasse;
    const quint32 *sopra = nullptr;  // the view row above, if it samples the same rows
    int coppia = -1;
    for (int j = 0; j < zona.height(); ++j) {
        const Campione &r = righe[static_cast<std::size_t>(j)];
        const auto *alta = reinterpret_cast<const quint32 *>(sorgente.constScanLine(r.primo));
        const auto *bassa = reinterpret_cast<const quint32 *>(sorgente.constScanLine(r.secondo));
        auto *uscita = reinterpret_cast<quint32 *>(destinazione.scanLine(zona.top() + j + spostamento.y())) + zona.left() + spostamento.x();
        if (r.primo == coppia && sopra) {
            std::copy(sopra, sopra + n, uscita);
            for (std::size_t m = 0; m < misti.size(); ++m)
                uscita[misti[m]] = misto(misteAlte[m], misteBasse[m], r.peso);
            sopra = uscita;
            continue;
        }
        coppia = r.primo;
        misti.clear();
        misteAlte.clear();
        misteBasse.clear();
        for (int x = 0; x < w; ++x) {
            const int y = std::min(x + 1, w - 1);
            piatto[static_cast<std::size_t>(x)] = alta[x] == alta[y] && bassa[x] == bassa[y] && alta[x] == bassa[x];
        }
        for (std::size_t i = 0; i < n;) {
            const Campione &c = colonne[i];
            const quint32 a = alta[c.primo];
            if (piatto[static_cast<std::size_t>(c.primo)]) {
                // The run goes on over the picture's flat pixels of this colour.
                int x = c.primo + 1;
                while (x < w && piatto[static_cast<std::size_t>(x)] && alta[x] == a)
                    ++x;
                const std::size_t fine = std::max(i + 1, daColonna[static_cast<std::size_t>(x)]);
                std::fill(uscita + i, uscita + fine, a);
                i = fine;
                continue;
            }
            misti.push_back(i);
            misteAlte.push_back(misto(a, alta[c.secondo], c.peso));
            misteBasse.push_back(misto(bassa[c.primo], bassa[c.secondo], c.peso));
            uscita[i++] = misto(misteAlte.back(), misteBasse.back(), r.peso);
        }
        sopra = uscita;
    }
}

// The 32-bit image a painter writes to, and the pixels the window lets it
// change there (in the image's own pixels); none when it paints on anything
// else.
struct Destinazione
{
    QImage *immagine = nullptr;
    QRegion consentita;
};

Destinazione destinazione(QPainter &p)
{
    QPaintEngine *motore = p.paintEngine();
    if (!motore || motore->type() != QPaintEngine::Raster || !motore->paintDevice()
        || motore->paintDevice()->devType() != QInternal::Image)
        return {};
    auto *immagine = static_cast<QImage *>(motore->paintDevice());
    const QImage::Format f = immagine->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32 && f != QImage::Format_ARGB32_Premultiplied)
        return {};
    QRegion consentita = motore->systemClip() & immagine->rect();
    if (consentita.isEmpty())
        return {};
    if (p.hasClipping())
        consentita &= p.deviceTransform().mapRect(p.clipBoundingRect()).toAlignedRect();
    return {immagine, consentita};
}
} // namespace

void disegna(QPainter &p, const QImage &immagine, const QRect &zona, double k, QPoint angolo, QPoint origine)
{
    if (const Destinazione d = destinazione(p); d.immagine) {
        const QPoint spostamento = origine + angolo;
        for (const QRect &r : d.consentita.translated(-spostamento) & zona)
            ingrandisci(immagine, *d.immagine, r, k, spostamento);
        return;
    }
    QImage pezzo(zona.size(), QImage::Format_RGB32);
    ingrandisci(immagine, pezzo, zona, k, -zona.topLeft());
    p.drawImage(angolo + zona.topLeft(), pezzo);
}

} // namespace ingrandimento
