// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Start-up: the program's two windows.

#include "windows/servizi.h"

#include <memory>

class FormAvvio;
class FormBrindel;

// What a running program holds: its two windows, and the services they are
// given. The start window unloads itself; the game window lives until the
// program ends.
class Programma
{
public:
    explicit Programma(const Servizi &servizi);
    ~Programma();

    // Application-wide settings every window relies on: style, fonts, name
    // and version, once the application exists. (Qt's own texts are made
    // Italian with the first message box.)
    static void preparaApplicazione();

    // Shows the start window.
    void avvia();

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
