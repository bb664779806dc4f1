// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The built program in a real X session: the start window's colour, "Avvio", the game window's look, and "Esci".

#include "comune/xvfb.h"
#include "comune/tabelle.h"

#include <QDir>
#include <QImage>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>

using prova::coloreA;
using prova::esadecimale;

namespace {

// What differs between a window's icon as the desktop reads it (_NET_WM_ICON) and the rasters of picture nome
// at the sizes layout::LatiIconaFinestra, pixels compared premultiplied to within rounding; empty if nothing.
QString iconaDesktop(const prova::ServerX &x, const QString &finestra, const char *nome)
{
    const QByteArray out = x.esegui(QStringLiteral("xprop"), {QStringLiteral("-id"), finestra, QStringLiteral("-notype"), QStringLiteral("-f"),
                                                             QStringLiteral("_NET_WM_ICON"), QStringLiteral("32c"), QStringLiteral("_NET_WM_ICON")});
    const QList<QByteArray> v = out.mid(out.indexOf('=') + 1).split(',');
    QString diverso;
    QList<int> lati;
    for (qsizetype i = 0; i + 2 <= v.size();) {
        const int w = v[i].trimmed().toInt(), h = v[i + 1].trimmed().toInt();
        i += 2;
        if (w <= 0 || h <= 0 || i + qsizetype(w) * h > v.size())
            return diverso + QStringLiteral("no icon, or a broken one: ") + QString::fromLatin1(out.left(80));
        QImage letta(w, h, QImage::Format_ARGB32);
        for (int y = 0; y < h; ++y)
            for (int xx = 0; xx < w; ++xx)
                letta.setPixel(xx, y, v[i++].trimmed().toUInt());
        lati.append(w);
        const QString file = QStringLiteral(BRINDEL_SOURCE_DIR "/windows/immagini/%1%2.png")
                                 .arg(QLatin1String(nome), w == layout::LatoIcona ? QString() : QStringLiteral("-%1").arg(w));
        const QImage attesa = QImage(file).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        letta = letta.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        int scarto = attesa.size() == letta.size() ? 0 : 256;
        for (int y = 0; scarto < 256 && y < h; ++y)
            for (int xx = 0; xx < w; ++xx)
                for (int spostamento : {0, 8, 16, 24})
                    scarto = std::max(scarto, std::abs(int(attesa.pixel(xx, y) >> spostamento & 0xFF) - int(letta.pixel(xx, y) >> spostamento & 0xFF)));
        if (scarto > 1)
            diverso += QStringLiteral("%1 x %1 off by %2; ").arg(w).arg(scarto);
    }
    if (lati != QList<int>(layout::LatiIconaFinestra.begin(), layout::LatiIconaFinestra.end()))
        diverso += QStringLiteral("sizes %1").arg(QString::fromLatin1(QByteArray::number(lati.size())));
    return diverso;
}

} // namespace

class TstX11 : public QObject
{
    Q_OBJECT
private slots:
    void avvioEGioco();
    void accessibilita();
};

void TstX11::avvioEGioco()
{
    // Started from another folder, where a game killed on this display left its name behind, the program shows a table
    // colour, then the game window with its cyan and yellow covers, and leaves through "Esci".
    prova::ServerX x;
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    QTemporaryDir altrove;
    {
        prova::GiocoX ucciso(x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), altrove.path());
        QVERIFY2(!ucciso.aspettaAvvio().isEmpty(), ucciso.mancato().constData());
        ucciso.processo().kill();
        QVERIFY(ucciso.processo().waitForFinished(5000));
    }
    prova::GiocoX gioco(x, QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), altrove.path());

    // Where the screen holds them, both windows open at their size at 96 dpi.
    const QRect ra = gioco.aspettaAvvio();
    QVERIFY2(!ra.isEmpty(), gioco.mancato().constData());
    QCOMPARE(ra.size(), QSize(layout::avvio::LarghezzaInterna, layout::avvio::AltezzaInterna));
    const QImage primo = x.schermo();
    prova::salvaSchermata(primo, QStringLiteral("avvio"));
    const QSet<Colore> tabella(prova::ColoriAvvio.begin(), prova::ColoriAvvio.end());
    const Colore sfondo = coloreA(primo, ra.topLeft() + QPoint(10, 10));
    QVERIFY2(tabella.contains(sfondo), qPrintable(esadecimale(sfondo)));
    QCOMPARE(coloreA(primo, ra.topLeft() + QPoint(layout::avvio::LarghezzaInterna - 12, layout::avvio::AltezzaInterna - 15)), sfondo);
    QCOMPARE(coloreA(primo, ra.topLeft() + QPoint(20, 300)), sfondo);
    // The desktop gets each window's icon at every size it is offered, sharp.
    QCOMPARE(iconaDesktop(x, gioco.finestraAvvio, "icona"), QString());

    const QRect rb = gioco.premiAvvio();
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    QCOMPARE(rb.width(), layout::brindel::LarghezzaInterna);
    QVERIFY(rb.height() > layout::brindel::AltezzaInterna);
    const QImage secondo = x.schermo();
    prova::salvaSchermata(secondo, QStringLiteral("gioco"));
    const QPoint interno = prova::GiocoX::interno(rb);
    QCOMPARE(esadecimale(coloreA(secondo, interno + QPoint(400, 480))), esadecimale(colore::Ciano));
    QCOMPARE(esadecimale(coloreA(secondo, interno + QPoint(layout::brindel::LarghezzaInterna - 7, 10))), esadecimale(colore::Ciano));
    QCOMPARE(prova::copertureNonGialle(secondo, interno), QString());
    QCOMPARE(iconaDesktop(x, gioco.finestraGioco, "faccina"), QString());
    // The cell name is shown, not the placeholder: the cell name's white box has dark letters in it.
    const layout::Rettangolo &nome = layout::brindel::NomeCella;
    int scuri = 0;
    for (int y = nome.top; y < nome.top + nome.height; ++y)
        for (int xx = nome.left; xx < nome.left + nome.width; ++xx)
            scuri += qGray(secondo.pixel(interno + QPoint(xx, y))) < 100 ? 1 : 0;
    QVERIFY(scuri > 100);

    // "Esci" asks first: Escape answers No and the game goes on; Enter answers Sì and the program ends with 0.
    QCOMPARE(gioco.esciNoPoiSi(rb), QString());
}

void TstX11::accessibilita()
{
    // Over AT-SPI, as a screen reader sees it: the start window a frame; both windows and the menu commands named; 48
    // swatches named by their colours, which can be pressed; the chosen colour and the drawing named; the cell to find
    // named and told (a notification appearing) as the game begins, after a wrong answer pressed through the tree (the red
    // cover described as wrong) and after a right one, which names another cell.
    const QString python = QStringLiteral("/usr/bin/python3");
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-run-session")).isEmpty()
        || QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import pyatspi")}) != 0)
        QSKIP("needs dbus-run-session and python3-pyatspi (tools/install-deps.sh installs them)");
    // With a window manager, which makes the game window active: what is told waits for that.
    prova::ServerX x(true);
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");
    QTemporaryDir altrove;
    QProcess prova;
    QProcessEnvironment env = x.ambiente();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    prova.setProcessEnvironment(env);
    prova.setWorkingDirectory(altrove.path());
    prova.setProcessChannelMode(QProcess::MergedChannels);
    prova.start(QStringLiteral("dbus-run-session"),
                {QStringLiteral("--"), python, QStringLiteral(BRINDEL_SOURCE_DIR "/tests/accessibilita/atspi.py"),
                 QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel")});
    QVERIFY(prova.waitForFinished(180000));
    const QByteArray uscita = prova.readAll();
    QVERIFY2(prova.exitStatus() == QProcess::NormalExit && prova.exitCode() == 0, uscita.constData());
    QVERIFY2(uscita.contains("PASS"), uscita.constData());
}

QTEST_GUILESS_MAIN(TstX11)
#include "tst_x11.moc"
