// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading a drawing file into the picture box's surface.

#include "game/partita.h"
#include "platform/colore.h"

#include <QImage>
#include <QString>

namespace disegno {

// The sizes of drawing the game takes. The box (the drawing and its border)
// stands at x = 8 in the game window's 687 x 513 interior; it must end before
// the palette at x = 464 and keep within the interior's height. Each of the
// 4 x 5 cells must be at least 40 pixels a side, about a centimetre on the
// screen, so that a young child's press finds it.
inline constexpr int CellaMinima = 40;
inline constexpr int InizioRiquadro = 8;
inline constexpr int InizioTavolozza = 464;
inline constexpr int AltezzaFinestra = 513;
inline constexpr int LarghezzaMinima = gioco::Colonne * CellaMinima + gioco::MargineSinistro - 2 * gioco::BordoRiquadro;
inline constexpr int AltezzaMinima = gioco::Righe * CellaMinima + gioco::MargineAlto - 2 * gioco::BordoRiquadro;
inline constexpr int LarghezzaMassima = InizioTavolozza - InizioRiquadro - 2 * gioco::BordoRiquadro;
inline constexpr int AltezzaMassima = AltezzaFinestra - 2 * gioco::BordoRiquadro;

// The drawing as a 32-bit RGB surface, its transparent pixels white like
// the box behind them. Throws ErroreEsecuzione, naming the file, when it is
// missing, not a regular file, empty, not a GIF, damaged, or of a size the
// game does not take.
QImage carica(const QString &percorso);

// A picture as a 32-bit RGB surface laid over a background colour, which
// its transparent pixels show.
QImage opaca(const QImage &immagine, Colore sfondo);

} // namespace disegno
