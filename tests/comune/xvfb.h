// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private X server for tests that need real windows and real input.

#include "platform/colore.h"
#include "windows/layout.h"

#include <QFont>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

namespace prova {

class ServerX
{
public:
    // Starts Xvfb with a screen of the given size (and a window manager when
    // asked); check avviato().
    explicit ServerX(bool gestoreFinestre = false, QSize schermo = QSize(1024, 768));
    ~ServerX();

    bool avviato() const { return m_avviato; }
    QString display() const { return m_display; }
    QProcessEnvironment ambiente() const;

    // Runs a command on this display; returns its standard output.
    QByteArray esegui(const QString &programma, const QStringList &argomenti, int *codice = nullptr) const;
    // The visible windows of a class, newest last.
    QStringList finestre(const QString &classe) const;
    // A window's place on the screen ("-root": the screen itself).
    QRect geometria(const QString &finestra) const;
    // The window with the window manager's frame around it.
    QRect cornice(const QString &finestra) const;
    // The part of the screen windows may take (the window manager's work area).
    QRect areaDisponibile() const;
    // A screenshot of the whole screen, or of a part of it (quicker on a large
    // screen).
    QImage schermo(const QRect &zona = QRect()) const;
    // A real click at a point of the screen: button 1 left, 2 middle, 3 right;
    // volte 2 for a double click.
    void clicca(QPoint punto, int pulsante = 1, int volte = 1) const;
    // A real key press (xdotool's key names: Return, Escape...).
    void tasto(const QString &nome) const;

private:
    QSize m_lato;
    // The runtime folder of the programs on this display, where the game keeps its single-instance name: a later
    // server that gets the same display number never finds a game of this one there.
    QTemporaryDir m_runtime;
    QProcess m_xvfb;
    QProcess m_wm;
    QString m_display;
    bool m_avviato = false;
};

// The game started on a private X server from another folder, without
// sound unless given a sound server's address; killed, if still running,
// when this goes. nelFiglio, when given, runs in the new process before the
// game is started in it (only what is safe between fork and exec).
class GiocoX
{
public:
    // `scala` is Qt's scale factor (QT_SCALE_FACTOR), as on a high-dpi screen; `nelFiglio` runs in the child
    // before the game starts.
    GiocoX(const ServerX &x, const QString &eseguibile, const QString &cartellaLavoro, double scala = 1.0,
           const QString &serverSuono = QStringLiteral("unix:/nonexistent"),
           const std::function<void()> &nelFiglio = {});
    ~GiocoX();

    QProcess &processo() { return m_processo; }
    // Waits for the start window, drawn; its place on the screen, empty if it never came.
    QRect aspettaAvvio();
    // Presses "Avvio" (clicked where the start window shows it, or with Enter when conInvio) and waits for the game
    // window alone, drawn; empty if it never came.
    QRect premiAvvio(bool conInvio = false);
    // Why the last of those two waits came up empty, and how the game ended if it did, with what it wrote on its
    // standard error (left there to be read).
    QByteArray mancato();
    // Clicks "Esci" on the game window's menu bar and waits for its question;
    // false if no box came.
    bool apriEsci(const QRect &finestra);
    // Waits for a box of the program's over its window, holding the keyboard
    // (finestraDomanda); false if none came.
    bool aspettaDomanda();
    // "Esci" answered No with Escape, which must leave the game running, then
    // Sì with Enter, which must end it with status 0: what went otherwise,
    // empty if nothing.
    QString esciNoPoiSi(const QRect &finestra);
    // The game window's interior, below its menu bar.
    static QPoint interno(const QRect &finestra);

    QString finestraAvvio;
    QString finestraGioco;
    QString finestraDomanda;

private:
    // The window's place once the colour at punto(place) is giusto, within 5 s; empty, and the reason kept, if never.
    QRect disegnata(const QString &finestra, const char *nome, const std::function<QPoint(const QRect &)> &punto,
                    const std::function<bool(Colore)> &giusto);
    QByteArray erroreFinora();

    const ServerX &m_x;
    QProcess m_processo;
    double m_scala = 1.0;
    QByteArray m_mancato;
};

inline constexpr char ClasseGioco[] = "tintar-i-brindel";

// The game window's layout at 96 dpi, from its interior's corner: the
// drawing inside the box's border, and the grid's first cover in it.
inline constexpr QPoint InizioDisegno{layout::brindel::RiquadroDisegno.left + layout::Bordo,
                                      layout::brindel::RiquadroDisegno.top + layout::Bordo};
inline constexpr QPoint InizioGriglia = InizioDisegno + QPoint(gioco::MargineSinistro, gioco::MargineAlto);
// The cells the game makes of our drawings, all 320 x 466.
QSize cellaDisegni();
// The middle of a rectangle of the layout, or of swatch `indice` of the palette.
QPoint centro(const layout::Rettangolo &r);
// Where a point of a layout of size `misura` (96 dpi) shows on the screen
// when the layout is grown or shrunk evenly to fit `interno`, centred in it.
QPoint puntoScalato(const QRect &interno, QSize misura, QPoint punto);
QPoint centroCampione(int indice);
// The palette's swatch of a colour; -1 if it has none.
int campioneDi(Colore c);
// Whether the screen shows the focus mark on the control shown on r: in the
// middle of each side, `margine` pixels in, two black pixels, then two white.
bool segnato(const QImage &schermo, const QRect &r, int margine);

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
// The cell (0..19) named beside the drawing on a window at 96 dpi, read off
// the screen; -1 if no name is shown whole.
int cellaNominata(const QImage &schermo, QPoint interno);
// The covers of a fresh game whose middle is not yellow, described; empty when all are.
QString copertureNonGialle(const QImage &schermo, QPoint interno);
// The same with each cover's middle on the screen given.
QString copertureNonGialle(const QImage &schermo, const std::function<QPoint(int)> &centro);

} // namespace prova
