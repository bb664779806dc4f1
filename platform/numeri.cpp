// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/numeri.h"

#include "platform/errore.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace numeri {
namespace {

template <typename T>
T converti(double valore)
{
    if (!std::isfinite(valore))
        throw ErroreEsecuzione(ErroreEsecuzione::Tipo::OperazioneNonValida);
    // std::nearbyint follows the current rounding mode; the program never
    // changes it from round-to-nearest-even, but be explicit about it here.
    const int modo = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double arrotondato = std::nearbyint(valore);
    std::fesetround(modo);
    if (arrotondato < static_cast<double>(std::numeric_limits<T>::min())
        || arrotondato > static_cast<double>(std::numeric_limits<T>::max()))
        throw ErroreEsecuzione(ErroreEsecuzione::Tipo::Overflow);
    return static_cast<T>(arrotondato);
}

} // namespace

std::int16_t aInt16(double valore) { return converti<std::int16_t>(valore); }
std::int32_t aInt32(double valore) { return converti<std::int32_t>(valore); }

void incrementa(std::int16_t &contatore)
{
    if (contatore == std::numeric_limits<std::int16_t>::max())
        throw ErroreEsecuzione(ErroreEsecuzione::Tipo::Overflow);
    ++contatore;
}

} // namespace numeri
