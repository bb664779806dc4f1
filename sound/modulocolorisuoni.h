// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four feedback cues. Each builds its file's path at the moment of the
// call, starts playing it on the player it is given (the program's own
// unless told otherwise) and returns at once.

#include "sound/segnale.h"

#include <QString>

namespace suoni {

// What plays a WAV file. The program's own player stops the sound still
// playing, so at most one sounds; tests give a recorder instead.
class Riproduttore
{
public:
    virtual ~Riproduttore() = default;
    // A cue: a file that cannot be played gives the desktop's bell.
    virtual void riproduci(const QString &percorso) = 0;
    // A spoken name: a file that cannot be played gives nothing.
    virtual void riproduciVoce(const QString &percorso) = 0;
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
