// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own player: WAV files decoded with libsndfile and played on
// a PulseAudio (or PipeWire) sound server through libpulse, driven from a
// thread of its own so that no cue ever waits on the file or the server.

#include "sound/riproduttore.h"

#include <chrono>
#include <memory>
#include <thread>

namespace suoni {

class RiproduttorePulse final : public Riproduttore
{
public:
    enum class Stato {
        Chiuso, // nothing played yet: the server has not been looked for
        Aperto, // connected; cues play
        Muto,   // no server answered at the last look, or the connection was
                // lost: cues are silent, and the next one looks again
    };

    RiproduttorePulse();
    ~RiproduttorePulse() override;
    RiproduttorePulse(const RiproduttorePulse &) = delete;
    RiproduttorePulse &operator=(const RiproduttorePulse &) = delete;

    // Hands the path to the player's thread and returns at once. That thread
    // stops the sound still playing and starts this one; a file that is not
    // a WAV it can decode, or anything but a regular file, gives the sound
    // theme's bell, or for a voice nothing.
    void riproduci(const QString &percorso) override;
    void riproduciVoce(const QString &percorso) override;

    // Waits until every cue asked for so far has been started (its stream
    // is on the server) or given up. False if that has not happened within
    // the limit.
    bool attendi(std::chrono::milliseconds limite);

    Stato stato() const;

    struct Condiviso;

private:
    void accoda(const QString &percorso, bool campanello);

    std::shared_ptr<Condiviso> m_condiviso;
    std::thread m_filo;
};

} // namespace suoni
