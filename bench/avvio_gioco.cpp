// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's start-up, as the program runs it (the same calls as
// shell/main.cpp), with timestamps: the start window painted, "Avvio"
// clicked, the game window painted with its first drawing; then the peak
// resident memory. Launched by bench_avvio, which knows when it spawned us.
//
//   avvio_gioco [--partite N]
//
// With --partite, N new games follow ("avanti"), each timed from the click to
// the game window painted with the new drawing.

#include "misura.h"

#include "comune/sostituti.h"
#include "shell/programma.h"
#include "sound/riproduttorepulse.h"
#include "windows/controlli.h"
#include "windows/formavvio.h"
#include "windows/formbrindel.h"
#include "windows/messaggi.h"

#include <QTimer>

#include <cstdlib>
#include <cstring>

using misura::adesso;
using misura::stampa;

int main(int argc, char **argv)
{
    const long long tMain = adesso();
    int partite = 0;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--partite") == 0)
            partite = std::atoi(argv[i + 1]);

    misura::Applicazione app(argc, argv);
    const long long tApplicazione = adesso();
    Programma::preparaApplicazione();
    const long long tPreparata = adesso();
    // The drawings of the source tree: this executable does not sit beside
    // a brindel/ folder.
    suoni::RiproduttorePulse riproduttore;
    casuale::Generatore generatore(casuale::semeDallOrologio());
    const prova::CartellaFissa sorgenti(QStringLiteral(BRINDEL_SOURCE_DIR));
    messaggi::BoxVeri box;
    Programma programma(Servizi{riproduttore, generatore, sorgenti, box});
    programma.avvia();
    const long long tMainFatto = adesso();

    FormAvvio *avvio = programma.formAvvio();
    long long tAvvio = 0, tClic = 0, tGioco = 0, tClicFatto = 0;
    int fatte = 0;
    long long tComando = 0, tComandoFatto = 0;

    auto fine = [&] {
        stampa("main", tMain);
        stampa("applicazione", tApplicazione);
        stampa("preparata", tPreparata);
        stampa("mostrata", tMainFatto);
        stampa("avvio", tAvvio);
        stampa("clic", tClic);
        stampa("clic_fatto", tClicFatto);
        stampa("gioco", tGioco);
        stampa("vmhwm_kb", misura::piccoMemoria());
        stampa("widget", misura::widget(programma.formBrindel()));
        std::fflush(stdout);
    };

    auto nuovaPartita = [&] {
        FormBrindel *f = programma.formBrindel();
        // "avanti" is there only in the colouring: the covers found first,
        // untimed.
        while (f->partita().fase() == gioco::Fase::Ricerca)
            f->rispondi(f->partita().Numero());
        tComando = adesso();
        f->prossimoDisegno();
        tComandoFatto = adesso();
    };

    app.dipinti = [&](const QSet<QWidget *> &dipinti, long long inizio) {
        FormBrindel *f = programma.formBrindel();
        if (tAvvio == 0) {
            if (!dipinti.contains(avvio))
                return;
            misura::andataRitornoX();
            tAvvio = adesso();
            // The click comes from the event loop, as a user's would.
            QTimer::singleShot(0, [&] {
                tClic = adesso();
                avvio->bottoneAvvio()->click();
                tClicFatto = adesso();
            });
            return;
        }
        // Painted with its drawing: the picture box, and the first time the
        // whole window with it.
        if (!f || !dipinti.contains(f->riquadroDisegno()))
            return;
        if (tGioco == 0 && !dipinti.contains(f))
            return;
        misura::andataRitornoX();
        const long long t = adesso();
        if (tGioco == 0) {
            tGioco = t;
            fine();
            if (partite == 0) {
                QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
                return;
            }
            QTimer::singleShot(0, nuovaPartita);
            return;
        }
        if (tComando == 0)
            return;
        // new game: whole, its handler (load + lay out), the paint and flush
        std::printf("partita %lld %lld %lld\n", t - tComando, tComandoFatto - tComando, t - inizio);
        tComando = 0;
        if (++fatte < partite)
            QTimer::singleShot(0, nuovaPartita);
        else {
            stampa("vmhwm_fine_kb", misura::piccoMemoria());
            std::fflush(stdout);
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
    };

    const int codice = messaggi::cicloPrincipale();
    if (messaggi::terminato())
        return messaggi::codiceUscita() == 0 ? 1 : messaggi::codiceUscita();
    return codice;
}
