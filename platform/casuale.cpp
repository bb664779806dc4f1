// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/casuale.h"

#include "platform/numeri.h"

#include <chrono>
#include <cmath>
#include <stdexcept>

namespace casuale {

float Generatore::prossimo()
{
    constexpr float unoSu2alla24 = 1.0f / 16777216.0f;
    return static_cast<float>(m_motore() >> 8) * unoSu2alla24;
}

float Sequenza::prossimo()
{
    if (m_pos >= m_valori.size())
        throw std::logic_error("casuale::Sequenza: no values left");
    return m_valori.at(m_pos++);
}

std::uint32_t semeDallOrologio()
{
    const auto adesso = std::chrono::system_clock::now().time_since_epoch();
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(adesso).count();
    return static_cast<std::uint32_t>(ns ^ (ns >> 32));
}

int scegli(float r, int n)
{
    const float prodotto = r * static_cast<float>(n);
    return numeri::aInt16(std::floor(prodotto));
}

} // namespace casuale
