#include "shell/colorecasuale.h"

#include "platform/casuale.h"
#include "platform/numeri.h"

#include <cmath>

namespace ModuloColoriSuoni {

double ColoreCasuale()
{
    const float r = casuale::sorgente().prossimo();
    const float slot = std::floor(r * 18.0f) + 1.0f;
    return static_cast<double>(ColoriAvvio.at(numeri::aInt16(slot)));
}

} // namespace ModuloColoriSuoni
