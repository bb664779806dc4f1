// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 48 colours of the palette and where their swatches stand in the
// palette frame, as constexpr tables the game window places and colours its
// swatches from.

#include "platform/colore.h"

#include <array>

namespace tavolozza {

inline constexpr int NumeroColori = 48;
inline constexpr int Colonne = 6;
inline constexpr int Righe = 8;

// Index order: eight hue groups of six shades, light to dark.
inline constexpr std::array<Colore, NumeroColori> Tavolozza = {
    // greys
    0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x404040, 0x000000,
    // reds
    0xC0C0FF, 0x8080FF, 0x0000FF, 0x0000C0, 0x000080, 0x000040,
    // oranges and browns
    0xC0E0FF, 0x80C0FF, 0x0080FF, 0x0040C0, 0x004080, 0x404080,
    // yellows
    0xC0FFFF, 0x80FFFF, 0x00FFFF, 0x00C0C0, 0x008080, 0x004040,
    // greens
    0xC0FFC0, 0x80FF80, 0x00FF00, 0x00C000, 0x008000, 0x004000,
    // cyans
    0xFFFFC0, 0xFFFF80, 0xFFFF00, 0xC0C000, 0x808000, 0x404000,
    // blues
    0xFFC0C0, 0xFF8080, 0xFF0000, 0xC00000, 0x800000, 0x400000,
    // magentas
    0xFFC0FF, 0xFF80FF, 0xFF00FF, 0xC000C0, 0x800080, 0x400040,
};

// The colours' names in Italian, as screen readers say them, in the same
// order: each group's own name, lightened or darkened, or the name a child
// knows for that shade.
inline constexpr std::array<const char *, NumeroColori> Nomi = {
    "bianco", "grigio chiarissimo", "grigio chiaro", "grigio", "grigio scuro", "nero",
    "rosa", "rosso chiaro", "rosso", "rosso scuro", "rosso molto scuro", "rosso scurissimo",
    "pesca", "arancione chiaro", "arancione", "arancione scuro", "marrone", "marrone rossiccio",
    "giallo chiarissimo", "giallo chiaro", "giallo", "giallo scuro", "verde oliva", "verde oliva scuro",
    "verde chiarissimo", "verde chiaro", "verde", "verde scuro", "verde molto scuro", "verde scurissimo",
    "azzurro chiarissimo", "azzurro chiaro", "azzurro", "azzurro scuro", "verde petrolio", "verde petrolio scuro",
    "blu chiarissimo", "blu chiaro", "blu", "blu scuro", "blu marino", "blu notte",
    "fucsia chiarissimo", "fucsia chiaro", "fucsia", "viola", "viola scuro", "viola scurissimo",
};

// The first index of a colour in the palette; -1 if it has none.
constexpr int indiceDi(Colore c)
{
    for (int i = 0; i < NumeroColori; ++i)
        if (Tavolozza[static_cast<std::size_t>(i)] == c)
            return i;
    return -1;
}

// The swatches' sizes in pixels, relative to the palette frame. Neighbours
// overlap by one pixel because the pitch is one less than the size.
struct MisureCampioni {
    int passo;
    int margineAlto;
    int lato;
};
inline constexpr MisureCampioni Misure = {24, 8, 25};

// Where the swatch of `indice` stands in the frame's grid of 8 rows of 6:
// in row `indice / 6`; in every row but the first the two leftmost swatches
// are swapped, so its column on the screen is not always `indice % 6`.
constexpr int colonnaNellaCornice(int indice)
{
    const int riga = indice / Colonne;
    const int colonna = indice % Colonne;
    if (riga == 0 || colonna > 1)
        return colonna;
    return 1 - colonna;
}

constexpr int rigaNellaCornice(int indice) { return indice / Colonne; }

// Where the swatch of `indice` comes reading the grid left to right, top
// to bottom, from 0.
constexpr int postoDi(int indice) { return rigaNellaCornice(indice) * Colonne + colonnaNellaCornice(indice); }

constexpr int sinistra(int indice) { return Misure.passo * colonnaNellaCornice(indice); }
constexpr int alto(int indice) { return Misure.margineAlto + Misure.passo * rigaNellaCornice(indice); }
constexpr int larghezza() { return Misure.lato; }
constexpr int altezza() { return Misure.lato; }

} // namespace tavolozza
