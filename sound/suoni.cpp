// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/suoni.h"

namespace suoni {
namespace {

void suonaFile(Riproduttore &riproduttore, const cartella::Cartella &cartella, const char *file)
{
    riproduttore.riproduci(cartella.percorso() + QStringLiteral("/suoni/") + QLatin1String(file));
}

} // namespace

void SuonoSi(Riproduttore &riproduttore, const cartella::Cartella &cartella) { suonaFile(riproduttore, cartella, "si.wav"); }
void SuonoNo(Riproduttore &riproduttore, const cartella::Cartella &cartella) { suonaFile(riproduttore, cartella, "no.wav"); }
void SuonoFatto(Riproduttore &riproduttore, const cartella::Cartella &cartella) { suonaFile(riproduttore, cartella, "fatto.wav"); }
void SuonoRifai(Riproduttore &riproduttore, const cartella::Cartella &cartella) { suonaFile(riproduttore, cartella, "rifai.wav"); }

void suona(Riproduttore &riproduttore, const cartella::Cartella &cartella, Segnale segnale)
{
    switch (segnale) {
    case Segnale::Si:
        return SuonoSi(riproduttore, cartella);
    case Segnale::No:
        return SuonoNo(riproduttore, cartella);
    case Segnale::Fatto:
        return SuonoFatto(riproduttore, cartella);
    case Segnale::Rifai:
        return SuonoRifai(riproduttore, cartella);
    }
}

} // namespace suoni
