// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four cues by letter, as tables of cue sequences spell them:
// S (si), N (no), F (fatto), R (rifai).

#include "sound/suoni.h"

#include <QTest>

namespace prova {

inline void chiama(char segnale, suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella)
{
    switch (segnale) {
    case 'S': suoni::SuonoSi(riproduttore, cartella); break;
    case 'N': suoni::SuonoNo(riproduttore, cartella); break;
    case 'F': suoni::SuonoFatto(riproduttore, cartella); break;
    case 'R': suoni::SuonoRifai(riproduttore, cartella); break;
    default: QFAIL("unknown cue letter");
    }
}

} // namespace prova
