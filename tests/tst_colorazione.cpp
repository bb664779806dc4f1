// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// Colouring in the game window: the chosen colour, and presses that fill the drawing.

#include "comune/registratori.h"
#include "shell/programma.h"
#include "windows/controlli.h"
#include "windows/formbrindel.h"
#include "windows/scena.h"

#include <QBackingStore>

#include <QFrame>
#include <QTest>

namespace {

// A game window over twelve test drawings (a frame and a cross on white).
struct Gioco
{
    Gioco()
        : banco(31)
    {
        f.show();
    }
    void finisci()
    {
        while (f.partita().fase() == gioco::Fase::Ricerca)
            f.rispondi(f.partita().Numero());
    }
    // A colour chosen on the palette, then a new game: the find phase with that colour.
    void scegliPoiRicomincia(int campione)
    {
        finisci();
        f.scegliColore(campione);
        f.prossimoDisegno();
    }
    Colore pixel(int x, int y) const { return colore::daRgb(f.riquadroDisegno()->superficie().pixel(x, y)); }
    // A press through the real mouse path, on the drawing's inner area.
    void premi(QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {})
    {
        const QPoint angolo = f.riquadroDisegno()->areaInterna().topLeft();
        QTest::mousePress(f.riquadroDisegno(), b, m, angolo + p);
        QTest::mouseRelease(f.riquadroDisegno(), b, m, angolo + p);
    }

    prova::Sostituti<> banco;
    FormBrindel f{banco.servizi()};
};

constexpr Colore Bianco = 0xFFFFFF;
constexpr Colore Nero = 0x000000;

} // namespace

class TstColorazione : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { Programma::preparaApplicazione(); }
    void primaDiSceglierePicture1Resta();
    void sceltaSopravvive();
    void premiConOgniPulsante_data();
    void premiConOgniPulsante();
    void premiFuoriDalDisegno_data();
    void premiFuoriDalDisegno();
    void trasparenteComeSfondo();
    void riempieSottoUnaCopertura();
    void riempimentoSubitoVisibile();
    void contornoRicolorato();
    void nuovoDisegnoPerdeIColori();
    void riempimentoDellaSuperficie_data();
    void riempimentoDellaSuperficie();
    void sceltaNonDipinge();
};

void TstColorazione::primaDiSceglierePicture1Resta()
{
    // Before any swatch is clicked fills are black, while the chosen-colour box still shows the button face.
    Gioco g;
    QCOMPARE(g.f.ColoreScelto(), Nero);
    QVERIFY(!g.f.riquadroScelto()->coloreProprio().has_value());
    g.finisci();
    g.premi({100, 100});
    QCOMPARE(g.pixel(100, 100), Nero);
    QCOMPARE(g.pixel(5, 5), Nero);
    QCOMPARE(g.pixel(200, 300), Bianco);
}

void TstColorazione::sceltaSopravvive()
{
    // A chosen colour holds across clicks of the same swatch, new games and a new palette set-up.
    Gioco g;
    g.finisci();
    QTest::mouseClick(g.f.campione(7), Qt::LeftButton, {}, QPoint(12, 12));
    QCOMPARE(Colore(g.f.ColoreScelto()), Colore(0x8080FF));
    QTest::mouseClick(g.f.campione(7), Qt::LeftButton, {}, QPoint(12, 12));
    QCOMPARE(Colore(g.f.ColoreScelto()), Colore(0x8080FF));
    QCOMPARE(*g.f.riquadroScelto()->coloreProprio(), Colore(0x8080FF));
    QTest::mouseClick(g.f.campione(5), Qt::LeftButton);
    QCOMPARE(g.f.ColoreScelto(), Nero);
    QCOMPARE(*g.f.riquadroScelto()->coloreProprio(), Colore(0x000000));
    QTest::mouseClick(g.f.campione(38), Qt::LeftButton);
    QTest::mouseClick(g.f.avanti(), Qt::LeftButton);
    QVERIFY(!g.f.cornice()->isVisible());
    g.f.primaAttivazione();
    QCOMPARE(Colore(g.f.ColoreScelto()), Colore(0xFF0000));
    QCOMPARE(*g.f.riquadroScelto()->coloreProprio(), Colore(0xFF0000));
    QCOMPARE(*g.f.campione(38)->coloreProprio(), Colore(0xFF0000));
    QVERIFY(g.banco.messaggi.box.isEmpty());
}

void TstColorazione::premiConOgniPulsante_data()
{
    QTest::addColumn<int>("pulsante");
    QTest::addColumn<int>("maiuscole");
    QTest::addColumn<bool>("colorando");
    QTest::newRow("sinistro") << int(Qt::LeftButton) << 0 << true;
    QTest::newRow("destro") << int(Qt::RightButton) << 0 << true;
    QTest::newRow("centrale con maiuscolo") << int(Qt::MiddleButton) << int(Qt::ShiftModifier) << true;
    QTest::newRow("durante la ricerca") << int(Qt::LeftButton) << 0 << false;
}

void TstColorazione::premiConOgniPulsante()
{
    // Any button, with any shift state and in either phase, fills the area under the pointer with the chosen colour.
    QFETCH(int, pulsante);
    QFETCH(int, maiuscole);
    QFETCH(bool, colorando);
    Gioco g;
    if (colorando) {
        g.finisci();
        g.f.scegliColore(26); // green 0x00FF00
    } else {
        g.scegliPoiRicomincia(26);
        // Uncover the top-left cell so the press lands on the drawing.
        while (g.f.copertura(0)->isVisible())
            g.f.rispondi(g.f.partita().Numero());
        QCOMPARE(g.f.partita().fase(), gioco::Fase::Ricerca);
    }
    g.premi({40, 40}, Qt::MouseButton(pulsante), Qt::KeyboardModifiers(maiuscole));
    QCOMPARE(g.pixel(40, 40), 0x00FF00u);
    QCOMPARE(g.pixel(159, 232), 0x00FF00u);
    QCOMPARE(g.pixel(161, 40), Bianco);
    QCOMPARE(g.pixel(160, 40), Nero);
}

void TstColorazione::premiFuoriDalDisegno_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<int>("pulsante");
    QTest::addColumn<QStringList>("suoni"); // what the press, release and double click play
    for (int c = 0; c < 4; ++c)
        QTest::addRow("etichetta colonna %d", c + 1)
            << QStringLiteral("Label1_%1").arg(c) << int(Qt::LeftButton) << QStringList{QStringLiteral("voce/%1.wav").arg(c + 1)};
    for (int r = 0; r < 5; ++r)
        QTest::addRow("etichetta riga %c", 'A' + r)
            << QStringLiteral("Label2_%1").arg(r) << int(Qt::LeftButton) << QStringList{QStringLiteral("voce/%1.wav").arg(QChar(u'a' + r))};
    QTest::newRow("etichetta riga B, destro") << QStringLiteral("Label2_1") << int(Qt::RightButton) << QStringList();
    QTest::newRow("copertura, destro") << QStringLiteral("Command2_5") << int(Qt::RightButton) << QStringList();
    QTest::newRow("copertura, centrale") << QStringLiteral("Command2_18") << int(Qt::MiddleButton) << QStringList();
}

void TstColorazione::premiFuoriDalDisegno()
{
    // A press on a grid label, or with another button than the left on a cover, neither fills the drawing nor answers;
    // a left press on a label says its letter or number, once for a double click too, and no cue.
    QFETCH(QString, controllo);
    QFETCH(int, pulsante);
    QFETCH(QStringList, suoni);
    Gioco g;
    auto *w = g.f.findChild<QWidget *>(controllo);
    QVERIFY(w && w->isVisible());
    const QImage prima = g.f.riquadroDisegno()->superficie();
    QTest::mousePress(w, Qt::MouseButton(pulsante), {}, QPoint(5, 5));
    QTest::mouseRelease(w, Qt::MouseButton(pulsante), {}, QPoint(5, 5));
    QTest::mouseDClick(w, Qt::MouseButton(pulsante), {}, QPoint(5, 5));
    QCOMPARE(g.f.riquadroDisegno()->superficie(), prima);
    QCOMPARE(g.f.partita().Errori() + g.f.partita().Trovati(), 0);
    QCOMPARE(g.banco.suoni.nomi, suoni);
}

void TstColorazione::trasparenteComeSfondo()
{
    // Transparent pixels of a drawing are white on screen and to the fill.
    Gioco g;
    g.finisci();
    QImage disegno(40, 40, QImage::Format_ARGB32);
    disegno.fill(Qt::transparent);
    for (int y = 0; y < 40; ++y)
        disegno.setPixel(20, y, qRgb(0, 0, 0));
    g.f.riquadroDisegno()->mostraImmagine(disegno);
    QCOMPARE(g.pixel(30, 5), Bianco);
    g.f.scegliColore(26); // green
    g.premi({5, 5});
    const QImage schermo = g.f.riquadroDisegno()->grab(g.f.riquadroDisegno()->areaInterna()).toImage();
    QCOMPARE(colore::daRgb(schermo.pixel(5, 5)), 0x00FF00u);
    QCOMPARE(colore::daRgb(schermo.pixel(30, 5)), Bianco);
    QCOMPARE(g.pixel(5, 5), 0x00FF00u);
    QCOMPARE(g.pixel(30, 5), Bianco);
}

void TstColorazione::riempieSottoUnaCopertura()
{
    // A fill reaches the parts of its area still under covers, and survives a repaint.
    Gioco g;
    g.scegliPoiRicomincia(20); // yellow
    QVERIFY(!g.f.copertura(0)->isHidden());
    g.f.rispondi(g.f.partita().Numero());
    const int trovata = [&] {
        for (int i = 0; i < 20; ++i)
            if (g.f.copertura(i)->isHidden())
                return i;
        return -1;
    }();
    const QRect cella = g.f.copertura(trovata)->geometry();
    g.premi(cella.center());
    const QPoint altro = cella.center().x() < 160 ? QPoint(10, cella.center().y() < 233 ? 10 : 400)
                                                  : QPoint(300, cella.center().y() < 233 ? 10 : 400);
    // The quadrant is one area: its far corner, under a cover, took the colour too.
    QCOMPARE(g.pixel(altro.x(), altro.y()), 0x00FFFFu);
    g.f.repaint();
    QCOMPARE(g.pixel(altro.x(), altro.y()), 0x00FFFFu);
}

void TstColorazione::riempimentoSubitoVisibile()
{
    // At the layout's own size, the window's pixels show the whole filled area as soon as the press has been handled,
    // with no event processed after it: the drawing's inner area shows the picture just as it now is.
    Gioco g;
    QVERIFY(QTest::qWaitForWindowExposed(&g.f));
    g.finisci();
    g.f.scegliColore(26); // green
    g.f.repaint();
    QCOMPARE(scena::fattore(g.f.riquadroDisegno()), 1.0);
    QCOMPARE(g.f.devicePixelRatioF(), 1.0);
    const QRect interna = g.f.riquadroDisegno()->areaInterna();
    // How many pixels of the drawing the window does not show as they are.
    const auto diversi = [&] {
        const auto *finestra = static_cast<const QImage *>(g.f.backingStore()->paintDevice());
        const QPoint angolo = g.f.riquadroDisegno()->mapTo(&g.f, interna.topLeft());
        const QImage &disegno = g.f.riquadroDisegno()->superficie();
        int n = 0;
        for (int y = 0; y < disegno.height(); ++y)
            for (int x = 0; x < disegno.width(); ++x)
                n += (finestra->pixel(angolo + QPoint(x, y)) & 0xFFFFFFu) != (disegno.pixel(x, y) & 0xFFFFFFu);
        return n;
    };
    QCOMPARE(diversi(), 0);
    QTest::mousePress(g.f.riquadroDisegno(), Qt::LeftButton, {}, interna.topLeft() + QPoint(40, 40));
    QCOMPARE(g.pixel(159, 232), 0x00FF00u);
    QCOMPARE(diversi(), 0);
}

void TstColorazione::contornoRicolorato()
{
    // A press on a line recolours the whole connected outline; the same colour again changes nothing.
    Gioco g;
    g.finisci();
    g.f.scegliColore(8); // red
    g.premi({160, 100});
    QCOMPARE(g.pixel(0, 0), 0x0000FFu);
    QCOMPARE(g.pixel(319, 465), 0x0000FFu);
    QCOMPARE(g.pixel(5, 233), 0x0000FFu);
    const QImage prima = g.f.riquadroDisegno()->superficie();
    g.premi({160, 100});
    QCOMPARE(g.f.riquadroDisegno()->superficie(), prima);
}

void TstColorazione::nuovoDisegnoPerdeIColori()
{
    // The next picture shows without the fills of the previous one, and taking back and bringing again cannot bring them.
    Gioco g;
    g.finisci();
    g.f.scegliColore(32);
    g.premi({40, 40});
    QCOMPARE(g.pixel(40, 40), 0xFFFF00u);
    QTest::mouseClick(g.f.avanti(), Qt::LeftButton);
    QCOMPARE(g.pixel(40, 40), Bianco);
    const QImage nuovo = g.f.riquadroDisegno()->superficie();
    g.f.annullaRiempimento();
    g.f.ripetiRiempimento();
    QCOMPARE(g.f.riquadroDisegno()->superficie(), nuovo);
}

void TstColorazione::riempimentoDellaSuperficie_data()
{
    QTest::addColumn<QPoint>("inizio");
    QTest::addColumn<uint>("regione");
    QTest::addColumn<bool>("vuota");
    QTest::addColumn<bool>("dipinge");
    QTest::newRow("area del punto") << QPoint(3, 3) << 0xFFFFFFu << false << true;
    QTest::newRow("colore diverso all'inizio") << QPoint(3, 3) << 0xFEFFFFu << false << false;
    QTest::newRow("fuori") << QPoint(8, 3) << 0xFFFFFFu << false << false;
    QTest::newRow("superficie vuota") << QPoint(0, 0) << 0xFFFFFFu << true << false;
}

void TstColorazione::riempimentoDellaSuperficie()
{
    // The surface fill paints the area of the start pixel's colour; anything else leaves the surface as it was.
    QFETCH(QPoint, inizio);
    QFETCH(uint, regione);
    QFETCH(bool, vuota);
    QFETCH(bool, dipinge);
    superficie::Superficie dc;
    if (!vuota) {
        dc.immagine = QImage(8, 6, QImage::Format_RGB32);
        dc.immagine.fill(Qt::white);
    }
    const QRect cambiato = superficie::riempi(dc, inizio.x(), inizio.y(), regione, 0x00FF00);
    QCOMPARE(cambiato, dipinge ? QRect(0, 0, 8, 6) : QRect());
    if (!vuota)
        QCOMPARE(colore::daRgb(dc.immagine.pixel(7, 5)), dipinge ? Colore(0x00FF00) : Colore(0xFFFFFF));
}

void TstColorazione::sceltaNonDipinge()
{
    // Choosing a colour paints nothing by itself: only the next press fills, with that colour.
    Gioco g;
    g.finisci();
    g.f.scegliColore(44);
    g.premi({40, 40});
    const QImage dopoIlRiempimento = g.f.riquadroDisegno()->superficie();
    g.f.scegliColore(26);
    QCOMPARE(g.f.riquadroDisegno()->superficie(), dopoIlRiempimento);
    QCOMPARE(g.pixel(40, 40), Colore(0xFF00FF));
    g.premi({40, 40});
    QCOMPARE(g.pixel(40, 40), Colore(0x00FF00));
}

QTEST_MAIN(TstColorazione)
#include "tst_colorazione.moc"
