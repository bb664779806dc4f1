// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-number conversions, checked counters and the random sequence.

#include "platform/casuale.h"
#include "platform/colore.h"
#include "platform/errore.h"
#include "platform/numeri.h"
#include "colouring/colorecasuale.h"
#include "comune/tabelle.h"

#include <QSet>
#include <QTest>

#include <cmath>
#include <limits>

class TstNumeri : public QObject
{
    Q_OBJECT
private slots:
    void aInt16_data();
    void aInt16();
    void aInt32FuoriIntervallo();
    void incrementaFinoAlLimite();
    void generatoreSottoUno();
    void scegliNonArrivaAN();
    void colorePassaDaQt_data();
    void colorePassaDaQt();
    void coloreCasualeMaiSlotZero();
    void coloreCasualeDistribuzione();
    void coloreCasualeAiBordi_data();
    void coloreCasualeAiBordi();
};

void TstNumeri::aInt16_data()
{
    QTest::addColumn<double>("valore");
    QTest::addColumn<int>("atteso");
    QTest::addColumn<bool>("errore");
    QTest::newRow("mezzo verso il pari in giu") << 76.5 << 76 << false;
    QTest::newRow("mezzo verso il pari in su") << 77.5 << 78 << false;
    QTest::newRow("2.5") << 2.5 << 2 << false;
    QTest::newRow("-2.5") << -2.5 << -2 << false;
    QTest::newRow("-3.5") << -3.5 << -4 << false;
    QTest::newRow("77.25") << 77.25 << 77 << false;
    QTest::newRow("0.4 fa zero") << 0.4 << 0 << false;
    QTest::newRow("massimo") << 32767.0 << 32767 << false;
    QTest::newRow("massimo piu mezzo va al pari fuori") << 32767.5 << 0 << true;
    QTest::newRow("minimo meno mezzo va al pari dentro") << -32768.5 << -32768 << false;
    QTest::newRow("oltre") << 40000.0 << 0 << true;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0 << true;
    QTest::newRow("infinito") << std::numeric_limits<double>::infinity() << 0 << true;
}

void TstNumeri::aInt16()
{
    // Conversions round half to even and fail outside the 16-bit range.
    QFETCH(double, valore);
    QFETCH(int, atteso);
    QFETCH(bool, errore);
    if (errore) {
        QVERIFY_THROWS_EXCEPTION(ErroreEsecuzione, numeri::aInt16(valore));
    } else {
        QCOMPARE(int(numeri::aInt16(valore)), atteso);
    }
}

void TstNumeri::aInt32FuoriIntervallo()
{
    // A 32-bit conversion takes colours whole and refuses what does not fit.
    QCOMPARE(numeri::aInt32(double(0xFFFFFF)), 0xFFFFFF);
    QCOMPARE(numeri::aInt32(2147483647.0), 2147483647);
    QVERIFY_THROWS_EXCEPTION(ErroreEsecuzione, numeri::aInt32(2147483648.0));
}

void TstNumeri::incrementaFinoAlLimite()
{
    // A counter reaches 32767 and the next increment is an Overflow error.
    std::int16_t c = 32766;
    numeri::incrementa(c);
    QCOMPARE(c, std::int16_t(32767));
    try {
        numeri::incrementa(c);
        QFAIL("no overflow");
    } catch (const ErroreEsecuzione &e) {
        QCOMPARE(e.tipo(), ErroreEsecuzione::Tipo::Overflow);
        QVERIFY(e.codiceUscita() != 0);
    }
    QCOMPARE(c, std::int16_t(32767));
}

void TstNumeri::generatoreSottoUno()
{
    // Every draw is below 1, so a choice of 12 never asks for a 13th.
    casuale::Generatore g(12345);
    float massimo = 0;
    for (int i = 0; i < 200000; ++i) {
        const float r = g.prossimo();
        QVERIFY(r >= 0.0f);
        QVERIFY(r < 1.0f);
        massimo = std::max(massimo, r);
        QVERIFY(casuale::scegli(r, 12) <= 11);
    }
    QVERIFY(massimo > 0.999f);
}

void TstNumeri::scegliNonArrivaAN()
{
    // The largest float below 1 still chooses the last of n things.
    const float quasiUno = std::nextafter(1.0f, 0.0f);
    QCOMPARE(casuale::scegli(quasiUno, 12), 11);
    QCOMPARE(casuale::scegli(quasiUno, 18), 17);
    QCOMPARE(casuale::scegli(quasiUno, 5), 4);
    QCOMPARE(casuale::scegli(0.0f, 4), 0);
}

void TstNumeri::colorePassaDaQt_data()
{
    QTest::addColumn<uint>("bgr");
    QTest::addColumn<QColor>("qt");
    QTest::newRow("giallo") << 0x00FFFFu << QColor(255, 255, 0);
    QTest::newRow("rosso") << 0x0000FFu << QColor(255, 0, 0);
    QTest::newRow("ciano") << 0xFFFF00u << QColor(0, 255, 255);
    QTest::newRow("marrone") << 0x404080u << QColor(0x80, 0x40, 0x40);
}

void TstNumeri::colorePassaDaQt()
{
    // A 0x00BBGGRR value becomes the Qt colour with red in the low byte and back.
    QFETCH(uint, bgr);
    QFETCH(QColor, qt);
    QCOMPARE(colore::aQColor(bgr), qt);
    QCOMPARE(colore::daRgb(qt.rgb()), bgr);
}

void TstNumeri::coloreCasualeMaiSlotZero()
{
    // Every draw gives one of the table's 17 colours, never the empty slot 0.
    casuale::Generatore g(7);
    const QSet<Colore> validi(prova::ColoriAvvio.begin(), prova::ColoriAvvio.end());
    QCOMPARE(validi.size(), 17);
    QSet<Colore> visti;
    for (int i = 0; i < 20000; ++i) {
        const double v = sfondo::ColoreCasuale(g);
        QCOMPARE(v, std::floor(v));
        QVERIFY(validi.contains(Colore(v)));
        visti.insert(Colore(v));
    }
    QCOMPARE(visti, validi);
}

void TstNumeri::coloreCasualeDistribuzione()
{
    // Light magenta comes up about twice as often as each other colour.
    casuale::Generatore g(2024);
    QHash<Colore, int> conta;
    constexpr int Prove = 180000;
    for (int i = 0; i < Prove; ++i)
        ++conta[Colore(sfondo::ColoreCasuale(g))];
    const double unaParte = Prove / 18.0;
    for (auto it = conta.cbegin(); it != conta.cend(); ++it) {
        const double atteso = it.key() == 0xFFC0FF ? 2 * unaParte : unaParte;
        QVERIFY2(std::abs(it.value() - atteso) < 0.05 * atteso, qPrintable(QString::number(it.key(), 16)));
    }
}

void TstNumeri::coloreCasualeAiBordi_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<uint>("atteso");
    QTest::newRow("zero: slot 1") << 0.0f << 0xC0C0FFu;
    QTest::newRow("quasi uno: slot 18") << std::nextafter(1.0f, 0.0f) << 0xFF00FFu;
    QTest::newRow("14/18: slot 15") << 14.0f / 18.0f + 1e-6f << 0xFFC0FFu;
    QTest::newRow("meta: slot 10") << 0.5f << 0x00C000u;
}

void TstNumeri::coloreCasualeAiBordi()
{
    // The draw maps to slot floor(r x 18) + 1 of the table.
    QFETCH(float, r);
    QFETCH(uint, atteso);
    casuale::Sequenza s(QList<float>{r});
    const double v = sfondo::ColoreCasuale(s);
    QCOMPARE(Colore(v), atteso);
}

QTEST_APPLESS_MAIN(TstNumeri)
#include "tst_numeri.moc"
