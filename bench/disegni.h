// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the benchmarks that press on a drawing share: a random source that
// starts a game on the drawing asked for, and the pixel to press.

#include "game/partita.h"
#include "platform/casuale.h"

#include <QImage>
#include <QPoint>

namespace banco {

// Picks drawing n for the first game, then draws as the program does.
class PrimoDisegno final : public casuale::Sorgente
{
public:
    explicit PrimoDisegno(int n) : m_valore((n - 0.5f) / gioco::NumeroDisegni) {}
    float prossimo() override
    {
        if (m_primo) {
            m_primo = false;
            return m_valore;
        }
        return m_resto.prossimo();
    }

private:
    float m_valore;
    bool m_primo = true;
    casuale::Generatore m_resto{7};
};

// The first white pixel below the middle: the fill a child makes most.
inline QPoint puntoBianco(const QImage &img)
{
    for (int y = img.height() / 2; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                return {x, y};
    return {0, 0};
}

} // namespace banco
