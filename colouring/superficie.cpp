// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "colouring/superficie.h"

#include "colouring/riempimento.h"

namespace superficie {

QRect riempi(Superficie &superficie, int x, int y, Colore area, Colore nuovo)
{
    if (superficie.immagine.isNull())
        return {};
    return riempimento::riempi(superficie.immagine, x, y, area, nuovo);
}

} // namespace superficie
