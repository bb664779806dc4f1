// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for the core's seams: a cue player to hand to the windows, and,
// for the process-wide random source and program folder, stand-ins installed
// for their own lifetime: the only code that sets those two.

#include "platform/casuale.h"
#include "platform/cartella.h"
#include "sound/modulocolorisuoni.h"

#include <QFileInfo>
#include <QStringList>

#include <utility>

namespace prova {

// The cue files asked for, by file name, in order; a voice's name begins
// with "voce/".
class RegistroSuoni final : public suoni::Riproduttore
{
public:
    void riproduci(const QString &percorso) override
    {
        percorsi << percorso;
        nomi << QFileInfo(percorso).fileName();
    }
    void riproduciVoce(const QString &percorso) override
    {
        percorsi << percorso;
        nomi << QStringLiteral("voce/") + QFileInfo(percorso).fileName();
    }
    QStringList percorsi;
    QStringList nomi;
};

// Installs a source of random values for the lifetime of the object.
template <typename S>
class Casuale
{
public:
    template <typename... A>
    explicit Casuale(A &&...a) : sorgente(std::forward<A>(a)...) { casuale::imposta(&sorgente); }
    ~Casuale() { casuale::imposta(nullptr); }
    S sorgente;
};

// Points the program's folder somewhere else for the lifetime of the object.
class Cartella
{
public:
    explicit Cartella(const QString &percorso) { cartella::imposta(percorso); }
    ~Cartella() { cartella::imposta({}); }
};

} // namespace prova
