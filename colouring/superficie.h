// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A picture box's drawing surface as a fill sees it: its pixels.

#include "platform/colore.h"

#include <QImage>
#include <QRect>

namespace superficie {

struct Superficie
{
    QImage immagine; // QImage::Format_RGB32
};

// Paints with `nuovo` every pixel of colour `area` joined to (x, y) by side
// neighbours of that colour, and returns the changed rectangle. Paints
// nothing and returns an empty rectangle for an empty surface, a start
// outside the surface or of another colour.
QRect riempi(Superficie &superficie, int x, int y, Colore area, Colore nuovo);

} // namespace superficie
