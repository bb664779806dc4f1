// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "colouring/storia.h"

namespace storia {

namespace {

constexpr QRgb Colori = 0x00FFFFFFu;

} // namespace

void Riempimenti::nuovoDisegno(const superficie::Superficie &superficie)
{
    m_passi.clear();
    m_fatti = 0;
    m_byte = 0;
    m_prima = superficie.immagine.copy();
}

std::size_t Riempimenti::peso(const Passo &passo)
{
    return sizeof(Passo) + std::size_t(passo.dipinti.capacity());
}

QRect Riempimenti::riempi(superficie::Superficie &superficie, int x, int y, Colore area, Colore nuovo)
{
    // A surface other than the one the steps were made on starts afresh.
    if (m_prima.size() != superficie.immagine.size())
        nuovoDisegno(superficie);
    const QRect cambiato = superficie::riempi(superficie, x, y, area, nuovo);
    if (cambiato.isEmpty())
        return cambiato;

    QByteArray dipinti((qsizetype(cambiato.width()) * cambiato.height() + 7) / 8, '\0');
    std::size_t bit = 0;
    for (int r = cambiato.top(); r <= cambiato.bottom(); ++r) {
        auto *dopo = reinterpret_cast<const QRgb *>(superficie.immagine.constScanLine(r));
        auto *prima = reinterpret_cast<QRgb *>(m_prima.scanLine(r));
        for (int c = cambiato.left(); c <= cambiato.right(); ++c, ++bit) {
            if ((dopo[c] & Colori) != (prima[c] & Colori)) {
                dipinti[qsizetype(bit / 8)] = char(dipinti[qsizetype(bit / 8)] | (1 << (bit % 8)));
                prima[c] = dopo[c];
            }
        }
    }
    Passo passo{cambiato, area, nuovo, qCompress(dipinti, 1)};
    passo.dipinti.squeeze();
    while (m_passi.size() > m_fatti) {
        m_byte -= peso(m_passi.back());
        m_passi.pop_back();
    }
    m_byte += peso(passo);
    m_passi.push_back(std::move(passo));
    ++m_fatti;
    while (m_byte > m_massimo && m_passi.size() > 1) {
        m_byte -= peso(m_passi.front());
        m_passi.pop_front();
        --m_fatti;
    }
    return cambiato;
}

QRect Riempimenti::applica(superficie::Superficie &superficie, const Passo &passo, Colore colore)
{
    const QRgb pixel = colore::aRgb(colore);
    const QRect &r = passo.rettangolo;
    const QByteArray dipinti = qUncompress(passo.dipinti);
    if (dipinti.size() * 8 < qsizetype(r.width()) * r.height())
        return {};
    std::size_t bit = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        auto *riga = reinterpret_cast<QRgb *>(superficie.immagine.scanLine(y));
        auto *prima = reinterpret_cast<QRgb *>(m_prima.scanLine(y));
        for (int x = r.left(); x <= r.right(); ++x, ++bit)
            if (dipinti[qsizetype(bit / 8)] >> (bit % 8) & 1)
                riga[x] = prima[x] = pixel;
    }
    return r;
}

QRect Riempimenti::annulla(superficie::Superficie &superficie)
{
    if (m_fatti == 0 || superficie.immagine.size() != m_prima.size())
        return {};
    const Passo &passo = m_passi[--m_fatti];
    return applica(superficie, passo, passo.da);
}

QRect Riempimenti::ripeti(superficie::Superficie &superficie)
{
    if (m_fatti == m_passi.size() || superficie.immagine.size() != m_prima.size())
        return {};
    const Passo &passo = m_passi[m_fatti++];
    return applica(superficie, passo, passo.a);
}

} // namespace storia
