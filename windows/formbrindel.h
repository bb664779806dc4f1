#pragma once
// The game window: the drawing under its grid of covers, the cell to find,
// the palette and "avanti" for the colouring, and the menu bar.

#include "colouring/tavolozza.h"
#include "game/partita.h"
#include "platform/colore.h"

#include <QMainWindow>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class PulsanteGrafico;
class RiquadroImmagine;

class FormBrindel : public QMainWindow
{
    Q_OBJECT
public:
    // What the menu bar's two commands do: show the About box, and ask
    // before ending the program. Without them the commands do nothing.
    struct ComandiMenu
    {
        std::function<void()> informazioni;
        std::function<void()> esci;
    };

    explicit FormBrindel(ComandiMenu comandi = {});
    ~FormBrindel() override;

    // Game rules and state, shown by the controls below.
    const gioco::Partita &partita() const { return m_partita; }
    double ColoreScelto = 0;

    // Event handlers, as the controls call them.
    void Form_Activate();
    void Command2_Click(int indice);
    void Command1_Click();
    void PicColore_Click(int indice);
    void picBrindel_MouseDown(Qt::MouseButton pulsante, Qt::KeyboardModifiers maiuscole, float x, float y);

    void Filling(const std::int32_t &Col, std::int32_t FStyle, const float &x, const float &y);

    // The controls.
    QWidget *interno() const { return m_interno; }
    RiquadroImmagine *picBrindel() const { return m_picBrindel; }
    PulsanteGrafico *Command2(int i) const { return m_command2.at(i); }
    QLabel *Label1(int c) const { return m_label1.at(c); }
    QLabel *Label2(int r) const { return m_label2.at(r); }
    QLabel *Label3() const { return m_label3; }
    PulsanteGrafico *Command1() const { return m_command1; }
    QFrame *Frame1() const { return m_frame1; }
    RiquadroImmagine *Picture1() const { return m_picture1; }
    RiquadroImmagine *PicColore(int i) const { return m_picColore.at(i); }
    QAction *MenuInformazioni() const { return m_menuInformazioni; }
    QAction *mnuEsci() const { return m_mnuEsci; }

protected:
    void showEvent(QShowEvent *evento) override;

private:
    void NuovaPartita();
    void ImpostaTavolozza();
    QSize caricaDisegno(int numero);
    gioco::Didascalie didascalie() const;
    // Makes the controls show the game's state.
    void mostra();
    void creaControlli();
    void impostaOrdineFuoco();

    gioco::Partita m_partita;
    bool m_attivata = false;

    QWidget *m_interno = nullptr;
    RiquadroImmagine *m_picBrindel = nullptr;
    std::array<PulsanteGrafico *, gioco::Celle> m_command2{};
    std::array<QLabel *, gioco::Colonne> m_label1{};
    std::array<QLabel *, gioco::Righe> m_label2{};
    QLabel *m_label3 = nullptr;
    PulsanteGrafico *m_command1 = nullptr;
    QFrame *m_frame1 = nullptr;
    RiquadroImmagine *m_picture1 = nullptr;
    std::array<RiquadroImmagine *, tavolozza::Numero> m_picColore{};
    QAction *m_menuInformazioni = nullptr;
    QAction *m_mnuEsci = nullptr;
};
