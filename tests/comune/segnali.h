// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four cues by letter, as tables of cue sequences spell them:
// S (si), N (no), F (fatto), R (rifai).

#include "sound/modulocolorisuoni.h"

#include <QTest>

namespace prova {

inline void chiama(char segnale, suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella)
{
    switch (segnale) {
    case 'S': ModuloColoriSuoni::SuonoSi(riproduttore, cartella); break;
    case 'N': ModuloColoriSuoni::SuonoNo(riproduttore, cartella); break;
    case 'F': ModuloColoriSuoni::SuonoFatto(riproduttore, cartella); break;
    case 'R': ModuloColoriSuoni::SuonoRifai(riproduttore, cartella); break;
    default: QFAIL("unknown cue letter");
    }
}

} // namespace prova
