// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Stand-ins for every service the windows take, which remember what the
// program asked of them: the message boxes, the cues, a folder of test
// drawings and a random source of the test's choosing.

#include "comune/gif.h"
#include "comune/sostituti.h"
#include "platform/casuale.h"
#include "windows/messaggi.h"
#include "windows/servizi.h"

#include <QList>
#include <QSize>
#include <QTemporaryDir>

#include <utility>

namespace prova {

struct BoxVisto
{
    messaggi::Messaggio messaggio;
    // The window it was shown over.
    QWidget *sopra = nullptr;
};

// Answers every message box with `risposta` and remembers it. The program's
// end, which a box may bring, is undone for the next test.
class RegistroMessaggi final : public messaggi::Box
{
public:
    explicit RegistroMessaggi(messaggi::Risposta risposta_ = messaggi::Risposta::Ok) : risposta(risposta_)
    {
        messaggi::ripristina();
    }
    ~RegistroMessaggi() override { messaggi::ripristina(); }
    messaggi::Risposta mostra(const messaggi::Messaggio &messaggio, QWidget *sopra) override
    {
        box.append({messaggio, sopra});
        return risposta;
    }
    messaggi::Risposta risposta;
    QList<BoxVisto> box;
};

// A folder of the test's own as the program's folder, with twelve drawings
// (a white page, a black frame and a black cross) of the given size in its
// brindel/.
class CartellaDisegni final : public cartella::Cartella
{
public:
    explicit CartellaDisegni(QSize disegno = {320, 466}) { scrivi(disegno); }
    // The twelve drawings again, at another size.
    void scrivi(QSize disegno) { scriviDisegni(dir.path(), disegno.width(), disegno.height()); }
    QString percorso() const override { return dir.path(); }
    QString file(const QString &nome) const { return dir.filePath(nome); }

private:
    QTemporaryDir dir;
};

// The four services as stand-ins, for a window under test: boxes answered
// OK and remembered, cues remembered, the twelve test drawings, and random
// draws from a source of kind S made of the arguments given.
template <typename S = casuale::Generatore>
struct Sostituti
{
    template <typename... A>
    explicit Sostituti(A &&...a) : casuale(std::forward<A>(a)...)
    {
    }
    Servizi servizi() { return {suoni, casuale, cartella, messaggi}; }

    RegistroMessaggi messaggi;
    RegistroSuoni suoni;
    CartellaDisegni cartella;
    S casuale;
};

} // namespace prova
