// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start window: the title in big letters on a random colour, and the
// button that opens the game.

#include "platform/colore.h"
#include "windows/servizi.h"

#include <QWidget>

#include <functional>

class QLabel;
class PulsanteGrafico;

class FormAvvio : public QWidget
{
    Q_OBJECT
public:
    // The controls by the names the game's layout gives them, which are
    // their objectNames, and the member that holds each.
    struct Nome
    {
        static constexpr char Titolo[] = "Label2_0";         // m_titolo: the title (its window's own Label2)
        static constexpr char BottoneAvvio[] = "BottoneAvvio"; // m_bottoneAvvio: the start button
    };

    // The background is drawn from the services' random source, errors are
    // shown in their boxes. apriGioco shows the game window; the start
    // window then unloads itself.
    FormAvvio(const Servizi &servizi, std::function<void()> apriGioco);

    // The background colour drawn for this run.
    Colore coloreSfondo() const { return m_colore; }
    QLabel *titolo() const { return m_titolo; }
    PulsanteGrafico *bottoneAvvio() const { return m_bottoneAvvio; }

    void avvia();

private:
    void scegliSfondo();
    void impostaColoreSfondo(Colore colore);

    Servizi m_servizi;
    std::function<void()> m_apriGioco;
    Colore m_colore = 0;
    QLabel *m_titolo = nullptr;
    PulsanteGrafico *m_bottoneAvvio = nullptr;
};
