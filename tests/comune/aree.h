// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Areas of a picture found the plain, obviously right way, to hold the
// program's flood fill against, and the pictures that test it hardest.
// Header only: the benchmarks and the fuzzer (a project of its own) use it too.

#include "platform/colore.h"

#include <QImage>
#include <QPoint>
#include <QRect>

#include <cstdint>
#include <vector>

// Under the fuzzer the reference fill stays out of its coverage and out of
// the sanitizers' checks, which would slow it more than the fill it checks.
#if defined(__clang__)
#define PROVA_NON_STRUMENTATO __attribute__((no_sanitize("coverage", "address", "undefined")))
#else
#define PROVA_NON_STRUMENTATO
#endif

namespace prova {

// Paints every pixel 4-connected to (x0, y0) whose colour, alpha aside, is
// `da` with `a`, and gives the box it painted as {x1, y1, x2, y2}. Each
// pixel is painted as it is pushed, so `pila` (2 w h ints) never overflows.
// Plain arrays and no helpers, so that nothing instrumented gets inlined.
PROVA_NON_STRUMENTATO inline void riempiSemplice(QRgb *px, qsizetype passo, int w, int h, int x0, int y0, QRgb da,
                                                 QRgb a, std::int32_t *pila, int rettangolo[4])
{
    int x1 = x0, x2 = x0, y1 = y0, y2 = y0;
    qsizetype n = 0;
    px[y0 * passo + x0] = a;
    pila[n++] = x0;
    pila[n++] = y0;
    while (n > 0) {
        const int y = pila[--n];
        const int x = pila[--n];
        x1 = x < x1 ? x : x1;
        x2 = x > x2 ? x : x2;
        y1 = y < y1 ? y : y1;
        y2 = y > y2 ? y : y2;
        const int vx[4] = {x + 1, x - 1, x, x};
        const int vy[4] = {y, y, y + 1, y - 1};
        for (int k = 0; k < 4; ++k) {
            if (vx[k] < 0 || vx[k] >= w || vy[k] < 0 || vy[k] >= h)
                continue;
            QRgb &q = px[vy[k] * passo + vx[k]];
            if ((q & 0x00FFFFFFu) == da) {
                q = a;
                pila[n++] = vx[k];
                pila[n++] = vy[k];
            }
        }
    }
    rettangolo[0] = x1;
    rettangolo[1] = y1;
    rettangolo[2] = x2;
    rettangolo[3] = y2;
}

// The same on a 32-bit image, with the program's fill's contract: the area
// of `regione` under (x0, y0) painted `nuovo`, the box painted returned;
// nothing painted, and an empty box, outside the image, on another colour,
// or when both colours are the same.
inline QRect riempiSemplice(QImage &img, int x0, int y0, Colore regione, Colore nuovo)
{
    const QRgb da = colore::aRgb(regione) & 0x00FFFFFFu;
    if (!img.rect().contains(x0, y0) || (colore::aRgb(nuovo) & 0x00FFFFFFu) == da
        || (img.pixel(x0, y0) & 0x00FFFFFFu) != da)
        return {};
    // Kept from one call to the next: zeroing it each time costs the fuzzer
    // more than the fill.
    static std::vector<std::int32_t> pila;
    const std::size_t serve = 2 * std::size_t(img.width()) * std::size_t(img.height());
    if (pila.size() < serve)
        pila.resize(serve);
    int r[4];
    riempiSemplice(reinterpret_cast<QRgb *>(img.bits()), img.bytesPerLine() / 4, img.width(), img.height(), x0, y0,
                   da, colore::aRgb(nuovo), pila.data(), r);
    return QRect(QPoint(r[0], r[1]), QPoint(r[2], r[3]));
}

struct Area
{
    QPoint seme; // its first pixel, reading left to right, top to bottom
    std::int64_t pixel = 0;
    bool alBordo = false; // it reaches the picture's edge
};

// The white (0xFFFFFFFF) areas of a picture, 4- or 8-connected, in the
// order of their first pixels; each pixel's area number (from 1, 0 for the
// rest) in *etichette if asked.
inline std::vector<Area> areeBianche(const QImage &img, bool ottoVicini = false, std::vector<int> *etichette = nullptr)
{
    const int w = img.width(), h = img.height();
    const auto bianco = [&img](int x, int y) { return img.pixel(x, y) == 0xFFFFFFFFu; };
    std::vector<int> etichetta(static_cast<std::size_t>(w) * h, 0);
    std::vector<Area> aree;
    std::vector<int> pila;
    for (int inizio = 0; inizio < w * h; ++inizio) {
        if (etichetta[inizio] || !bianco(inizio % w, inizio / w))
            continue;
        aree.push_back({QPoint(inizio % w, inizio / w)});
        const int n = static_cast<int>(aree.size());
        etichetta[inizio] = n;
        pila.push_back(inizio);
        while (!pila.empty()) {
            const int i = pila.back();
            pila.pop_back();
            const int x = i % w, y = i / w;
            ++aree.back().pixel;
            aree.back().alBordo = aree.back().alBordo || x == 0 || y == 0 || x == w - 1 || y == h - 1;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    if ((dx == 0 && dy == 0) || (!ottoVicini && dx != 0 && dy != 0))
                        continue;
                    const int nx = x + dx, ny = y + dy;
                    if (nx < 0 || ny < 0 || nx >= w || ny >= h)
                        continue;
                    const int j = ny * w + nx;
                    if (!etichetta[j] && bianco(nx, ny)) {
                        etichetta[j] = n;
                        pila.push_back(j);
                    }
                }
        }
    }
    if (etichette)
        *etichette = std::move(etichetta);
    return aree;
}

// A white square of side `lato` cut by one-pixel black walls into corridors
// `corridoio` pixels wide, joined in turn at one end and at the other:
// vertical corridors, or horizontal when `trasposto`. A wall along the far
// edge is whole.
inline QImage serpentina(int lato, int corridoio = 1, bool trasposto = false)
{
    QImage immagine(lato, lato, QImage::Format_RGB32);
    immagine.fill(colore::aRgb(0xFFFFFF));
    const QRgb nero = colore::aRgb(0x000000);
    auto *px = reinterpret_cast<QRgb *>(immagine.bits());
    const qsizetype passo = immagine.bytesPerLine() / 4;
    for (int muro = corridoio, n = 0; muro < lato; muro += corridoio + 1, ++n) {
        const int varco = n % 2 == 0 ? lato - 1 : 0;
        for (int lungo = 0; lungo < lato; ++lungo)
            if (lungo != varco || muro == lato - 1)
                px[(trasposto ? muro : lungo) * passo + (trasposto ? lungo : muro)] = nero;
    }
    return immagine;
}

} // namespace prova
