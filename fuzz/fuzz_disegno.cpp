// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: an arbitrary file read as a drawing, then, when it loads,
// a game set up over it, played for a few clicks, and flood fills of it.
//
// A refusal by disegno::carica or a "drawing too small" from the game is a
// valid outcome. Anything else that goes wrong is a fault: a sanitizer
// report, an uncaught exception, or one of the checks below, which stop the
// run with __builtin_trap.

#include "colouring/riempimento.h"
#include "comune/sostituti.h"
#include "colouring/tavolozza.h"
#include "game/disegno.h"
#include "game/partita.h"
#include "platform/colore.h"
#include "platform/errore.h"
#include "tests/comune/aree.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

#define VERIFICA(condizione)                                                                 \
    do {                                                                                     \
        if (!(condizione)) {                                                                 \
            std::fprintf(stderr, "fuzz_disegno: check failed at line %d: %s\n", __LINE__, \
                         #condizione);                                                       \
            __builtin_trap();                                                                \
        }                                                                                    \
    } while (0)

// Above this many pixels each fill is checked against its own properties
// only, not against a second, plain fill of a copy.
constexpr qsizetype PixelConfronto = 1 << 18;

struct Stato
{
    std::unique_ptr<QCoreApplication> app;
    std::unique_ptr<QTemporaryDir> cartella;
    QString file;
    // BRINDEL_FUZZ_DETTAGLI=1: one line per input on what became of it.
    bool dettagli = false;
};

Stato *g_stato = nullptr;

std::uint32_t impronta(const std::uint8_t *dati, std::size_t n)
{
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < n; ++i)
        h = (h ^ dati[i]) * 16777619u;
    return h;
}

// A small generator of its own for the harness's choices, so that they do
// not consume the game's random sequence.
struct Scelte
{
    std::uint32_t s;
    std::uint32_t prossimo()
    {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    }
    int fino(int n) { return static_cast<int>(prossimo() % static_cast<std::uint32_t>(n)); }
};

// Cell sizes as the rules give them, in whole numbers: the height is
// (box height - 20) / 5 and the width (box width - 15) / 4, both rounded to
// the nearest integer with halves going to the even neighbour.
int attesa(int misura, int margine, int parti)
{
    const int n = misura - margine;
    if (n < 0)
        return -1; // some negative value; only its sign matters here
    int q = n / parti;
    const int resto2 = 2 * (n % parti);
    if (resto2 > parti || (resto2 == parti && (q & 1)))
        ++q;
    return q;
}

void verificaInizio(const gioco::Partita &p)
{
    VERIFICA(p.Trovati() == 0);
    VERIFICA(p.Errori() == 0);
    VERIFICA(p.fase() == gioco::Fase::Ricerca);
    VERIFICA(p.Numero() >= 0 && p.Numero() < gioco::Celle);
    for (const gioco::Copertura &c : p.coperture()) {
        VERIFICA(c.visibile);
        VERIFICA(c.colore == colore::Giallo);
    }
    const int col = gioco::colonnaDi(p.Numero());
    const int riga = gioco::rigaDi(p.Numero());
    VERIFICA(p.Coordinata() == QLatin1String(gioco::DidascalieRighe[riga]) + QLatin1String(gioco::DidascalieColonne[col]));
}

// A visible cover other than the target, or -1 when there is none.
int sbagliata(const gioco::Partita &p, Scelte &sc)
{
    const int partenza = sc.fino(gioco::Celle);
    for (int k = 0; k < gioco::Celle; ++k) {
        const int i = (partenza + k) % gioco::Celle;
        if (i != p.Numero() && p.coperture()[i].visibile)
            return i;
    }
    return -1;
}

void gioca(const QImage &immagine, Scelte &sc, casuale::Sorgente &casuale)
{
    const QSize riquadro = immagine.size() + QSize(2 * gioco::BordoRiquadro, 2 * gioco::BordoRiquadro);
    int caricamenti = 0;
    const prova::CartellaFissa cartella(g_stato->cartella->path());
    gioco::Partita partita(gioco::Partita::Ambiente{
        casuale,
        cartella,
        [&](int numero) {
            VERIFICA(numero >= 1 && numero <= gioco::NumeroDisegni);
            ++caricamenti;
            return riquadro;
        },
        {}, // silent
    });

    const int altezza = attesa(riquadro.height(), gioco::MargineAlto, gioco::Righe);
    const int larghezza = attesa(riquadro.width(), gioco::MargineSinistro, gioco::Colonne);
    const bool troppoPiccolo = altezza <= 0 || larghezza <= 0;

    try {
        partita.NuovaPartita();
    } catch (const ErroreEsecuzione &e) {
        VERIFICA(troppoPiccolo);
        VERIFICA(e.tipo() == ErroreEsecuzione::Tipo::DisegnoTroppoPiccolo);
        VERIFICA(!e.messaggio().isEmpty());
        if (g_stato->dettagli)
            std::fprintf(stderr, "too small for the grid\n");
        return;
    }
    VERIFICA(!troppoPiccolo);
    VERIFICA(caricamenti == 1);
    VERIFICA(partita.geometria().altezzaCella == altezza);
    VERIFICA(partita.geometria().larghezzaCella == larghezza);
    VERIFICA(partita.geometria().altezzaCella > 0 && partita.geometria().larghezzaCella > 0);
    verificaInizio(partita);

    // One wrong answer: the cover turns red and the same cell stays named.
    {
        const std::int16_t bersaglio = partita.Numero();
        const int i = sbagliata(partita, sc);
        VERIFICA(i >= 0);
        VERIFICA(partita.rispondi(i) == gioco::Esito::Sbagliata);
        VERIFICA(partita.Errori() == 1);
        VERIFICA(partita.Numero() == bersaglio);
        VERIFICA(partita.coperture()[i].colore == colore::Rosso);
        VERIFICA(partita.coperture()[i].visibile);
    }

    // Every cover found, with a wrong answer here and there (at most two
    // more, so that the game is not started again).
    int errori = 1;
    for (int trovati = 1; trovati <= gioco::Celle; ++trovati) {
        if (errori < gioco::ErroriConcessi && sc.fino(8) == 0) {
            const int i = sbagliata(partita, sc);
            if (i >= 0) {
                VERIFICA(partita.rispondi(i) == gioco::Esito::Sbagliata);
                ++errori;
            }
        }
        const int bersaglio = partita.Numero();
        VERIFICA(bersaglio >= 0 && bersaglio < gioco::Celle);
        VERIFICA(partita.coperture()[bersaglio].visibile);
        const gioco::Esito esito = partita.rispondi(bersaglio);
        VERIFICA(esito == (trovati < gioco::Celle ? gioco::Esito::Giusta : gioco::Esito::Completata));
        VERIFICA(partita.Trovati() == trovati);
        VERIFICA(partita.Errori() == errori);
        VERIFICA(!partita.coperture()[bersaglio].visibile);
    }
    VERIFICA(partita.fase() == gioco::Fase::Colorazione);
    for (const gioco::Copertura &c : partita.coperture())
        VERIFICA(!c.visibile);

    // Next picture, then one wrong answer too many.
    partita.prossimoDisegno();
    VERIFICA(caricamenti == 2);
    verificaInizio(partita);
    for (int e = 1; e <= gioco::ErroriConcessi + 1; ++e) {
        const int i = sbagliata(partita, sc);
        VERIFICA(i >= 0);
        const gioco::Esito esito = partita.rispondi(i);
        VERIFICA(esito == (e <= gioco::ErroriConcessi ? gioco::Esito::Sbagliata : gioco::Esito::Rifai));
    }
    VERIFICA(caricamenti == 3);
    verificaInizio(partita);
}

void riempi(QImage &img, int x, int y, Colore regione, Colore nuovo, bool confronta)
{
    QImage copia;
    QRect attesoRect;
    if (confronta) {
        copia = img.copy();
        attesoRect = prova::riempiSemplice(copia, x, y, regione, nuovo);
    }
    const bool dentro = img.rect().contains(x, y);
    const QRgb prima = dentro ? img.pixel(x, y) : 0;

    const QRect r = riempimento::riempi(img, x, y, regione, nuovo);

    VERIFICA(r.isEmpty() || img.rect().contains(r));
    const bool dipinge = dentro && regione != nuovo && colore::daRgb(prima) == regione;
    VERIFICA(r.isEmpty() != dipinge);
    if (dipinge) {
        VERIFICA(r.contains(x, y));
        VERIFICA(img.pixel(x, y) == colore::aRgb(nuovo));
    } else if (dentro) {
        VERIFICA(img.pixel(x, y) == prima);
    }
    VERIFICA(img.format() == QImage::Format_RGB32);
    if (confronta) {
        VERIFICA(r == attesoRect);
        VERIFICA(img == copia);
    }
}

void colora(QImage img, Scelte &sc)
{
    const int w = img.width();
    const int h = img.height();
    const bool confronta = qsizetype(w) * h <= PixelConfronto;
    const QPoint punti[] = {
        {0, 0}, {w - 1, h - 1}, {w / 2, h / 2}, {sc.fino(w), sc.fino(h)}, {sc.fino(w), sc.fino(h)},
    };
    for (const QPoint &p : punti) {
        const Colore regione = colore::daRgb(img.pixel(p));
        Colore nuovo = tavolozza::Tavolozza[sc.fino(tavolozza::NumeroColori)];
        if (nuovo == regione)
            nuovo = regione ^ 0x010101u;
        riempi(img, p.x(), p.y(), regione, nuovo, confronta);
    }
    // A start of another colour, and starts outside the picture, paint nothing.
    const QPoint p(sc.fino(w), sc.fino(h));
    const Colore altro = colore::daRgb(img.pixel(p)) ^ 0x000080u;
    riempi(img, p.x(), p.y(), altro, colore::Rosso, confronta);
    riempi(img, -1, 0, colore::daRgb(img.pixel(0, 0)), colore::Rosso, false);
    riempi(img, w, h - 1, colore::daRgb(img.pixel(w - 1, h - 1)), colore::Rosso, false);
    // Same colour for region and fill: nothing to do.
    riempi(img, 0, 0, colore::daRgb(img.pixel(0, 0)), colore::daRgb(img.pixel(0, 0)), confronta);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    // Heap-allocated and never freed: Qt's application object must outlive
    // every input, and libFuzzer leaves without running destructors.
    g_stato = new Stato;
    g_stato->app = std::make_unique<QCoreApplication>(*argc, *argv);
    g_stato->cartella = std::make_unique<QTemporaryDir>();
    if (!g_stato->cartella->isValid()) {
        std::fprintf(stderr, "fuzz_disegno: cannot make a temporary folder\n");
        std::exit(1);
    }
    g_stato->file = g_stato->cartella->filePath(QStringLiteral("disegno.gif"));
    g_stato->dettagli = qEnvironmentVariableIntValue("BRINDEL_FUZZ_DETTAGLI") != 0;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *dati, std::size_t n)
{
    {
        QFile f(g_stato->file);
        VERIFICA(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        VERIFICA(f.write(reinterpret_cast<const char *>(dati), qint64(n)) == qint64(n));
    }

    QImage immagine;
    try {
        immagine = disegno::carica(g_stato->file);
    } catch (const ErroreEsecuzione &e) {
        VERIFICA(e.tipo() == ErroreEsecuzione::Tipo::DisegnoNonCaricato);
        VERIFICA(e.messaggio().contains(QStringLiteral("disegno.gif")));
        if (g_stato->dettagli)
            std::fprintf(stderr, "refused: %s\n", qPrintable(e.messaggio().section(QLatin1Char('\n'), 3, 3)));
        return 0;
    }
    VERIFICA(n > 0);
    VERIFICA(!immagine.isNull());
    VERIFICA(immagine.format() == QImage::Format_RGB32);
    VERIFICA(immagine.width() >= disegno::LarghezzaMinima && immagine.width() <= disegno::LarghezzaMassima);
    VERIFICA(immagine.height() >= disegno::AltezzaMinima && immagine.height() <= disegno::AltezzaMassima);

    if (g_stato->dettagli)
        std::fprintf(stderr, "loaded: %d x %d\n", immagine.width(), immagine.height());

    const std::uint32_t seme = impronta(dati, n);
    casuale::Generatore generatore(seme);
    Scelte sc{seme | 1u};

    gioca(immagine, sc, generatore);
    colora(immagine, sc);
    return 0;
}
