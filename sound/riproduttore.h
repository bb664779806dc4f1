// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What plays a WAV file: the program's own player (riproduttorepulse.h)
// stops the sound still playing, so at most one sounds; tests give a
// recorder instead.

#include <QString>

namespace suoni {

class Riproduttore
{
public:
    virtual ~Riproduttore() = default;
    // A cue: a file that cannot be played gives the desktop's bell.
    virtual void riproduci(const QString &percorso) = 0;
    // A spoken name: a file that cannot be played gives nothing.
    virtual void riproduciVoce(const QString &percorso) = 0;
};

} // namespace suoni
