#pragma once
// A private X server for tests that need real windows and real input.

#include "platform/colore.h"

#include <QFont>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>

namespace prova {

class ServerX
{
public:
    // Starts Xvfb (and a window manager when asked); check avviato().
    explicit ServerX(bool gestoreFinestre = false);
    ~ServerX();

    bool avviato() const { return m_avviato; }
    QString display() const { return m_display; }
    QProcessEnvironment ambiente() const;

    // Runs a command on this display; returns its standard output.
    QByteArray esegui(const QString &programma, const QStringList &argomenti, int *codice = nullptr) const;
    // The visible windows of a class, newest last.
    QStringList finestre(const QString &classe) const;
    QRect geometria(const QString &finestra) const;
    // A screenshot of the whole screen.
    QImage schermo() const;
    // A real click at a point of the screen: button 1 left, 2 middle, 3 right;
    // volte 2 for a double click.
    void clicca(QPoint punto, int pulsante = 1, int volte = 1) const;
    // A real key press (xdotool's key names: Return, Escape...).
    void tasto(const QString &nome) const;

private:
    QProcess m_xvfb;
    QProcess m_wm;
    QString m_display;
    bool m_avviato = false;
};

// The game started on a private X server from another folder, without
// sound; killed, if still running, when this goes.
class GiocoX
{
public:
    GiocoX(const ServerX &x, const QString &eseguibile, const QString &cartellaLavoro);
    ~GiocoX();

    QProcess &processo() { return m_processo; }
    // Waits for the start window; its place on the screen, empty if it never came.
    QRect aspettaAvvio();
    // Presses "Avvio" and waits for the game window alone; empty if it never came.
    QRect premiAvvio();
    // Clicks "Esci" on the game window's menu bar and waits for its question;
    // false if no box came.
    bool apriEsci(const QRect &finestra);
    // The game window's interior, below its menu bar.
    static QPoint interno(const QRect &finestra);

    QString finestraAvvio;
    QString finestraGioco;

private:
    const ServerX &m_x;
    QProcess m_processo;
};

inline constexpr char ClasseGioco[] = "tintar-i-brindel";

Colore coloreA(const QImage &img, QPoint p);
QString esadecimale(Colore c);
// Keeps a screenshot for whoever looks into a test run, as <nome>.png in a
// folder of this run's own (named once on the test's output), so that runs
// side by side never overwrite each other's.
void salvaSchermata(const QImage &schermo, const QString &nome);

// Which of the candidate texts a piece of the screen shows, whole: the one
// whose dark ink, drawn in that font, has the same size and is closest;
// empty when none has (a letter cut by another control has not).
QString testoVisto(const QImage &zona, const QFont &carattere, const QStringList &candidati);
// The covers of a fresh game whose middle is not yellow, described; empty when all are.
QString copertureNonGialle(const QImage &schermo, QPoint interno);

} // namespace prova
