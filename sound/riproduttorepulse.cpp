// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/riproduttorepulse.h"

#include "platform/lettura.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <pulse/channelmap.h>
#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/proplist.h>
#include <pulse/stream.h>
#include <sndfile.h>

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>

// Why libsndfile and libpulse rather than libcanberra, which played the cues
// before (measured with tests/tst_suoni_reali.cpp on PulseAudio 16.1):
// - libcanberra 0.30 hands the file to its own decoder and, when that fails,
//   never closes it: one descriptor lost per cue that is not 8- or 16-bit
//   PCM (200 cues of a damaged file: 20 -> 220 open descriptors), and
//   24-bit and float WAVs, what audio editors export, were among them and
//   played the bell. Here the file is read by our own code, which always
//   closes it, and decoded from memory: 17 -> 17 descriptors over the same
//   200 cues, and libsndfile reads every WAV encoding.
// - libcanberra keeps its connection after the server dies, and played
//   nothing for the rest of the run; here a lost connection is dropped at
//   once and the first cue after the server's return is heard.
// - The program's exit could wait up to 2 s for the player's thread, held
//   inside libcanberra; here the thread leaves its poll as soon as it is
//   woken (a key to the process gone: 14-44 ms, server present or not).
// Both libraries are loaded at run time, not linked: linked, they bring 27
// more libraries to every start (a bare program: 1.2 -> 3.3 ms from exec to
// exit, 0.9 -> 4.6 MiB resident), and the start-up benchmark
// (bench/README.md) measured the sound libraries linked at +3.5 ms to main()
// and +1.3 MiB peak memory, against its budget of 1.05x the time and 1.0x
// the memory of a minimal Qt program. The Debian package's Depends name
// both libraries with the versions their symbols need.

namespace suoni {
namespace {

using namespace std::chrono_literals;

// libpulse and libsndfile are loaded by the first cue, on the player's
// thread; where either is missing the game plays on silently.
struct Librerie {
    decltype(&::pa_mainloop_new) pa_mainloop_new = nullptr;
    decltype(&::pa_mainloop_free) pa_mainloop_free = nullptr;
    decltype(&::pa_mainloop_get_api) pa_mainloop_get_api = nullptr;
    decltype(&::pa_mainloop_prepare) pa_mainloop_prepare = nullptr;
    decltype(&::pa_mainloop_poll) pa_mainloop_poll = nullptr;
    decltype(&::pa_mainloop_dispatch) pa_mainloop_dispatch = nullptr;
    decltype(&::pa_proplist_new) pa_proplist_new = nullptr;
    decltype(&::pa_proplist_sets) pa_proplist_sets = nullptr;
    decltype(&::pa_proplist_free) pa_proplist_free = nullptr;
    decltype(&::pa_context_new_with_proplist) pa_context_new_with_proplist = nullptr;
    decltype(&::pa_context_set_state_callback) pa_context_set_state_callback = nullptr;
    decltype(&::pa_context_connect) pa_context_connect = nullptr;
    decltype(&::pa_context_get_state) pa_context_get_state = nullptr;
    decltype(&::pa_context_disconnect) pa_context_disconnect = nullptr;
    decltype(&::pa_context_unref) pa_context_unref = nullptr;
    decltype(&::pa_channel_map_init_extend) pa_channel_map_init_extend = nullptr;
    decltype(&::pa_sample_spec_valid) pa_sample_spec_valid = nullptr;
    decltype(&::pa_frame_size) pa_frame_size = nullptr;
    decltype(&::pa_stream_new_with_proplist) pa_stream_new_with_proplist = nullptr;
    decltype(&::pa_stream_set_state_callback) pa_stream_set_state_callback = nullptr;
    decltype(&::pa_stream_set_write_callback) pa_stream_set_write_callback = nullptr;
    decltype(&::pa_stream_connect_playback) pa_stream_connect_playback = nullptr;
    decltype(&::pa_stream_disconnect) pa_stream_disconnect = nullptr;
    decltype(&::pa_stream_unref) pa_stream_unref = nullptr;
    decltype(&::pa_stream_get_state) pa_stream_get_state = nullptr;
    decltype(&::pa_stream_begin_write) pa_stream_begin_write = nullptr;
    decltype(&::pa_stream_cancel_write) pa_stream_cancel_write = nullptr;
    decltype(&::pa_stream_write) pa_stream_write = nullptr;
    decltype(&::pa_stream_drain) pa_stream_drain = nullptr;
    decltype(&::pa_operation_cancel) pa_operation_cancel = nullptr;
    decltype(&::pa_operation_unref) pa_operation_unref = nullptr;
    decltype(&::sf_open_virtual) sf_open_virtual = nullptr;
    decltype(&::sf_close) sf_close = nullptr;
    decltype(&::sf_readf_float) sf_readf_float = nullptr;
    decltype(&::sf_command) sf_command = nullptr;
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
    void *pulse = dlopen("libpulse.so.0", RTLD_NOW | RTLD_LOCAL);
    void *sndfile = dlopen("libsndfile.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!pulse || !sndfile)
        return nullptr;
    static Librerie l;
#define BRINDEL_RISOLVI(libreria, f) risolvi(libreria, #f, l.f)
    const bool tutte = BRINDEL_RISOLVI(pulse, pa_mainloop_new) && BRINDEL_RISOLVI(pulse, pa_mainloop_free) &&
        BRINDEL_RISOLVI(pulse, pa_mainloop_get_api) && BRINDEL_RISOLVI(pulse, pa_mainloop_prepare) &&
        BRINDEL_RISOLVI(pulse, pa_mainloop_poll) && BRINDEL_RISOLVI(pulse, pa_mainloop_dispatch) &&
        BRINDEL_RISOLVI(pulse, pa_proplist_new) && BRINDEL_RISOLVI(pulse, pa_proplist_sets) &&
        BRINDEL_RISOLVI(pulse, pa_proplist_free) && BRINDEL_RISOLVI(pulse, pa_context_new_with_proplist) &&
        BRINDEL_RISOLVI(pulse, pa_context_set_state_callback) &&
        BRINDEL_RISOLVI(pulse, pa_context_connect) && BRINDEL_RISOLVI(pulse, pa_context_get_state) &&
        BRINDEL_RISOLVI(pulse, pa_context_disconnect) && BRINDEL_RISOLVI(pulse, pa_context_unref) &&
        BRINDEL_RISOLVI(pulse, pa_channel_map_init_extend) && BRINDEL_RISOLVI(pulse, pa_sample_spec_valid) &&
        BRINDEL_RISOLVI(pulse, pa_frame_size) && BRINDEL_RISOLVI(pulse, pa_stream_new_with_proplist) &&
        BRINDEL_RISOLVI(pulse, pa_stream_set_state_callback) &&
        BRINDEL_RISOLVI(pulse, pa_stream_set_write_callback) &&
        BRINDEL_RISOLVI(pulse, pa_stream_connect_playback) && BRINDEL_RISOLVI(pulse, pa_stream_disconnect) &&
        BRINDEL_RISOLVI(pulse, pa_stream_unref) && BRINDEL_RISOLVI(pulse, pa_stream_get_state) &&
        BRINDEL_RISOLVI(pulse, pa_stream_begin_write) && BRINDEL_RISOLVI(pulse, pa_stream_cancel_write) &&
        BRINDEL_RISOLVI(pulse, pa_stream_write) && BRINDEL_RISOLVI(pulse, pa_stream_drain) &&
        BRINDEL_RISOLVI(pulse, pa_operation_cancel) && BRINDEL_RISOLVI(pulse, pa_operation_unref) &&
        BRINDEL_RISOLVI(sndfile, sf_open_virtual) && BRINDEL_RISOLVI(sndfile, sf_close) &&
        BRINDEL_RISOLVI(sndfile, sf_readf_float) && BRINDEL_RISOLVI(sndfile, sf_command);
#undef BRINDEL_RISOLVI
    return tutte ? &l : nullptr;
}

const Librerie *librerie()
{
    static const Librerie *const l = carica();
    return l;
}

// Only once librerie() has answered.
const Librerie &lib() { return *librerie(); }

struct Impostazioni {
    const char *nomeApplicazione;
    const char *idApplicazione;
    // Filed as a game's sound, not as a desktop event: the desktop's switch
    // for event sounds leaves it alone.
    const char *ruolo;
    // Sound theme and event played in place of a file that cannot be played.
    const char *tema;
    const char *eventoRipiego;
    // Cues still waiting when the server is slow: older ones would be cut
    // off at once by the newer anyway.
    std::size_t massimoInAttesa;
    // The longest a cue may take to be on the server: connecting included.
    std::chrono::milliseconds attesaServer;
    // How long the program's exit waits for the player's thread, which only
    // has to close its connection.
    std::chrono::milliseconds attesaChiusura;
    // A larger file is not a cue (10 s of 32-bit stereo at 96 kHz is 7.7 MB).
    qint64 massimoFile;
};

constexpr Impostazioni kImpostazioni{
    "Tintar i Brindel",
    BRINDEL_ID_APPLICAZIONE,
    "game",
    "freedesktop",
    "bell",
    4,
    3000ms,
    150ms,
    32 * 1024 * 1024,
};

// A cue being decoded from its file's bytes, read whole beforehand.
struct Suono {
    QByteArray dati;
    sf_count_t posizione = 0;
    SF_INFO info{};
    SNDFILE *file = nullptr;
    pa_sample_spec formato{};
    QByteArray nome;

    Suono() = default;
    Suono(const Suono &) = delete;
    Suono &operator=(const Suono &) = delete;
    ~Suono()
    {
        if (file)
            lib().sf_close(file);
    }
};

sf_count_t lunghezza(void *s) { return static_cast<Suono *>(s)->dati.size(); }

sf_count_t cerca(sf_count_t scarto, int da, void *p)
{
    auto *s = static_cast<Suono *>(p);
    const sf_count_t base = da == SEEK_SET ? 0 : da == SEEK_CUR ? s->posizione : s->dati.size();
    const sf_count_t nuova = base + scarto;
    if (nuova < 0 || nuova > s->dati.size())
        return -1;
    return s->posizione = nuova;
}

sf_count_t leggiDati(void *destinazione, sf_count_t quanti, void *p)
{
    auto *s = static_cast<Suono *>(p);
    const sf_count_t n = std::min(quanti, sf_count_t(s->dati.size()) - s->posizione);
    if (n <= 0)
        return 0;
    std::memcpy(destinazione, s->dati.constData() + s->posizione, size_t(n));
    s->posizione += n;
    return n;
}

sf_count_t scriviDati(const void *, sf_count_t, void *) { return 0; }
sf_count_t dove(void *s) { return static_cast<Suono *>(s)->posizione; }

// The sound in a file, ready to be read as 32-bit float frames; null when
// it is not a regular file or not one libsndfile decodes into something the
// server can play (and, for a cue, not a WAV).
std::unique_ptr<Suono> decodifica(const QString &percorso, bool soloWav)
{
    QString perche;
    std::optional<QByteArray> dati = lettura::leggi(percorso, kImpostazioni.massimoFile, perche);
    if (!dati)
        return nullptr;
    auto s = std::make_unique<Suono>();
    s->dati = std::move(*dati);
    s->nome = QFileInfo(percorso).fileName().toUtf8();
    SF_VIRTUAL_IO io{lunghezza, cerca, leggiDati, scriviDati, dove};
    s->file = lib().sf_open_virtual(&io, SFM_READ, &s->info, s.get());
    if (!s->file)
        return nullptr;
    const int tipo = s->info.format & SF_FORMAT_TYPEMASK;
    if (soloWav && tipo != SF_FORMAT_WAV && tipo != SF_FORMAT_WAVEX && tipo != SF_FORMAT_RF64)
        return nullptr;
    if (s->info.frames <= 0 || s->info.channels <= 0 || s->info.channels > int(PA_CHANNELS_MAX)
        || s->info.samplerate <= 0)
        return nullptr;
    s->formato = {PA_SAMPLE_FLOAT32NE, std::uint32_t(s->info.samplerate), std::uint8_t(s->info.channels)};
    if (!lib().pa_sample_spec_valid(&s->formato))
        return nullptr;
    // Samples past full scale in a float file are clipped, not wrapped.
    lib().sf_command(s->file, SFC_SET_CLIPPING, nullptr, SF_TRUE);
    return s;
}

// The "bell" sound of the theme every desktop has ("freedesktop"), looked
// up in the user's and then the system's XDG data folders.
std::unique_ptr<Suono> campanello()
{
    QStringList basi;
    const QByteArray casa = qgetenv("XDG_DATA_HOME");
    if (!casa.isEmpty())
        basi << QFile::decodeName(casa);
    else if (!qgetenv("HOME").isEmpty())
        basi << QFile::decodeName(qgetenv("HOME")) + QStringLiteral("/.local/share");
    QByteArray sistema = qgetenv("XDG_DATA_DIRS");
    if (sistema.isEmpty())
        sistema = "/usr/local/share:/usr/share";
    for (const QByteArray &b : sistema.split(':'))
        if (!b.isEmpty())
            basi << QFile::decodeName(b);
    for (const QString &base : std::as_const(basi))
        for (const char *estensione : {".oga", ".ogg", ".wav"}) {
            const QString percorso = base + QStringLiteral("/sounds/") + QLatin1String(kImpostazioni.tema)
                + QStringLiteral("/stereo/") + QLatin1String(kImpostazioni.eventoRipiego)
                + QLatin1String(estensione);
            if (!lettura::nonRegolare(percorso).isEmpty())
                continue;
            if (auto s = decodifica(percorso, false))
                return s;
        }
    return nullptr;
}

// A sound asked for: its file, and whether the bell stands in for it.
struct Richiesta {
    QString percorso;
    bool campanello = true;
};

} // namespace

struct RiproduttorePulse::Condiviso {
    std::mutex mutex;
    std::condition_variable quiete;
    std::deque<Richiesta> coda;
    // The player's thread is starting a cue.
    bool occupato = false;
    bool ferma = false;
    bool finito = false;
    // Writing a byte here wakes the thread's main loop; -1 while it has none.
    // (pa_mainloop_wakeup() is not enough: a wake-up that comes before the
    // loop's prepare step is cleared by it, and the cue would wait.)
    int sveglia = -1;
    // Wakes a thread that has no main loop (the libraries are missing).
    std::condition_variable avvio;
    std::atomic<Stato> stato{Stato::Chiuso};
};

namespace {

// Everything the player's thread owns: its main loop, the connection, and
// the one cue that may be playing.
class Lavoro
{
public:
    explicit Lavoro(std::shared_ptr<RiproduttorePulse::Condiviso> c)
        : m_c(std::move(c))
    {
    }

    void esegui();

private:
    using Stato = RiproduttorePulse::Stato;

    bool avviando() const { return m_inAttesa || (m_flusso && !m_flussoPronto); }
    void scartaTutto();
    void inizia(const Richiesta &richiesta);
    void connetti();
    void chiudiContesto(Stato stato);
    void creaFlusso();
    void fermaFlusso();
    void riempi(std::size_t byte);
    void finito();

    static void statoContesto(pa_context *c, void *io);
    static void statoFlusso(pa_stream *s, void *io);
    static void scrivi(pa_stream *s, std::size_t byte, void *io);
    static void svuotato(pa_stream *s, int, void *io);
    static void svegliato(pa_mainloop_api *, pa_io_event *, int fd, pa_io_event_flags_t, void *);

    std::shared_ptr<RiproduttorePulse::Condiviso> m_c;
    pa_mainloop *m_ciclo = nullptr;
    pa_context *m_contesto = nullptr;
    pa_stream *m_flusso = nullptr;
    pa_operation *m_svuota = nullptr;
    bool m_flussoPronto = false;
    // The cue decoded and waiting for the connection, and the one playing.
    std::unique_ptr<Suono> m_inAttesa;
    std::unique_ptr<Suono> m_suono;
    std::chrono::steady_clock::time_point m_scadenza{};
};

void Lavoro::scartaTutto()
{
    m_c->stato = Stato::Muto;
    std::unique_lock blocco(m_c->mutex);
    for (;;) {
        m_c->coda.clear();
        m_c->occupato = false;
        m_c->quiete.notify_all();
        if (m_c->ferma)
            break;
        m_c->avvio.wait(blocco);
    }
    m_c->finito = true;
    m_c->quiete.notify_all();
}

void Lavoro::esegui()
{
    int sveglia[2] = {-1, -1};
    pa_io_event *evento = nullptr;
    if (librerie() && (m_ciclo = lib().pa_mainloop_new()) && ::pipe2(sveglia, O_CLOEXEC | O_NONBLOCK) == 0) {
        pa_mainloop_api *api = lib().pa_mainloop_get_api(m_ciclo);
        evento = api->io_new(api, sveglia[0], PA_IO_EVENT_INPUT, svegliato, nullptr);
    }
    if (!evento) {
        // Nothing can play: every cue is dropped as it comes.
        if (m_ciclo)
            lib().pa_mainloop_free(m_ciclo);
        for (int fd : sveglia)
            if (fd >= 0)
                ::close(fd);
        scartaTutto();
        return;
    }
    {
        std::lock_guard blocco(m_c->mutex);
        m_c->sveglia = sveglia[1];
    }
    for (;;) {
        std::optional<Richiesta> prossimo;
        {
            std::lock_guard blocco(m_c->mutex);
            if (m_c->ferma)
                break;
            if (!avviando()) {
                if (!m_c->coda.empty()) {
                    prossimo = std::move(m_c->coda.front());
                    m_c->coda.pop_front();
                    m_c->occupato = true;
                } else if (m_c->occupato) {
                    m_c->occupato = false;
                    m_c->quiete.notify_all();
                }
            }
        }
        if (prossimo) {
            inizia(*prossimo);
            continue;
        }
        int attesa = -1;
        if (avviando()) {
            const auto resto = std::chrono::duration_cast<std::chrono::microseconds>(
                m_scadenza - std::chrono::steady_clock::now());
            attesa = int(std::max<std::int64_t>(resto.count(), 0));
        }
        if (lib().pa_mainloop_prepare(m_ciclo, attesa) < 0 || lib().pa_mainloop_poll(m_ciclo) < 0
            || lib().pa_mainloop_dispatch(m_ciclo) < 0)
            break;
        // A server that took a connection but never answered, or never
        // took the stream: it counts as gone.
        if (avviando() && std::chrono::steady_clock::now() >= m_scadenza)
            chiudiContesto(Stato::Muto);
    }
    fermaFlusso();
    chiudiContesto(m_c->stato);
    std::unique_lock blocco(m_c->mutex);
    m_c->sveglia = -1;
    blocco.unlock();
    pa_mainloop_api *api = lib().pa_mainloop_get_api(m_ciclo);
    api->io_free(evento);
    lib().pa_mainloop_free(m_ciclo);
    for (int fd : sveglia)
        if (fd >= 0)
            ::close(fd);
    blocco.lock();
    m_c->coda.clear();
    m_c->occupato = false;
    m_c->finito = true;
    m_c->quiete.notify_all();
}

void Lavoro::svegliato(pa_mainloop_api *, pa_io_event *, int fd, pa_io_event_flags_t, void *)
{
    char scarto[64];
    while (::read(fd, scarto, sizeof scarto) > 0) {
    }
}

void Lavoro::inizia(const Richiesta &richiesta)
{
    fermaFlusso();
    m_inAttesa = decodifica(richiesta.percorso, true);
    if (!m_inAttesa && richiesta.campanello)
        m_inAttesa = campanello();
    if (!m_inAttesa)
        return;
    m_scadenza = std::chrono::steady_clock::now() + kImpostazioni.attesaServer;
    if (m_contesto && lib().pa_context_get_state(m_contesto) == PA_CONTEXT_READY)
        creaFlusso();
    else if (!m_contesto)
        connetti();
}

void Lavoro::connetti()
{
    pa_proplist *p = lib().pa_proplist_new();
    lib().pa_proplist_sets(p, PA_PROP_APPLICATION_NAME, kImpostazioni.nomeApplicazione);
    lib().pa_proplist_sets(p, PA_PROP_APPLICATION_ID, kImpostazioni.idApplicazione);
    m_contesto = lib().pa_context_new_with_proplist(lib().pa_mainloop_get_api(m_ciclo), kImpostazioni.nomeApplicazione, p);
    lib().pa_proplist_free(p);
    if (!m_contesto) {
        chiudiContesto(Stato::Muto);
        return;
    }
    lib().pa_context_set_state_callback(m_contesto, statoContesto, this);
    // Never start a server of our own: a desktop without one stays silent.
    if (lib().pa_context_connect(m_contesto, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
        chiudiContesto(Stato::Muto);
}

void Lavoro::chiudiContesto(Stato stato)
{
    fermaFlusso();
    m_inAttesa.reset();
    if (m_contesto) {
        lib().pa_context_set_state_callback(m_contesto, nullptr, nullptr);
        lib().pa_context_disconnect(m_contesto);
        lib().pa_context_unref(m_contesto);
        m_contesto = nullptr;
    }
    m_c->stato = stato;
    // Cues that waited for a server which never answered are stale: the
    // next one looks again, and the thread is not held for each in turn.
    if (stato == Stato::Muto) {
        std::lock_guard blocco(m_c->mutex);
        m_c->coda.clear();
    }
}

void Lavoro::statoContesto(pa_context *c, void *io)
{
    auto *l = static_cast<Lavoro *>(io);
    const pa_context_state_t s = lib().pa_context_get_state(c);
    if (s == PA_CONTEXT_READY) {
        l->m_c->stato = Stato::Aperto;
        if (l->m_inAttesa)
            l->creaFlusso();
    } else if (!PA_CONTEXT_IS_GOOD(s)) {
        // The server went away, or never answered: the next cue connects
        // again.
        l->chiudiContesto(Stato::Muto);
    }
}

void Lavoro::creaFlusso()
{
    m_suono = std::move(m_inAttesa);
    pa_channel_map canali;
    lib().pa_channel_map_init_extend(&canali, m_suono->formato.channels, PA_CHANNEL_MAP_DEFAULT);
    pa_proplist *p = lib().pa_proplist_new();
    lib().pa_proplist_sets(p, PA_PROP_MEDIA_ROLE, kImpostazioni.ruolo);
    lib().pa_proplist_sets(p, PA_PROP_MEDIA_NAME, m_suono->nome.constData());
    m_flusso = lib().pa_stream_new_with_proplist(m_contesto, m_suono->nome.constData(), &m_suono->formato, &canali, p);
    lib().pa_proplist_free(p);
    m_flussoPronto = false;
    if (!m_flusso) {
        m_suono.reset();
        return;
    }
    lib().pa_stream_set_state_callback(m_flusso, statoFlusso, this);
    lib().pa_stream_set_write_callback(m_flusso, scrivi, this);
    if (lib().pa_stream_connect_playback(m_flusso, nullptr, nullptr, PA_STREAM_NOFLAGS, nullptr, nullptr) < 0)
        fermaFlusso();
}

void Lavoro::fermaFlusso()
{
    if (m_svuota) {
        lib().pa_operation_cancel(m_svuota);
        lib().pa_operation_unref(m_svuota);
        m_svuota = nullptr;
    }
    if (m_flusso) {
        lib().pa_stream_set_state_callback(m_flusso, nullptr, nullptr);
        lib().pa_stream_set_write_callback(m_flusso, nullptr, nullptr);
        // Stops it on the server at once, with whatever it still had to play.
        lib().pa_stream_disconnect(m_flusso);
        lib().pa_stream_unref(m_flusso);
        m_flusso = nullptr;
    }
    m_flussoPronto = false;
    m_suono.reset();
}

void Lavoro::statoFlusso(pa_stream *s, void *io)
{
    auto *l = static_cast<Lavoro *>(io);
    if (s != l->m_flusso)
        return;
    const pa_stream_state_t stato = lib().pa_stream_get_state(s);
    if (stato == PA_STREAM_READY)
        l->m_flussoPronto = true;
    else if (!PA_STREAM_IS_GOOD(stato))
        l->fermaFlusso();
}

void Lavoro::scrivi(pa_stream *s, std::size_t byte, void *io)
{
    auto *l = static_cast<Lavoro *>(io);
    if (s == l->m_flusso)
        l->riempi(byte);
}

// Decodes as much as the server asks for; at the end of the sound lets the
// stream play out what it holds, then closes it.
void Lavoro::riempi(std::size_t byte)
{
    const std::size_t quadro = lib().pa_frame_size(&m_suono->formato);
    while (m_suono && byte >= quadro) {
        void *dati = nullptr;
        std::size_t n = byte;
        if (lib().pa_stream_begin_write(m_flusso, &dati, &n) < 0 || n < quadro) {
            lib().pa_stream_cancel_write(m_flusso);
            return;
        }
        const sf_count_t chiesti = sf_count_t(n / quadro);
        const sf_count_t letti = lib().sf_readf_float(m_suono->file, static_cast<float *>(dati), chiesti);
        if (letti > 0)
            lib().pa_stream_write(m_flusso, dati, std::size_t(letti) * quadro, nullptr, 0, PA_SEEK_RELATIVE);
        else
            lib().pa_stream_cancel_write(m_flusso);
        if (letti < chiesti) {
            finito();
            return;
        }
        byte -= std::size_t(letti) * quadro;
    }
}

void Lavoro::finito()
{
    m_suono.reset();
    lib().pa_stream_set_write_callback(m_flusso, nullptr, nullptr);
    m_svuota = lib().pa_stream_drain(m_flusso, svuotato, this);
}

void Lavoro::svuotato(pa_stream *s, int, void *io)
{
    auto *l = static_cast<Lavoro *>(io);
    if (s != l->m_flusso)
        return;
    lib().pa_operation_unref(l->m_svuota);
    l->m_svuota = nullptr;
    l->fermaFlusso();
}

} // namespace

namespace {

// With the mutex held.
void sveglia(const RiproduttorePulse::Condiviso &c)
{
    if (c.sveglia >= 0) {
        const char b = 0;
        // A full pipe already wakes the loop.
        (void)!::write(c.sveglia, &b, 1);
    }
}

} // namespace

RiproduttorePulse::RiproduttorePulse()
    : m_condiviso(std::make_shared<Condiviso>())
{
}

RiproduttorePulse::~RiproduttorePulse()
{
    if (!m_filo.joinable())
        return;
    std::unique_lock blocco(m_condiviso->mutex);
    m_condiviso->ferma = true;
    sveglia(*m_condiviso);
    m_condiviso->avvio.notify_one();
    const bool finito = m_condiviso->quiete.wait_for(blocco, kImpostazioni.attesaChiusura,
                                                     [&] { return m_condiviso->finito; });
    blocco.unlock();
    // A file still being read from a disk that stopped answering must not
    // hold up the program's exit; the thread owns its share of the state and
    // ends on its own.
    if (finito)
        m_filo.join();
    else
        m_filo.detach();
}

void RiproduttorePulse::riproduci(const QString &percorso)
{
    accoda(percorso, true);
}

void RiproduttorePulse::riproduciVoce(const QString &percorso)
{
    accoda(percorso, false);
}

void RiproduttorePulse::accoda(const QString &percorso, bool campanello)
{
    std::lock_guard blocco(m_condiviso->mutex);
    if (!m_filo.joinable())
        m_filo = std::thread([c = m_condiviso] { Lavoro(c).esegui(); });
    if (m_condiviso->coda.size() >= kImpostazioni.massimoInAttesa)
        m_condiviso->coda.pop_front();
    m_condiviso->coda.push_back({percorso, campanello});
    sveglia(*m_condiviso);
    m_condiviso->avvio.notify_one();
}

bool RiproduttorePulse::attendi(std::chrono::milliseconds limite)
{
    std::unique_lock blocco(m_condiviso->mutex);
    return m_condiviso->quiete.wait_for(blocco, limite, [&] {
        return m_condiviso->finito || (m_condiviso->coda.empty() && !m_condiviso->occupato);
    });
}

RiproduttorePulse::Stato RiproduttorePulse::stato() const
{
    return m_condiviso->stato;
}

} // namespace suoni
