#include "sound/riproduttorecanberra.h"

#include "platform/lettura.h"

#include <QFile>

#include <canberra.h>
#include <dlfcn.h>
#include <pulse/context.h>
#include <pulse/mainloop.h>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>

namespace suoni {
namespace {

using namespace std::chrono_literals;

struct Impostazioni {
    const char *nomeApplicazione;
    const char *idApplicazione;
    const char *driver;
    // Sound theme event played in place of a file that cannot be played.
    const char *eventoRipiego;
    // Every cue shares one id, so cancelling it stops whichever is playing.
    std::uint32_t idSegnale;
    // Cues still waiting when the server is slow: older ones would be cut
    // off at once by the newer anyway.
    std::size_t massimoInAttesa;
    // How long the first cue may spend finding out whether a server answers.
    std::chrono::milliseconds attesaServer;
    // How long the program's exit waits for the player's thread.
    std::chrono::milliseconds attesaChiusura;
};

constexpr Impostazioni kImpostazioni{
    "Tintar i Brindel",
    BRINDEL_ID_APPLICAZIONE,
    // Only the PulseAudio backend can stop a cue that is playing.
    "pulse",
    "bell",
    1,
    4,
    3000ms,
    2000ms,
};

// libcanberra and libpulse are loaded by the first cue, on the player's
// thread: the program starts without them, and plays on silently where they
// are missing.
struct Librerie {
    decltype(&::ca_context_create) ca_context_create_ = nullptr;
    decltype(&::ca_context_destroy) ca_context_destroy_ = nullptr;
    decltype(&::ca_context_set_driver) ca_context_set_driver_ = nullptr;
    decltype(&::ca_context_change_props) ca_context_change_props_ = nullptr;
    decltype(&::ca_context_open) ca_context_open_ = nullptr;
    decltype(&::ca_context_play) ca_context_play_ = nullptr;
    decltype(&::ca_context_cancel) ca_context_cancel_ = nullptr;
    decltype(&::pa_mainloop_new) pa_mainloop_new_ = nullptr;
    decltype(&::pa_mainloop_free) pa_mainloop_free_ = nullptr;
    decltype(&::pa_mainloop_get_api) pa_mainloop_get_api_ = nullptr;
    decltype(&::pa_mainloop_prepare) pa_mainloop_prepare_ = nullptr;
    decltype(&::pa_mainloop_poll) pa_mainloop_poll_ = nullptr;
    decltype(&::pa_mainloop_dispatch) pa_mainloop_dispatch_ = nullptr;
    decltype(&::pa_context_new) pa_context_new_ = nullptr;
    decltype(&::pa_context_connect) pa_context_connect_ = nullptr;
    decltype(&::pa_context_get_state) pa_context_get_state_ = nullptr;
    decltype(&::pa_context_disconnect) pa_context_disconnect_ = nullptr;
    decltype(&::pa_context_unref) pa_context_unref_ = nullptr;
};

template <typename F>
bool risolvi(void *libreria, const char *nome, F &funzione)
{
    funzione = reinterpret_cast<F>(dlsym(libreria, nome));
    return funzione != nullptr;
}

// Null when either library or any of its functions is missing. The
// libraries stay loaded for the rest of the run.
const Librerie *carica()
{
    void *canberra = dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
    void *pulse = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!canberra || !pulse)
        return nullptr;
    static Librerie l;
#define BRINDEL_RISOLVI(lib, f) risolvi(lib, #f, l.f##_)
    const bool tutte = BRINDEL_RISOLVI(canberra, ca_context_create) && BRINDEL_RISOLVI(canberra, ca_context_destroy)
        && BRINDEL_RISOLVI(canberra, ca_context_set_driver) && BRINDEL_RISOLVI(canberra, ca_context_change_props)
        && BRINDEL_RISOLVI(canberra, ca_context_open) && BRINDEL_RISOLVI(canberra, ca_context_play)
        && BRINDEL_RISOLVI(canberra, ca_context_cancel) && BRINDEL_RISOLVI(pulse, pa_mainloop_new)
        && BRINDEL_RISOLVI(pulse, pa_mainloop_free) && BRINDEL_RISOLVI(pulse, pa_mainloop_get_api)
        && BRINDEL_RISOLVI(pulse, pa_mainloop_prepare) && BRINDEL_RISOLVI(pulse, pa_mainloop_poll)
        && BRINDEL_RISOLVI(pulse, pa_mainloop_dispatch) && BRINDEL_RISOLVI(pulse, pa_context_new)
        && BRINDEL_RISOLVI(pulse, pa_context_connect) && BRINDEL_RISOLVI(pulse, pa_context_get_state)
        && BRINDEL_RISOLVI(pulse, pa_context_disconnect) && BRINDEL_RISOLVI(pulse, pa_context_unref);
#undef BRINDEL_RISOLVI
    return tutte ? &l : nullptr;
}

const Librerie *librerie()
{
    static const Librerie *const l = carica();
    return l;
}

// libcanberra's first connection lets libpulse autospawn a daemon where the
// client configuration allows it, and blocks until the server answers. So
// look first, with autospawn off and a deadline.
bool serverRaggiungibile(const Librerie &l, std::chrono::milliseconds limite)
{
    pa_mainloop *ciclo = l.pa_mainloop_new_();
    if (!ciclo)
        return false;
    bool pronto = false;
    pa_context *contesto = l.pa_context_new_(l.pa_mainloop_get_api_(ciclo), kImpostazioni.nomeApplicazione);
    if (contesto && l.pa_context_connect_(contesto, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const auto fine = std::chrono::steady_clock::now() + limite;
        for (;;) {
            const pa_context_state_t s = l.pa_context_get_state_(contesto);
            if (s == PA_CONTEXT_READY) {
                pronto = true;
                break;
            }
            if (!PA_CONTEXT_IS_GOOD(s))
                break;
            const auto resto = std::chrono::duration_cast<std::chrono::microseconds>(
                fine - std::chrono::steady_clock::now());
            if (resto.count() <= 0)
                break;
            if (l.pa_mainloop_prepare_(ciclo, static_cast<int>(resto.count())) < 0
                || l.pa_mainloop_poll_(ciclo) < 0 || l.pa_mainloop_dispatch_(ciclo) < 0)
                break;
        }
        l.pa_context_disconnect_(contesto);
    }
    if (contesto)
        l.pa_context_unref_(contesto);
    l.pa_mainloop_free_(ciclo);
    return pronto;
}

ca_context *apri(const Librerie &l)
{
    if (!serverRaggiungibile(l, kImpostazioni.attesaServer))
        return nullptr;
    ca_context *contesto = nullptr;
    if (l.ca_context_create_(&contesto) != CA_SUCCESS)
        return nullptr;
    if (l.ca_context_set_driver_(contesto, kImpostazioni.driver) != CA_SUCCESS
        || l.ca_context_change_props_(contesto,
                                   CA_PROP_APPLICATION_NAME, kImpostazioni.nomeApplicazione,
                                   CA_PROP_APPLICATION_ID, kImpostazioni.idApplicazione,
                                   nullptr) != CA_SUCCESS
        || l.ca_context_open_(contesto) != CA_SUCCESS) {
        l.ca_context_destroy_(contesto);
        return nullptr;
    }
    return contesto;
}

} // namespace

struct RiproduttoreCanberra::Condiviso {
    std::mutex mutex;
    std::condition_variable richieste;
    std::condition_variable quiete;
    std::deque<QByteArray> coda;
    bool occupato = false;
    bool ferma = false;
    bool finito = false;
    std::atomic<Stato> stato{Stato::Chiuso};
    std::chrono::milliseconds pausaRiprova{};
    // When the last look for a server gave up; only the player's thread
    // reads or writes it.
    std::chrono::steady_clock::time_point ultimaRicerca{};
};

namespace {

void suona(RiproduttoreCanberra::Condiviso &c, ca_context *&contesto, const QByteArray &percorso)
{
    using Stato = RiproduttoreCanberra::Stato;
    if (!librerie()) {
        c.stato = Stato::Muto;
        return;
    }
    const Librerie &l = *librerie();
    if (!contesto) {
        if (c.stato == Stato::Muto && std::chrono::steady_clock::now() - c.ultimaRicerca < c.pausaRiprova)
            return;
        contesto = apri(l);
        c.stato = contesto ? Stato::Aperto : Stato::Muto;
        c.ultimaRicerca = std::chrono::steady_clock::now();
        if (!contesto)
            return;
    }
    const std::uint32_t id = kImpostazioni.idSegnale;
    l.ca_context_cancel_(contesto, id);
    // libcanberra opens the file itself, and would wait for ever on a pipe
    // put in its place.
    const bool regolare = lettura::nonRegolare(QFile::decodeName(percorso)).isEmpty();
    if (!regolare
        || l.ca_context_play_(contesto, id,
                        CA_PROP_MEDIA_FILENAME, percorso.constData(),
                        CA_PROP_CANBERRA_CACHE_CONTROL, "never",
                        nullptr) != CA_SUCCESS)
        l.ca_context_play_(contesto, id, CA_PROP_EVENT_ID, kImpostazioni.eventoRipiego, nullptr);
}

void lavora(std::shared_ptr<RiproduttoreCanberra::Condiviso> c)
{
    ca_context *contesto = nullptr;
    std::unique_lock blocco(c->mutex);
    for (;;) {
        c->richieste.wait(blocco, [&] { return c->ferma || !c->coda.empty(); });
        if (c->ferma)
            break;
        const QByteArray percorso = std::move(c->coda.front());
        c->coda.pop_front();
        c->occupato = true;
        blocco.unlock();
        suona(*c, contesto, percorso);
        blocco.lock();
        c->occupato = false;
        if (c->coda.empty())
            c->quiete.notify_all();
    }
    c->coda.clear();
    blocco.unlock();
    // A context exists only once the libraries were loaded.
    if (contesto)
        librerie()->ca_context_destroy_(contesto);
    blocco.lock();
    c->finito = true;
    c->quiete.notify_all();
}

} // namespace

RiproduttoreCanberra::RiproduttoreCanberra(std::chrono::milliseconds pausaRiprova)
    : m_condiviso(std::make_shared<Condiviso>())
{
    m_condiviso->pausaRiprova = pausaRiprova;
}

RiproduttoreCanberra::~RiproduttoreCanberra()
{
    if (!m_filo.joinable())
        return;
    std::unique_lock blocco(m_condiviso->mutex);
    m_condiviso->ferma = true;
    m_condiviso->richieste.notify_all();
    const bool finito = m_condiviso->quiete.wait_for(blocco, kImpostazioni.attesaChiusura,
                                                     [&] { return m_condiviso->finito; });
    blocco.unlock();
    // A server that stopped answering must not hold up the program's exit;
    // the thread owns its share of the state and ends on its own.
    if (finito)
        m_filo.join();
    else
        m_filo.detach();
}

void RiproduttoreCanberra::riproduci(const QString &percorso)
{
    const QByteArray nome = QFile::encodeName(percorso);
    std::lock_guard blocco(m_condiviso->mutex);
    if (!m_filo.joinable())
        m_filo = std::thread(lavora, m_condiviso);
    if (m_condiviso->coda.size() >= kImpostazioni.massimoInAttesa)
        m_condiviso->coda.pop_front();
    m_condiviso->coda.push_back(nome);
    m_condiviso->richieste.notify_one();
}

bool RiproduttoreCanberra::attendi(std::chrono::milliseconds limite)
{
    std::unique_lock blocco(m_condiviso->mutex);
    return m_condiviso->quiete.wait_for(blocco, limite, [&] {
        return m_condiviso->coda.empty() && !m_condiviso->occupato;
    });
}

RiproduttoreCanberra::Stato RiproduttoreCanberra::stato() const
{
    return m_condiviso->stato;
}

RiproduttoreCanberra &canberra()
{
    static RiproduttoreCanberra giocatore;
    return giocatore;
}

} // namespace suoni
