#pragma once
// The program's own player: libcanberra over a PulseAudio (or PipeWire)
// sound server, driven from a thread of its own so that no cue ever waits
// on the server.

#include "sound/modulocolorisuoni.h"

#include <chrono>
#include <memory>
#include <thread>

namespace suoni {

class RiproduttoreCanberra final : public Riproduttore
{
public:
    enum class Stato {
        Chiuso, // nothing played yet: the server has not been looked for
        Aperto, // connected; cues play
        Muto,   // no usable server at the last look: cues are silent, and one
                // after the pause looks again (a server may start late)
    };

    // How long after a look that found no server the next look may come.
    static constexpr std::chrono::milliseconds PausaRiprova{5000};

    explicit RiproduttoreCanberra(std::chrono::milliseconds pausaRiprova = PausaRiprova);
    ~RiproduttoreCanberra() override;
    RiproduttoreCanberra(const RiproduttoreCanberra &) = delete;
    RiproduttoreCanberra &operator=(const RiproduttoreCanberra &) = delete;

    // Hands the path to the player's thread and returns at once. That thread
    // stops the cue still playing and starts this one; a file that cannot be
    // played, or anything but a regular file, gives the sound theme's bell.
    void riproduci(const QString &percorso) override;

    // Waits until every cue asked for so far has been started (or dropped).
    // False if that has not happened within the limit.
    bool attendi(std::chrono::milliseconds limite);

    Stato stato() const;

    struct Condiviso;

private:
    std::shared_ptr<Condiviso> m_condiviso;
    std::thread m_filo;
};

// The program's own player, which suoni::delProgramma() returns.
RiproduttoreCanberra &canberra();

} // namespace suoni
