#include "colouring/superficie.h"

#include "colouring/riempimento.h"

namespace superficie {

QRect ExtFloodFill(Superficie &hdc, int x, int y, Colore col, int tipo)
{
    if (tipo != FLOODFILLSURFACE || hdc.FillStyle != FillSolido || hdc.immagine.isNull())
        return {};
    return riempimento::riempi(hdc.immagine, x, y, col, hdc.FillColor);
}

} // namespace superficie
