// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four feedback cues. Each builds its file's path in the program's
// folder at the moment of the call, starts playing it on the player it is
// given and returns at once.

#include "platform/cartella.h"
#include "sound/segnale.h"

#include <QString>

namespace suoni {

// What plays a WAV file. The program's own player (riproduttorepulse.h)
// stops the sound still playing, so at most one sounds; tests give a
// recorder instead.
class Riproduttore
{
public:
    virtual ~Riproduttore() = default;
    // A cue: a file that cannot be played gives the desktop's bell.
    virtual void riproduci(const QString &percorso) = 0;
    // A spoken name: a file that cannot be played gives nothing.
    virtual void riproduciVoce(const QString &percorso) = 0;
};

} // namespace suoni

namespace ModuloColoriSuoni {

void SuonoSi(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella);
void SuonoNo(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella);
void SuonoFatto(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella);
void SuonoRifai(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella);
// The cue's procedure above.
void suona(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, suoni::Segnale segnale);

} // namespace ModuloColoriSuoni
