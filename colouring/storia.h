// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fills made on one picture, to take back and bring again.

#include "colouring/superficie.h"
#include "platform/colore.h"

#include <QByteArray>
#include <QImage>
#include <QRect>

#include <cstddef>
#include <cstdint>
#include <deque>

namespace storia {

// Each fill is kept as the rectangle it changed, a bit for each of its
// pixels telling whether the fill painted it (compressed: a fill paints
// whole areas, so the bits come in long runs), and its two colours (every
// pixel it painted had the first and took the second). A fill of the
// largest drawing the game takes (452 x 509) whole costs at most 29 KB,
// and under 1 KB as drawings are; once the steps kept hold more than
// MassimoByte (or the limit given), the oldest go.
class Riempimenti
{
public:
    static constexpr std::size_t MassimoByte = 16u << 20;

    explicit Riempimenti(std::size_t massimoByte = MassimoByte)
        : m_massimo(massimoByte)
    {
    }

    // A picture just loaded: nothing to take back or bring again.
    void nuovoDisegno(const superficie::Superficie &superficie);

    // A fill on the surface, as superficie::riempi, kept; the steps taken
    // back before it are gone.
    QRect riempi(superficie::Superficie &superficie, int x, int y, Colore area, Colore nuovo);

    // The last fill kept taken back, or the last taken back brought again;
    // the rectangle changed, empty when there is none.
    QRect annulla(superficie::Superficie &superficie);
    QRect ripeti(superficie::Superficie &superficie);

    // Bytes the kept steps hold.
    std::size_t byte() const { return m_byte; }
    std::size_t passi() const { return m_passi.size(); }

private:
    struct Passo
    {
        QRect rettangolo;
        Colore da = 0;
        Colore a = 0;
        QByteArray dipinti;
    };
    static std::size_t peso(const Passo &passo);
    QRect applica(superficie::Superficie &superficie, const Passo &passo, Colore colore);

    std::deque<Passo> m_passi;
    // How many of m_passi are on the picture now; the rest were taken back.
    std::size_t m_fatti = 0;
    std::size_t m_byte = 0;
    std::size_t m_massimo = MassimoByte;
    // The surface as the kept steps leave it: what the next fill is
    // compared with to tell what it painted.
    QImage m_prima;
};

} // namespace storia
