#include "sound/modulocolorisuoni.h"

#include "platform/cartella.h"
#include "sound/riproduttorecanberra.h"

namespace suoni {
namespace {

Riproduttore *g_altro = nullptr;

} // namespace

Riproduttore &riproduttore()
{
    if (g_altro)
        return *g_altro;
    return canberra();
}

void imposta(Riproduttore *altro)
{
    g_altro = altro;
}

} // namespace suoni

namespace ModuloColoriSuoni {
namespace {

void suona(const char *file)
{
    suoni::riproduttore().riproduci(cartella::programma() + QStringLiteral("/suoni/") + QLatin1String(file));
}

} // namespace

void SuonoSi() { suona("si.wav"); }
void SuonoNo() { suona("no.wav"); }
void SuonoFatto() { suona("fatto.wav"); }
void SuonoRifai() { suona("rifai.wav"); }

void suona(suoni::Segnale segnale)
{
    switch (segnale) {
    case suoni::Segnale::Si:
        return SuonoSi();
    case suoni::Segnale::No:
        return SuonoNo();
    case suoni::Segnale::Fatto:
        return SuonoFatto();
    case suoni::Segnale::Rifai:
        return SuonoRifai();
    }
}

} // namespace ModuloColoriSuoni
