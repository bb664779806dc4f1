// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
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

    QTest::newRow("riga dei grigi, a sinistra") << 0 << 0 << 0;
    QTest::newRow("riga dei grigi, seconda") << 0 << 1 << 1;
    QTest::newRow("riga dei grigi, a destra") << 0 << 5 << 5;
    QTest::newRow("riga dei rossi, a sinistra") << 1 << 0 << 7;
    QTest::newRow("riga dei rossi, seconda") << 1 << 1 << 6;
    QTest::newRow("riga dei rossi, terza") << 1 << 2 << 8;
    QTest::newRow("riga degli arancioni, a sinistra") << 2 << 0 << 13;
    QTest::newRow("riga dei gialli, seconda") << 3 << 1 << 18;
    QTest::newRow("riga dei verdi, quarta") << 4 << 3 << 27;
    QTest::newRow("riga dei ciano, a sinistra") << 5 << 0 << 31;
    QTest::newRow("riga dei blu, terza") << 6 << 2 << 38;
    QTest::newRow("riga dei magenta, a sinistra") << 7 << 0 << 43;
    QTest::newRow("riga dei magenta, seconda") << 7 << 1 << 42;
    QTest::newRow("riga dei magenta, a destra") << 7 << 5 << 47;
}

// The swatch shown at a place is the one the layout table names there.
void TstTavolozza::postoNellaGriglia()
{
    QFETCH(int, riga);
    QFETCH(int, colonna);
    QFETCH(int, indice);
    QCOMPARE(tavolozza::rigaNellaCornice(indice), riga);
    QCOMPARE(tavolozza::colonnaNellaCornice(indice), colonna);
    QCOMPARE(tavolozza::postoDi(indice), riga * tavolozza::Colonne + colonna);
}

// Every index has a place of its own in the 8 x 6 grid.
void TstTavolozza::postoDiIndice()
{
    std::set<int> visti;
    for (int i = 0; i < tavolozza::NumeroColori; ++i) {
        QVERIFY(tavolozza::postoDi(i) >= 0 && tavolozza::postoDi(i) < tavolozza::NumeroColori);
        QVERIFY(visti.insert(tavolozza::postoDi(i)).second);
    }
    QCOMPARE(visti.size(), std::size_t{48});
}

void TstTavolozza::coloreDiIndice_data()
{
    QTest::addColumn<int>("indice");
    QTest::addColumn<uint>("colore");

    QTest::newRow("bianco") << 0 << 0xFFFFFFu;
    QTest::newRow("nero") << 5 << 0x000000u;
    QTest::newRow("rosso piu chiaro") << 6 << 0xC0C0FFu;
    QTest::newRow("rosso chiaro") << 7 << 0x8080FFu;
    QTest::newRow("rosso puro") << 8 << 0x0000FFu;
    QTest::newRow("arancione") << 14 << 0x0080FFu;
    QTest::newRow("marrone") << 16 << 0x004080u;
    QTest::newRow("arancione piu scuro, fuori serie") << 17 << 0x404080u;
    QTest::newRow("giallo puro") << 20 << 0x00FFFFu;
    QTest::newRow("verde puro") << 26 << 0x00FF00u;
    QTest::newRow("ciano puro") << 32 << 0xFFFF00u;
    QTest::newRow("blu puro") << 38 << 0xFF0000u;
    QTest::newRow("magenta puro") << 44 << 0xFF00FFu;
    QTest::newRow("magenta piu scuro") << 47 << 0x400040u;
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
    for (int i = 0; i < tavolozza::NumeroColori; ++i) {
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
