// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes, and what happens when an event handler fails: its message is
// shown and the program ends with a non-zero status. A box opens centred over
// the window it belongs to. The boxes are a service handed down from main:
// tests hand a recorder instead.

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace messaggi {

enum class Pulsanti {
    Ok,   // OK alone
    SiNo, // "Sì" (the default, and Enter) and "No" (also Escape); no Cancel
};

enum class Icona {
    Nessuna,
    Errore,
    Domanda,
    Informazione,
};

// The button pressed.
enum class Risposta {
    Ok,
    Si,
    No,
};

struct Messaggio
{
    QString testo;
    Pulsanti pulsanti = Pulsanti::Ok;
    Icona icona = Icona::Nessuna;
    QString titolo;
};

// The same box as the flags word of the classic Windows message box
// (buttons plus icon: OK 0, Yes and No 4; error 16, question 32,
// information 64), and the answer as its code (OK 1, Yes 6, No 7): the one
// place these numbers are written, for telling which box is which. Nothing
// in the program passes them around.
constexpr int flags(Pulsanti pulsanti, Icona icona)
{
    const int p = pulsanti == Pulsanti::SiNo ? 4 : 0;
    switch (icona) {
    case Icona::Nessuna:
        return p;
    case Icona::Errore:
        return p + 16;
    case Icona::Domanda:
        return p + 32;
    case Icona::Informazione:
        return p + 64;
    }
    return p;
}
constexpr int codice(Risposta risposta)
{
    return risposta == Risposta::Si ? 6 : risposta == Risposta::No ? 7 : 1;
}

// What shows a message and waits for the answer.
class Box
{
public:
    virtual ~Box() = default;
    // Modal to the application, over the window `sopra` (none: the middle of
    // the screen); returns the button pressed.
    virtual Risposta mostra(const Messaggio &messaggio, QWidget *sopra) = 0;
};

// The real boxes, which main hands down.
class BoxVeri final : public Box
{
public:
    Risposta mostra(const Messaggio &messaggio, QWidget *sopra) override;
};

// The real box for a message, not yet shown: over `sopra` where that
// window is shown.
std::unique_ptr<QMessageBox> creaBox(const Messaggio &messaggio, QWidget *sopra = nullptr);

// Sets aside, at start-up, the memory and descriptors that showing an
// error needs when the error is that they ran out.
void prepara();

// Runs an event handler of `finestra` (none before any window exists). A
// run-time error raised inside it is shown in a box over that window, titled
// with the program's title, and then the program ends with the error's
// status; after that no handler runs any more.
void esegui(Box &box, QWidget *finestra, const std::function<void()> &gestore);

// Runs the application's event loop until the program ends and returns its
// exit status. A program that ended before the loop (an error during
// start-up) returns at once with that status.
int cicloPrincipale();

// Ends the program at once with the given status: no handler runs after it,
// the windows and any message box on screen close, and the event loop ends
// if it runs.
void termina(int codice);
bool terminato();
int codiceUscita();
// For tests that go on after a simulated end: handlers run again, and
// closing the last window ends the loop again.
void ripristina();

} // namespace messaggi
