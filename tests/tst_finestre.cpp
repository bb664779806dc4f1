// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The two windows: their layout, the start button, the first show, and play through the controls.

#include "comune/aree.h"
#include "comune/gif.h"
#include "comune/pixel.h"
#include "comune/registratori.h"
#include "shell/programma.h"
#include "windows/aspetto.h"
#include "windows/scena.h"
#include "windows/controlli.h"
#include "windows/impaginazione.h"
#include "windows/formavvio.h"
#include "windows/formbrindel.h"

#include <QAccessible>
#include <QAction>
#include <QBackingStore>
#include <QFile>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPicture>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace {

QRect geometria(const QWidget *w) { return w->geometry(); }

// A rectangle of the layout at factor s: each edge round(edge x s).
QRect scalato(QRect r, double s)
{
    const auto a = [s](int x) { return int(std::floor(x * s + 0.5)); };
    return QRect(QPoint(a(r.left()), a(r.top())), QPoint(a(r.left() + r.width()) - 1, a(r.top() + r.height()) - 1));
}

// Grows a window until the widget that holds its layout has the given size.
bool portaA(QWidget *finestra, QWidget *contenitore, QSize lato)
{
    finestra->resize(finestra->size() + lato - contenitore->size());
    return QTest::qWaitFor([&] { return contenitore->size() == lato; }, 2000);
}

QString esadecimale(Colore c) { return QStringLiteral("%1").arg(c, 6, 16, QLatin1Char('0')); }

// Where Qt shows a control of window w at its device-pixel ratio: each logical edge at round(x r), half up.
QRect suSchermo(const QWidget *w, const QRect &r)
{
    const double rapporto = w->devicePixelRatioF();
    const QRect n = r.translated(w->mapTo(w->window(), QPoint(0, 0)));
    const auto d = [rapporto](int x) { return qRound(x * rapporto); };
    return QRect(QPoint(d(n.left()), d(n.top())), QPoint(d(n.left() + n.width()) - 1, d(n.top() + n.height()) - 1));
}

// A click of the real mouse path on device pixel p of window w, where the platform puts it: at p / r.
void cliccaPixel(QWidget *w, QPoint p)
{
    static int istante = 1000000;
    QWindow *finestra = w->windowHandle();
    const QPointF posto = QPointF(p) / w->devicePixelRatioF();
    const QPointF globale = posto + QPointF(finestra->position());
    // Far apart in time: no two make a double click.
    qt_handleMouseEvent(finestra, posto, globale, Qt::LeftButton, Qt::LeftButton, QEvent::MouseButtonPress, {}, istante += 5000);
    qt_handleMouseEvent(finestra, posto, globale, {}, Qt::LeftButton, QEvent::MouseButtonRelease, {}, istante += 10);
    QApplication::processEvents();
}

// The least, over every place figura fits in vista, of the largest difference of a colour channel
// between figura and the pixels under it.
int scarto(const QImage &vista, const QImage &figura)
{
    int migliore = 256;
    for (int y = 0; y + figura.height() <= vista.height(); ++y)
        for (int x = 0; x + figura.width() <= vista.width(); ++x) {
            int peggiore = 0;
            for (int j = 0; j < figura.height() && peggiore < migliore; ++j) {
                const auto *v = reinterpret_cast<const QRgb *>(vista.constScanLine(y + j)) + x;
                const auto *f = reinterpret_cast<const QRgb *>(figura.constScanLine(j));
                for (int i = 0; i < figura.width() && peggiore < migliore; ++i)
                    peggiore = std::max({peggiore, std::abs(qRed(v[i]) - qRed(f[i])), std::abs(qGreen(v[i]) - qGreen(f[i])),
                                         std::abs(qBlue(v[i]) - qBlue(f[i]))});
            }
            migliore = std::min(migliore, peggiore);
        }
    return migliore;
}

// A key as the platform gives it to the window, which hands it to the control with the focus; Backtab as Shift+Tab.
void tasto(QWidget *w, int k, Qt::KeyboardModifiers maiuscole = {})
{
    QWindow *finestra = w->window()->windowHandle();
    if (k == Qt::Key_Backtab)
        QTest::keyClick(finestra, Qt::Key_Tab, maiuscole | Qt::ShiftModifier);
    else
        QTest::keyClick(finestra, Qt::Key(k), maiuscole);
}

// The window's own pixels as it shows them.
QImage pixelDi(QWidget *finestra)
{
    QApplication::processEvents();
    finestra->repaint();
    return static_cast<const QImage *>(finestra->backingStore()->paintDevice())->convertToFormat(QImage::Format_RGB32);
}

// Of the pixels where w's focus mark goes (a black ring that far inside the edges of what is shown of w, a white
// ring inside that), how many do not show the mark's colour, and how many there are.
std::pair<int, int> fuoriDalSegno(const QImage &img, const QWidget *w, const layout::SegnoFuoco &segno)
{
    const double s = scena::fattore(w);
    const QRect mostrato = w->mask().isEmpty() ? w->rect() : w->mask().boundingRect();
    const auto dentro = [&](int d) {
        const int k = int(std::floor(d * s + 0.5));
        return QRegion(suSchermo(w, mostrato.adjusted(k, k, -k, -k)));
    };
    const QRegion nero = dentro(segno.margine) - dentro(segno.margine + segno.nero);
    const QRegion bianco = dentro(segno.margine + segno.nero) - dentro(segno.margine + segno.nero + segno.bianco);
    int fuori = 0, tutti = 0;
    for (const auto &[zona, atteso] : {std::pair{nero, colore::Nero}, std::pair{bianco, colore::Bianco}})
        for (const QRect &r : zona)
            for (int y = r.top(); y <= r.bottom(); ++y)
                for (int x = r.left(); x <= r.right(); ++x) {
                    ++tutti;
                    fuori += colore::daRgb(img.pixel(x, y)) != atteso ? 1 : 0;
                }
    return {fuori, tutti};
}

// The cover of cell i of a window's grid, or -1 for anything else.
int cellaDi(const FormBrindel &f, const QWidget *w)
{
    for (int i = 0; i < 20; ++i)
        if (f.copertura(i) == w)
            return i;
    return -1;
}

// Random draws that name the given cells one after the other, after drawing 2.
QList<float> celleInOrdine(const QList<int> &celle)
{
    QList<float> valori{0.1f};
    for (int c : celle)
        valori << (c % 4 + 0.5f) / 4 << (c / 4 + 0.5f) / 5;
    return valori;
}

// Plays the find phase by keys alone as a child who reads the cell and sees the focus: Up or Down to the cell's row,
// Left or Right along it, Space; from the drawing, Down into the grid. The keys it took.
int trovaConLeFrecce(FormBrindel &f)
{
    int tasti = 0;
    while (f.partita().fase() == gioco::Fase::Ricerca && tasti < 500) {
        const int t = f.partita().Numero();
        const int i = cellaDi(f, QApplication::focusWidget());
        int k = Qt::Key_Down;
        if (i == t)
            k = Qt::Key_Space;
        else if (i >= 0 && i / 4 != t / 4)
            k = t / 4 > i / 4 ? Qt::Key_Down : Qt::Key_Up;
        else if (i >= 0)
            k = t % 4 > i % 4 ? Qt::Key_Right : Qt::Key_Left;
        tasto(&f, k);
        ++tasti;
    }
    return tasti;
}

} // namespace

class TstFinestre : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void layoutBrindel_data();
    void layoutBrindel();
    void campioniAlPosto_data();
    void campioniAlPosto();
    void tavolozzaSulloSchermo();
    void caratteri_data();
    void caratteri();
    void didascalie();
    void impaginazione_data();
    void impaginazione();
    void internoEVisibilita();
    void layoutAvvio();
    void bottoneAvvioApreIlGioco_data();
    void bottoneAvvioApreIlGioco();
    void chiudereAvvioNonApreNulla();
    void primaComparsaUnaVolta();
    void grigliaSulDisegno_data();
    void grigliaSulDisegno();
    void partitaConIClic();
    void nascostiNonAgiscono_data();
    void nascostiNonAgiscono();
    void disegnoErratoTermina_data();
    void disegnoErratoTermina();
    void ordineDelFuoco_data();
    void ordineDelFuoco();
    void disegniLettiAdOgniPartita();
    void ingrandita_data();
    void ingrandita();
    void esattoAOgniRapporto_data();
    void esattoAOgniRapporto();
    void segnoDelFuoco_data();
    void segnoDelFuoco();
    void frecce_data();
    void frecce();
    void colorareConLaTastiera();
    void unDisegnoConLaTastiera();
};

void TstFinestre::initTestCase()
{
    Programma::preparaApplicazione();
}

void TstFinestre::layoutBrindel_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QRect>("atteso");
    QTest::newRow("picBrindel") << "picBrindel" << QRect(8, 0, 324, 470);
    QTest::newRow("Frame1") << "Frame1" << QRect(464, 112, 145, 233);
    QTest::newRow("Picture1") << "Picture1" << QRect(0, 200, 145, 33);
    QTest::newRow("Command1") << "Command1" << QRect(464, 376, 129, 65);
    QTest::newRow("Label3") << "Label3" << QRect(496, 24, 113, 81);
    QTest::newRow("Command2(0)") << "Command2_0" << QRect(16, 24, 73, 81);
    QTest::newRow("Command2(5)") << "Command2_5" << QRect(88, 104, 81, 81);
    QTest::newRow("Command2(19)") << "Command2_19" << QRect(240, 344, 73, 81);
    QTest::newRow("Label1(0)") << "Label1_0" << QRect(16, 0, 97, 25);
    QTest::newRow("Label1(1)") << "Label1_1" << QRect(112, 0, 73, 25);
    QTest::newRow("Label1(3)") << "Label1_3" << QRect(248, 0, 73, 25);
    QTest::newRow("Label2(0)") << "Label2_0" << QRect(0, 24, 17, 81);
    QTest::newRow("Label2(4)") << "Label2_4" << QRect(0, 344, 17, 81);
}

void TstFinestre::layoutBrindel()
{
    // Before the first game every control stands at its place; children of the box from its inner corner.
    QFETCH(QString, controllo);
    QFETCH(QRect, atteso);
    prova::Sostituti<> banco;
    FormBrindel f(banco.servizi());
    auto *w = f.findChild<QWidget *>(controllo);
    QVERIFY(w);
    if (controllo.startsWith(QLatin1String("Command2")) || controllo.startsWith(QLatin1String("Label1"))
        || controllo.startsWith(QLatin1String("Label2"))) {
        QCOMPARE(w->parentWidget(), f.riquadroDisegno());
        QCOMPARE(f.riquadroDisegno()->areaInterna().topLeft(), QPoint(2, 2));
        atteso.translate(2, 2);
    }
    QCOMPARE(geometria(w), atteso);
}

void TstFinestre::campioniAlPosto_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<int>("indice");
    QTest::addColumn<QString>("nome");
    QTest::newRow("prima riga a sinistra") << 0 << 8 << 0 << "bianco";
    QTest::newRow("seconda riga a sinistra: 7") << 0 << 32 << 7 << "rosso chiaro";
    QTest::newRow("seconda riga, seconda: 6") << 24 << 32 << 6 << "rosa";
    QTest::newRow("seconda riga, terza: 8") << 48 << 32 << 8 << "rosso";
    QTest::newRow("ultima") << 120 << 176 << 47 << "viola scurissimo";
    QTest::newRow("ultima riga a sinistra") << 0 << 176 << 43 << "fucsia chiaro";
}

void TstFinestre::campioniAlPosto()
{
    // The swatch at each place of the frame carries the expected index and colour, and its colour's name for screen
    // readers, which the chosen-colour box takes with the colour.
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(int, indice);
    QFETCH(QString, nome);
    prova::Sostituti<> banco(1);
    FormBrindel f(banco.servizi());
    f.show();
    auto *campione = f.campione(indice);
    QCOMPARE(campione->accessibleName(), nome);
    QCOMPARE(f.riquadroScelto()->accessibleName(), QStringLiteral("Colore scelto: nero"));
    QCOMPARE(campione->geometry(), QRect(x, y, 25, 25));
    QCOMPARE(campione->parentWidget(), f.cornice());
    QCOMPARE(campione->cursor().shape(), Qt::CrossCursor);
    // The palette is there in the colouring.
    while (f.partita().fase() == gioco::Fase::Ricerca)
        f.rispondi(f.partita().Numero());
    f.scegliColore(indice);
    QCOMPARE(Colore(f.ColoreScelto()), *campione->coloreProprio());
    QCOMPARE(f.riquadroScelto()->coloreProprio(), campione->coloreProprio());
    QCOMPARE(f.riquadroScelto()->accessibleName(), QStringLiteral("Colore scelto: ") + nome);
}

void TstFinestre::tavolozzaSulloSchermo()
{
    // Every one of the 48 swatches, where the layout puts it, shows its colour of the game's palette on the window's
    // pixels, and a real click on it chooses that colour: the one the next fill paints, and the chosen-colour box
    // shows. The palette and the places are written out here, not taken from the program.
    static constexpr Colore colori[48] = {
        0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x404040, 0x000000, // greys
        0xC0C0FF, 0x8080FF, 0x0000FF, 0x0000C0, 0x000080, 0x000040, // reds
        0xC0E0FF, 0x80C0FF, 0x0080FF, 0x0040C0, 0x004080, 0x404080, // oranges and browns
        0xC0FFFF, 0x80FFFF, 0x00FFFF, 0x00C0C0, 0x008080, 0x004040, // yellows
        0xC0FFC0, 0x80FF80, 0x00FF00, 0x00C000, 0x008000, 0x004000, // greens
        0xFFFFC0, 0xFFFF80, 0xFFFF00, 0xC0C000, 0x808000, 0x404000, // cyans
        0xFFC0C0, 0xFF8080, 0xFF0000, 0xC00000, 0x800000, 0x400000, // blues
        0xFFC0FF, 0xFF80FF, 0xFF00FF, 0xC000C0, 0x800080, 0x400040, // magentas
    };
    // The index of the swatch at each place of the frame, row by row, left to right.
    static constexpr int posti[8][6] = {
        {0, 1, 2, 3, 4, 5},       {7, 6, 8, 9, 10, 11},     {13, 12, 14, 15, 16, 17}, {19, 18, 20, 21, 22, 23},
        {25, 24, 26, 27, 28, 29}, {31, 30, 32, 33, 34, 35}, {37, 36, 38, 39, 40, 41}, {43, 42, 44, 45, 46, 47},
    };
    prova::Sostituti<> banco(1);
    FormBrindel f(banco.servizi());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    while (f.partita().fase() == gioco::Fase::Ricerca)
        f.rispondi(f.partita().Numero());
    const double rapporto = f.devicePixelRatioF();
    const auto schermo = [&](QPoint logico) { return (QPointF(logico) * rapporto).toPoint(); };
    const QPoint scelto = f.cornice()->mapTo(&f, QPoint(145 / 2, 200 + 33 / 2));
    for (int riga = 0; riga < 8; ++riga)
        for (int colonna = 0; colonna < 6; ++colonna) {
            const int indice = posti[riga][colonna];
            const QPoint mezzo = f.cornice()->mapTo(&f, QPoint(24 * colonna + 12, 8 + 24 * riga + 12));
            const QString dove = QStringLiteral("row %1, column %2: PicColore(%3)").arg(riga).arg(colonna).arg(indice);
            const Colore visto = colore::daRgb(pixelDi(&f).pixel(schermo(mezzo)));
            QVERIFY2(visto == colori[indice], qPrintable(dove + QStringLiteral(" shows %1, not %2").arg(esadecimale(visto), esadecimale(colori[indice]))));
            cliccaPixel(&f, schermo(mezzo));
            QVERIFY2(f.ColoreScelto() == colori[indice], qPrintable(dove));
            QVERIFY2(colore::daRgb(pixelDi(&f).pixel(schermo(scelto))) == colori[indice], qPrintable(dove));
        }
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::caratteri_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<QString>("famiglia");
    QTest::addColumn<int>("pixel");
    QTest::newRow("Label3") << "Label3" << "Liberation Sans" << 48;
    QTest::newRow("Command1") << "Command1" << "Liberation Sans" << 19;
    QTest::newRow("Label1(2)") << "Label1_2" << "Liberation Sans" << 18;
    QTest::newRow("Label2(3)") << "Label2_3" << "Liberation Sans" << 18;
}

void TstFinestre::caratteri()
{
    // Fonts resolve to the installed free faces, bold, at their pixel sizes.
    QFETCH(QString, controllo);
    QFETCH(QString, famiglia);
    QFETCH(int, pixel);
    prova::Sostituti<> banco;
    FormBrindel f(banco.servizi());
    auto *w = f.findChild<QWidget *>(controllo);
    QVERIFY(w);
    const QFontInfo info(w->font());
    QCOMPARE(info.family(), famiglia);
    QVERIFY(info.bold());
    QCOMPARE(info.pixelSize(), pixel);
}

void TstFinestre::didascalie()
{
    // Captions and menu texts are exactly as the game shows them.
    prova::Sostituti<> banco;
    FormBrindel f(banco.servizi());
    QCOMPARE(f.voceInformazioni()->text(), QStringLiteral("Informazioni          "));
    QCOMPARE(f.voceInformazioni()->text().size(), 22);
    QCOMPARE(f.voceEsci()->text(), QStringLiteral("Esci"));
    QCOMPARE(f.menuBar()->actions(), (QList<QAction *>{f.voceInformazioni(), f.voceEsci()}));
    QVERIFY(!f.voceInformazioni()->menu());
    QCOMPARE(f.avanti()->text(), QStringLiteral("avanti"));
    QCOMPARE(f.nomeCella()->text(), QStringLiteral("Label3"));
    QCOMPARE(f.etichettaRiga(2)->text(), QStringLiteral("  C"));
    QCOMPARE(f.etichettaColonna(3)->text(), QStringLiteral("4"));
    QCOMPARE(f.copertura(7)->accessibleName(), QStringLiteral("B4"));
    QVERIFY(!f.nomeCella()->accessibleDescription().isEmpty());
    QCOMPARE(f.windowTitle(), QString());
}

void TstFinestre::impaginazione_data()
{
    QTest::addColumn<QString>("testo");
    QTest::addColumn<int>("pixel");
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<QStringList>("righe");
    QTest::newRow("lettera di riga") << "  A" << layout::SansGriglia.pixel << 17 << QStringList{"", "A"};
    QTest::newRow("numero di colonna") << "4" << layout::SansGriglia.pixel << 77 << QStringList{"4"};
    QTest::newRow("cella da trovare") << "  C3" << layout::ArialCoordinata.pixel << 113 << QStringList{"  C3"};
    QTest::newRow("titolo") << "Tintar i Brindel" << layout::ComicTitolo.pixel << 561 << QStringList{"Tintar i", "Brindel"};
    QTest::newRow("una parola troppo larga") << "Tintarbrindel" << layout::ComicTitolo.pixel << 200 << QStringList{"Tintarbrindel"};
    QTest::newRow("parole troppo larghe") << "Tintar Brindel" << layout::ComicTitolo.pixel << 200 << QStringList{"Tintar", "Brindel"};
}

void TstFinestre::impaginazione()
{
    // A caption breaks at spaces into lines no wider than its label, each centred; a line that fits keeps its spaces, and a word is never split.
    QFETCH(QString, testo);
    QFETCH(int, pixel);
    QFETCH(int, larghezza);
    QFETCH(QStringList, righe);
    aspetto::registraSostituzioni();
    const QFontMetrics misure(aspetto::carattere({pixel == layout::ComicTitolo.pixel ? "Comic Sans MS" : "Arial", pixel}));
    const QList<RigaTesto> fatte = impaginaTesto(testo, misure, larghezza);
    QStringList testi;
    for (const RigaTesto &r : fatte) {
        testi << r.testo;
        const int avanzo = larghezza - misure.horizontalAdvance(r.testo);
        QVERIFY2(std::abs(2 * r.x - avanzo) <= 1, qPrintable(QStringLiteral("%1 at x %2").arg(r.testo).arg(r.x)));
        if (r.testo.contains(u' '))
            QVERIFY(avanzo >= 0);
    }
    QCOMPARE(testi, righe);
}

void TstFinestre::internoEVisibilita()
{
    // The interior is 687 x 513 below the menu bar; palette and "avanti" start hidden.
    prova::Sostituti<> banco;
    FormBrindel f(banco.servizi());
    QCOMPARE(f.interno()->size(), QSize(687, 513));
    QCOMPARE(f.interno()->palette().color(QPalette::Window), QColor(0, 255, 255));
    QVERIFY(f.cornice()->isHidden());
    QVERIFY(f.avanti()->isHidden());
    QVERIFY(!f.nomeCella()->isHidden());
    QCOMPARE(f.riquadroDisegno()->superficie().size(), QSize(320, 466));
}

void TstFinestre::layoutAvvio()
{
    // The start window: 702 x 605, the title label and the button in place, a colour of the table.
    prova::Sostituti<casuale::Sequenza> banco(QList<float>{0.1f});
    FormAvvio a(banco.servizi(), [] {});
    QCOMPARE(a.size(), QSize(702, 605));
    QCOMPARE(a.titolo()->geometry(), QRect(48, 24, 561, 249));
    QCOMPARE(a.bottoneAvvio()->geometry(), QRect(184, 328, 274, 85));
    QCOMPARE(a.titolo()->text(), QStringLiteral("Tintar i Brindel"));
    QCOMPARE(a.bottoneAvvio()->text(), QStringLiteral("Avvio"));
    // 0.1 draws the table's second colour, salmon.
    QCOMPARE(a.coloreSfondo(), Colore(0x8080FF));
    QCOMPARE(a.palette().color(QPalette::Window), QColor(0xFF, 0x80, 0x80));
    QCOMPARE(QFontInfo(a.titolo()->font()).family(), QStringLiteral("Comic Neue"));
    QCOMPARE(QFontInfo(a.titolo()->font()).pixelSize(), 96);
    // The title does not fit on one line at this size, so it shows on two, the second below the first.
    QVERIFY(QFontMetrics(a.titolo()->font()).horizontalAdvance(a.titolo()->text()) > a.titolo()->width());
    const QImage titolo = a.titolo()->grab().toImage();
    const int riga = QFontMetrics(a.titolo()->font()).height();
    QList<int> inchiostro(2, 0);
    for (int y = 0; y < 2 * riga && y < titolo.height(); ++y)
        for (int x = 0; x < titolo.width(); ++x)
            inchiostro[y / riga] += qGray(titolo.pixel(x, y)) < 64 ? 1 : 0;
    QVERIFY2(inchiostro[0] > 500 && inchiostro[1] > 500, qPrintable(QStringLiteral("%1, %2").arg(inchiostro[0]).arg(inchiostro[1])));
}

void TstFinestre::bottoneAvvioApreIlGioco_data()
{
    QTest::addColumn<int>("tasto");
    QTest::newRow("clic") << 0;
    QTest::newRow("spazio") << int(Qt::Key_Space);
    QTest::newRow("invio") << int(Qt::Key_Return);
    QTest::newRow("invio del tastierino") << int(Qt::Key_Enter);
}

void TstFinestre::bottoneAvvioApreIlGioco()
{
    // The start button, clicked or from the keyboard, shows the game window first, then the start window is gone for good.
    QFETCH(int, tasto);
    prova::Sostituti<> banco;
    Programma programma(banco.servizi());
    programma.avvia();
    QPointer<FormAvvio> avvio = programma.formAvvio();
    QVERIFY(avvio && avvio->isVisible());
    QCOMPARE(avvio->focusWidget(), avvio->bottoneAvvio());

    struct Sentinella : QObject
    {
        Programma *p = nullptr;
        bool giocoGiaVisibile = false;
        bool visto = false;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Hide && !visto) {
                visto = true;
                giocoGiaVisibile = p->formBrindel() && p->formBrindel()->isVisible();
            }
            return false;
        }
    } sentinella;
    sentinella.p = &programma;
    avvio->installEventFilter(&sentinella);

    if (tasto == 0)
        QTest::mouseClick(avvio->bottoneAvvio(), Qt::LeftButton);
    else
        QTest::keyClick(avvio->bottoneAvvio(), Qt::Key(tasto));
    QVERIFY(sentinella.visto);
    QVERIFY(sentinella.giocoGiaVisibile);
    QTRY_VERIFY(avvio.isNull());
    QVERIFY(programma.formBrindel()->isVisible());
    QCOMPARE(programma.formBrindel()->nomeCella()->text().size(), 4);
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::chiudereAvvioNonApreNulla()
{
    // Closing the start window instead of pressing its button opens no game.
    prova::Sostituti<> banco;
    Programma programma(banco.servizi());
    programma.avvia();
    QPointer<FormAvvio> avvio = programma.formAvvio();
    avvio->close();
    QVERIFY(!programma.formBrindel());
    QVERIFY(!avvio->isVisible());
}

void TstFinestre::primaComparsaUnaVolta()
{
    // The game starts when the window is first shown and never again on later shows or activations.
    QList<float> valori{0.0f, 0.5f, 0.5f};
    prova::Sostituti<casuale::Sequenza> banco(valori);
    FormBrindel f(banco.servizi());
    f.show();
    QCOMPARE(f.nomeCella()->text(), QStringLiteral("  C3"));
    // The name reads as the row label's caption followed by the column label's.
    QCOMPARE(f.nomeCella()->text(), f.etichettaRiga(2)->text() + f.etichettaColonna(2)->text());
    QCOMPARE(banco.casuale.rimasti(), 0);
    QEvent attiva(QEvent::WindowActivate);
    QApplication::sendEvent(&f, &attiva);
    f.hide();
    f.show();
    QApplication::sendEvent(&f, &attiva);
    QCOMPARE(f.nomeCella()->text(), QStringLiteral("  C3"));
    QVERIFY(banco.messaggi.box.isEmpty());
    QVERIFY(!messaggi::terminato());
    // The palette got its colours on that first start.
    QCOMPARE(*f.campione(8)->coloreProprio(), Colore(0x0000FF));
}

void TstFinestre::grigliaSulDisegno_data()
{
    QTest::addColumn<QSize>("disegno");
    QTest::addColumn<int>("larghezza");
    QTest::addColumn<int>("altezza");
    QTest::newRow("320x466") << QSize(320, 466) << 77 << 90;
    QTest::newRow("317x466: 76.5 al pari") << QSize(317, 466) << 76 << 90;
    QTest::newRow("300x400") << QSize(300, 400) << 72 << 77;
    QTest::newRow("440x509") << QSize(440, 509) << 107 << 99;
}

void TstFinestre::grigliaSulDisegno()
{
    // The box takes the drawing's size plus its border; covers and labels follow the cells, labels keep their other side.
    QFETCH(QSize, disegno);
    QFETCH(int, larghezza);
    QFETCH(int, altezza);
    prova::Sostituti<> banco(4);
    banco.cartella.scrivi(disegno);
    FormBrindel f(banco.servizi());
    f.show();
    QVERIFY(banco.messaggi.box.isEmpty());
    QCOMPARE(f.riquadroDisegno()->size(), disegno + QSize(4, 4));
    // Placed from the inner corner, inside the 2-pixel border.
    const QPoint angolo(2, 2);
    QCOMPARE(f.riquadroDisegno()->areaInterna().topLeft(), angolo);
    for (int i = 0; i < 20; ++i) {
        const int c = i % 4;
        const int r = i / 4;
        QCOMPARE(f.copertura(i)->geometry(), QRect(15 + c * larghezza, 20 + r * altezza, larghezza, altezza).translated(angolo));
        QVERIFY(f.copertura(i)->isVisible());
        QCOMPARE(*f.copertura(i)->coloreProprio(), colore::Giallo);
    }
    // Covers that reach past the drawing are cut at the border, whose two light rings stay whole on the right and below.
    const QImage riquadro = f.riquadroDisegno()->grab().toImage();
    const QPoint mezzo(riquadro.width() / 2, riquadro.height() / 2);
    for (const auto &[dentro, atteso] : {std::pair{1, colore::Bianco}, std::pair{2, Colore(0xE0E0E0)}}) {
        QCOMPARE(colore::daRgb(riquadro.pixel(riquadro.width() - dentro, mezzo.y())), atteso);
        QCOMPARE(colore::daRgb(riquadro.pixel(mezzo.x(), riquadro.height() - dentro)), atteso);
    }
    for (int c = 0; c < 4; ++c)
        QCOMPARE(f.etichettaColonna(c)->geometry(), QRect(15 + c * larghezza, 0, larghezza, 25).translated(angolo));
    for (int r = 0; r < 5; ++r)
        QCOMPARE(f.etichettaRiga(r)->geometry(), QRect(0, 20 + r * altezza, 17, altezza).translated(angolo));
}

void TstFinestre::partitaConIClic()
{
    // Clicking the named covers plays a whole game; the phases show and hide the right controls; clicks leave the focus
    // where it was (on the drawing), to the colouring phase, which gives it to the drawing.
    prova::Sostituti<> banco(8);
    FormBrindel f(banco.servizi());
    f.show();

    auto visibiliRicerca = [&](bool ricerca) {
        QCOMPARE(f.nomeCella()->isVisible(), ricerca);
        QCOMPARE(f.cornice()->isVisible(), !ricerca);
        QCOMPARE(f.avanti()->isVisible(), !ricerca);
        for (int c = 0; c < 4; ++c)
            QCOMPARE(f.etichettaColonna(c)->isVisible(), ricerca);
        for (int r = 0; r < 5; ++r)
            QCOMPARE(f.etichettaRiga(r)->isVisible(), ricerca);
    };

    // One wrong click first: the cover turns red and stays.
    const int bersaglio = f.partita().Numero();
    const int sbagliata = bersaglio == 0 ? 1 : 0;
    QTest::mouseClick(f.copertura(sbagliata), Qt::LeftButton);
    QCOMPARE(*f.copertura(sbagliata)->coloreProprio(), colore::Rosso);
    QVERIFY(f.copertura(sbagliata)->isVisible());
    QCOMPARE(f.partita().Numero(), bersaglio);
    QCOMPARE(f.focusWidget(), f.riquadroDisegno());

    for (int i = 0; i < 20; ++i) {
        visibiliRicerca(true);
        const QString nome = f.nomeCella()->text();
        const int n = f.partita().Numero();
        QCOMPARE(f.copertura(n)->accessibleName(), nome.trimmed());
        QTest::mouseClick(f.copertura(n), Qt::LeftButton);
        QVERIFY(!f.copertura(n)->isVisible());
    }
    visibiliRicerca(false);
    QCOMPARE(banco.suoni.nomi.last(), QStringLiteral("fatto.wav"));
    QCOMPARE(f.focusWidget(), f.riquadroDisegno());

    QTest::mouseClick(f.avanti(), Qt::LeftButton);
    visibiliRicerca(true);
    for (int i = 0; i < 20; ++i) {
        QVERIFY(f.copertura(i)->isVisible());
        QCOMPARE(*f.copertura(i)->coloreProprio(), colore::Giallo);
    }
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::nascostiNonAgiscono_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<bool>("colorazione");
    QTest::newRow("copertura trovata") << "trovata" << false;
    QTest::newRow("avanti nella ricerca") << "avanti" << false;
    QTest::newRow("campione nella ricerca") << "campione" << false;
    QTest::newRow("copertura nella colorazione") << "trovata" << true;
}

void TstFinestre::nascostiNonAgiscono()
{
    // A hidden control is marked invisible to assistive technologies, and pressing it through them changes nothing:
    // not the game, not the chosen colour, no cue.
    QFETCH(QString, controllo);
    QFETCH(bool, colorazione);
    prova::Sostituti<> banco(8);
    FormBrindel f(banco.servizi());
    f.show();
    const int trovata = f.partita().Numero();
    QTest::mouseClick(f.copertura(trovata), Qt::LeftButton);
    if (colorazione)
        while (f.partita().fase() == gioco::Fase::Ricerca)
            QTest::mouseClick(f.copertura(f.partita().Numero()), Qt::LeftButton);
    QWidget *w = controllo == "avanti" ? static_cast<QWidget *>(f.avanti())
        : controllo == "campione"      ? static_cast<QWidget *>(f.campione(8))
                                       : static_cast<QWidget *>(f.copertura(trovata));
    const auto stato = [&] {
        const gioco::Partita &p = f.partita();
        return std::make_tuple(p.fase(), p.Coordinata(), p.Numero(), p.numeroDisegno(), p.Trovati(), p.Errori(),
                               p.coperture(), f.ColoreScelto(), f.riquadroScelto()->coloreProprio(), banco.suoni.nomi);
    };
    const auto prima = stato();

    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
    QVERIFY(a && a->actionInterface());
    QVERIFY(a->state().invisible);
    QVERIFY(a->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // A button's press is an animated click, let go a little later.
    QTest::qWait(300);
    QVERIFY(stato() == prima);
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::disegnoErratoTermina_data()
{
    QTest::addColumn<QByteArray>("contenuto");
    QTest::addColumn<QString>("dice");
    QTest::newRow("vuoto") << QByteArray() << "vuoto";
    QTest::newRow("testo") << QByteArray("ciao") << "GIF";
    QTest::newRow("10x10") << prova::disegnoGif(10, 10) << "piccolo";
    QTest::newRow("1x1") << prova::disegnoGif(1, 1) << "piccolo";
}

void TstFinestre::disegnoErratoTermina()
{
    // A drawing that cannot be played shows a message naming the file and ends the program with a non-zero status.
    QFETCH(QByteArray, contenuto);
    QFETCH(QString, dice);
    prova::Sostituti<casuale::Sequenza> banco(QList<float>{0.5f});
    for (int n = 1; n <= 12; ++n)
        prova::scriviFile(banco.cartella.file(QStringLiteral("brindel/%1.gif").arg(n)), contenuto);
    FormBrindel f(banco.servizi());
    f.show();
    QCOMPARE(banco.messaggi.box.size(), 1);
    QCOMPARE(banco.messaggi.box[0].messaggio.titolo, QStringLiteral("Tintar i Brindel"));
    QCOMPARE(banco.messaggi.box[0].sopra, &f);
    QVERIFY2(banco.messaggi.box[0].messaggio.testo.contains(QStringLiteral("brindel/7.gif")), qPrintable(banco.messaggi.box[0].messaggio.testo));
    QVERIFY2(banco.messaggi.box[0].messaggio.testo.contains(dice), qPrintable(banco.messaggi.box[0].messaggio.testo));
    QVERIFY(messaggi::terminato());
    QVERIFY(messaggi::codiceUscita() != 0);
    // Nothing more runs once the program has ended.
    f.rispondi(0);
    QCOMPARE(banco.messaggi.box.size(), 1);
}

void TstFinestre::ordineDelFuoco_data()
{
    // The order the layout gives the controls that take the focus: "avanti" (while shown), the drawing, the swatches
    // PicColore(0) to PicColore(47) by index, Picture1, the covers Command2(0) to Command2(19) by index; in each phase,
    // those shown.
    QTest::addColumn<bool>("colorazione");
    QTest::addColumn<QStringList>("ordine");
    QStringList ricerca{QStringLiteral("picBrindel")};
    for (int i = 0; i < 20; ++i)
        ricerca << QStringLiteral("Command2_%1").arg(i);
    QStringList colorazione{QStringLiteral("Command1"), QStringLiteral("picBrindel")};
    for (int i = 0; i < 48; ++i)
        colorazione << QStringLiteral("PicColore_%1").arg(i);
    colorazione << QStringLiteral("Picture1");
    QTest::newRow("ricerca") << false << ricerca;
    QTest::newRow("colorazione") << true << colorazione;
}

void TstFinestre::ordineDelFuoco()
{
    // Real Tab keys go round every control shown in the layout's order, and Shift+Tab round the other way; Space on
    // a cover reached by Tab answers it.
    QFETCH(bool, colorazione);
    QFETCH(QStringList, ordine);
    prova::Sostituti<> banco(13);
    FormBrindel f(banco.servizi());
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    while (colorazione && f.partita().fase() == gioco::Fase::Ricerca)
        f.rispondi(f.partita().Numero());
    f.findChild<QWidget *>(ordine.first())->setFocus(Qt::TabFocusReason);
    const auto giro = [&](int k) {
        QStringList visti;
        for (qsizetype i = 0; i < ordine.size(); ++i) {
            visti << QApplication::focusWidget()->objectName();
            tasto(&f, k);
        }
        visti << QApplication::focusWidget()->objectName();
        return visti;
    };
    QCOMPARE(giro(Qt::Key_Tab), ordine + QStringList{ordine.first()});
    QStringList indietro{ordine.first()};
    for (qsizetype i = ordine.size() - 1; i >= 0; --i)
        indietro << ordine[i];
    QCOMPARE(giro(Qt::Key_Backtab), indietro);
    if (!colorazione) {
        const int bersaglio = f.partita().Numero();
        while (QApplication::focusWidget() != f.copertura(bersaglio))
            tasto(&f, Qt::Key_Tab);
        tasto(&f, Qt::Key_Space);
        QVERIFY(!f.copertura(bersaglio)->isVisible());
        QCOMPARE(banco.suoni.nomi, QStringList{QStringLiteral("si.wav")});
    }
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::disegniLettiAdOgniPartita()
{
    // A drawing changed or removed while the game runs counts at its next game.
    const float cinque = 4.5f / 12.0f;
    prova::Sostituti<casuale::Sequenza> banco(QList<float>{cinque, 0.1f, 0.1f, cinque, 0.1f, 0.1f, cinque, 0.1f, 0.1f});
    FormBrindel f(banco.servizi());
    f.show();
    QCOMPARE(f.riquadroDisegno()->size(), QSize(324, 470));
    const QString cinqueGif = banco.cartella.file(QStringLiteral("brindel/5.gif"));
    prova::scriviFile(cinqueGif, prova::disegnoGif(300, 400));
    // The fourth wrong answer starts the next game (the cell named is A1).
    const auto prossimaPartita = [&] {
        for (int i = 0; i < 4; ++i)
            f.rispondi(1);
    };
    prossimaPartita();
    QCOMPARE(f.riquadroDisegno()->size(), QSize(304, 404));
    QVERIFY(banco.messaggi.box.isEmpty());
    QVERIFY(QFile::remove(cinqueGif));
    prossimaPartita();
    QCOMPARE(banco.messaggi.box.size(), 1);
    QVERIFY(banco.messaggi.box[0].messaggio.testo.contains(QStringLiteral("brindel/5.gif")));
    QVERIFY(messaggi::terminato());
}

void TstFinestre::ingrandita_data()
{
    QTest::addColumn<QSize>("lato");
    QTest::newRow("0.75, su uno schermo piccolo") << QSize(515, 385);
    QTest::newRow("640x480 ingrandita") << QSize(640, 442);
    QTest::newRow("1") << QSize(687, 513);
    QTest::newRow("1.25") << QSize(859, 642);
    QTest::newRow("1.5") << QSize(1031, 770);
    QTest::newRow("2") << QSize(1374, 1026);
    QTest::newRow("2.75") << QSize(1890, 1411);
    QTest::newRow("largo e basso") << QSize(1900, 700);
    QTest::newRow("stretto e alto") << QSize(700, 1300);
}

void TstFinestre::ingrandita()
{
    // A larger window (or a smaller one, on a screen too small for it) shows the whole layout grown by s = min of
    // the two ratios, centred: every edge round(x s), covers tiling, fonts grown; a press maps to its drawing pixel;
    // back at 96 dpi all is as the table says.
    QFETCH(QSize, lato);
    prova::Sostituti<> banco(5);
    FormBrindel f(banco.servizi());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QWidget *fondo = f.centralWidget();
    QCOMPARE(fondo->size(), QSize(687, 513));
    const double s = std::min(lato.width() / 687.0, lato.height() / 513.0);
    // A screen too small for the layout at 96 dpi lets it shrink.
    qobject_cast<scena::Scena *>(f.interno())->consentiFattore(s);
    QVERIFY(portaA(&f, fondo, lato));
    const QSize scena = scalato(QRect(0, 0, 687, 513), s).size();
    QCOMPARE(f.interno()->geometry(), QRect(QPoint((lato.width() - scena.width()) / 2, (lato.height() - scena.height()) / 2), scena));

    const QList<std::pair<QWidget *, QRect>> posti{
        {f.riquadroDisegno(), {8, 0, 324, 470}},      {f.cornice(), {464, 112, 145, 233}},      {f.riquadroScelto(), {0, 200, 145, 33}},
        {f.avanti(), {464, 376, 129, 65}},     {f.nomeCella(), {496, 24, 113, 81}},        {f.campione(7), {0, 32, 25, 25}},
        {f.campione(47), {120, 176, 25, 25}},
    };
    // The grid stands on the drawing's inner area, which starts inside the box's border.
    const QList<std::pair<QWidget *, QRect>> griglia{{f.etichettaColonna(2), {15 + 2 * 77, 0, 77, 25}}, {f.etichettaRiga(4), {0, 20 + 4 * 90, 17, 90}}};
    const auto interna = [&] { return f.riquadroDisegno()->areaInterna(); };
    for (const auto &[w, r] : posti)
        QCOMPARE(w->geometry(), scalato(r, s));
    // The border is round(2 s) wide on every side, whatever the box's own edges were rounded to.
    const int bordo = int(std::floor(2 * s + 0.5));
    QCOMPARE(interna(), f.riquadroDisegno()->rect().adjusted(bordo, bordo, -bordo, -bordo));
    for (const auto &[w, r] : griglia)
        QCOMPARE(w->geometry(), scalato(r, s).translated(interna().topLeft()));
    for (int i = 0; i < 20; ++i) {
        const QRect cella(15 + i % 4 * 77, 20 + i / 4 * 90, 77, 90);
        QCOMPARE(f.copertura(i)->geometry(), scalato(cella, s).translated(interna().topLeft()));
        // Neighbours meet without a gap or an overlap.
        if (i % 4 < 3)
            QCOMPARE(f.copertura(i + 1)->x(), f.copertura(i)->geometry().right() + 1);
        if (i < 16)
            QCOMPARE(f.copertura(i + 4)->y(), f.copertura(i)->geometry().bottom() + 1);
    }
    for (const auto &[w, pixel] : QList<std::pair<QWidget *, int>>{{f.nomeCella(), 48}, {f.avanti(), 19}, {f.etichettaRiga(1), 18}})
        QCOMPARE(QFontInfo(w->font()).pixelSize(), int(std::floor(pixel * s + 0.5)));
    // The cell name and the row letters stay whole in their labels.
    QCOMPARE(impaginaTesto(f.nomeCella()->text(), QFontMetrics(f.nomeCella()->font()), f.nomeCella()->width()).size(), 1);
    QCOMPARE(impaginaTesto(f.etichettaRiga(3)->text(), QFontMetrics(f.etichettaRiga(3)->font()), f.etichettaRiga(3)->width()).last().testo, QStringLiteral("D"));

    // A press on a screen pixel fills the drawing pixel its middle falls on, (v + 0.5) / s: first and last
    // screen pixel of each (shrunk, some drawing pixels have none).
    QSignalSpy premuti(f.riquadroDisegno(), &RiquadroImmagine::premuto);
    for (int pixel : {1, 77, 318}) {
        const int primo = int(std::ceil(pixel * s - 0.5));
        const int ultimo = int(std::ceil((pixel + 1) * s - 0.5)) - 1;
        for (int schermo : {primo, ultimo}) {
            if (ultimo < primo)
                break;
            QTest::mousePress(f.riquadroDisegno(), Qt::LeftButton, {}, interna().topLeft() + QPoint(schermo, schermo));
            QTest::mouseRelease(f.riquadroDisegno(), Qt::LeftButton, {}, interna().topLeft() + QPoint(schermo, schermo));
            QCOMPARE(premuti.last().at(2).toInt(), pixel);
            QCOMPARE(premuti.last().at(3).toInt(), pixel);
        }
    }

    // Colouring: a grown press fills the area under it; the view repainted around the fill is the view made afresh.
    while (f.partita().fase() == gioco::Fase::Ricerca)
        QTest::mouseClick(f.copertura(f.partita().Numero()), Qt::LeftButton);
    QTest::mouseClick(f.campione(26), Qt::LeftButton);
    const QPoint dentro(int(std::ceil(40 * s)), int(std::ceil(60 * s)));
    const QImage prima = f.riquadroDisegno()->superficie();
    QTest::mousePress(f.riquadroDisegno(), Qt::LeftButton, {}, interna().topLeft() + dentro);
    QCOMPARE(f.riquadroDisegno()->colorePixel(40, 60), Colore(f.ColoreScelto()));
    // Exactly the area under the press changed: the plain fill from the same pixel gives the same picture.
    QImage riempita = prima.copy();
    std::vector<std::int32_t> pila(2 * std::size_t(riempita.width()) * std::size_t(riempita.height()));
    int riquadro[4];
    prova::riempiSemplice(reinterpret_cast<QRgb *>(riempita.bits()), riempita.bytesPerLine() / 4, riempita.width(), riempita.height(), 40,
                          60, prima.pixel(40, 60) & 0x00FFFFFFu, colore::aRgb(f.ColoreScelto()), pila.data(), riquadro);
    QCOMPARE(f.riquadroDisegno()->superficie(), riempita);
    const QImage dopo = f.riquadroDisegno()->grab(interna()).toImage();
    // Away from the grid labels, every shown pixel is the bilinear mix of the four drawing pixels around
    // (v + 0.5) / s - 0.5, to within rounding.
    const QImage &disegno = f.riquadroDisegno()->superficie();
    const auto sorgente = [&](int v, int misura, int &primo, double &peso) {
        const double u = std::max(0.0, (v + 0.5) / s - 0.5);
        primo = std::min(int(u), misura - 1);
        peso = u - primo;
        return std::min(primo + 1, misura - 1);
    };
    for (int v = f.etichettaColonna(0)->height() + 1; v < dopo.height(); v += 5)
        for (int u = f.etichettaRiga(0)->width() + 1; u < dopo.width(); u += 5) {
            int x0, y0;
            double fx, fy;
            const int x1 = sorgente(u, disegno.width(), x0, fx), y1 = sorgente(v, disegno.height(), y0, fy);
            for (int spostamento : {0, 8, 16}) {
                const auto c = [&](int x, int y) { return double((disegno.pixel(x, y) >> spostamento) & 0xFF); };
                const double atteso = (1 - fy) * ((1 - fx) * c(x0, y0) + fx * c(x1, y0)) + fy * ((1 - fx) * c(x0, y1) + fx * c(x1, y1));
                QVERIFY2(std::abs(double((dopo.pixel(u, v) >> spostamento) & 0xFF) - atteso) <= 3, qPrintable(QStringLiteral("%1,%2").arg(u).arg(v)));
            }
        }
    // The window's own image, which the box paints straight into, shows the view it draws on anything else.
    QPicture registrata;
    f.riquadroDisegno()->render(&registrata, {}, QRegion(interna()));
    QImage attesa(interna().size(), QImage::Format_RGB32);
    QPainter(&attesa).drawPicture(0, 0, registrata);
    const QPaintDevice *finestra = f.backingStore()->paintDevice();
    QCOMPARE(finestra->devType(), int(QInternal::Image));
    const QRect area(f.riquadroDisegno()->mapTo(&f, interna().topLeft()), interna().size());
    QCOMPARE(static_cast<const QImage *>(finestra)->copy(area).convertToFormat(QImage::Format_RGB32), attesa);
    QEvent cambio(scena::Scena::eventoScala());
    QApplication::sendEvent(f.riquadroDisegno(), &cambio);
    QCOMPARE(f.riquadroDisegno()->grab(interna()).toImage(), dopo);

    // "avanti" shows its arrow at round(32 s r) device pixels, sharp: where a raster is made for that size, the
    // window's pixels hold it, on the button's face, to within rounding (the 32-pixel one grown would be soft).
    const double rapporto = f.devicePixelRatioF();
    const int n = int(std::lround(32 * s * rapporto));
    const QString raster = QStringLiteral(":/immagini/freccia%1.png").arg(n == 32 ? QString() : QStringLiteral("-%1").arg(n));
    if (QFile::exists(raster)) {
        QImage figura(n, n, QImage::Format_RGB32);
        figura.fill(f.avanti()->palette().color(QPalette::Button));
        QPainter(&figura).drawImage(0, 0, QImage(raster));
        f.avanti()->repaint();
        const QRect bottone(f.avanti()->mapTo(&f, QPoint(0, 0)), f.avanti()->size());
        const QImage vista = static_cast<const QImage *>(finestra)->copy(QRectF(QPointF(bottone.topLeft()) * rapporto, QSizeF(bottone.size()) * rapporto).toRect());
        const int d = scarto(vista.convertToFormat(QImage::Format_RGB32), figura);
        QVERIFY2(d <= 2, qPrintable(QStringLiteral("%1 x %1: off by %2").arg(n).arg(d)));
    }

    // Back at 96 dpi, every control is where the table puts it.
    QVERIFY(portaA(&f, fondo, QSize(687, 513)));
    QCOMPARE(f.interno()->geometry(), QRect(0, 0, 687, 513));
    for (const auto &[w, r] : posti)
        QCOMPARE(w->geometry(), r);
    for (const auto &[w, r] : griglia)
        QCOMPARE(w->geometry(), r.translated(2, 2));
    QCOMPARE(QFontInfo(f.avanti()->font()).pixelSize(), 19);

    // The start window grows the same way.
    FormAvvio a(banco.servizi(), [] {});
    a.show();
    const QSize latoAvvio = lato + QSize(15, 92);
    const double sa = std::min(latoAvvio.width() / 702.0, latoAvvio.height() / 605.0);
    a.findChild<scena::Scena *>()->consentiFattore(sa);
    QVERIFY(portaA(&a, &a, latoAvvio));
    QCOMPARE(a.bottoneAvvio()->geometry(), scalato({184, 328, 274, 85}, sa));
    QCOMPARE(a.titolo()->geometry(), scalato({48, 24, 561, 249}, sa));
    QCOMPARE(QFontInfo(a.titolo()->font()).pixelSize(), int(std::floor(96 * sa + 0.5)));
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::esattoAOgniRapporto_data()
{
    QTest::addColumn<QSize>("lato");
    QTest::newRow("1") << QSize(687, 513);
    QTest::newRow("1.5") << QSize(1031, 770);
    QTest::newRow("largo e basso") << QSize(1900, 700);
}

void TstFinestre::esattoAOgniRapporto()
{
    // At the screen's device-pixel ratio (CTest runs this again at QT_SCALE_FACTOR 1.25, 1.5 and 2) and any fit factor,
    // on the window's own pixels: a press on the edge pixels of a cover answers that cover; a press on any device
    // pixel that shows a one-pixel dot of the drawing fills exactly that dot; no box lets what lies behind it show.
    QFETCH(QSize, lato);
    prova::Sostituti<> banco(5);
    prova::scriviDisegni(banco.cartella.percorso(), prova::puntiniGif());
    FormBrindel f(banco.servizi());
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY(portaA(&f, f.centralWidget(), lato));
    const auto schermo = [&f] {
        // Controls just shown are painted once their show has been handled.
        QApplication::processEvents();
        f.repaint();
        return static_cast<const QImage *>(f.backingStore()->paintDevice())->convertToFormat(QImage::Format_RGB32);
    };
    const auto colore = [](const QImage &img, QPoint p) { return colore::daRgb(img.pixel(p)); };
    const QList<Colore> anelli{0xFFFFFF, 0xE0E0E0, 0x808080, 0x000000};

    // Covers: a press on the first and the last device pixel of the target's edges answers it; one pixel
    // left of it does not.
    for (int volta = 0; volta < 3; ++volta) {
        const QImage img = schermo();
        const int bersaglio = f.partita().Numero();
        // What the drawing's inner area leaves of it.
        const QWidget *copertura = f.copertura(bersaglio);
        const QRect r = suSchermo(copertura, copertura->rect() & f.riquadroDisegno()->areaInterna().translated(-copertura->pos()));
        const int trovati = f.partita().Trovati();
        for (const QPoint p : {r.topLeft(), r.bottomRight(), QPoint(r.left(), r.bottom()), QPoint(r.right(), r.top())})
            QVERIFY2(anelli.contains(colore(img, p)), qPrintable(esadecimale(colore(img, p))));
        cliccaPixel(&f, r.topLeft() - QPoint(1, -r.height() / 2));
        QCOMPARE(f.partita().Trovati(), trovati);
        cliccaPixel(&f, volta % 2 ? r.topLeft() : r.bottomRight());
        QCOMPARE(f.partita().Trovati(), trovati + 1);
    }
    while (f.partita().fase() == gioco::Fase::Ricerca)
        f.rispondi(f.partita().Numero());
    f.scegliColore(26);
    const Colore verde = 0x00FF00;
    QImage img = schermo();

    // Boxes: the swatches and the chosen colour show nothing but their rings and their own colour; the
    // drawing's rings are whole and its inside shows no cyan.
    for (const RiquadroImmagine *w : [&] {
             QList<const RiquadroImmagine *> l{f.riquadroScelto()};
             for (int i = 0; i < 48; ++i)
                 l << f.campione(i);
             return l;
         }()) {
        const QRect r = suSchermo(w, w->rect());
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                QVERIFY2(anelli.contains(colore(img, {x, y})) || colore(img, {x, y}) == w->coloreMostrato(),
                         qPrintable(QStringLiteral("%1 %2,%3 %4").arg(w->objectName()).arg(x).arg(y).arg(esadecimale(colore(img, {x, y})))));
    }
    const RiquadroImmagine *disegno = f.riquadroDisegno();
    const QRect fuori = suSchermo(disegno, disegno->rect());
    const QRect vista = suSchermo(disegno, disegno->areaInterna());
    for (int y = fuori.top(); y <= fuori.bottom(); ++y)
        for (int x = fuori.left(); x <= fuori.right(); ++x)
            QVERIFY2(vista.contains(x, y) ? colore(img, {x, y}) != colore::Ciano : anelli.contains(colore(img, {x, y})),
                     qPrintable(QStringLiteral("%1,%2 %3").arg(x).arg(y).arg(esadecimale(colore(img, {x, y})))));

    // Dots: the device pixels whose middle falls on a dot show it brightest, and a press on any of them fills that
    // dot and nothing else.
    const double k = scena::fattore(disegno) * f.devicePixelRatioF();
    QImage atteso = disegno->superficie();
    const auto primo = [k](int x) { return int(std::ceil(x * k - 0.5)); };
    for (const int x0 : {1, 5, 77, 157, 313, 317})
        for (const int y0 : {1, 229, 457, 461}) {
            const QRect punto = QRect(QPoint(primo(x0), primo(y0)), QPoint(primo(x0 + 1) - 1, primo(y0 + 1) - 1)).translated(vista.topLeft());
            for (int y = punto.top(); y <= punto.bottom(); ++y)
                for (int x = punto.left(); x <= punto.right(); ++x)
                    for (const QPoint vicino : {QPoint(x - 1, y), QPoint(x + 1, y), QPoint(x, y - 1), QPoint(x, y + 1)})
                        if (!punto.contains(vicino) && vista.contains(vicino))
                            QVERIFY2(qGray(img.pixel(x, y)) >= qGray(img.pixel(vicino)), qPrintable(QStringLiteral("%1,%2").arg(x0).arg(y0)));
            atteso.setPixel(x0, y0, colore::aRgb(verde));
            for (int y = punto.top(); y <= punto.bottom(); ++y)
                for (int x = punto.left(); x <= punto.right(); ++x) {
                    cliccaPixel(&f, {x, y});
                    QVERIFY2(disegno->superficie() == atteso, qPrintable(QStringLiteral("dot %1,%2 pressed at %3,%4").arg(x0).arg(y0).arg(x).arg(y)));
                }
        }
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::segnoDelFuoco_data()
{
    QTest::addColumn<QString>("controllo");
    QTest::addColumn<bool>("colorazione");
    QTest::addColumn<QSize>("lato");
    QTest::newRow("copertura gialla") << "Command2_6" << false << QSize(687, 513);
    QTest::newRow("copertura rossa") << "rossa" << false << QSize(687, 513);
    QTest::newRow("copertura tagliata dal bordo, a 1.25") << "Command2_19" << false << QSize(859, 642);
    QTest::newRow("disegno, sopra coperture ed etichette") << "picBrindel" << false << QSize(687, 513);
    QTest::newRow("disegno a 1.5") << "picBrindel" << false << QSize(1031, 770);
    QTest::newRow("disegno colorando") << "picBrindel" << true << QSize(687, 513);
    QTest::newRow("campione nero") << "PicColore_5" << true << QSize(687, 513);
    QTest::newRow("campione bianco") << "PicColore_0" << true << QSize(687, 513);
    QTest::newRow("campione giallo in mezzo, largo e basso") << "PicColore_20" << true << QSize(1900, 700);
    QTest::newRow("colore scelto") << "Picture1" << true << QSize(687, 513);
    QTest::newRow("avanti a 1.5") << "Command1" << true << QSize(1031, 770);
    QTest::newRow("Avvio") << "BottoneAvvio" << false << QSize(702, 605);
}

void TstFinestre::segnoDelFuoco()
{
    // On the window's own pixels, at its device-pixel ratio and fit factor: a control given the focus shows no mark
    // while the keyboard has not moved the focus; after Tab and Shift+Tab it shows a black ring and a white ring inside
    // it, whole, above whatever it holds.
    QFETCH(QString, controllo);
    QFETCH(bool, colorazione);
    QFETCH(QSize, lato);
    prova::Sostituti<> banco(3);
    std::unique_ptr<QWidget> finestra;
    QWidget *contenitore = nullptr;
    QWidget *w = nullptr;
    layout::SegnoFuoco segno = layout::SegnoPulsante;
    if (controllo == QLatin1String("BottoneAvvio")) {
        auto *a = new FormAvvio(banco.servizi(), [] {});
        finestra.reset(a);
        contenitore = a;
        w = a->bottoneAvvio();
    } else {
        auto *f = new FormBrindel(banco.servizi());
        finestra.reset(f);
        contenitore = f->centralWidget();
        f->show();
        while (colorazione && f->partita().fase() == gioco::Fase::Ricerca)
            f->rispondi(f->partita().Numero());
        if (controllo == QLatin1String("rossa")) {
            w = f->copertura(f->partita().Numero() == 0 ? 1 : 0);
            QTest::mouseClick(w, Qt::LeftButton);
            QCOMPARE(*static_cast<PulsanteGrafico *>(w)->coloreProprio(), colore::Rosso);
        } else {
            w = f->findChild<QWidget *>(controllo);
        }
        if (qobject_cast<RiquadroImmagine *>(w))
            segno = layout::SegnoRiquadro;
    }
    QVERIFY(w);
    finestra->show();
    QVERIFY(QTest::qWaitForWindowExposed(finestra.get()));
    QVERIFY(portaA(finestra.get(), contenitore, lato));
    QApplication::setActiveWindow(finestra.get());
    QVERIFY(QTest::qWaitForWindowActive(finestra.get()));
    const QRect suoi = suSchermo(w, w->rect());
    w->clearFocus();
    const QImage senza = pixelDi(finestra.get()).copy(suoi);
    w->setFocus();
    QTRY_VERIFY(w->hasFocus());
    QCOMPARE(pixelDi(finestra.get()).copy(suoi), senza);
    QVERIFY(fuoriDalSegno(pixelDi(finestra.get()), w, segno).first > 0);
    tasto(w, Qt::Key_Tab);
    tasto(w, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), w);
    const auto [dopo, _] = fuoriDalSegno(pixelDi(finestra.get()), w, segno);
    QCOMPARE(dopo, 0);
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::frecce_data()
{
    // Cells: A1 A2 A3 A4 = 0..3, B1..B4 = 4..7, and so on to E4 = 19; -1 the drawing.
    QTest::addColumn<QList<int>>("trovate");
    QTest::addColumn<int>("bersaglio");
    QTest::addColumn<int>("da");
    QTest::addColumn<int>("tasto");
    QTest::addColumn<int>("a");
    QTest::newRow("giù da B1: C1, non B2") << QList<int>{} << 19 << 4 << int(Qt::Key_Down) << 8;
    QTest::newRow("destra salta le trovate") << QList<int>{5, 6} << 19 << 4 << int(Qt::Key_Right) << 7;
    QTest::newRow("destra al bordo resta") << QList<int>{} << 19 << 7 << int(Qt::Key_Right) << 7;
    QTest::newRow("sinistra resta nella riga") << QList<int>{4} << 19 << 5 << int(Qt::Key_Left) << 5;
    QTest::newRow("su in cima resta") << QList<int>{} << 19 << 2 << int(Qt::Key_Up) << 2;
    QTest::newRow("giù in fondo resta") << QList<int>{} << 0 << 17 << int(Qt::Key_Down) << 17;
    QTest::newRow("giù salta la riga vuota") << QList<int>{8, 9, 10, 11} << 19 << 5 << int(Qt::Key_Down) << 13;
    QTest::newRow("giù: la colonna più vicina, a sinistra") << QList<int>{8, 9, 10, 11, 13} << 19 << 5 << int(Qt::Key_Down) << 12;
    QTest::newRow("su: la colonna più vicina") << QList<int>{3} << 19 << 7 << int(Qt::Key_Up) << 2;
    QTest::newRow("dal disegno giù: la prima") << QList<int>{0} << 19 << -1 << int(Qt::Key_Down) << 1;
    QTest::newRow("dal disegno a destra: la prima") << QList<int>{} << 19 << -1 << int(Qt::Key_Right) << 0;
    QTest::newRow("dal disegno su: l'ultima") << QList<int>{19} << 0 << -1 << int(Qt::Key_Up) << 18;
    QTest::newRow("Tab segue l'ordine") << QList<int>{6} << 19 << 5 << int(Qt::Key_Tab) << 7;
    QTest::newRow("Maiusc+Tab dalla prima: il disegno") << QList<int>{} << 19 << 0 << int(Qt::Key_Backtab) << -1;
    QTest::newRow("spazio sulla giusta: la vicina nella riga") << QList<int>{} << 5 << 5 << int(Qt::Key_Space) << 4;
    QTest::newRow("invio sulla giusta: la vicina sopra") << QList<int>{4, 6} << 5 << 5 << int(Qt::Key_Return) << 1;
    QTest::newRow("spazio: oltre le trovate") << QList<int>{1, 4, 6, 9} << 5 << 5 << int(Qt::Key_Space) << 7;
    QTest::newRow("spazio sulla sbagliata: resta") << QList<int>{} << 5 << 3 << int(Qt::Key_Space) << 3;
}

void TstFinestre::frecce()
{
    // Real keys in the find phase: the arrows move the focus among the covers left as they are laid out and stop at
    // the grid's edge; Tab keeps the window's order; an answer by keyboard leaves the focus on the nearest cover left.
    QFETCH(QList<int>, trovate);
    QFETCH(int, bersaglio);
    QFETCH(int, da);
    QFETCH(int, tasto);
    QFETCH(int, a);
    // And after the target, one more cell for an answer to name.
    int poi = 0;
    while (trovate.contains(poi) || poi == bersaglio)
        ++poi;
    prova::Sostituti<casuale::Sequenza> banco(celleInOrdine(trovate + QList<int>{bersaglio, poi}));
    FormBrindel f(banco.servizi());
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    // Clicks find the first cells, and leave the focus on the drawing.
    for (int c : trovate)
        QTest::mouseClick(f.copertura(c), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), f.riquadroDisegno());
    QCOMPARE(f.partita().Numero(), bersaglio);
    QWidget *partenza = da < 0 ? static_cast<QWidget *>(f.riquadroDisegno()) : f.copertura(da);
    partenza->setFocus(Qt::TabFocusReason);
    ::tasto(&f, tasto);
    QWidget *arrivo = a < 0 ? static_cast<QWidget *>(f.riquadroDisegno()) : f.copertura(a);
    QCOMPARE(cellaDi(f, QApplication::focusWidget()), cellaDi(f, arrivo));
    QCOMPARE(QApplication::focusWidget(), arrivo);
    const bool giusta = (tasto == Qt::Key_Space || tasto == Qt::Key_Return) && da == bersaglio;
    QCOMPARE(f.partita().Trovati(), trovate.size() + (giusta ? 1 : 0));
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::colorareConLaTastiera()
{
    // The colouring begins with the focus on the drawing and its cursor in the middle, unseen and inert while only the
    // mouse is used; Tab reaches a swatch, Space chooses it, Shift+Tab goes back; the arrows move the cursor 8 pixels, 1
    // with Shift, to the drawing's edge; Space fills where the cursor is, exactly as a press there.
    prova::Sostituti<> banco(21);
    FormBrindel f(banco.servizi());
    f.show();
    QApplication::setActiveWindow(&f);
    QVERIFY(QTest::qWaitForWindowActive(&f));
    while (f.partita().fase() == gioco::Fase::Ricerca)
        QTest::mouseClick(f.copertura(f.partita().Numero()), Qt::LeftButton);
    RiquadroImmagine *d = f.riquadroDisegno();
    QCOMPARE(QApplication::focusWidget(), d);
    QCOMPARE(d->cursore(), QPoint(160, 233));
    const QRect interna = d->areaInterna();
    const auto vista = [&] { return pixelDi(&f).copy(QRect(d->mapTo(&f, interna.topLeft()), interna.size())); };
    const QImage intatta = d->superficie().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(vista(), intatta);
    // Green chosen by a click, which leaves the focus on the drawing.
    QTest::mouseClick(f.campione(26), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), d);
    ::tasto(&f, Qt::Key_Space);
    QCOMPARE(d->superficie().convertToFormat(QImage::Format_RGB32), intatta);

    for (int i = 0; i <= 8; ++i)
        ::tasto(&f, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.campione(8));
    ::tasto(&f, Qt::Key_Space);
    QCOMPARE(Colore(f.ColoreScelto()), colore::Rosso);
    QCOMPARE(f.riquadroScelto()->accessibleName(), QStringLiteral("Colore scelto: rosso"));
    for (int i = 0; i <= 8; ++i)
        ::tasto(&f, Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), d);

    // The cross-hair: across each arm, a black line edged in white; the cursor's pixel itself left to be seen.
    QImage img = vista();
    const QPoint c(160, 233);
    for (const QPoint braccio : {QPoint(7, 0), QPoint(-7, 0), QPoint(0, 7), QPoint(0, -7)})
        QVERIFY2(prova::attraverso(img, c + braccio, QPoint(braccio.y() != 0, braccio.x() != 0)).contains(QLatin1String("bnnb")),
                 qPrintable(prova::attraverso(img, c + braccio, QPoint(braccio.y() != 0, braccio.x() != 0))));
    QCOMPARE(img.pixel(c), intatta.pixel(c));

    ::tasto(&f, Qt::Key_Right);
    ::tasto(&f, Qt::Key_Right);
    ::tasto(&f, Qt::Key_Down);
    ::tasto(&f, Qt::Key_Left, Qt::ShiftModifier);
    QCOMPARE(d->cursore(), QPoint(175, 241));
    QImage atteso = intatta.copy();
    prova::riempiSemplice(atteso, 175, 241, colore::daRgb(atteso.pixel(175, 241)), colore::Rosso);
    QVERIFY(atteso != intatta);
    ::tasto(&f, Qt::Key_Space);
    QCOMPARE(d->superficie().convertToFormat(QImage::Format_RGB32), atteso);
    for (int i = 0; i < 40; ++i)
        ::tasto(&f, Qt::Key_Up);
    QCOMPARE(d->cursore(), QPoint(175, 0));

    // Away from the drawing, the cursor is gone from it.
    ::tasto(&f, Qt::Key_Tab);
    QCOMPARE(vista(), atteso);
    QVERIFY(banco.messaggi.box.isEmpty());
}

void TstFinestre::unDisegnoConLaTastiera()
{
    // Ten games played by keys alone, as a child reads the cell and follows the focus, each to a fill: the keys each
    // took, printed; on average no more than 90 (with Tab alone, 112 only to uncover a picture).
    prova::Sostituti<> banco;
    int totale = 0;
    int trovaTotale = 0;
    for (int seme = 1; seme <= 10; ++seme) {
        casuale::Generatore casuale(seme);
        FormBrindel f(Servizi{banco.suoni, casuale, banco.cartella, banco.messaggi});
        f.show();
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        const int trova = trovaConLeFrecce(f);
        QCOMPARE(f.partita().fase(), gioco::Fase::Colorazione);
        QCOMPARE(QApplication::focusWidget(), f.riquadroDisegno());
        // Red chosen (Tab to its swatch, Space, Shift+Tab back) and poured beside the cross in the middle of these
        // drawings.
        const QImage prima = f.riquadroDisegno()->superficie();
        const QList<std::pair<int, int>> colora{
            {Qt::Key_Tab, 9}, {Qt::Key_Space, 1}, {Qt::Key_Backtab, 9}, {Qt::Key_Right, 1}, {Qt::Key_Down, 1}, {Qt::Key_Space, 1}};
        int tasti = trova;
        for (const auto &[k, volte] : colora)
            for (int v = 0; v < volte; ++v, ++tasti)
                ::tasto(&f, k);
        QCOMPARE(Colore(f.ColoreScelto()), colore::Rosso);
        QVERIFY(f.riquadroDisegno()->superficie() != prima);
        qInfo("game %d: %d keys (%d to uncover the picture, %d to choose red and fill)", seme, tasti, trova, tasti - trova);
        trovaTotale += trova;
        totale += tasti;
    }
    qInfo("average: %.1f keys a picture, %.1f of them to uncover it", totale / 10.0, trovaTotale / 10.0);
    QVERIFY2(totale <= 900, qPrintable(QString::number(totale / 10.0)));
    QVERIFY(banco.messaggi.box.isEmpty());
}

QTEST_MAIN(TstFinestre)
#include "tst_finestre.moc"
