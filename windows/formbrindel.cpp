// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/formbrindel.h"

#include "colouring/tavolozza.h"
#include "game/disegno.h"
#include "sound/suoni.h"
#include "sound/voce.h"
#include "windows/accessibilita.h"
#include "windows/annuncio.h"
#include "windows/aspetto.h"
#include "windows/scena.h"
#include "windows/controlli.h"
#include "windows/dispositivo.h"
#include "windows/finestre.h"
#include "windows/fuoco.h"
#include "windows/layout.h"
#include "windows/messaggi.h"
#include "windows/tastiera.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>

namespace {

Etichetta *etichetta(const QString &testo, const layout::Carattere &carattere, QWidget *genitore)
{
    auto *l = new Etichetta(testo, genitore);
    scena::impostaCarattere(l, carattere);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    aspetto::impostaSfondo(l, colore::Bianco);
    return l;
}

// The name of a cell as screen readers and test tools read it ("C3").
QString nomeDellaCella(int indice)
{
    return QString(QChar(u'A' + gioco::rigaDi(indice))) + QString::number(gioco::colonnaDi(indice) + 1);
}

// The objectName of element n of an array of controls.
QString nomeDi(const char *nome, int n)
{
    return QLatin1String(nome) + QLatin1Char('_') + QString::number(n);
}

QString nomeColoreScelto(const QString &colore)
{
    return QStringLiteral("Colore scelto: ") + colore;
}

} // namespace

FormBrindel::FormBrindel(const Servizi &servizi, ComandiMenu comandi)
    : m_servizi(servizi)
    , m_partita(gioco::Partita::Ambiente{
          servizi.casuale,
          servizi.cartella,
          [this](int numero) { return caricaDisegno(numero); },
          [this](suoni::Segnale segnale) { suoni::suona(m_servizi.riproduttore, m_servizi.cartella, segnale); },
      })
{
    setWindowTitle(QString());
    setAccessibleName(QString::fromUtf8(layout::Titolo));
    setWindowIcon(aspetto::immagine("faccina.png"));
    accessibilita::installa();
    creaControlli();
    impostaOrdineFuoco();
    // Focus marks once the keyboard is in use; the arrows on the grid.
    fuoco::segui(this);
    std::array<QWidget *, gioco::Celle> coperture{};
    std::copy(m_coperture.begin(), m_coperture.end(), coperture.begin());
    new tastiera::Griglia(coperture, m_riquadroDisegno, this);
    const auto collega = [this](QAction *voce, ComandiMenu::Comando comando) {
        if (comando)
            connect(voce, &QAction::triggered, this,
                    [this, comando = std::move(comando)] { esegui([&] { comando(m_servizi.box, this); }); });
    };
    collega(m_voceInformazioni, std::move(comandi.informazioni));
    collega(m_voceEsci, std::move(comandi.esci));
}

FormBrindel::~FormBrindel() = default;

void FormBrindel::creaControlli()
{
    namespace L = layout::brindel;

    m_voceInformazioni = menuBar()->addAction(QString::fromLatin1(L::MenuInformazioni));
    m_voceInformazioni->setObjectName(QLatin1String(Nome::VoceInformazioni));
    m_voceEsci = menuBar()->addAction(QString::fromLatin1(L::MenuEsci));
    m_voceEsci->setObjectName(QLatin1String(Nome::VoceEsci));

    // The layout grows evenly with the window, centred on the same cyan.
    auto *fondo = new QWidget(this);
    aspetto::impostaSfondo(fondo, L::Sfondo);
    setCentralWidget(fondo);
    m_interno = new scena::Scena(QSize(L::LarghezzaInterna, L::AltezzaInterna), fondo);
    aspetto::impostaSfondo(m_interno, L::Sfondo);
    // A press reaches the control shown under it, at any screen ratio.
    dispositivo::instradaPressioni(this);

    // F11 goes full screen and back, as desktop programs do.
    finestre::aggiungiSchermoIntero(this);
    // Fills taken back and brought again, as in any drawing program.
    auto *annulla = new QAction(this);
    annulla->setObjectName(QStringLiteral("annulla"));
    annulla->setShortcut(QKeySequence::Undo);
    addAction(annulla);
    connect(annulla, &QAction::triggered, this, &FormBrindel::annullaRiempimento);
    auto *ripeti = new QAction(this);
    ripeti->setObjectName(QStringLiteral("ripeti"));
    ripeti->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    addAction(ripeti);
    connect(ripeti, &QAction::triggered, this, &FormBrindel::ripetiRiempimento);
    // The cell to find, spoken: a chord that a child's hands do not strike
    // by chance, as they would a letter alone.
    auto *pronuncia = new QAction(this);
    pronuncia->setObjectName(QStringLiteral("pronuncia"));
    pronuncia->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    addAction(pronuncia);
    connect(pronuncia, &QAction::triggered, this, &FormBrindel::pronunciaCella);

    // The palette frame with the swatches and the chosen colour.
    m_cornice = new QFrame(m_interno);
    m_cornice->setObjectName(QLatin1String(Nome::Cornice));
    m_cornice->setFrameStyle(QFrame::Box | QFrame::Plain);
    // A frame has the desktop's button face behind its swatches.
    QPalette faccia = m_cornice->palette();
    faccia.setColor(QPalette::Window, faccia.color(QPalette::Button));
    m_cornice->setPalette(faccia);
    m_cornice->setAutoFillBackground(true);
    scena::impostaLinea(m_cornice, 1);
    scena::colloca(m_cornice, L::Cornice);
    m_riquadroScelto = new RiquadroImmagine(m_cornice);
    m_riquadroScelto->setObjectName(QLatin1String(Nome::Scelto));
    // Black until a swatch is chosen: what a fill paints.
    m_riquadroScelto->setAccessibleName(nomeColoreScelto(QString::fromUtf8(tavolozza::Nomi[tavolozza::indiceDi(colore::Nero)])));
    scena::colloca(m_riquadroScelto, L::RiquadroScelto);
    for (int i = 0; i < tavolozza::NumeroColori; ++i) {
        auto *campione = new RiquadroImmagine(m_cornice);
        campione->setObjectName(nomeDi(Nome::Campione, i));
        scena::colloca(campione, {tavolozza::sinistra(i), tavolozza::alto(i), tavolozza::larghezza(), tavolozza::altezza()});
        campione->setCursor(Qt::CrossCursor);
        campione->setPremibile(true);
        campione->setAccessibleName(QString::fromUtf8(tavolozza::Nomi[i]));
        connect(campione, &RiquadroImmagine::click, this, [this, i] { scegliColore(i); });
        m_campioni[i] = campione;
    }
    m_cornice->hide();

    // The drawing box with its grid labels and, above them, the covers.
    m_riquadroDisegno = new RiquadroImmagine(m_interno);
    m_riquadroDisegno->setObjectName(QLatin1String(Nome::Disegno));
    scena::colloca(m_riquadroDisegno, L::RiquadroDisegno);
    m_riquadroDisegno->setAccessibleName(QStringLiteral("Disegno"));
    m_riquadroDisegno->setColoreProprio(colore::Bianco);
    // Decoded only if shown: the first game replaces it as the window opens.
    m_riquadroDisegno->mostraImmagineDifferita(QStringLiteral(":/immagini/iniziale.gif"));
    connect(m_riquadroDisegno, &RiquadroImmagine::premuto, this,
            &FormBrindel::premiDisegno);

    QWidget *griglia = m_riquadroDisegno;
    for (int c = 0; c < gioco::Colonne; ++c) {
        Etichetta *e = etichetta(QString::fromLatin1(gioco::DidascalieColonne[c]), layout::SansGriglia, griglia);
        e->setObjectName(nomeDi(Nome::EtichettaColonna, c));
        scena::colloca(e, L::EtichetteColonne[c]);
        connect(e, &Etichetta::premuta, this, [this, c] { pronunciaColonna(c); });
        m_etichetteColonne[c] = e;
    }
    for (int r = 0; r < gioco::Righe; ++r) {
        Etichetta *e = etichetta(QString::fromLatin1(gioco::DidascalieRighe[r]), layout::SansGriglia, griglia);
        e->setObjectName(nomeDi(Nome::EtichettaRiga, r));
        scena::colloca(e, L::EtichetteRighe[r]);
        connect(e, &Etichetta::premuta, this, [this, r] { pronunciaRiga(r); });
        m_etichetteRighe[r] = e;
    }
    for (int i = 0; i < gioco::Celle; ++i) {
        auto *copertura = new PulsanteGrafico(griglia);
        copertura->setObjectName(nomeDi(Nome::Copertura, i));
        copertura->setAccessibleName(nomeDellaCella(i));
        copertura->setColoreProprio(colore::GialloChiaro);
        const int c = gioco::colonnaDi(i);
        const int r = gioco::rigaDi(i);
        scena::colloca(copertura, {L::CoperturaLeft[c], L::CoperturaTop[r], L::CoperturaWidth[c], L::CoperturaHeight});
        connect(copertura, &QAbstractButton::clicked, this, [this, i] { rispondi(i); });
        m_coperture[i] = copertura;
    }

    m_avanti = new PulsanteGrafico(m_interno);
    m_avanti->setObjectName(QLatin1String(Nome::Avanti));
    m_avanti->setText(QString::fromLatin1(L::DidascaliaAvanti));
    scena::impostaCarattere(m_avanti, layout::ArialAvanti);
    m_avanti->setImmagine(aspetto::immagine("freccia.png"));
    scena::colloca(m_avanti, L::Avanti);
    m_avanti->hide();
    connect(m_avanti, &QAbstractButton::clicked, this, &FormBrindel::prossimoDisegno);

    Etichetta *nomeCella = etichetta(QString::fromLatin1(L::NomeCellaIniziale), layout::ArialCoordinata, m_interno);
    connect(nomeCella, &Etichetta::premuta, this, &FormBrindel::pronunciaCella);
    m_nomeCella = nomeCella;
    m_nomeCella->setObjectName(QLatin1String(Nome::NomeCella));
    m_nomeCella->setAccessibleDescription(QStringLiteral("La cella da trovare: lettera della riga, poi numero della colonna"));
    scena::colloca(m_nomeCella, L::NomeCella);

    m_annuncio = new Annuncio(m_interno);
}

void FormBrindel::impostaOrdineFuoco()
{
    QList<QWidget *> ordine{m_avanti, m_riquadroDisegno};
    for (RiquadroImmagine *campione : m_campioni)
        ordine << campione;
    ordine << m_riquadroScelto;
    for (PulsanteGrafico *copertura : m_coperture)
        ordine << copertura;
    for (qsizetype i = 1; i < ordine.size(); ++i)
        setTabOrder(ordine[i - 1], ordine[i]);
    // The window opens with the focus on the first of them that can take it
    // ("avanti" is hidden then), never on a cover that Enter would answer.
    for (QWidget *w : ordine)
        if (w->isVisibleTo(this) && w->focusPolicy() != Qt::NoFocus) {
            w->setFocus();
            break;
        }
}

void FormBrindel::showEvent(QShowEvent *evento)
{
    QMainWindow::showEvent(evento);
    // Coming back from another window or closing a message box must not start
    // a new game: the game starts once, when the window is first shown.
    if (!m_attivata) {
        m_attivata = true;
        primaAttivazione();
    }
}

void FormBrindel::primaAttivazione()
{
    esegui([this] {
        NuovaPartita();
        ImpostaTavolozza();
    });
}

void FormBrindel::NuovaPartita()
{
    m_partita.NuovaPartita();
    mostra();
}

void FormBrindel::ImpostaTavolozza()
{
    for (int i = 0; i < tavolozza::NumeroColori; ++i)
        m_campioni[i]->setColoreProprio(tavolozza::Tavolozza[i]);
}

QSize FormBrindel::caricaDisegno(int numero)
{
    m_riquadroDisegno->mostraImmagine(disegno::carica(gioco::percorsoDisegno(m_servizi.cartella, numero)));
    m_riempimenti.nuovoDisegno(m_riquadroDisegno->superficieDaRiempire());
    // The game lays its cells out in the drawing's own pixels.
    const layout::Rettangolo r = scena::rettangolo(m_riquadroDisegno);
    return {r.width, r.height};
}

void FormBrindel::esegui(const std::function<void()> &gestore)
{
    messaggi::esegui(m_servizi.box, this, gestore);
}

// A control acts only while it is shown: a press that reaches a hidden one
// (through the accessibility tree, or a call) does nothing.
bool FormBrindel::mostrato(const QWidget *controllo) const
{
    return controllo->isVisibleTo(this);
}

void FormBrindel::rispondi(int indice)
{
    if (indice < 0 || indice >= gioco::Celle || !mostrato(m_coperture[indice]))
        return;
    esegui([this, indice] {
        const bool conFuoco = m_coperture.at(indice)->hasFocus();
        const gioco::Esito esito = m_partita.rispondi(indice);
        if (conFuoco)
            passaIlFuoco(indice);
        // A wrong answer is told with the cell: screen readers leave the
        // red cover's new description unsaid.
        mostra(esito == gioco::Esito::Sbagliata ? QStringLiteral("Sbagliata. ") : QString());
    });
}

void FormBrindel::passaIlFuoco(int indice)
{
    const auto &coperture = m_partita.coperture();
    if (m_partita.fase() != gioco::Fase::Ricerca || coperture[indice].visibile)
        return;
    const int vicina = tastiera::piuVicina(indice, [&coperture](int i) { return coperture[i].visibile; });
    if (vicina >= 0)
        m_coperture[vicina]->setFocus(Qt::OtherFocusReason);
}

void FormBrindel::prossimoDisegno()
{
    if (!mostrato(m_avanti))
        return;
    esegui([this] {
        m_partita.prossimoDisegno();
        mostra();
    });
}

void FormBrindel::scegliColore(int indice)
{
    if (indice < 0 || indice >= tavolozza::NumeroColori || !mostrato(m_campioni[indice]))
        return;
    esegui([this, indice] {
        const RiquadroImmagine *campione = m_campioni[indice];
        m_coloreScelto = campione->coloreMostrato();
        m_riquadroScelto->setColoreProprio(campione->coloreMostrato());
        m_riquadroScelto->setAccessibleName(nomeColoreScelto(campione->accessibleName()));
    });
}

void FormBrindel::premiDisegno(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    esegui([this, x, y] { riempi(m_riquadroDisegno->colorePixel(x, y), x, y); });
}

void FormBrindel::riempi(Colore coloreArea, int x, int y)
{
    // A fill that cannot take place changes nothing and says nothing.
    m_riquadroDisegno->ridisegna(m_riempimenti.riempi(m_riquadroDisegno->superficieDaRiempire(), x, y, coloreArea, m_coloreScelto));
}

void FormBrindel::annullaRiempimento()
{
    esegui([this] { m_riquadroDisegno->ridisegna(m_riempimenti.annulla(m_riquadroDisegno->superficieDaRiempire())); });
}

void FormBrindel::ripetiRiempimento()
{
    esegui([this] { m_riquadroDisegno->ridisegna(m_riempimenti.ripeti(m_riquadroDisegno->superficieDaRiempire())); });
}

void FormBrindel::pronunciaCella()
{
    if (!mostrato(m_nomeCella))
        return;
    esegui([this] { voce::cella(m_servizi.riproduttore, m_servizi.cartella, m_partita.Numero()); });
}

void FormBrindel::pronunciaRiga(int riga)
{
    if (riga < 0 || riga >= gioco::Righe || !mostrato(m_etichetteRighe[riga]))
        return;
    esegui([this, riga] { voce::riga(m_servizi.riproduttore, m_servizi.cartella, riga); });
}

void FormBrindel::pronunciaColonna(int colonna)
{
    if (colonna < 0 || colonna >= gioco::Colonne || !mostrato(m_etichetteColonne[colonna]))
        return;
    esegui([this, colonna] { voce::colonna(m_servizi.riproduttore, m_servizi.cartella, colonna); });
}

void FormBrindel::mostra(const QString &premessa)
{
    const bool ricerca = m_partita.fase() == gioco::Fase::Ricerca;
    const gioco::Geometria &g = m_partita.geometria();
    const bool disposta = g.larghezzaCella > 0;

    if (m_partita.fase() != m_faseMostrata) {
        // The colouring begins on the drawing, its cursor in the middle; a
        // new game takes the cursor away. The focus moves before the covers
        // go, so that it does not run along the window's order first.
        m_faseMostrata = m_partita.fase();
        if (ricerca) {
            m_riquadroDisegno->setCursore(std::nullopt);
        } else {
            const QSize lato = m_riquadroDisegno->superficie().size();
            m_riquadroDisegno->setCursore(QPoint(lato.width() / 2, lato.height() / 2));
            m_riquadroDisegno->setFocus(Qt::OtherFocusReason);
        }
    }

    for (int i = 0; i < gioco::Celle; ++i) {
        const gioco::Copertura &stato = m_partita.coperture()[i];
        PulsanteGrafico *copertura = m_coperture[i];
        if (disposta)
            scena::colloca(copertura, {g.sinistra(gioco::colonnaDi(i)), g.alto(gioco::rigaDi(i)), g.larghezzaCella, g.altezzaCella});
        copertura->setColoreProprio(stato.colore);
        // Screen readers say what the red tells.
        const QString descrizione = stato.colore == colore::Rosso ? QStringLiteral("sbagliata") : QString();
        if (copertura->accessibleDescription() != descrizione)
            copertura->setAccessibleDescription(descrizione);
        copertura->setVisible(ricerca && stato.visibile);
    }
    for (int c = 0; c < gioco::Colonne; ++c) {
        if (disposta) {
            const layout::Rettangolo r = scena::rettangolo(m_etichetteColonne[c]);
            scena::colloca(m_etichetteColonne[c], {g.sinistra(c), r.top, g.larghezzaCella, r.height});
        }
        m_etichetteColonne[c]->setVisible(ricerca);
    }
    for (int r = 0; r < gioco::Righe; ++r) {
        if (disposta) {
            const layout::Rettangolo posto = scena::rettangolo(m_etichetteRighe[r]);
            scena::colloca(m_etichetteRighe[r], {posto.left, g.alto(r), posto.width, g.altezzaCella});
        }
        m_etichetteRighe[r]->setVisible(ricerca);
    }
    m_nomeCella->setText(m_partita.Coordinata());
    // Screen readers hear the cell itself ("C3"), announced at each change.
    m_nomeCella->setAccessibleName(m_partita.Coordinata().trimmed());
    m_nomeCella->setVisible(ricerca);
    m_avanti->setVisible(!ricerca);
    m_cornice->setVisible(!ricerca);
    // A label's new name goes unsaid: the cell is told after every draw and
    // every answer.
    if (ricerca)
        m_annuncio->annuncia(premessa + QStringLiteral("Trova ") + m_partita.Coordinata().trimmed());
    else
        m_annuncio->taci();
}
