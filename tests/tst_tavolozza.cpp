#include "colouring/tavolozza.h"

#include <QRect>
#include <QTest>

#include <set>

class TstTavolozza : public QObject
{
    Q_OBJECT

private slots:
    void postoNellaGriglia_data();
    void postoNellaGriglia();
    void postoDiIndice();
    void coloreDiIndice_data();
    void coloreDiIndice();
    void campioniNellaCornice();
};

void TstTavolozza::postoNellaGriglia_data()
{
    QTest::addColumn<int>("riga");
    QTest::addColumn<int>("colonna");
    QTest::addColumn<int>("indice");

    QTest::newRow("grey row, left end") << 0 << 0 << 0;
    QTest::newRow("grey row, second") << 0 << 1 << 1;
    QTest::newRow("grey row, right end") << 0 << 5 << 5;
    QTest::newRow("red row, left end") << 1 << 0 << 7;
    QTest::newRow("red row, second") << 1 << 1 << 6;
    QTest::newRow("red row, third") << 1 << 2 << 8;
    QTest::newRow("orange row, left end") << 2 << 0 << 13;
    QTest::newRow("yellow row, second") << 3 << 1 << 18;
    QTest::newRow("green row, fourth") << 4 << 3 << 27;
    QTest::newRow("cyan row, left end") << 5 << 0 << 31;
    QTest::newRow("blue row, third") << 6 << 2 << 38;
    QTest::newRow("magenta row, left end") << 7 << 0 << 43;
    QTest::newRow("magenta row, second") << 7 << 1 << 42;
    QTest::newRow("magenta row, right end") << 7 << 5 << 47;
}

// The swatch shown at a place is the one the layout table names there.
void TstTavolozza::postoNellaGriglia()
{
    QFETCH(int, riga);
    QFETCH(int, colonna);
    QFETCH(int, indice);
    QCOMPARE(tavolozza::rigaDi(indice), riga);
    QCOMPARE(tavolozza::colonnaDi(indice), colonna);
    QCOMPARE(tavolozza::postoDi(indice), riga * tavolozza::Colonne + colonna);
}

// Every index has a place of its own in the 8 x 6 grid.
void TstTavolozza::postoDiIndice()
{
    std::set<int> visti;
    for (int i = 0; i < tavolozza::Numero; ++i) {
        QVERIFY(tavolozza::postoDi(i) >= 0 && tavolozza::postoDi(i) < tavolozza::Numero);
        QVERIFY(visti.insert(tavolozza::postoDi(i)).second);
    }
    QCOMPARE(visti.size(), std::size_t{48});
}

void TstTavolozza::coloreDiIndice_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<uint>("colore");

    QTest::newRow("white") << 0 << 0xFFFFFFu;
    QTest::newRow("black") << 5 << 0x000000u;
    QTest::newRow("lightest red") << 6 << 0xC0C0FFu;
    QTest::newRow("light red") << 7 << 0x8080FFu;
    QTest::newRow("pure red") << 8 << 0x0000FFu;
    QTest::newRow("orange") << 14 << 0x0080FFu;
    QTest::newRow("brown") << 16 << 0x004080u;
    QTest::newRow("odd darkest orange") << 17 << 0x404080u;
    QTest::newRow("pure yellow") << 20 << 0x00FFFFu;
    QTest::newRow("pure green") << 26 << 0x00FF00u;
    QTest::newRow("pure cyan") << 32 << 0xFFFF00u;
    QTest::newRow("pure blue") << 38 << 0xFF0000u;
    QTest::newRow("pure magenta") << 44 << 0xFF00FFu;
    QTest::newRow("darkest magenta") << 47 << 0x400040u;
}

// Sample entries of the palette hold the colours of the colour table.
void TstTavolozza::coloreDiIndice()
{
    QFETCH(int, indice);
    QFETCH(uint, colore);
    QCOMPARE(tavolozza::Tavolozza[static_cast<std::size_t>(indice)], Colore{colore});
}

// Every swatch lies inside the 145 x 233 palette frame; the grid ends at 145 across and 201 down.
void TstTavolozza::campioniNellaCornice()
{
    const QRect cornice(0, 0, 145, 233);
    QRect unione;
    for (int i = 0; i < tavolozza::Numero; ++i) {
        const QRect campione(tavolozza::sinistra(i), tavolozza::alto(i), tavolozza::larghezza(),
                             tavolozza::altezza());
        QCOMPARE(campione.size(), QSize(25, 25));
        QVERIFY2(cornice.contains(campione), qPrintable(QString::number(i)));
        unione |= campione;
    }
    QCOMPARE(unione, QRect(QPoint(0, 8), QPoint(144, 200)));
    QCOMPARE(tavolozza::sinistra(7), 0);
    QCOMPARE(tavolozza::sinistra(6), 24);
    QCOMPARE(tavolozza::alto(47) + tavolozza::altezza(), 201);
    QCOMPARE(tavolozza::sinistra(47) + tavolozza::larghezza(), 145);
    QCOMPARE(tavolozza::alto(0), 8);
}

QTEST_APPLESS_MAIN(TstTavolozza)
#include "tst_tavolozza.moc"
