// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game window: the drawing under its grid of covers, the cell to find,
// the palette and "avanti" for the colouring, and the menu bar.

#include "colouring/storia.h"
#include "colouring/tavolozza.h"
#include "game/partita.h"
#include "platform/colore.h"
#include "windows/servizi.h"

#include <QMainWindow>

#include <array>
#include <functional>

class Annuncio;
class QAction;
class QFrame;
class QLabel;
class PulsanteGrafico;
class RiquadroImmagine;

class FormBrindel : public QMainWindow
{
    Q_OBJECT
public:
    // The controls by the names the game's layout gives them, which are
    // their objectNames (what tests and tools find them by), and the member
    // that holds each; the element n of an array of controls is named with
    // "_n" added.
    struct Nome
    {
        static constexpr char Disegno[] = "picBrindel";               // m_riquadroDisegno: the drawing box
        static constexpr char Copertura[] = "Command2";               // m_coperture[0..19]: the covers, row by row
        static constexpr char EtichettaColonna[] = "Label1";          // m_etichetteColonne[0..3]: "1" .. "4"
        static constexpr char EtichettaRiga[] = "Label2";             // m_etichetteRighe[0..4]: "  A" .. "  E"
        static constexpr char NomeCella[] = "Label3";                 // m_nomeCella: the cell to find
        static constexpr char Avanti[] = "Command1";                  // m_avanti: "avanti"
        static constexpr char Cornice[] = "Frame1";                   // m_cornice: the palette frame
        static constexpr char Campione[] = "PicColore";               // m_campioni[0..47]: the swatches
        static constexpr char Scelto[] = "Picture1";                  // m_riquadroScelto: the chosen colour
        static constexpr char VoceInformazioni[] = "MenuInformazioni"; // m_voceInformazioni: the About box
        static constexpr char VoceEsci[] = "mnuEsci";                 // m_voceEsci: the exit question
    };

    // What the menu bar's two commands do: show the About box, and ask
    // before ending the program, each in the boxes given, over the window
    // given. Without them the commands do nothing.
    struct ComandiMenu
    {
        using Comando = std::function<void(messaggi::Box &box, QWidget *sopra)>;
        Comando informazioni;
        Comando esci;
    };

    // The cues and the spoken names play on the player given, the drawings
    // and sounds come from the folder given, and errors are shown in its
    // boxes.
    explicit FormBrindel(const Servizi &servizi, ComandiMenu comandi = {});
    ~FormBrindel() override;

    // Game rules and state, shown by the controls below.
    const gioco::Partita &partita() const { return m_partita; }
    // The colour a press on the drawing fills with: black until a swatch is
    // chosen, then kept across games. Only a swatch's click changes it.
    Colore ColoreScelto() const { return m_coloreScelto; }

    // What the controls do, one handler each; a hidden control's does
    // nothing.
    // The first show: a new game, then the palette's colours.
    void primaAttivazione();
    // A click on the cover of cell `indice` (0..19, row by row).
    void rispondi(int indice);
    // "avanti": the next drawing.
    void prossimoDisegno();
    // A click on swatch `indice` chooses its colour.
    void scegliColore(int indice);
    // A press on pixel (x, y) of the drawing: fills the area under it.
    void premiDisegno(Qt::MouseButton pulsante, Qt::KeyboardModifiers maiuscole, int x, int y);
    // Fills the area of colour `coloreArea` around pixel (x, y) with the
    // chosen colour.
    void riempi(Colore coloreArea, int x, int y);
    // Ctrl+Z: the last fill of this picture taken back; Ctrl+Y or
    // Ctrl+Shift+Z: brought again. The game itself is left as it is.
    void annullaRiempimento();
    void ripetiRiempimento();
    // A press on the cell's name, or Ctrl+D: the cell to find, spoken
    // ("cì tré"); a press on a row's letter or a column's number: that
    // letter or number.
    void pronunciaCella();
    void pronunciaRiga(int riga);
    void pronunciaColonna(int colonna);

    // The controls: the drawing box, the covers over it and the grid labels
    // along its edges, the name of the cell to find, "avanti", the palette
    // frame with its swatches and the chosen-colour box, the menu items.
    QWidget *interno() const { return m_interno; }
    RiquadroImmagine *riquadroDisegno() const { return m_riquadroDisegno; }
    PulsanteGrafico *copertura(int i) const { return m_coperture.at(i); }
    QLabel *etichettaColonna(int c) const { return m_etichetteColonne.at(c); }
    QLabel *etichettaRiga(int r) const { return m_etichetteRighe.at(r); }
    QLabel *nomeCella() const { return m_nomeCella; }
    PulsanteGrafico *avanti() const { return m_avanti; }
    QFrame *cornice() const { return m_cornice; }
    RiquadroImmagine *riquadroScelto() const { return m_riquadroScelto; }
    RiquadroImmagine *campione(int i) const { return m_campioni.at(i); }
    QAction *voceInformazioni() const { return m_voceInformazioni; }
    QAction *voceEsci() const { return m_voceEsci; }
    // What screen readers are told of the cell to find.
    Annuncio *annuncio() const { return m_annuncio; }

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void NuovaPartita();
    void ImpostaTavolozza();
    QSize caricaDisegno(int numero);
    // Makes the controls show the game's state; screen readers are told
    // the cell to find after `premessa` (what the answer was, if worth
    // saying).
    void mostra(const QString &premessa = {});
    void creaControlli();
    void impostaOrdineFuoco();
    bool mostrato(const QWidget *controllo) const;
    // The focus, on the cover of cell `indice` that an answer takes away,
    // goes to the nearest cover left rather than along the window's order.
    void passaIlFuoco(int indice);

    // Runs a handler of this window: an error in it is shown, and ends the
    // program.
    void esegui(const std::function<void()> &gestore);

    Servizi m_servizi;
    gioco::Partita m_partita;
    Colore m_coloreScelto = colore::Nero;
    bool m_attivata = false;
    gioco::Fase m_faseMostrata = gioco::Fase::Ricerca;
    storia::Riempimenti m_riempimenti;

    QWidget *m_interno = nullptr;
    RiquadroImmagine *m_riquadroDisegno = nullptr;
    std::array<PulsanteGrafico *, gioco::Celle> m_coperture{};
    std::array<QLabel *, gioco::Colonne> m_etichetteColonne{};
    std::array<QLabel *, gioco::Righe> m_etichetteRighe{};
    QLabel *m_nomeCella = nullptr;
    PulsanteGrafico *m_avanti = nullptr;
    QFrame *m_cornice = nullptr;
    RiquadroImmagine *m_riquadroScelto = nullptr;
    std::array<RiquadroImmagine *, tavolozza::NumeroColori> m_campioni{};
    QAction *m_voceInformazioni = nullptr;
    QAction *m_voceEsci = nullptr;
    Annuncio *m_annuncio = nullptr;
};
