#include "sound/modulocolorisuoni.h"

#include "platform/cartella.h"

namespace suoni {
namespace {

class Silenzio final : public Riproduttore
{
public:
    void riproduci(const QString &) override {}
};

Riproduttore *g_altro = nullptr;

} // namespace

Riproduttore &riproduttore()
{
    static Silenzio silenzio;
    return g_altro ? *g_altro : silenzio;
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

} // namespace ModuloColoriSuoni
