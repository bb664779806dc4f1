// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The coordinate game: a 4 x 5 grid of covers over a drawing, a named cell to
// find, right answers that remove covers and wrong ones that turn them red.
// The window shows this state and reads it through the accessors; only the
// rules below change it.

#include "platform/cartella.h"
#include "platform/casuale.h"
#include "platform/colore.h"
#include "sound/segnale.h"

#include <QSize>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

namespace gioco {

inline constexpr int Colonne = 4;
inline constexpr int Righe = 5;
inline constexpr int Celle = Colonne * Righe;
inline constexpr int NumeroDisegni = 12;
// The wrong answer that takes the count past this starts a new game.
inline constexpr int ErroriConcessi = 3;

// Where the grid starts inside the drawing box, and what the box's outer size
// adds to the picture's.
inline constexpr int MargineSinistro = 15;
inline constexpr int MargineAlto = 20;
inline constexpr int BordoRiquadro = 2;

// The grid labels' captions, which never change; a cell's name is its row
// caption followed by its column caption ("  C3").
inline constexpr std::array<const char *, Righe> DidascalieRighe{"  A", "  B", "  C", "  D", "  E"};
inline constexpr std::array<const char *, Colonne> DidascalieColonne{"1", "2", "3", "4"};

constexpr int indiceCella(int colonna, int riga) { return colonna + Colonne * riga; }
constexpr int colonnaDi(int indice) { return indice % Colonne; }
constexpr int rigaDi(int indice) { return indice / Colonne; }

// Cell sizes from the drawing box's outer size (border included), and the
// places of the covers and grid labels inside the box.
struct Geometria
{
    std::int16_t larghezzaCella = 0;
    std::int16_t altezzaCella = 0;

    int sinistra(int colonna) const { return colonna * larghezzaCella + MargineSinistro; }
    int alto(int riga) const { return riga * altezzaCella + MargineAlto; }
};

// Throws ErroreEsecuzione when a cell would be zero or less, or too large.
Geometria geometriaPerRiquadro(double larghezzaEsterna, double altezzaEsterna, const QString &file = {});

// The drawing's path in the program's folder: <folder>/brindel/<n>.gif.
QString percorsoDisegno(const cartella::Cartella &cartella, int numero);

enum class Fase {
    Ricerca,      // covers, grid labels and the cell name shown
    Colorazione,  // palette and "avanti" shown
};

enum class Esito {
    Giusta,      // the cover goes, a new cell is named
    Completata,  // the twentieth: the colouring begins
    Sbagliata,   // the cover turns red, same cell
    Rifai,       // one mistake too many: a new game has started
    Rifiutata,   // a cover already found, or no find phase: nothing changes
};

struct Copertura
{
    bool visibile = true;
    Colore colore = colore::GialloChiaro;
    bool operator==(const Copertura &) const = default;
};

class Partita
{
public:
    struct Ambiente
    {
        // The program's random sequence: a drawing, then cells.
        casuale::Sorgente &casuale;
        // Where the drawings are.
        const cartella::Cartella &cartella;
        // Loads drawing n into the box and returns the box's new outer size;
        // throws ErroreEsecuzione when it cannot.
        std::function<QSize(int numero)> caricaDisegno;
        // Plays a cue and returns at once; the rules call for each cue at
        // the moment it is due, so a cue comes before a new game that may
        // fail to load. Without it the game is silent.
        std::function<void(suoni::Segnale)> suona;
    };

    explicit Partita(Ambiente ambiente);

    void NuovaPartita();
    void GeneraCoordinata();
    // A click on the cover of cell `indice`. Only a cover still there, in
    // the find phase, can be answered; anything else is refused.
    Esito rispondi(int indice);
    // "avanti": a new game after the colouring; in the find phase it does
    // nothing, so the covers found are never thrown away.
    void prossimoDisegno();

    Fase fase() const { return m_fase; }
    const Geometria &geometria() const { return m_geometria; }
    const std::array<Copertura, Celle> &coperture() const { return m_coperture; }

    // The name of the cell to find ("  C3") and its index 0..19.
    const QString &Coordinata() const { return m_coordinata; }
    std::int16_t Numero() const { return m_numero; }
    // The drawing of this game, 1..12.
    std::int16_t numeroDisegno() const { return m_numeroDisegno; }
    // Covers found and wrong answers in this game.
    std::int16_t Trovati() const { return m_trovati; }
    std::int16_t Errori() const { return m_errori; }

private:
    void cambiaFase(Fase nuova);
    void suona(suoni::Segnale segnale) const;

    Ambiente m_ambiente;
    QString m_coordinata;
    std::int16_t m_numero = 0;
    std::int16_t m_numeroDisegno = 0;
    std::int16_t m_trovati = 0;
    std::int16_t m_errori = 0;
    Fase m_fase = Fase::Ricerca;
    Geometria m_geometria{};
    std::array<Copertura, Celle> m_coperture{};
};

} // namespace gioco
