#pragma once
// A picture box's drawing surface as a fill sees it: its pixels and the fill
// attributes that a fill paints with.

#include "platform/colore.h"

#include <QImage>
#include <QRect>

#include <cstdint>

namespace superficie {

inline constexpr std::int16_t FillSolido = 0;
inline constexpr std::int16_t FillTrasparente = 1;
// The one fill type there is: the area of a given colour around the start.
inline constexpr int FLOODFILLSURFACE = 1;

struct Superficie
{
    QImage immagine; // QImage::Format_RGB32
    std::int16_t FillStyle = FillTrasparente;
    Colore FillColor = 0;
};

// Paints with FillColor every pixel of colour `col` joined to (x, y) by side
// neighbours of that colour, and returns the changed rectangle. Paints
// nothing and returns an empty rectangle for another fill type, a
// transparent fill style, a start outside the surface or of another colour.
QRect ExtFloodFill(Superficie &hdc, int x, int y, Colore col, int tipo);

} // namespace superficie
