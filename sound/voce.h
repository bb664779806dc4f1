// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spoken names, for a child who cannot read them yet: a cell ("cì tré"),
// a row's letter ("bì"), a column's number ("due"). Each is a file of
// suoni/voce/ beside the program, looked up at the moment of the call and
// played as the cues are, replacing whatever sound is playing; a file that
// is missing or cannot be played gives silence, never the bell.

#include "platform/cartella.h"
#include "sound/riproduttore.h"

namespace voce {

// Cell `indice` 0..19, row 0..4, column 0..3; anything else says nothing.
void cella(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, int indice);
void riga(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, int riga);
void colonna(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, int colonna);

} // namespace voce
