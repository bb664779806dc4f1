// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The coordinate game's rules, without any window.

#include "comune/sostituti.h"
#include "game/partita.h"
#include "platform/errore.h"
#include "sound/suoni.h"

#include <QTest>

using gioco::Esito;
using gioco::Fase;
using gioco::Partita;

namespace {

// A game over a box of a fixed size, remembering which drawings it loaded.
struct Banco
{
    explicit Banco(casuale::Sorgente &casuale, QSize riquadro_ = {324, 470})
        : riquadro(riquadro_)
        , partita(Partita::Ambiente{
              casuale,
              cartella,
              [this](int n) {
                  caricati << n;
                  return riquadro;
              },
              [this](suoni::Segnale s) { suoni::suona(suoni, cartella, s); },
          })
    {
    }
    QSize riquadro;
    QList<int> caricati;
    prova::CartellaFissa cartella{QStringLiteral("/programma")};
    // The cues asked for.
    prova::RegistroSuoni suoni;
    Partita partita;
};

int copertureVisibili(const Partita &p)
{
    int n = 0;
    for (const auto &c : p.coperture())
        n += c.visibile ? 1 : 0;
    return n;
}

int unAltroIndice(const Partita &p)
{
    for (int i = 0; i < gioco::Celle; ++i)
        if (i != p.Numero() && p.coperture()[i].visibile)
            return i;
    return -1;
}

// Draw values that pick column c and row r at the first attempt.
QList<float> cella(int c, int r)
{
    return {(c + 0.5f) / gioco::Colonne, (r + 0.5f) / gioco::Righe};
}

} // namespace

class TstPartita : public QObject
{
    Q_OBJECT
private slots:
    void geometria_data();
    void geometria();
    void disegnoTroppoPiccolo_data();
    void disegnoTroppoPiccolo();
    void percorsoDelDisegno();
    void sequenzaDiEstrazioni_data();
    void sequenzaDiEstrazioni();
    void ripeteSeLaCoperturaManca();
    void ventiGiusteColorano();
    void quartoErroreRicomincia();
    void erroriSopravvivonoAlleGiuste();
    void coperturaRossaPuoEssereIlBersaglio();
    void sbagliataTieneIlBersaglio();
    void avantiRicomincia();
    void disegnoMancanteFermaLaPartita();
    void nienteFuoriDalGioco_data();
    void nienteFuoriDalGioco();
};

void TstPartita::geometria_data()
{
    QTest::addColumn<QSize>("riquadro");
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<int>("altezza");
    QTest::newRow("disegno 320x466") << QSize(324, 470) << 77 << 90;
    QTest::newRow("larghezza 321: 76.5 al pari") << QSize(321, 470) << 76 << 90;
    QTest::newRow("larghezza 325: 77.5 al pari") << QSize(325, 470) << 78 << 90;
    QTest::newRow("disegno 300x400") << QSize(304, 404) << 72 << 77;
    QTest::newRow("disegno 440x509") << QSize(444, 513) << 107 << 99;
    QTest::newRow("il minimo che gioca") << QSize(18, 23) << 1 << 1;
}

void TstPartita::geometria()
{
    // Cell sizes come from the box's outer size, rounded half to even, and
    // the covers stand at 15 + c x width, 20 + r x height.
    QFETCH(QSize, riquadro);
    QFETCH(int, larghezza);
    QFETCH(int, altezza);
    casuale::Generatore casuale(5);
    Banco b(casuale, riquadro);
    b.partita.NuovaPartita();
    const gioco::Geometria &g = b.partita.geometria();
    QCOMPARE(int(g.larghezzaCella), larghezza);
    QCOMPARE(int(g.altezzaCella), altezza);
    QCOMPARE(g.sinistra(3), 15 + 3 * larghezza);
    QCOMPARE(g.alto(4), 20 + 4 * altezza);
}

void TstPartita::disegnoTroppoPiccolo_data()
{
    QTest::addColumn<QSize>("riquadro");
    QTest::newRow("1x1") << QSize(5, 5);
    QTest::newRow("10x10") << QSize(14, 14);
    QTest::newRow("stretto: 17 fa mezza cella, al pari zero") << QSize(17, 470);
    QTest::newRow("basso: 22") << QSize(324, 22);
}

void TstPartita::disegnoTroppoPiccolo()
{
    // A drawing whose cells would be zero or less is refused with a clear error.
    QFETCH(QSize, riquadro);
    casuale::Generatore casuale(5);
    Banco b(casuale, riquadro);
    try {
        b.partita.NuovaPartita();
        QFAIL("accepted");
    } catch (const ErroreEsecuzione &e) {
        QCOMPARE(e.tipo(), ErroreEsecuzione::Tipo::DisegnoTroppoPiccolo);
        QVERIFY(e.messaggio().contains(QStringLiteral(".gif")));
    }
}

void TstPartita::percorsoDelDisegno()
{
    // Drawings are numbered files in brindel/ beside the executable, without padding.
    const prova::CartellaFissa c(QStringLiteral("/opt/un posto/è qui"));
    QCOMPARE(gioco::percorsoDisegno(c, 7), QStringLiteral("/opt/un posto/è qui/brindel/7.gif"));
    QCOMPARE(gioco::percorsoDisegno(c, 12), QStringLiteral("/opt/un posto/è qui/brindel/12.gif"));
}

void TstPartita::sequenzaDiEstrazioni_data()
{
    QTest::addColumn<QList<float>>("valori");
    QTest::addColumn<int>("disegno");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<int>("numero");
    QTest::newRow("tutto zero") << QList<float>{0.0f, 0.0f, 0.0f} << 1 << QStringLiteral("  A1") << 0;
    QTest::newRow("quasi uno") << QList<float>{0.9999f, 0.9999f, 0.9999f} << 12 << QStringLiteral("  E4") << 19;
    QTest::newRow("colonna prima della riga") << QList<float>{0.5f, 0.5f, 0.1f} << 7 << QStringLiteral("  A3") << 2;
    QTest::newRow("riga 2 colonna 2") << QList<float>{0.25f, 0.6f, 0.5f} << 4 << QStringLiteral("  C3") << 10;
}

void TstPartita::sequenzaDiEstrazioni()
{
    // One draw picks the drawing, then a column and a row name the first cell.
    QFETCH(QList<float>, valori);
    QFETCH(int, disegno);
    QFETCH(QString, nome);
    QFETCH(int, numero);
    casuale::Sequenza casuale(valori);
    Banco b(casuale);
    b.partita.NuovaPartita();
    QCOMPARE(b.caricati, QList<int>{disegno});
    QCOMPARE(b.partita.Coordinata(), nome);
    QCOMPARE(int(b.partita.Numero()), numero);
    QCOMPARE(casuale.rimasti(), 0);
}

void TstPartita::ripeteSeLaCoperturaManca()
{
    // A drawn cell whose cover is gone is drawn again, column first, until one is present.
    QList<float> valori{0.0f};
    valori << cella(0, 0) << cella(0, 0) << cella(0, 0) << cella(3, 4);
    casuale::Sequenza casuale(valori);
    Banco b(casuale);
    b.partita.NuovaPartita();
    QCOMPARE(b.partita.Coordinata(), QStringLiteral("  A1"));
    QCOMPARE(b.partita.rispondi(0), Esito::Giusta);
    QCOMPARE(b.partita.Coordinata(), QStringLiteral("  E4"));
    QCOMPARE(int(b.partita.Numero()), 19);
    QCOMPARE(casuale.rimasti(), 0);
}

void TstPartita::ventiGiusteColorano()
{
    // Twenty right answers empty the grid and open the colouring, with "si" then "fatto" last.
    casuale::Generatore casuale(99);
    Banco b(casuale);
    b.partita.NuovaPartita();
    QSet<int> trovate;
    for (int i = 0; i < gioco::Celle; ++i) {
        QCOMPARE(b.partita.fase(), Fase::Ricerca);
        const int bersaglio = b.partita.Numero();
        QVERIFY(!trovate.contains(bersaglio));
        trovate.insert(bersaglio);
        const QString nome = b.partita.Coordinata();
        QCOMPARE(nome.size(), 4);
        QVERIFY(nome.startsWith(QStringLiteral("  ")));
        QCOMPARE(b.partita.rispondi(bersaglio), i < 19 ? Esito::Giusta : Esito::Completata);
        QVERIFY(!b.partita.coperture()[bersaglio].visibile);
    }
    QCOMPARE(b.partita.fase(), Fase::Colorazione);
    QCOMPARE(int(b.partita.Trovati()), 20);
    QCOMPARE(copertureVisibili(b.partita), 0);
    QCOMPARE(b.suoni.nomi.size(), 21);
    QCOMPARE(b.suoni.nomi.mid(18), (QStringList{"si.wav", "si.wav", "fatto.wav"}));
    QCOMPARE(b.caricati.size(), 1);
}

void TstPartita::quartoErroreRicomincia()
{
    // The fourth wrong answer plays "no" then "rifai" and starts a new game with fresh covers.
    casuale::Generatore casuale(3);
    Banco b(casuale);
    b.partita.NuovaPartita();
    for (int errore = 1; errore <= 3; ++errore) {
        const int sbagliata = unAltroIndice(b.partita);
        QCOMPARE(b.partita.rispondi(sbagliata), Esito::Sbagliata);
        QCOMPARE(b.partita.coperture()[sbagliata].colore, colore::Rosso);
        QCOMPARE(int(b.partita.Errori()), errore);
    }
    QCOMPARE(b.partita.rispondi(unAltroIndice(b.partita)), Esito::Rifai);
    QCOMPARE(b.suoni.nomi, (QStringList{"no.wav", "no.wav", "no.wav", "no.wav", "rifai.wav"}));
    QCOMPARE(b.caricati.size(), 2);
    QCOMPARE(int(b.partita.Errori()), 0);
    QCOMPARE(int(b.partita.Trovati()), 0);
    for (const auto &c : b.partita.coperture()) {
        QVERIFY(c.visibile);
        QCOMPARE(c.colore, colore::Giallo);
    }
    QCOMPARE(b.partita.fase(), Fase::Ricerca);
}

void TstPartita::erroriSopravvivonoAlleGiuste()
{
    // Three early mistakes and one more late in the game still start a new game.
    casuale::Generatore casuale(11);
    Banco b(casuale);
    b.partita.NuovaPartita();
    for (int i = 0; i < 3; ++i)
        b.partita.rispondi(unAltroIndice(b.partita));
    for (int i = 0; i < 18; ++i)
        QCOMPARE(b.partita.rispondi(b.partita.Numero()), Esito::Giusta);
    QCOMPARE(int(b.partita.Errori()), 3);
    QCOMPARE(int(b.partita.Trovati()), 18);
    QCOMPARE(copertureVisibili(b.partita), 2);
    QCOMPARE(b.partita.rispondi(unAltroIndice(b.partita)), Esito::Rifai);
    QCOMPARE(copertureVisibili(b.partita), 20);
}

void TstPartita::coperturaRossaPuoEssereIlBersaglio()
{
    // A cover turned red can be named and is removed when clicked.
    QList<float> valori{0.0f};
    valori << cella(0, 0) << cella(1, 0) << cella(2, 0);
    casuale::Sequenza casuale(valori);
    Banco b(casuale);
    b.partita.NuovaPartita();
    QCOMPARE(b.partita.rispondi(1), Esito::Sbagliata);
    QCOMPARE(b.partita.coperture()[1].colore, colore::Rosso);
    QCOMPARE(b.partita.rispondi(0), Esito::Giusta);
    QCOMPARE(b.partita.Coordinata(), QStringLiteral("  A2"));
    QCOMPARE(b.partita.rispondi(1), Esito::Giusta);
    QVERIFY(!b.partita.coperture()[1].visibile);
    QCOMPARE(b.partita.Coordinata(), QStringLiteral("  A3"));
}

void TstPartita::sbagliataTieneIlBersaglio()
{
    // A wrong answer draws nothing: the target and its name stay.
    QList<float> valori{0.0f};
    valori << cella(2, 3);
    casuale::Sequenza casuale(valori);
    Banco b(casuale);
    b.partita.NuovaPartita();
    QCOMPARE(b.partita.rispondi(5), Esito::Sbagliata);
    QCOMPARE(b.partita.rispondi(5), Esito::Sbagliata);
    QCOMPARE(b.partita.Coordinata(), QStringLiteral("  D3"));
    QCOMPARE(int(b.partita.Numero()), 14);
    QCOMPARE(int(b.partita.Errori()), 2);
    QCOMPARE(b.suoni.nomi, (QStringList{"no.wav", "no.wav"}));
}

void TstPartita::avantiRicomincia()
{
    // "avanti" leads from the colouring back to a new game in the find phase.
    casuale::Generatore casuale(21);
    Banco b(casuale);
    b.partita.NuovaPartita();
    b.partita.rispondi(unAltroIndice(b.partita));
    while (b.partita.fase() == Fase::Ricerca)
        b.partita.rispondi(b.partita.Numero());
    QCOMPARE(int(b.partita.Errori()), 1);
    b.partita.prossimoDisegno();
    QCOMPARE(b.partita.fase(), Fase::Ricerca);
    QCOMPARE(copertureVisibili(b.partita), 20);
    QCOMPARE(int(b.partita.Errori()), 0);
    QCOMPARE(int(b.partita.Trovati()), 0);
    QCOMPARE(b.caricati.size(), 2);
    QVERIFY(b.partita.coperture()[b.partita.Numero()].visibile);
}

void TstPartita::disegnoMancanteFermaLaPartita()
{
    // A drawing that cannot be loaded stops the set-up with its error after the counters are reset.
    casuale::Generatore casuale(1);
    prova::RegistroSuoni suoni;
    const prova::CartellaFissa cartella(QStringLiteral("/programma"));
    bool fallisci = false;
    Partita p(Partita::Ambiente{
        casuale,
        cartella,
        [&](int) -> QSize {
            if (fallisci)
                throw ErroreEsecuzione(ErroreEsecuzione::Tipo::DisegnoNonCaricato, QStringLiteral("x.gif"));
            return {324, 470};
        },
        [&](suoni::Segnale s) { suoni::suona(suoni, cartella, s); },
    });
    p.NuovaPartita();
    p.rispondi(p.Numero() == 0 ? 1 : 0);
    while (p.fase() == Fase::Ricerca)
        p.rispondi(p.Numero());
    fallisci = true;
    QVERIFY_THROWS_EXCEPTION(ErroreEsecuzione, p.prossimoDisegno());
    QCOMPARE(int(p.Trovati()), 0);
    QCOMPARE(int(p.Errori()), 0);
    QVERIFY(p.numeroDisegno() >= 1 && p.numeroDisegno() <= 12);
}

void TstPartita::nienteFuoriDalGioco_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("copertura gia' trovata") << "trovata";
    QTest::newRow("copertura nella colorazione") << "colorazione";
    QTest::newRow("indice fuori dalla griglia") << "fuori";
    QTest::newRow("avanti nella ricerca") << "avanti";
}

void TstPartita::nienteFuoriDalGioco()
{
    // The rules refuse what no shown control can ask for: a cover already found, any cover outside the
    // find phase, "avanti" before the colouring. Nothing changes and nothing sounds.
    QFETCH(QString, caso);
    casuale::Generatore casuale(5);
    Banco b(casuale);
    b.partita.NuovaPartita();
    const int trovata = b.partita.Numero();
    QCOMPARE(b.partita.rispondi(trovata), Esito::Giusta);
    b.partita.rispondi(unAltroIndice(b.partita));
    if (caso == "colorazione")
        while (b.partita.fase() == Fase::Ricerca)
            b.partita.rispondi(b.partita.Numero());
    const auto coperture = b.partita.coperture();
    const auto stato = std::make_tuple(b.partita.fase(), b.partita.Coordinata(), b.partita.Numero(),
                                       b.partita.numeroDisegno(), b.partita.Trovati(), b.partita.Errori());
    const qsizetype suoni = b.suoni.nomi.size();

    if (caso == "avanti")
        b.partita.prossimoDisegno();
    else
        QCOMPARE(b.partita.rispondi(caso == "fuori" ? gioco::Celle : trovata), Esito::Rifiutata);

    QVERIFY(std::make_tuple(b.partita.fase(), b.partita.Coordinata(), b.partita.Numero(), b.partita.numeroDisegno(),
                            b.partita.Trovati(), b.partita.Errori())
            == stato);
    QVERIFY(b.partita.coperture() == coperture);
    QCOMPARE(b.suoni.nomi.size(), suoni);
    QCOMPARE(b.caricati.size(), 1);
}

QTEST_APPLESS_MAIN(TstPartita)
#include "tst_partita.moc"
