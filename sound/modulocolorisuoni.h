#pragma once
// The four feedback cues. Each builds its file's path at the moment of the
// call, starts playing it and returns at once.

#include "sound/segnale.h"

#include <QString>

namespace suoni {

// What plays a WAV file. The program's own player stops the cue still
// playing, so at most one sounds; tests install a recorder instead.
class Riproduttore
{
public:
    virtual ~Riproduttore() = default;
    virtual void riproduci(const QString &percorso) = 0;
};

// The player in use (the program's own unless a test installed another).
Riproduttore &riproduttore();
// nullptr goes back to the program's own player.
void imposta(Riproduttore *altro);

} // namespace suoni

namespace ModuloColoriSuoni {

void SuonoSi();
void SuonoNo();
void SuonoFatto();
void SuonoRifai();
// The cue's procedure above.
void suona(suoni::Segnale segnale);

} // namespace ModuloColoriSuoni
