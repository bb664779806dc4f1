// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start window's background, drawn at random from a fixed table.

#include "platform/casuale.h"
#include "platform/colore.h"

#include <array>

namespace sfondo {

// Slot 0 is never drawn; light magenta stands twice, so it comes up with odds
// 2 in 18 and every other colour with odds 1 in 18.
inline constexpr std::array<Colore, 19> ColoriAvvio{
    0x000000,
    0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF,
    0x00FFFF, 0x0040C0, 0x80FF80, 0x00C000, 0xFFFFC0, 0xFFFF00,
    0xFFC0C0, 0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF,
};

// One draw from the program's sequence; the value is a whole colour.
double ColoreCasuale(casuale::Sorgente &casuale);

} // namespace sfondo
