// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/modulocolorisuoni.h"

namespace ModuloColoriSuoni {
namespace {

void suona(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, const char *file)
{
    riproduttore.riproduci(cartella.percorso() + QStringLiteral("/suoni/") + QLatin1String(file));
}

} // namespace

void SuonoSi(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella) { suona(riproduttore, cartella, "si.wav"); }
void SuonoNo(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella) { suona(riproduttore, cartella, "no.wav"); }
void SuonoFatto(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella) { suona(riproduttore, cartella, "fatto.wav"); }
void SuonoRifai(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella) { suona(riproduttore, cartella, "rifai.wav"); }

void suona(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, suoni::Segnale segnale)
{
    switch (segnale) {
    case suoni::Segnale::Si:
        return SuonoSi(riproduttore, cartella);
    case suoni::Segnale::No:
        return SuonoNo(riproduttore, cartella);
    case suoni::Segnale::Fatto:
        return SuonoFatto(riproduttore, cartella);
    case suoni::Segnale::Rifai:
        return SuonoRifai(riproduttore, cartella);
    }
}

} // namespace ModuloColoriSuoni
