#include "windows/formbrindel.h"

#include "colouring/tavolozza.h"
#include "game/disegno.h"
#include "platform/numeri.h"
#include "sound/modulocolorisuoni.h"
#include "windows/accessibilita.h"
#include "windows/aspetto.h"
#include "windows/controlli.h"
#include "windows/layout.h"
#include "windows/messaggi.h"

#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QShowEvent>

namespace {

QLabel *etichetta(const QString &testo, const layout::Carattere &carattere, QWidget *genitore)
{
    auto *l = new Etichetta(testo, genitore);
    aspetto::impostaCarattere(l, carattere);
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    aspetto::impostaSfondo(l, colore::Bianco);
    return l;
}

// The name of a cell as screen readers and test tools read it ("C3").
QString nomeCella(int indice)
{
    return QString(QChar(u'A' + gioco::rigaDi(indice))) + QString::number(gioco::colonnaDi(indice) + 1);
}

} // namespace

FormBrindel::FormBrindel(ComandiMenu comandi)
    : m_partita(gioco::Partita::Ambiente{
          [this](int numero) { return caricaDisegno(numero); },
          [this] { return didascalie(); },
          [](suoni::Segnale segnale) { ModuloColoriSuoni::suona(segnale); },
      })
{
    setWindowTitle(QString());
    setAccessibleName(QString::fromUtf8(layout::Titolo));
    setWindowIcon(aspetto::immagine("faccina.png"));
    accessibilita::installa();
    creaControlli();
    impostaOrdineFuoco();
    const auto collega = [this](QAction *voce, std::function<void()> comando) {
        if (comando)
            connect(voce, &QAction::triggered, this, [comando = std::move(comando)] { messaggi::esegui(comando); });
    };
    collega(m_menuInformazioni, std::move(comandi.informazioni));
    collega(m_mnuEsci, std::move(comandi.esci));
}

FormBrindel::~FormBrindel() = default;

void FormBrindel::creaControlli()
{
    namespace L = layout::brindel;

    m_menuInformazioni = menuBar()->addAction(QString::fromLatin1(L::MenuInformazioni));
    m_menuInformazioni->setObjectName(QStringLiteral("MenuInformazioni"));
    m_mnuEsci = menuBar()->addAction(QString::fromLatin1(L::MenuEsci));
    m_mnuEsci->setObjectName(QStringLiteral("mnuEsci"));

    // The layout grows evenly with the window, centred on the same cyan.
    auto *fondo = new QWidget(this);
    aspetto::impostaSfondo(fondo, L::Sfondo);
    setCentralWidget(fondo);
    m_interno = new aspetto::Scena(QSize(L::LarghezzaInterna, L::AltezzaInterna), fondo);
    aspetto::impostaSfondo(m_interno, L::Sfondo);

    // F11 goes full screen and back, as desktop programs do.
    auto *schermoIntero = new QAction(this);
    schermoIntero->setObjectName(QStringLiteral("schermoIntero"));
    schermoIntero->setShortcut(Qt::Key_F11);
    addAction(schermoIntero);
    connect(schermoIntero, &QAction::triggered, this, [this] { setWindowState(windowState() ^ Qt::WindowFullScreen); });

    // Frame1 with the swatches and the chosen colour.
    m_frame1 = new QFrame(m_interno);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setFrameStyle(QFrame::Box | QFrame::Plain);
    // A frame has the desktop's button face behind its swatches.
    QPalette faccia = m_frame1->palette();
    faccia.setColor(QPalette::Window, faccia.color(QPalette::Button));
    m_frame1->setPalette(faccia);
    m_frame1->setAutoFillBackground(true);
    aspetto::impostaLinea(m_frame1, 1);
    aspetto::colloca(m_frame1, L::Frame1);
    m_picture1 = new RiquadroImmagine(m_frame1);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setAccessibleName(QStringLiteral("Colore scelto"));
    aspetto::colloca(m_picture1, L::Picture1);
    for (int i = 0; i < tavolozza::Numero; ++i) {
        auto *campione = new RiquadroImmagine(m_frame1);
        campione->setObjectName(QStringLiteral("PicColore_%1").arg(i));
        aspetto::colloca(campione, {tavolozza::sinistra(i), tavolozza::alto(i), tavolozza::larghezza(), tavolozza::altezza()});
        campione->setCursor(Qt::CrossCursor);
        campione->setPremibile(true);
        campione->setAccessibleName(QStringLiteral("Colore %1").arg(tavolozza::postoDi(i) + 1));
        connect(campione, &RiquadroImmagine::click, this, [this, i] { PicColore_Click(i); });
        m_picColore[i] = campione;
    }
    m_frame1->hide();

    // picBrindel with its grid labels and, above them, the covers.
    m_picBrindel = new RiquadroImmagine(m_interno);
    m_picBrindel->setObjectName(QStringLiteral("picBrindel"));
    aspetto::colloca(m_picBrindel, L::picBrindel);
    m_picBrindel->setAccessibleName(QStringLiteral("Disegno"));
    m_picBrindel->setBackColor(colore::Bianco);
    // Decoded only if shown: the first game replaces it as the window opens.
    m_picBrindel->setPictureDifferita(QStringLiteral(":/immagini/iniziale.gif"));
    connect(m_picBrindel, &RiquadroImmagine::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
                picBrindel_MouseDown(b, m, static_cast<float>(x), static_cast<float>(y));
            });

    QWidget *griglia = m_picBrindel->interno();
    for (int c = 0; c < gioco::Colonne; ++c) {
        m_label1[c] = etichetta(QString::fromLatin1(gioco::DidascalieColonne[c]), layout::SansGriglia, griglia);
        m_label1[c]->setObjectName(QStringLiteral("Label1_%1").arg(c));
        aspetto::colloca(m_label1[c], L::Label1[c]);
    }
    for (int r = 0; r < gioco::Righe; ++r) {
        m_label2[r] = etichetta(QString::fromLatin1(gioco::DidascalieRighe[r]), layout::SansGriglia, griglia);
        m_label2[r]->setObjectName(QStringLiteral("Label2_%1").arg(r));
        aspetto::colloca(m_label2[r], L::Label2[r]);
    }
    for (int i = 0; i < gioco::Celle; ++i) {
        auto *copertura = new PulsanteGrafico(griglia);
        copertura->setObjectName(QStringLiteral("Command2_%1").arg(i));
        copertura->setAccessibleName(nomeCella(i));
        copertura->setBackColor(colore::GialloChiaro);
        const int c = gioco::colonnaDi(i);
        const int r = gioco::rigaDi(i);
        aspetto::colloca(copertura, {L::CoperturaLeft[c], L::CoperturaTop[r], L::CoperturaWidth[c], L::CoperturaHeight});
        connect(copertura, &QAbstractButton::clicked, this, [this, i] { Command2_Click(i); });
        m_command2[i] = copertura;
    }

    m_command1 = new PulsanteGrafico(m_interno);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setText(QString::fromLatin1(L::Avanti));
    aspetto::impostaCarattere(m_command1, layout::ArialAvanti);
    m_command1->setImmagine(aspetto::immagine("freccia.png"));
    aspetto::colloca(m_command1, L::Command1);
    m_command1->hide();
    connect(m_command1, &QAbstractButton::clicked, this, &FormBrindel::Command1_Click);

    m_label3 = etichetta(QString::fromLatin1(L::Label3Iniziale), layout::ArialCoordinata, m_interno);
    m_label3->setObjectName(QStringLiteral("Label3"));
    m_label3->setAccessibleDescription(QStringLiteral("La cella da trovare: lettera della riga, poi numero della colonna"));
    aspetto::colloca(m_label3, L::Label3);
}

void FormBrindel::impostaOrdineFuoco()
{
    QList<QWidget *> ordine{m_command1, m_picBrindel};
    for (RiquadroImmagine *campione : m_picColore)
        ordine << campione;
    ordine << m_picture1;
    for (PulsanteGrafico *copertura : m_command2)
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
        Form_Activate();
    }
}

void FormBrindel::Form_Activate()
{
    messaggi::esegui([this] {
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
    for (int i = 0; i < tavolozza::Numero; ++i)
        m_picColore[i]->setBackColor(tavolozza::Tavolozza[i]);
}

QSize FormBrindel::caricaDisegno(int numero)
{
    m_picBrindel->setPicture(disegno::carica(gioco::percorsoDisegno(numero)));
    // The game lays its cells out in the drawing's own pixels.
    const layout::Rettangolo r = aspetto::rettangolo(m_picBrindel);
    return {r.width, r.height};
}

gioco::Didascalie FormBrindel::didascalie() const
{
    gioco::Didascalie d;
    for (int r = 0; r < gioco::Righe; ++r)
        d.righe[r] = m_label2[r]->text();
    for (int c = 0; c < gioco::Colonne; ++c)
        d.colonne[c] = m_label1[c]->text();
    return d;
}

void FormBrindel::Command2_Click(int indice)
{
    messaggi::esegui([this, indice] {
        m_partita.Command2_Click(indice);
        mostra();
    });
}

void FormBrindel::Command1_Click()
{
    messaggi::esegui([this] {
        m_partita.Command1_Click();
        mostra();
    });
}

void FormBrindel::PicColore_Click(int indice)
{
    messaggi::esegui([this, indice] {
        const RiquadroImmagine *campione = m_picColore.at(indice);
        ColoreScelto = static_cast<double>(campione->coloreSfondo());
        m_picture1->setBackColor(campione->coloreSfondo());
    });
}

void FormBrindel::picBrindel_MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, float x, float y)
{
    messaggi::esegui([this, x, y] {
        const auto c = static_cast<std::int32_t>(m_picBrindel->Point(numeri::aInt32(x), numeri::aInt32(y)));
        Filling(c, superficie::FillSolido, x, y);
    });
}

void FormBrindel::Filling(const std::int32_t &Col, std::int32_t FStyle, const float &x, const float &y)
{
    superficie::Superficie &dc = m_picBrindel->hDC();
    dc.FillStyle = numeri::aInt16(FStyle);
    dc.FillColor = static_cast<Colore>(numeri::aInt32(ColoreScelto));
    const std::int32_t py = numeri::aInt32(y);
    const std::int32_t px = numeri::aInt32(x);
    // A fill that cannot take place changes nothing and says nothing.
    m_picBrindel->ridisegna(superficie::ExtFloodFill(dc, px, py, static_cast<Colore>(Col), superficie::FLOODFILLSURFACE));
    dc.FillStyle = superficie::FillTrasparente;
}

void FormBrindel::mostra()
{
    const bool ricerca = m_partita.fase() == gioco::Fase::Ricerca;
    const gioco::Geometria &g = m_partita.geometria();
    const bool disposta = g.larghezzaCella > 0;

    for (int i = 0; i < gioco::Celle; ++i) {
        const gioco::Copertura &stato = m_partita.coperture()[i];
        PulsanteGrafico *copertura = m_command2[i];
        if (disposta)
            aspetto::colloca(copertura, {g.sinistra(gioco::colonnaDi(i)), g.alto(gioco::rigaDi(i)), g.larghezzaCella, g.altezzaCella});
        copertura->setBackColor(stato.colore);
        copertura->setVisible(ricerca && stato.visibile);
    }
    for (int c = 0; c < gioco::Colonne; ++c) {
        if (disposta) {
            const layout::Rettangolo r = aspetto::rettangolo(m_label1[c]);
            aspetto::colloca(m_label1[c], {g.sinistra(c), r.top, g.larghezzaCella, r.height});
        }
        m_label1[c]->setVisible(ricerca);
    }
    for (int r = 0; r < gioco::Righe; ++r) {
        if (disposta) {
            const layout::Rettangolo posto = aspetto::rettangolo(m_label2[r]);
            aspetto::colloca(m_label2[r], {posto.left, g.alto(r), posto.width, g.altezzaCella});
        }
        m_label2[r]->setVisible(ricerca);
    }
    m_label3->setText(m_partita.Coordinata);
    // Screen readers hear the cell itself ("C3"), announced at each change.
    m_label3->setAccessibleName(m_partita.Coordinata.trimmed());
    m_label3->setVisible(ricerca);
    m_command1->setVisible(!ricerca);
    m_frame1->setVisible(!ricerca);
}
