// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the game must show, written out for the tests on their own, so that
// the program is held against these tables rather than against its own.

#include "platform/colore.h"

#include <array>

namespace prova {

// The start window's 17 background colours (light magenta comes up twice as
// often as the others).
inline constexpr std::array<Colore, 17> ColoriAvvio{
    0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF, 0x00FFFF, 0x0040C0, 0x80FF80,
    0x00C000, 0xFFFFC0, 0xFFFF00, 0xFFC0C0, 0xFFC0FF, 0xE0E0E0, 0xFF0000, 0xFF00FF,
};

} // namespace prova
