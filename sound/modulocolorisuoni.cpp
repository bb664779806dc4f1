// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/modulocolorisuoni.h"

#include "platform/cartella.h"
#include "sound/riproduttorepulse.h"

namespace suoni {

Riproduttore &delProgramma()
{
    return pulse();
}

} // namespace suoni

namespace ModuloColoriSuoni {
namespace {

void suona(suoni::Riproduttore &riproduttore, const char *file)
{
    riproduttore.riproduci(cartella::programma() + QStringLiteral("/suoni/") + QLatin1String(file));
}

} // namespace

void SuonoSi(suoni::Riproduttore &riproduttore) { suona(riproduttore, "si.wav"); }
void SuonoNo(suoni::Riproduttore &riproduttore) { suona(riproduttore, "no.wav"); }
void SuonoFatto(suoni::Riproduttore &riproduttore) { suona(riproduttore, "fatto.wav"); }
void SuonoRifai(suoni::Riproduttore &riproduttore) { suona(riproduttore, "rifai.wav"); }

void suona(suoni::Riproduttore &riproduttore, suoni::Segnale segnale)
{
    switch (segnale) {
    case suoni::Segnale::Si:
        return SuonoSi(riproduttore);
    case suoni::Segnale::No:
        return SuonoNo(riproduttore);
    case suoni::Segnale::Fatto:
        return SuonoFatto(riproduttore);
    case suoni::Segnale::Rifai:
        return SuonoRifai(riproduttore);
    }
}

} // namespace ModuloColoriSuoni
