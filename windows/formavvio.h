#pragma once
// The start window: the title in big letters on a random colour, and the
// button that opens the game.

#include "platform/colore.h"

#include <QWidget>

#include <functional>

class QLabel;
class PulsanteGrafico;

class FormAvvio : public QWidget
{
    Q_OBJECT
public:
    // apriGioco shows the game window; the start window then unloads itself.
    explicit FormAvvio(std::function<void()> apriGioco);

    Colore backColor() const { return m_colore; }
    QLabel *Label2() const { return m_label2; }
    PulsanteGrafico *BottoneAvvio() const { return m_bottoneAvvio; }

    void BottoneAvvio_Click();

private:
    void Form_Load();
    void setBackColor(Colore colore);

    std::function<void()> m_apriGioco;
    Colore m_colore = 0;
    QLabel *m_label2 = nullptr;
    PulsanteGrafico *m_bottoneAvvio = nullptr;
};
