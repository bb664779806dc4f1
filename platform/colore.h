// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours are kept as 0x00BBGGRR values (red in the low byte) everywhere in
// the program; this is the one place where they meet Qt's 0xAARRGGBB.

#include <QColor>
#include <QRgb>

#include <cstdint>

using Colore = std::uint32_t;

namespace colore {

constexpr QRgb aRgb(Colore bgr)
{
    return 0xFF000000u | ((bgr & 0xFFu) << 16) | (bgr & 0xFF00u) | ((bgr >> 16) & 0xFFu);
}

constexpr Colore daRgb(QRgb rgb)
{
    return ((rgb & 0xFFu) << 16) | (rgb & 0xFF00u) | ((rgb >> 16) & 0xFFu);
}

inline QColor aQColor(Colore bgr) { return QColor::fromRgb(aRgb(bgr)); }

inline constexpr Colore Giallo = 0x00FFFF;
inline constexpr Colore GialloChiaro = 0x80FFFF;
inline constexpr Colore Rosso = 0x0000FF;
inline constexpr Colore Ciano = 0xFFFF00;
inline constexpr Colore Bianco = 0xFFFFFF;
inline constexpr Colore Nero = 0x000000;

} // namespace colore
