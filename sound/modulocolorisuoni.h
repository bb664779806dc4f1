// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four feedback cues. Each builds its file's path at the moment of the
// call, starts playing it on the player it is given (the program's own
// unless told otherwise) and returns at once.

#include "sound/segnale.h"

#include <QString>

namespace suoni {

// What plays a WAV file. The program's own player stops the cue still
// playing, so at most one sounds; tests give a recorder instead.
class Riproduttore
{
public:
    virtual ~Riproduttore() = default;
    virtual void riproduci(const QString &percorso) = 0;
};

// The program's own player (see riproduttorepulse.h).
Riproduttore &delProgramma();

} // namespace suoni

namespace ModuloColoriSuoni {

void SuonoSi(suoni::Riproduttore &riproduttore = suoni::delProgramma());
void SuonoNo(suoni::Riproduttore &riproduttore = suoni::delProgramma());
void SuonoFatto(suoni::Riproduttore &riproduttore = suoni::delProgramma());
void SuonoRifai(suoni::Riproduttore &riproduttore = suoni::delProgramma());
// The cue's procedure above.
void suona(suoni::Riproduttore &riproduttore, suoni::Segnale segnale);

} // namespace ModuloColoriSuoni
