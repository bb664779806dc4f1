// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "colouring/colorecasuale.h"

#include "platform/numeri.h"

#include <cmath>

namespace sfondo {

double ColoreCasuale(casuale::Sorgente &casuale)
{
    const float r = casuale.prossimo();
    // Slots 1 to 18: slot 0 is never drawn.
    constexpr float Posti = static_cast<float>(ColoriAvvio.size() - 1);
    const float slot = std::floor(r * Posti) + 1.0f;
    return static_cast<double>(ColoriAvvio.at(numeri::aInt16(slot)));
}

} // namespace sfondo
