// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two windows' controls as they stand when each window is created:
// places and sizes in pixels (96 dpi), captions, fonts and colours.

#include "game/partita.h"
#include "platform/colore.h"

#include <array>

namespace layout {

struct Rettangolo
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Fonts are sized in pixels (points x 4/3), so that text keeps inside its
// control whatever the screen's dpi; every font of both windows is bold.
struct Carattere
{
    const char *famiglia = "";
    int pixel = 0;
};

inline constexpr Carattere ComicTitolo{"Comic Sans MS", 96};   // 72 pt
inline constexpr Carattere ComicBottone{"Comic Sans MS", 24};  // 18 pt
inline constexpr Carattere ArialAvanti{"Arial", 19};           // 14.25 pt
inline constexpr Carattere ArialCoordinata{"Arial", 48};       // 36 pt
inline constexpr Carattere SansGriglia{"MS Sans Serif", 18};   // 13.5 pt

inline constexpr char Titolo[] = "Tintar i Brindel";

// The focus mark, once the keyboard is in use: a black ring and a white
// ring inside it, so that one of them stands out on any colour. Widths in
// pixels at 96 dpi, from this far inside the control's edge: inside the
// bevel of a button, over the sunken border of a picture box.
struct SegnoFuoco
{
    int margine = 0;
    int nero = 0;
    int bianco = 0;
};
inline constexpr SegnoFuoco SegnoPulsante{2, 2, 2};
inline constexpr SegnoFuoco SegnoRiquadro{0, 2, 2};

// The keyboard's cursor on the drawing: a cross-hair, each arm a black line
// edged in white, that leaves the pixel under it to be seen. Lengths in
// pixels at 96 dpi; the arrows move it by `passo` drawing pixels, by one
// with Shift.
struct Mirino
{
    int vuoto = 0;    // from the pixel's middle to where the arms begin
    int braccio = 0;  // the arm's length
    int linea = 0;    // the black line's width
    int bordo = 0;    // the white along each side of it
    int passo = 0;
};
inline constexpr Mirino MirinoDisegno{3, 10, 2, 1, 8};
inline constexpr int LatoIcona = 32;
// The sizes every window picture and icon is made at (tools/make-assets.sh):
// LatoIcona, as drawn at 96 dpi, and the device sizes it reaches on grown
// windows and scaled screens, 1.25 to 8 times as large: exactly at 1.25,
// 1.5, 2, 2.5, 3, 4, 6 and 8 times, and at most 1.5 times smaller than the
// next larger raster in between. Increasing.
inline constexpr std::array<int, 9> LatiFigura{LatoIcona, 40, 48, 64, 80, 96, 128, 192, 256};
// Those a window's icon offers the desktop (on X, a property sent whole as
// the window is made, every size read for it): LatoIcona and the sizes of
// the icon the package installs up to 128, enough for a taskbar or window
// switcher at twice the scale; the desktop takes larger ones from the
// installed icon. Reading and sending these takes about 6 million
// instructions at start-up (of about 127 million to the game window
// painted); all nine sizes would take 30 million.
inline constexpr std::array<int, 4> LatiIconaFinestra{LatoIcona, 48, 64, 128};
// The sunken border of the picture boxes and swatches.
inline constexpr int Bordo = gioco::BordoRiquadro;

// A window manager's frame, in pixels at 96 dpi, as reckoned before a window
// of the game has been shown and its real frame is known: a title bar and
// borders as large as common desktops draw them.
struct Margini
{
    int sinistra = 0;
    int alto = 0;
    int destra = 0;
    int basso = 0;
};
inline constexpr Margini CorniceStimata{10, 40, 10, 10};
// The smallest factor a window is scaled down by to fit its screen: below
// it a cell would be too small a target (the window then runs off the screen).
inline constexpr double FattoreMinimo = 0.25;

namespace avvio {

inline constexpr int LarghezzaInterna = 702;
inline constexpr int AltezzaInterna = 605;
inline constexpr Colore Sfondo = colore::Ciano;
inline constexpr Rettangolo EtichettaTitolo{48, 24, 561, 249};
inline constexpr Rettangolo BottoneAvvio{184, 328, 274, 85};
inline constexpr char Avvio[] = "Avvio";

} // namespace avvio

namespace brindel {

inline constexpr int LarghezzaInterna = 687;
inline constexpr int AltezzaInterna = 513;
inline constexpr Colore Sfondo = colore::Ciano;

inline constexpr Rettangolo RiquadroDisegno{8, 0, 324, 470};
inline constexpr Rettangolo Cornice{464, 112, 145, 233};
inline constexpr Rettangolo RiquadroScelto{0, 200, 145, 33};
inline constexpr Rettangolo Avanti{464, 376, 129, 65};
inline constexpr Rettangolo NomeCella{496, 24, 113, 81};
inline constexpr char DidascaliaAvanti[] = "avanti";
inline constexpr char NomeCellaIniziale[] = "Label3";

// Covers before the first game lays out the grid.
inline constexpr std::array<int, gioco::Colonne> CoperturaLeft{16, 88, 168, 240};
inline constexpr std::array<int, gioco::Colonne> CoperturaWidth{73, 81, 73, 73};
inline constexpr std::array<int, gioco::Righe> CoperturaTop{24, 104, 184, 264, 344};
inline constexpr int CoperturaHeight = 81;

inline constexpr std::array<Rettangolo, gioco::Colonne> EtichetteColonne{{
    {16, 0, 97, 25}, {112, 0, 73, 25}, {184, 0, 73, 25}, {248, 0, 73, 25},
}};
inline constexpr std::array<Rettangolo, gioco::Righe> EtichetteRighe{{
    {0, 24, 17, 81}, {0, 104, 17, 81}, {0, 184, 17, 81}, {0, 264, 17, 81}, {0, 344, 17, 81},
}};

inline constexpr char MenuInformazioni[] = "Informazioni          ";
inline constexpr char MenuEsci[] = "Esci";

} // namespace brindel

} // namespace layout
