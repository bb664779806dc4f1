// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// A whole game played on a real X server with a window manager, by real input events only, as a child would.

#include "comune/aree.h"
#include "comune/gif.h"
#include "comune/pixel.h"
#include "comune/xvfb.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

using prova::coloreA;
using prova::esadecimale;
using prova::InizioDisegno;
using prova::InizioGriglia;

namespace {

namespace B = layout::brindel;

constexpr Colore Verde = 0x00FF00;

QString nome(int i)
{
    return QStringLiteral("  %1%2").arg(QChar(u'A' + i / 4)).arg(i % 4 + 1);
}

QFont carattere(int pixel)
{
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(pixel);
    f.setBold(true);
    return f;
}

// The cell named beside the drawing, read off the screen; -1 if none of the twenty
// names is shown whole.
int cellaNominata(const QImage &schermo, QPoint interno)
{
    QStringList nomi;
    for (int i = 0; i < 20; ++i)
        nomi << nome(i);
    const QRect zona(B::NomeCella.left, B::NomeCella.top, B::NomeCella.width, B::NomeCella.height);
    return nomi.indexOf(prova::testoVisto(schermo.copy(zona.translated(interno)), carattere(layout::ArialCoordinata.pixel), nomi));
}

// How many pixels of the drawing on screen differ from the closest of the
// program's drawings as its file holds it (0: one of them, untouched).
qint64 scostamentoDalDisegno(const QImage &schermo, QPoint interno)
{
    qint64 minimo = std::numeric_limits<qint64>::max();
    for (int n = 1; n <= 12; ++n) {
        const QImage file = QImage(QStringLiteral(BRINDEL_PROGRAM_DIR "/brindel/%1.gif").arg(n)).convertToFormat(QImage::Format_RGB32);
        const QImage visto = schermo.copy(QRect(interno + InizioDisegno, file.size())).convertToFormat(QImage::Format_RGB32);
        qint64 diversi = 0;
        for (int y = 0; y < file.height(); ++y)
            for (int x = 0; x < file.width(); ++x)
                diversi += (file.pixel(x, y) & 0xFFFFFF) != (visto.pixel(x, y) & 0xFFFFFF) ? 1 : 0;
        minimo = std::min(minimo, diversi);
    }
    return minimo;
}

// The cell size, from how far the yellow of a fresh grid reaches.
QSize cella(const QImage &schermo, QPoint interno)
{
    const QPoint inizio = interno + InizioGriglia;
    int destra = inizio.x();
    while (destra < schermo.width() && coloreA(schermo, {destra, inizio.y() + 40}) != colore::Ciano)
        ++destra;
    int basso = inizio.y();
    while (basso < schermo.height() && coloreA(schermo, {inizio.x() + 40, basso}) != colore::Ciano)
        ++basso;
    // The box ends 2 pixels (its border) after the last cell's clipped edge.
    return {(destra - 2 - inizio.x() + 2) / 4, (basso - 2 - inizio.y() + 2) / 5};
}

QPoint centro(QPoint interno, QSize c, int i)
{
    return interno + InizioGriglia + QPoint((i % 4) * c.width() + c.width() / 2, (i / 4) * c.height() + c.height() / 2);
}

// The game window's layout as the screen shows it at factor s: the
// interior below the menu bar, the layout grown and centred in it.
struct Scala
{
    Scala(const QRect &finestra, int menu)
    {
        const QSize lato(finestra.width(), finestra.height() - menu);
        s = std::min(lato.width() / double(B::LarghezzaInterna), lato.height() / double(B::AltezzaInterna));
        origine = finestra.topLeft()
            + QPoint((lato.width() - a(B::LarghezzaInterna)) / 2, menu + (lato.height() - a(B::AltezzaInterna)) / 2);
        disegno = origine + QPoint(a(B::RiquadroDisegno.left) + a(layout::Bordo), a(B::RiquadroDisegno.top + layout::Bordo));
    }
    int a(int x) const { return int(std::floor(x * s + 0.5)); }
    // A point of the layout inside the window's interior.
    QPoint punto(int x, int y) const { return origine + QPoint(a(x), a(y)); }
    QPoint punto(QPoint p) const { return punto(p.x(), p.y()); }
    // The middle of a cover of a 320 x 466 drawing.
    QPoint centro(int i) const
    {
        const QSize c = prova::cellaDisegni();
        return disegno + QPoint(a(gioco::MargineSinistro + (i % 4) * c.width() + c.width() / 2),
                                a(gioco::MargineAlto + (i / 4) * c.height() + c.height() / 2));
    }
    int cellaNominata(const QImage &schermo) const
    {
        QStringList nomi;
        for (int i = 0; i < 20; ++i)
            nomi << nome(i);
        const layout::Rettangolo &n = B::NomeCella;
        const QRect zona(punto(n.left, n.top), punto(n.left + n.width, n.top + n.height) - QPoint(1, 1));
        return nomi.indexOf(prova::testoVisto(schermo.copy(zona), carattere(a(layout::ArialCoordinata.pixel)), nomi));
    }
    double s = 1;
    QPoint origine;
    QPoint disegno;
};

// Waits until the window's place on the screen is no longer the given one,
// and then until it holds still: a window manager may move a window and size
// it in two steps.
QRect nuovaGeometria(const prova::ServerX &x, const QString &finestra, const QRect &prima)
{
    QRect r;
    if (!QTest::qWaitFor([&] { return (r = x.geometria(finestra)) != prima && r.width() > 0; }, 10000))
        return {};
    QRect ultima;
    for (int volte = 0; volte < 25 && r != ultima; ++volte) {
        ultima = r;
        QTest::qWait(200);
        r = x.geometria(finestra);
    }
    return r;
}

// Pixels of the 96-dpi drawing on screen that differ from one of the
// program's drawings with the area of `pixel` filled in `colore`, for the
// drawing that fits best.
qint64 scostamentoDalRiempimento(const QImage &schermo, QPoint disegno, QPoint pixel, Colore colore)
{
    qint64 minimo = std::numeric_limits<qint64>::max();
    for (int n = 1; n <= 12; ++n) {
        const QImage file = QImage(QStringLiteral(BRINDEL_PROGRAM_DIR "/brindel/%1.gif").arg(n)).convertToFormat(QImage::Format_RGB32);
        if (!file.rect().contains(pixel))
            continue;
        // The area: pixels of the pressed one's colour joined to it side by side.
        QImage atteso = file.copy();
        prova::riempiSemplice(atteso, pixel.x(), pixel.y(), colore::daRgb(file.pixel(pixel)), colore);
        qint64 diversi = 0;
        for (int y = 0; y < file.height(); ++y)
            for (int x = 0; x < file.width(); ++x)
                diversi += coloreA(schermo, disegno + QPoint(x, y)) != colore::daRgb(atteso.pixel(x, y)) ? 1 : 0;
        minimo = std::min(minimo, diversi);
    }
    return minimo;
}

// The drawing box on the screen, border included: from its corner as far as the cyan around it.
QRect riquadroDisegno(const QImage &schermo, QPoint interno)
{
    const QPoint angolo = interno + QPoint(B::RiquadroDisegno.left, B::RiquadroDisegno.top);
    QPoint fine = angolo + QPoint(100, 100);
    while (fine.x() < schermo.width() && coloreA(schermo, {fine.x(), angolo.y() + 240}) != colore::Ciano)
        fine.rx()++;
    while (fine.y() < schermo.height() && coloreA(schermo, {angolo.x() + 100, fine.y()}) != colore::Ciano)
        fine.ry()++;
    return {angolo, fine - QPoint(1, 1)};
}

// What the screen shows of cover i: its cell, as the game sizes cells for the drawing box, cut at the edge of the
// box's inner area.
QRect coperturaSulloSchermo(QPoint interno, const QRect &riquadro, int i)
{
    const gioco::Geometria g = gioco::geometriaPerRiquadro(riquadro.width(), riquadro.height());
    const QSize c(g.larghezzaCella, g.altezzaCella);
    const QRect cella(interno + InizioGriglia + QPoint((i % 4) * c.width(), (i / 4) * c.height()), c);
    return cella & riquadro.adjusted(layout::Bordo, layout::Bordo, -layout::Bordo, -layout::Bordo);
}

// The cover that shows the focus mark; -1 when none does.
int coperturaSegnata(const QImage &schermo, QPoint interno, const QRect &riquadro)
{
    for (int i = 0; i < 20; ++i)
        if (prova::segnato(schermo, coperturaSulloSchermo(interno, riquadro, i), 2))
            return i;
    return -1;
}

} // namespace

class TstPartitaVera : public QObject
{
    Q_OBJECT
private slots:
    void unaPartitaIntera();
    void ingranditaESchermoIntero();
    void schermi_data();
    void schermi();
    void esattoAdAltiDpi_data();
    void esattoAdAltiDpi();
    void soloTastiera();
};

void TstPartitaVera::unaPartitaIntera()
{
    // A second launch brings the first game forward and ends; named covers double-clicked until none is left, each
    // double click one answer (mistakes turning red) that paints nothing; a colour poured into an area, taken back
    // with Ctrl+Z and brought again with Ctrl+Y; "avanti", four mistakes, "Esci".
    prova::ServerX x(true);
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    QTemporaryDir altrove;
    prova::GiocoX gioco(x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), altrove.path());
    QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
    x.esegui(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), QStringLiteral("--sync"), gioco.finestraAvvio});
    QVERIFY(!x.finestre(QString::fromLatin1(prova::ClasseGioco)).contains(gioco.finestraAvvio));
    {
        prova::GiocoX secondo(x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), altrove.path());
        QVERIFY(secondo.processo().waitForFinished(10000));
        QCOMPARE(secondo.processo().exitCode(), 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(x.finestre(QString::fromLatin1(prova::ClasseGioco)), QStringList{gioco.finestraAvvio}, 5000);
    // Back where it was, and drawn, before "Avvio" is pressed on it.
    QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
    const QRect rb = gioco.premiAvvio();
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    const QPoint interno = prova::GiocoX::interno(rb);

    QImage schermo = x.schermo();
    QCOMPARE(prova::copertureNonGialle(schermo, interno), QString());
    QSize c = cella(schermo, interno);
    // A fresh game on the screen: every cover yellow where the grid of its drawing puts it.
    const auto copertureNuove = [&] {
        schermo = x.schermo();
        c = cella(schermo, interno);
        return prova::copertureNonGialle(schermo, [&](int i) { return centro(interno, c, i); });
    };
    QVERIFY2(c.width() > 70 && c.width() < 85 && c.height() > 80 && c.height() < 100,
             qPrintable(QStringLiteral("%1x%2").arg(c.width()).arg(c.height())));

    // The row letters stand whole in the strip left of the covers.
    for (int r = 0; r < 5; ++r) {
        const QImage striscia = schermo.copy(QRect(interno + QPoint(InizioDisegno.x(), InizioGriglia.y() + r * c.height()), QSize(gioco::MargineSinistro, c.height())));
        QCOMPARE(prova::testoVisto(striscia, carattere(layout::SansGriglia.pixel), {"A", "B", "C", "D", "E"}), QString(QChar(u'A' + r)));
    }

    // Before the child answers, nothing else does: Enter and Space at the
    // window's first focus, presses on the grid labels, right and middle
    // presses on covers. The drawing is checked untouched once uncovered.
    const int primo = cellaNominata(schermo, interno);
    QVERIFY(primo >= 0);
    x.tasto(QStringLiteral("Return"));
    x.tasto(QStringLiteral("space"));
    for (int col = 0; col < 4; ++col)
        x.clicca(interno + InizioGriglia + QPoint(col * c.width() + c.width() / 2, -10));
    for (int r = 0; r < 5; ++r)
        x.clicca(interno + QPoint(InizioDisegno.x() + 7, InizioGriglia.y() + r * c.height() + c.height() / 2));
    for (int i : {primo, (primo + 5) % 20})
        for (int pulsante : {2, 3})
            x.clicca(centro(interno, c, i), pulsante);
    // Nothing is to happen, so there is nothing to wait for: the inputs are
    // given the time a press takes to show before the screen is read.
    QTest::qWait(500);
    schermo = x.schermo();
    QCOMPARE(prova::copertureNonGialle(schermo, interno), QString());
    QCOMPARE(cellaNominata(schermo, interno), primo);
    // Enter and Space move no focus: no mark shows.
    const QRect riquadro = riquadroDisegno(schermo, interno);
    QCOMPARE(coperturaSegnata(schermo, interno, riquadro), -1);
    QVERIFY(!prova::segnato(schermo, riquadro, 0));

    // Find every cover, with two mistakes on the way.
    QSet<int> rimaste;
    for (int i = 0; i < 20; ++i)
        rimaste.insert(i);
    int sbagli = 0;
    while (!rimaste.isEmpty()) {
        const int n = cellaNominata(schermo, interno);
        QVERIFY2(rimaste.contains(n), qPrintable(nome(n)));
        if (sbagli < 2 && rimaste.size() < 20 - 5 * (sbagli + 1)) {
            int altra = -1;
            for (int i : rimaste)
                if (i != n && coloreA(schermo, centro(interno, c, i)) == colore::Giallo)
                    altra = i;
            if (altra >= 0) {
                x.clicca(centro(interno, c, altra), 1, 2);
                QTRY_VERIFY_WITH_TIMEOUT(coloreA(schermo = x.schermo(), centro(interno, c, altra)) == colore::Rosso, 5000);
                QCOMPARE(cellaNominata(schermo, interno), n);
                // A clicked cover takes no focus: it shows no mark.
                QCOMPARE(coperturaSegnata(schermo, interno, riquadro), -1);
                ++sbagli;
                continue;
            }
        }
        x.clicca(centro(interno, c, n), 1, 2);
        rimaste.remove(n);
        // The cover goes (the drawing shows through) and, until the last, another cell is named.
        QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                     schermo = x.schermo();
                                     const Colore dove = coloreA(schermo, centro(interno, c, n));
                                     return dove != colore::Giallo && dove != colore::Rosso
                                         && (rimaste.isEmpty() || cellaNominata(schermo, interno) != n);
                                 }()),
                                 5000);
    }
    QCOMPARE(sbagli, 2);
    prova::salvaSchermata(schermo, QStringLiteral("colorazione"));
    // The drawing, which now holds the focus, shows neither its mark nor its cursor to a mouse player.
    QCOMPARE(scostamentoDalDisegno(schermo, interno), 0);
    QVERIFY(!prova::segnato(schermo, riquadro, 0));

    // The palette is out: pick green (the third swatch of the fifth row) and pour it into an area.
    const QPoint verde = interno + prova::centroCampione(prova::campioneDi(Verde));
    QCOMPARE(esadecimale(coloreA(schermo, verde)), esadecimale(Verde));
    x.clicca(verde);
    QPoint dentro;
    for (int y = 150; y < 400 && dentro.isNull(); y += 3)
        for (int xx = 60; xx < 280 && dentro.isNull(); xx += 3) {
            bool bianco = true;
            for (int dy = -4; dy <= 4 && bianco; ++dy)
                for (int dx = -4; dx <= 4 && bianco; ++dx)
                    bianco = coloreA(schermo, interno + InizioDisegno + QPoint(xx + dx, y + dy)) == colore::Bianco;
            if (bianco)
                dentro = interno + InizioDisegno + QPoint(xx, y);
        }
    QVERIFY(!dentro.isNull());
    x.clicca(dentro);
    QTRY_COMPARE_WITH_TIMEOUT(esadecimale(coloreA(schermo = x.schermo(), dentro)), esadecimale(Verde), 5000);
    QCOMPARE(esadecimale(coloreA(schermo, dentro + QPoint(4, 4))), esadecimale(Verde));
    // Taken back, the drawing is as it was loaded, pixel for pixel; brought again, exactly the area is green.
    const QPoint pixel = dentro - interno - InizioDisegno;
    x.tasto(QStringLiteral("ctrl+z"));
    QTRY_COMPARE_WITH_TIMEOUT(scostamentoDalDisegno(schermo = x.schermo(), interno), 0, 5000);
    x.tasto(QStringLiteral("ctrl+y"));
    QTRY_COMPARE_WITH_TIMEOUT(scostamentoDalRiempimento(schermo = x.schermo(), interno + InizioDisegno, pixel, Verde), 0, 5000);
    // The chosen-colour box shows the choice.
    const QPoint scelto = QPoint(B::Cornice.left, B::Cornice.top) + prova::centro(B::RiquadroScelto);
    QCOMPARE(esadecimale(coloreA(schermo, interno + scelto)), esadecimale(Verde));

    // "avanti": a new drawing under twenty yellow covers.
    x.clicca(interno + prova::centro(B::Avanti));
    QTRY_VERIFY_WITH_TIMEOUT(coloreA(schermo = x.schermo(), interno + prova::centro(B::Avanti)) == colore::Ciano, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(copertureNuove(), QString(), 5000);

    // Four mistakes: three covers turn red, the fourth starts a new game with all covers yellow.
    const int n = cellaNominata(schermo, interno);
    int fatti = 0;
    for (int i = 0; i < 20 && fatti < 4; ++i) {
        if (i == n)
            continue;
        x.clicca(centro(interno, c, i));
        ++fatti;
        if (fatti < 4)
            QTRY_VERIFY_WITH_TIMEOUT(coloreA(schermo = x.schermo(), centro(interno, c, i)) == colore::Rosso, 5000);
    }
    QTRY_COMPARE_WITH_TIMEOUT(copertureNuove(), QString(), 5000);

    // "Esci": No leaves the game, Sì ends it with status 0.
    QCOMPARE(gioco.esciNoPoiSi(rb), QString());
}

void TstPartitaVera::ingranditaESchermoIntero()
{
    // Maximised from its title bar, the game is played to the colouring on grown covers and a grown press fills
    // exactly the area under it (checked at 96 dpi after restoring); with F11 the palette and "avanti" stand where
    // the grown layout puts them; F11 again brings back the window as it was.
    prova::ServerX x(true);
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    QTemporaryDir altrove;
    prova::GiocoX gioco(x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), altrove.path());
    QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
    const QRect rb = gioco.premiAvvio();
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    const int menu = rb.height() - B::AltezzaInterna;

    // The window manager's title bar is just above the window.
    x.clicca(QPoint(rb.center().x(), rb.top() - 8), 1, 2);
    const QRect grande = nuovaGeometria(x, gioco.finestraGioco, rb);
    QVERIFY2(grande.width() > 900, qPrintable(QStringLiteral("%1x%2").arg(grande.width()).arg(grande.height())));
    const Scala m(grande, menu);
    QVERIFY(m.s > 1.2);
    QImage schermo;
    QTRY_COMPARE_WITH_TIMEOUT(prova::copertureNonGialle(schermo = x.schermo(), [&](int i) { return m.centro(i); }), QString(), 5000);
    prova::salvaSchermata(schermo, QStringLiteral("ingrandita"));
    // The margins around the layout are cyan too.
    QCOMPARE(esadecimale(coloreA(schermo, grande.topLeft() + QPoint(2, grande.height() - 3))), esadecimale(colore::Ciano));

    for (int trovate = 0; trovate < 20; ++trovate) {
        const int n = m.cellaNominata(schermo);
        QVERIFY2(n >= 0 && coloreA(schermo, m.centro(n)) == colore::Giallo, qPrintable(QString::number(n)));
        x.clicca(m.centro(n));
        QTRY_VERIFY_WITH_TIMEOUT(coloreA(schermo = x.schermo(), m.centro(n)) != colore::Giallo, 5000);
    }
    const QPoint verde = prova::centroCampione(prova::campioneDi(Verde));
    QTRY_VERIFY_WITH_TIMEOUT(coloreA(schermo = x.schermo(), m.punto(verde)) == Verde, 5000);
    x.clicca(m.punto(verde));
    // A press in the middle of a white area, at a point between two screen pixels of a drawing pixel.
    QPoint dentro;
    for (int y = m.a(150); y < m.a(400) && dentro.isNull(); y += 3)
        for (int xx = m.a(60); xx < m.a(280) && dentro.isNull(); xx += 3) {
            bool bianco = true;
            for (int dy = -m.a(5); dy <= m.a(5) && bianco; ++dy)
                for (int dx = -m.a(5); dx <= m.a(5) && bianco; ++dx)
                    bianco = coloreA(schermo, m.disegno + QPoint(xx + dx, y + dy)) == colore::Bianco;
            if (bianco)
                dentro = m.disegno + QPoint(xx, y);
        }
    QVERIFY(!dentro.isNull());
    x.clicca(dentro);
    QTRY_COMPARE_WITH_TIMEOUT(esadecimale(coloreA(schermo = x.schermo(), dentro)), esadecimale(Verde), 5000);
    const QPoint pixel((dentro - m.disegno).x() / m.s, (dentro - m.disegno).y() / m.s);

    // Restored, the window is the one the table describes, and the fill is exactly the area of that pixel.
    x.clicca(QPoint(grande.center().x(), grande.top() - 8), 1, 2);
    const QRect piccola = nuovaGeometria(x, gioco.finestraGioco, grande);
    QCOMPARE(piccola.size(), rb.size());
    const QPoint interno = prova::GiocoX::interno(piccola);
    QTRY_COMPARE_WITH_TIMEOUT(scostamentoDalRiempimento(schermo = x.schermo(), interno + InizioDisegno, pixel, Verde), 0, 5000);

    // F11: full screen, the palette where the grown layout puts it; "avanti" there starts a game on grown covers.
    x.tasto(QStringLiteral("F11"));
    const QRect intero = nuovaGeometria(x, gioco.finestraGioco, piccola);
    QCOMPARE(intero, QRect(0, 0, 1024, 768));
    const Scala f(intero, menu);
    QTRY_COMPARE_WITH_TIMEOUT(esadecimale(coloreA(schermo = x.schermo(), f.punto(verde))), esadecimale(Verde), 5000);
    prova::salvaSchermata(schermo, QStringLiteral("schermo-intero"));
    QCOMPARE(esadecimale(coloreA(schermo, f.punto(prova::centroCampione(prova::campioneDi(0x000000))))), esadecimale(0x000000));
    QCOMPARE(esadecimale(coloreA(schermo, f.punto(QPoint(B::Cornice.left, B::Cornice.top) + prova::centro(B::RiquadroScelto)))), esadecimale(Verde));
    x.clicca(f.punto(prova::centro(B::Avanti)));
    QTRY_VERIFY_WITH_TIMEOUT(coloreA(schermo = x.schermo(), f.punto(prova::centro(B::Avanti))) == colore::Ciano, 5000);
    QTRY_COMPARE_WITH_TIMEOUT(prova::copertureNonGialle(schermo = x.schermo(), [&](int i) { return f.centro(i); }), QString(), 5000);
    QVERIFY(f.cellaNominata(schermo) >= 0);

    x.tasto(QStringLiteral("F11"));
    const QRect ritorno = nuovaGeometria(x, gioco.finestraGioco, intero);
    QCOMPARE(ritorno.size(), rb.size());
    QTRY_COMPARE_WITH_TIMEOUT(prova::copertureNonGialle(schermo = x.schermo(), prova::GiocoX::interno(ritorno)), QString(), 5000);
    QVERIFY(Scala(ritorno, menu).cellaNominata(schermo) >= 0);
}

void TstPartitaVera::schermi_data()
{
    QTest::addColumn<QSize>("schermo");
    QTest::addColumn<double>("scala");
    // How the start window stands when "Avvio" is pressed: moved from the middle of the screen, maximised from its
    // title bar, or full screen by F11 (after F11 there and back).
    QTest::addColumn<QString>("stato");
    QTest::newRow("800x600") << QSize(800, 600) << 1.0 << "";
    QTest::newRow("1366x768 al 150%") << QSize(1366, 768) << 1.5 << "";
    QTest::newRow("3840x2160 al 200%") << QSize(3840, 2160) << 2.0 << "";
    QTest::newRow("640x480, avvio ingrandita") << QSize(640, 480) << 1.0 << "MAXIMIZED";
    QTest::newRow("800x600, avvio a schermo intero") << QSize(800, 600) << 1.0 << "FULLSCREEN";
}

void TstPartitaVera::schermi()
{
    // On small screens and on large ones at 1.5 and 2 times the scale, both windows stand whole in the screen's
    // available area, the game window's covers all showing; the game window opens centred where the start window
    // was (as far as it stays whole), or maximised or full screen after such a start window; the exit question opens
    // centred over the game window.
    QFETCH(QSize, schermo);
    QFETCH(double, scala);
    QFETCH(QString, stato);
    prova::ServerX x(true, schermo);
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    QTemporaryDir altrove;
    prova::GiocoX gioco(x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), altrove.path(), scala);
    QRect ra = gioco.aspettaAvvio();
    QVERIFY2(!ra.isEmpty(), gioco.mancato().constData());
    const QRect area = x.areaDisponibile();
    const auto dentro = [&](const QRect &r) {
        return QStringLiteral("%1x%2+%3+%4 in %5x%6").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y()).arg(area.width()).arg(area.height());
    };
    QVERIFY2(area.contains(x.cornice(gioco.finestraAvvio)), qPrintable(dentro(x.cornice(gioco.finestraAvvio))));
    if (stato == QLatin1String("MAXIMIZED")) {
        x.clicca(QPoint(ra.center().x(), ra.top() - 8), 1, 2);
        ra = nuovaGeometria(x, gioco.finestraAvvio, ra);
        QVERIFY(ra.width() > 600);
    } else if (stato == QLatin1String("FULLSCREEN")) {
        const QRect prima = ra;
        for (const QRect &atteso : {QRect(QPoint(0, 0), schermo), prima, QRect(QPoint(0, 0), schermo)}) {
            x.tasto(QStringLiteral("F11"));
            QCOMPARE(ra = nuovaGeometria(x, gioco.finestraAvvio, ra), atteso);
        }
    } else {
        const QPoint bordo = ra.topLeft() - x.cornice(gioco.finestraAvvio).topLeft();
        x.esegui(QStringLiteral("xdotool"), {QStringLiteral("windowmove"), gioco.finestraAvvio, QString::number(area.left() + 100 + bordo.x()),
                                             QString::number(area.top() + bordo.y())});
        ra = nuovaGeometria(x, gioco.finestraAvvio, ra);
    }
    const QRect avvio = x.cornice(gioco.finestraAvvio);

    QRect rb = gioco.premiAvvio();
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    if (!stato.isEmpty()) {
        const auto proprieta = [&] {
            return x.esegui(QStringLiteral("xprop"), {QStringLiteral("-id"), gioco.finestraGioco, QStringLiteral("_NET_WM_STATE")});
        };
        QTRY_VERIFY2_WITH_TIMEOUT(proprieta().contains(stato.toLatin1()), proprieta().constData(), 5000);
        rb = x.geometria(gioco.finestraGioco);
        QCOMPARE(rb, ra);
    }
    const QRect cornice = x.cornice(gioco.finestraGioco);
    QVERIFY2(area.contains(cornice), qPrintable(dentro(cornice)));
    // Centred on the start window, moved only as far as it takes to stand whole.
    const QPoint mezzo(std::clamp(avvio.center().x(), area.left() + cornice.width() / 2, area.right() - cornice.width() / 2),
                       std::clamp(avvio.center().y(), area.top() + cornice.height() / 2, area.bottom() - cornice.height() / 2));
    const QPoint spostamento = cornice.center() - mezzo;
    QVERIFY2(std::abs(spostamento.x()) <= 2 && std::abs(spostamento.y()) <= 2,
             qPrintable(dentro(avvio) + QStringLiteral(", then ") + dentro(cornice)));
    // Below the menu bar the layout, grown or shrunk evenly, shows every cover, and the cell name's white box ends
    // where the layout puts its bottom edge (once the window has been drawn at its final size).
    const auto visto = [&] {
        const QImage schermata = x.schermo(rb);
        const QRect finestra(QPoint(0, 0), rb.size());
        int menu = 0;
        while (menu < finestra.height() && coloreA(schermata, finestra.topRight() + QPoint(-3, menu)) != B::Sfondo)
            ++menu;
        const Scala m(finestra, menu);
        const int fondo = B::NomeCella.top + B::NomeCella.height;
        const QPoint sopra = m.punto(B::NomeCella.left + 6, fondo - 4);
        const QPoint sotto = m.punto(B::NomeCella.left + 6, fondo + 3);
        QString sbagli = prova::copertureNonGialle(schermata, [&](int i) { return m.centro(i); });
        if (coloreA(schermata, sopra) != colore::Bianco || coloreA(schermata, sotto) != B::Sfondo)
            sbagli += QStringLiteral(" the cell name's box does not end between %1 and %2").arg(sopra.y()).arg(sotto.y());
        return sbagli;
    };
    QString sbagli;
    (void)QTest::qWaitFor([&] { return (sbagli = visto()).isEmpty(); }, 10000);
    QCOMPARE(sbagli, QString());

    // The exit question stands over the middle of the game window.
    QVERIFY(gioco.apriEsci(rb));
    const QRect domanda = x.geometria(gioco.finestraDomanda);
    const QPoint fuori = domanda.center() - rb.center();
    QVERIFY2(std::abs(fuori.x()) <= 2 && std::abs(fuori.y()) <= 2,
             qPrintable(dentro(domanda) + QStringLiteral(" over ") + dentro(rb)));
}

void TstPartitaVera::esattoAdAltiDpi_data()
{
    QTest::addColumn<double>("scala");
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

void TstPartitaVera::esattoAdAltiDpi()
{
    // At the device-pixel ratio of a high-dpi screen, read back from the screen: a click on the first or the last
    // screen pixel of a cover reaches that cover and not the next; a click on any of the brightest screen pixels of a
    // one-pixel white dot of the drawing fills that dot and no other.
    QFETCH(double, scala);
    prova::ServerX x(true, QSize(2048, 1536));
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    // The program, alone in a folder of its own with drawings of black with a white pixel every 4.
    QTemporaryDir programma;
    const QString eseguibile = programma.path() + QStringLiteral("/tintar-i-brindel");
    QVERIFY(QFile::copy(QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), eseguibile));
    prova::scriviDisegni(programma.path(), prova::puntiniGif());
    QTemporaryDir altrove;
    prova::GiocoX gioco(x, eseguibile, altrove.path(), scala);
    QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
    const QRect rb = gioco.premiAvvio();
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    // Qt shows a control from round(x r) to round((x + width) r), x in the window's logical pixels (the game window
    // opens at its own size here, the layout at 96 dpi below the menu bar).
    const int menu = qRound(rb.height() / scala) - B::AltezzaInterna;
    const auto suSchermo = [&](QPoint p) { return rb.topLeft() + QPoint(qRound(p.x() * scala), qRound((menu + p.y()) * scala)); };
    const auto luce = [](const QImage &img, QPoint p) { return qGray(img.pixel(p)); };

    // Covers B2 and C3: a click on the first pixel of B2, then on the last of C3, changes that cover (red, or
    // gone if it was the one named) and not the one beside it.
    const QSize cella = prova::cellaDisegni();
    const auto copertura = [&](int i) {
        const QPoint da = InizioGriglia + QPoint(i % 4 * cella.width(), i / 4 * cella.height());
        return QRect(suSchermo(da), suSchermo(da + QPoint(cella.width(), cella.height())) - QPoint(1, 1));
    };
    for (const auto &[i, vicina, primo] : {std::tuple{5, 4, true}, std::tuple{10, 11, false}}) {
        const QRect r = copertura(i);
        const QRect attorno = r.adjusted(-r.width(), -2, r.width(), 2);
        QImage schermo = x.schermo(attorno);
        const auto qui = [&](QPoint p) { return colore::daRgb(schermo.pixel(p - attorno.topLeft())); };
        const QPoint p = primo ? r.topLeft() : r.bottomRight();
        // The cover's own corner (its light ring at the top left, its dark ring at the bottom right), and beside
        // its edge the neighbour's opposite ring.
        const QPoint fuori(primo ? r.left() - 1 : r.right() + 1, r.center().y());
        QCOMPARE(esadecimale(qui(p)), esadecimale(primo ? colore::Bianco : colore::Nero));
        QCOMPARE(esadecimale(qui(fuori)), esadecimale(primo ? colore::Nero : colore::Bianco));
        QCOMPARE(esadecimale(qui(r.center())), esadecimale(colore::Giallo));
        x.clicca(p);
        QVERIFY(QTest::qWaitFor([&] { return schermo = x.schermo(attorno), qui(r.center()) != colore::Giallo; }, 5000));
        QCOMPARE(esadecimale(qui(copertura(vicina).center())), esadecimale(colore::Giallo));
    }

    // The dots in the drawing's corner left of the row letters and above the column numbers, each a small lit patch
    // on the screen: a press fills with black until a colour is chosen, so the dot pressed goes dark and the others
    // stay lit.
    const QRect angolo(suSchermo(InizioDisegno), suSchermo(InizioGriglia) - QPoint(1, 1));
    QImage schermo = x.schermo(angolo);
    const auto dentro = [&](QPoint p) { return angolo.contains(p + angolo.topLeft()); };
    // The first pixel, reading across, of each patch's brightest ones.
    QList<QPoint> macchie;
    for (int y = 0; y < angolo.height(); ++y)
        for (int xx = 0; xx < angolo.width(); ++xx) {
            const int g = luce(schermo, {xx, y});
            bool primo = g > 60;
            for (int dy = -2; dy <= 2 && primo; ++dy)
                for (int dx = -2; dx <= 2 && primo; ++dx)
                    if ((dy || dx) && dentro({xx + dx, y + dy})) {
                        const int h = luce(schermo, {xx + dx, y + dy});
                        primo = h < g || (h == g && (dy > 0 || (dy == 0 && dx > 0)));
                    }
            if (primo)
                macchie << QPoint(xx, y);
        }
    // Four dots across and five down, as the drawing has them there.
    QCOMPARE(macchie.size(), 20);
    for (qsizetype i = 0; i < macchie.size(); i += 2) {
        // Each dot pressed on another of its brightest pixels, when it has several.
        QList<QPoint> pari;
        for (int dy = 0; dy <= 1; ++dy)
            for (int dx = 0; dx <= 1; ++dx)
                if (dentro(macchie[i] + QPoint(dx, dy)) && luce(schermo, macchie[i] + QPoint(dx, dy)) == luce(schermo, macchie[i]))
                    pari << macchie[i] + QPoint(dx, dy);
        const QPoint p = pari[i / 2 % pari.size()];
        x.clicca(angolo.topLeft() + p);
        QVERIFY2(QTest::qWaitFor([&] { return schermo = x.schermo(angolo), luce(schermo, p) < 40; }, 5000),
                 qPrintable(QStringLiteral("dot at %1,%2 of the corner").arg(p.x()).arg(p.y())));
        for (qsizetype j = i + 1; j < macchie.size(); ++j)
            QVERIFY2(luce(schermo, macchie[j]) > 60, qPrintable(QStringLiteral("pressing %1,%2 darkened %3,%4").arg(p.x()).arg(p.y()).arg(macchie[j].x()).arg(macchie[j].y())));
    }
}

void TstPartitaVera::soloTastiera()
{
    // Keys only, on a real X server: Enter on the start window; no focus mark until a key moves the focus; the cell read
    // off the screen and the focus followed by its mark, arrows to the cell's row and along it, Space, to the last of
    // twenty; then the drawing holds the focus with its cursor in the middle; Tab to green, Space, Shift+Tab back, Space
    // fills the area under the cursor, which goes when Tab takes the focus away.
    prova::ServerX x(true);
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    QTemporaryDir altrove;
    prova::GiocoX gioco(x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), altrove.path());
    QVERIFY2(!gioco.aspettaAvvio().isEmpty(), gioco.mancato().constData());
    const QRect rb = gioco.premiAvvio(true);
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    const QPoint interno = prova::GiocoX::interno(rb);
    QImage schermo = x.schermo();
    const QRect riquadro = riquadroDisegno(schermo, interno);
    const auto segnata = [&] { return coperturaSegnata(schermo, interno, riquadro); };
    QCOMPARE(segnata(), -1);
    QVERIFY(!prova::segnato(schermo, riquadro, 0));

    int tasti = 0;
    for (int trovate = 0; trovate < 20;) {
        const int n = cellaNominata(schermo, interno);
        const int fuoco = segnata();
        QVERIFY2(n >= 0 && tasti < 300, qPrintable(QStringLiteral("cell %1 after %2 keys").arg(n).arg(tasti)));
        ++tasti;
        if (fuoco == n) {
            x.tasto(QStringLiteral("space"));
            ++trovate;
            // The cover goes, and the mark moves to another, until the last.
            QTRY_VERIFY_WITH_TIMEOUT(([&] {
                                         schermo = x.schermo();
                                         const int ora = segnata();
                                         return coloreA(schermo, coperturaSulloSchermo(interno, riquadro, n).center()) != colore::Giallo
                                             && (trovate == 20 ? ora == -1 : ora >= 0 && ora != n);
                                     }()),
                                     5000);
            continue;
        }
        QString freccia = QStringLiteral("Down");
        if (fuoco >= 0 && fuoco / 4 != n / 4)
            freccia = n / 4 > fuoco / 4 ? QStringLiteral("Down") : QStringLiteral("Up");
        else if (fuoco >= 0)
            freccia = n % 4 > fuoco % 4 ? QStringLiteral("Right") : QStringLiteral("Left");
        x.tasto(freccia);
        const bool mosso = QTest::qWaitFor([&] { return (schermo = x.schermo(), segnata() != fuoco); }, 5000);
        if (!mosso)
            prova::salvaSchermata(schermo, QStringLiteral("fermo"));
        QVERIFY2(mosso, qPrintable(QStringLiteral("%1 from cell %2 towards %3 moved no mark").arg(freccia).arg(fuoco).arg(n)));
    }
    qInfo("The picture uncovered with %d keys", tasti);

    // The drawing holds the focus: its mark, and the cross-hair on its middle pixel.
    const QPoint disegno = interno + InizioDisegno;
    const QPoint pixelDiMezzo((riquadro.width() - 2 * layout::Bordo) / 2, (riquadro.height() - 2 * layout::Bordo) / 2);
    const QPoint mezzo = disegno + pixelDiMezzo;
    QTRY_VERIFY_WITH_TIMEOUT(prova::segnato(schermo = x.schermo(), riquadro, 0), 5000);
    prova::salvaSchermata(schermo, QStringLiteral("tastiera"));
    for (const QPoint braccio : {QPoint(7, 0), QPoint(-7, 0), QPoint(0, 7), QPoint(0, -7)}) {
        const QString visti = prova::attraverso(schermo, mezzo + braccio, QPoint(braccio.y() != 0, braccio.x() != 0));
        QVERIFY2(visti.contains(QLatin1String("bnnb")), qPrintable(visti));
    }
    // Green is the 27th swatch in Tab's order; its mark shows when Tab reaches it.
    const int verde = prova::campioneDi(Verde);
    QStringList avanti(verde + 1, QStringLiteral("Tab"));
    x.esegui(QStringLiteral("xdotool"), QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")} + avanti);
    const QPoint campione = interno + prova::centroCampione(verde);
    const QRect rettangoloVerde(campione - QPoint(12, 12), QSize(25, 25));
    QTRY_VERIFY_WITH_TIMEOUT(prova::segnato(schermo = x.schermo(), rettangoloVerde, 0), 5000);
    QVERIFY(!prova::segnato(schermo, riquadro, 0));
    x.tasto(QStringLiteral("space"));
    const QPoint scelto = interno + QPoint(B::Cornice.left, B::Cornice.top) + prova::centro(B::RiquadroScelto);
    QTRY_COMPARE_WITH_TIMEOUT(esadecimale(coloreA(schermo = x.schermo(), scelto)), esadecimale(Verde), 5000);
    x.esegui(QStringLiteral("xdotool"), QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("20")}
                                            + QStringList(verde + 1, QStringLiteral("shift+Tab")));
    QTRY_VERIFY_WITH_TIMEOUT(prova::segnato(schermo = x.schermo(), riquadro, 0), 5000);
    x.tasto(QStringLiteral("space"));
    QTRY_COMPARE_WITH_TIMEOUT(esadecimale(coloreA(schermo = x.schermo(), mezzo)), esadecimale(Verde), 5000);
    // Tab on: the drawing is the fill of its middle pixel, nothing more.
    x.tasto(QStringLiteral("Tab"));
    QTRY_COMPARE_WITH_TIMEOUT(scostamentoDalRiempimento(schermo = x.schermo(), disegno, pixelDiMezzo, Verde), 0, 5000);
    QCOMPARE(gioco.esciNoPoiSi(rb), QString());
}

QTEST_MAIN(TstPartitaVera)
#include "tst_partita_vera.moc"
