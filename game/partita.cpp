// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/partita.h"

#include "platform/errore.h"
#include "platform/numeri.h"

#include <cmath>

namespace gioco {

namespace {

QString nomeCella(int colonna, int riga)
{
    return QString::fromLatin1(DidascalieRighe.at(riga)) + QLatin1String(DidascalieColonne.at(colonna));
}

} // namespace

Geometria geometriaPerRiquadro(double larghezzaEsterna, double altezzaEsterna, const QString &file)
{
    Geometria g;
    g.altezzaCella = numeri::aInt16(std::floor(altezzaEsterna - MargineAlto) / Righe);
    g.larghezzaCella = numeri::aInt16(std::floor(larghezzaEsterna - MargineSinistro) / Colonne);
    if (g.altezzaCella <= 0 || g.larghezzaCella <= 0)
        throw ErroreEsecuzione(ErroreEsecuzione::Tipo::DisegnoTroppoPiccolo, file,
                               QStringLiteral("Misura: %1 × %2 pixel.")
                                   .arg(larghezzaEsterna - 2 * BordoRiquadro)
                                   .arg(altezzaEsterna - 2 * BordoRiquadro));
    return g;
}

QString percorsoDisegno(const cartella::Cartella &cartella, int numero)
{
    return cartella.percorso() + QStringLiteral("/brindel/") + QString::number(numero) + QStringLiteral(".gif");
}

Partita::Partita(Ambiente ambiente)
    : m_ambiente(std::move(ambiente))
{
}

void Partita::NuovaPartita()
{
    m_trovati = 0;
    m_errori = 0;
    m_numeroDisegno = static_cast<std::int16_t>(casuale::scegli(m_ambiente.casuale.prossimo(), NumeroDisegni) + 1);

    const QSize riquadro = m_ambiente.caricaDisegno(m_numeroDisegno);
    m_geometria = geometriaPerRiquadro(riquadro.width(), riquadro.height(), percorsoDisegno(m_ambiente.cartella, m_numeroDisegno));

    for (Copertura &c : m_coperture)
        c = Copertura{true, colore::Giallo};
    cambiaFase(Fase::Ricerca);

    GeneraCoordinata();
}

void Partita::GeneraCoordinata()
{
    int colonna = 0;
    int riga = 0;
    do {
        colonna = casuale::scegli(m_ambiente.casuale.prossimo(), Colonne);
        riga = casuale::scegli(m_ambiente.casuale.prossimo(), Righe);
        m_numero = static_cast<std::int16_t>(indiceCella(colonna, riga));
    } while (!m_coperture[m_numero].visibile);

    m_coordinata = nomeCella(colonna, riga);
}

Esito Partita::rispondi(int indice)
{
    if (m_fase != Fase::Ricerca || indice < 0 || indice >= Celle || !m_coperture[indice].visibile)
        return Esito::Rifiutata;
    Copertura &cliccata = m_coperture[indice];
    if (indice == m_numero) {
        cliccata.visibile = false;
        numeri::incrementa(m_trovati);
        suona(suoni::Segnale::Si);
        if (m_trovati < Celle) {
            GeneraCoordinata();
            return Esito::Giusta;
        }
        suona(suoni::Segnale::Fatto);
        cambiaFase(Fase::Colorazione);
        return Esito::Completata;
    }

    numeri::incrementa(m_errori);
    cliccata.colore = colore::Rosso;
    suona(suoni::Segnale::No);
    if (m_errori > ErroriConcessi) {
        suona(suoni::Segnale::Rifai);
        NuovaPartita();
        return Esito::Rifai;
    }
    return Esito::Sbagliata;
}

void Partita::prossimoDisegno()
{
    if (m_fase != Fase::Colorazione)
        return;
    // A new game starts in the find phase.
    NuovaPartita();
}

void Partita::suona(suoni::Segnale segnale) const
{
    if (m_ambiente.suona)
        m_ambiente.suona(segnale);
}

void Partita::cambiaFase(Fase nuova)
{
    m_fase = nuova;
}

} // namespace gioco
