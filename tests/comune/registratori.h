#pragma once
// Stand-ins for the platform that remember what the program asked of it.

#include "platform/casuale.h"
#include "platform/cartella.h"
#include "sound/modulocolorisuoni.h"
#include "windows/messaggi.h"

#include <QFileInfo>
#include <QList>
#include <QStringList>

namespace prova {

// The cue files asked for, by file name, in order.
class RegistroSuoni final : public suoni::Riproduttore
{
public:
    RegistroSuoni() { suoni::imposta(this); }
    ~RegistroSuoni() override { suoni::imposta(nullptr); }
    void riproduci(const QString &percorso) override
    {
        percorsi << percorso;
        nomi << QFileInfo(percorso).fileName();
    }
    QStringList percorsi;
    QStringList nomi;
};

struct Box
{
    QString testo;
    int flags = 0;
    QString titolo;
};

// Answers every message box with `risposta` and remembers it.
class RegistroMessaggi final : public messaggi::Finestra
{
public:
    explicit RegistroMessaggi(int risposta_ = messaggi::Ok) : risposta(risposta_)
    {
        messaggi::ripristina();
        messaggi::imposta(this);
    }
    ~RegistroMessaggi() override
    {
        messaggi::imposta(nullptr);
        messaggi::ripristina();
    }
    int mostra(const QString &testo, int flags, const QString &titolo) override
    {
        box.append({testo, flags, titolo});
        return risposta;
    }
    int risposta;
    QList<Box> box;
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
