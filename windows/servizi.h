// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the windows take from the system: the sound player, the random
// source, the program's folder and the message boxes. main makes the real
// ones once and hands them down through every constructor; there is no
// default and no setter, so a window (or a test) that is not given all four
// does not compile, and a test never meets the real player, the clock-seeded
// sequence or a real box by accident.

#include "platform/cartella.h"
#include "platform/casuale.h"
#include "sound/riproduttore.h"
#include "windows/messaggi.h"

struct Servizi
{
    suoni::Riproduttore &riproduttore;
    casuale::Sorgente &casuale;
    const cartella::Cartella &cartella;
    messaggi::Box &box;
};
