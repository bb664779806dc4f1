// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes, and what happens when an event handler fails: its message is
// shown and the program ends with a non-zero status. A box opens centred over
// the window it belongs to. Tests install a recorder in place of the real
// boxes.

#include <QString>

#include <functional>
#include <memory>

class QMessageBox;
class QWidget;

namespace messaggi {

// The flags word of a box: buttons plus icon.
enum Flag : int {
    SoloOk = 0,
    SiNo = 4,
    IconaErrore = 16,
    IconaDomanda = 32,
    IconaInformazione = 64,
};

// The button pressed.
enum Risposta : int {
    Ok = 1,
    Si = 6,
    No = 7,
};

class Finestra
{
public:
    virtual ~Finestra() = default;
    // Modal to the application, over the window `sopra` (none: the middle of
    // the screen); returns the button pressed.
    virtual int mostra(const QString &testo, int flags, const QString &titolo, QWidget *sopra) = 0;
};

// The real box for a text, flags word and title, not yet shown: over
// `sopra` where that window is shown.
std::unique_ptr<QMessageBox> creaBox(const QString &testo, int flags, const QString &titolo, QWidget *sopra = nullptr);

// Sets aside, at start-up, the memory and descriptors that showing an
// error needs when the error is that they ran out.
void prepara();

// nullptr goes back to the real message boxes.
void imposta(Finestra *altra);

int MsgBox(const QString &testo, int flags, const QString &titolo, QWidget *sopra);

// Runs an event handler of `finestra` (none before any window exists). A
// run-time error raised inside it is shown in a box over that window, titled
// with the program's title, and then the program ends with the error's
// status; after that no handler runs any more.
void esegui(QWidget *finestra, const std::function<void()> &gestore);

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
