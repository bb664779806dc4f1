// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up and the game window's menu commands.

#include "windows/servizi.h"

#include <QString>

#include <memory>

class FormAvvio;
class FormBrindel;
class QWidget;

// What a running program holds: its two windows, and the services they are
// given. The start window unloads itself; the game window lives until the
// program ends.
class Programma
{
public:
    explicit Programma(const Servizi &servizi);
    ~Programma();

    // Shows the start window.
    void Main();

    FormAvvio *formAvvio() const;
    // Brings the program's window (the game's, or the start window before
    // it) to the front, as a second launch asks.
    void inPrimoPiano();
    FormBrindel *formBrindel() const { return m_brindel.get(); }

private:
    void mostraGioco();

    struct Dati;
    std::unique_ptr<Dati> m_dati;
    std::unique_ptr<FormBrindel> m_brindel;
};

namespace Modulo1 {

// Application-wide settings every window relies on: style, fonts, name and
// version, once the application exists. (Qt's own texts are made Italian
// with the first message box.)
void preparaApplicazione();

QString testoInformazioni();
// The About box and the exit question, in `box`, over the window `sopra`.
void MostraInformazioni(messaggi::Box &box, QWidget *sopra);
void ChiediUscita(messaggi::Box &box, QWidget *sopra);

} // namespace Modulo1
