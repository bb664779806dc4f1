// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four cues by letter, as tables of cue sequences spell them:
// S (si), N (no), F (fatto), R (rifai).

#include "sound/modulocolorisuoni.h"

#include <QTest>

namespace prova {

inline void chiama(char segnale, suoni::Riproduttore &riproduttore = suoni::delProgramma())
{
    switch (segnale) {
    case 'S': ModuloColoriSuoni::SuonoSi(riproduttore); break;
    case 'N': ModuloColoriSuoni::SuonoNo(riproduttore); break;
    case 'F': ModuloColoriSuoni::SuonoFatto(riproduttore); break;
    case 'R': ModuloColoriSuoni::SuonoRifai(riproduttore); break;
    default: QFAIL("unknown cue letter");
    }
}

} // namespace prova
