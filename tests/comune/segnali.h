#pragma once
// The four cues by letter, as tables of cue sequences spell them:
// S (si), N (no), F (fatto), R (rifai).

#include "sound/modulocolorisuoni.h"

#include <QTest>

namespace prova {

inline void chiama(char segnale)
{
    switch (segnale) {
    case 'S': ModuloColoriSuoni::SuonoSi(); break;
    case 'N': ModuloColoriSuoni::SuonoNo(); break;
    case 'F': ModuloColoriSuoni::SuonoFatto(); break;
    case 'R': ModuloColoriSuoni::SuonoRifai(); break;
    default: QFAIL("unknown cue letter");
    }
}

} // namespace prova
