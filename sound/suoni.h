// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Playing the four cues. Each builds its file's path in the program's folder
// at the moment of the call, starts playing it on the player it is given and
// returns at once.

#include "platform/cartella.h"
#include "sound/riproduttore.h"
#include "sound/segnale.h"

namespace suoni {

void SuonoSi(Riproduttore &riproduttore, const cartella::Cartella &cartella);
void SuonoNo(Riproduttore &riproduttore, const cartella::Cartella &cartella);
void SuonoFatto(Riproduttore &riproduttore, const cartella::Cartella &cartella);
void SuonoRifai(Riproduttore &riproduttore, const cartella::Cartella &cartella);
// The cue's procedure above.
void suona(Riproduttore &riproduttore, const cartella::Cartella &cartella, Segnale segnale);

} // namespace suoni
