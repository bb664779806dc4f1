// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for the core's services, handed to the code under test in place
// of the real player and program folder: a cue player that remembers, and a
// folder of the test's choosing.

#include "platform/cartella.h"
#include "sound/riproduttore.h"

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

// The program's folder, wherever the test puts it; it may move between
// two uses.
class CartellaFissa final : public cartella::Cartella
{
public:
    explicit CartellaFissa(QString dove_) : dove(std::move(dove_)) {}
    QString percorso() const override { return dove; }
    QString dove;
};

} // namespace prova
