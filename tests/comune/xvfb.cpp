// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "comune/xvfb.h"

#include "comune/tabelle.h"
#include "colouring/tavolozza.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPainter>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>

namespace prova {

ServerX::ServerX(bool gestoreFinestre, QSize schermo)
    : m_lato(schermo)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return;
    // Xvfb picks a free display itself and tells which on its standard output,
    // so tests running side by side never share or fight over one.
    m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(schermo.width()).arg(schermo.height()), QStringLiteral("-noreset"),
                                          QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    if (!m_xvfb.waitForStarted(5000))
        return;
    QByteArray uscita;
    const QDeadlineTimer scadenza(15000);
    while (!scadenza.hasExpired() && !uscita.contains('\n') && m_xvfb.state() == QProcess::Running) {
        m_xvfb.waitForReadyRead(200);
        uscita += m_xvfb.readAllStandardOutput();
    }
    bool numero = false;
    const int n = uscita.trimmed().toInt(&numero);
    if (!numero || m_xvfb.state() != QProcess::Running)
        return;
    m_display = QStringLiteral(":%1").arg(n);
    m_avviato = true;
    if (m_avviato && gestoreFinestre && !QStandardPaths::findExecutable(QStringLiteral("openbox")).isEmpty()) {
        m_wm.setProcessEnvironment(ambiente());
        m_wm.start(QStringLiteral("openbox"), {});
        m_wm.waitForStarted(5000);
        // Ready once it has named itself on the root window; a test that needs
        // it finds out for itself if it never is.
        (void)QTest::qWaitFor([this] {
            return esegui(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains("window id");
        }, 5000);
    }
}

ServerX::~ServerX()
{
    for (QProcess *p : {&m_wm, &m_xvfb}) {
        if (p->state() != QProcess::NotRunning) {
            p->terminate();
            if (!p->waitForFinished(3000)) {
                p->kill();
                p->waitForFinished(3000);
            }
        }
    }
}

QProcessEnvironment ServerX::ambiente() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_runtime.path());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

QByteArray ServerX::esegui(const QString &programma, const QStringList &argomenti, int *codice) const
{
    QProcess p;
    p.setProcessEnvironment(ambiente());
    p.start(programma, argomenti);
    if (!p.waitForFinished(20000)) {
        p.kill();
        p.waitForFinished();
    }
    if (codice)
        *codice = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

QStringList ServerX::finestre(const QString &classe) const
{
    const QByteArray out = esegui(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                                              QStringLiteral("--class"), classe});
    return QString::fromLatin1(out).split(u'\n', Qt::SkipEmptyParts);
}

QRect ServerX::geometria(const QString &finestra) const
{
    // xwininfo gives the window's own place on the screen also when a window
    // manager has put a frame around it (xdotool does not).
    const QStringList chi = finestra == QLatin1String("-root") ? QStringList{finestra} : QStringList{QStringLiteral("-id"), finestra};
    const QString out = QString::fromLatin1(esegui(QStringLiteral("xwininfo"), chi));
    QRect r;
    for (QString riga : out.split(u'\n')) {
        riga = riga.trimmed();
        const int v = riga.section(u':', 1).trimmed().toInt();
        if (riga.startsWith(QLatin1String("Absolute upper-left X:")))
            r.moveLeft(v);
        else if (riga.startsWith(QLatin1String("Absolute upper-left Y:")))
            r.moveTop(v);
        else if (riga.startsWith(QLatin1String("Width:")))
            r.setWidth(v);
        else if (riga.startsWith(QLatin1String("Height:")))
            r.setHeight(v);
    }
    return r;
}

QRect ServerX::cornice(const QString &finestra) const
{
    const QRect r = geometria(finestra);
    const QString estensioni = QString::fromLatin1(esegui(QStringLiteral("xprop"), {QStringLiteral("-id"), finestra, QStringLiteral("_NET_FRAME_EXTENTS")}));
    // "_NET_FRAME_EXTENTS(CARDINAL) = left, right, top, bottom"
    const QStringList m = estensioni.section(u'=', 1).split(u',', Qt::SkipEmptyParts);
    if (m.size() != 4)
        return r;
    return r.adjusted(-m[0].trimmed().toInt(), -m[2].trimmed().toInt(), m[1].trimmed().toInt(), m[3].trimmed().toInt());
}

QRect ServerX::areaDisponibile() const
{
    const QString area = QString::fromLatin1(esegui(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_WORKAREA")}));
    const QStringList n = area.section(u'=', 1).split(u',', Qt::SkipEmptyParts);
    if (n.size() >= 4)
        return {n[0].trimmed().toInt(), n[1].trimmed().toInt(), n[2].trimmed().toInt(), n[3].trimmed().toInt()};
    // No window manager: the whole screen.
    return geometria(QStringLiteral("-root"));
}

QImage ServerX::schermo(const QRect &zona) const
{
    QStringList argomenti{QStringLiteral("-window"), QStringLiteral("root")};
    // What lies off the screen stays black.
    const QRect visibile = zona & QRect(QPoint(0, 0), m_lato);
    if (!zona.isEmpty()) {
        if (visibile.isEmpty())
            return {};
        argomenti << QStringLiteral("-crop")
                  << QStringLiteral("%1x%2+%3+%4").arg(visibile.width()).arg(visibile.height()).arg(visibile.x()).arg(visibile.y())
                  << QStringLiteral("+repage");
    }
    const QByteArray png = esegui(QStringLiteral("import"), argomenti << QStringLiteral("png:-"));
    const QImage immagine = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
    if (zona.isEmpty() || visibile == zona)
        return immagine;
    QImage intera(zona.size(), QImage::Format_RGB32);
    intera.fill(Qt::black);
    QPainter(&intera).drawImage(visibile.topLeft() - zona.topLeft(), immagine);
    return intera;
}

void ServerX::clicca(QPoint punto, int pulsante, int volte) const
{
    esegui(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(punto.x()), QString::number(punto.y()),
                                       QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(volte),
                                       QStringLiteral("--delay"), QStringLiteral("80"), QString::number(pulsante)});
}

void ServerX::tasto(const QString &nome) const
{
    esegui(QStringLiteral("xdotool"), {QStringLiteral("key"), nome});
}

GiocoX::GiocoX(const ServerX &x, const QString &eseguibile, const QString &cartellaLavoro, double scala, const QString &serverSuono,
               const std::function<void()> &nelFiglio)
    : m_x(x)
    , m_scala(scala)
{
    QProcessEnvironment env = x.ambiente();
    env.insert(QStringLiteral("PULSE_SERVER"), serverSuono);
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    if (scala != 1.0)
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scala));
    m_processo.setProcessEnvironment(env);
    m_processo.setWorkingDirectory(cartellaLavoro);
    if (nelFiglio)
        m_processo.setChildProcessModifier(nelFiglio);
    m_processo.start(eseguibile, {});
    m_processo.waitForStarted(5000);
}

GiocoX::~GiocoX()
{
    if (m_processo.state() != QProcess::NotRunning) {
        m_processo.kill();
        m_processo.waitForFinished(3000);
    }
}

QRect GiocoX::aspettaAvvio()
{
    const bool venuta = QTest::qWaitFor([&] {
        if (m_processo.state() != QProcess::Running)
            return true;
        const QStringList f = m_x.finestre(QString::fromLatin1(ClasseGioco));
        if (f.isEmpty() || m_x.geometria(f.last()).isEmpty())
            return false;
        finestraAvvio = f.last();
        return true;
    }, 15000);
    if (!venuta || finestraAvvio.isEmpty()) {
        m_mancato = "no start window came";
        return {};
    }
    // Drawn once its corner shows a colour of the table.
    return disegnata(finestraAvvio, "start window", [](const QRect &f) { return f.topLeft() + QPoint(10, 10); },
                     [](Colore c) { return std::find(ColoriAvvio.begin(), ColoriAvvio.end(), c) != ColoriAvvio.end(); });
}

QRect GiocoX::premiAvvio(bool conInvio)
{
    namespace A = layout::avvio;
    const QRect avvio = m_x.geometria(finestraAvvio);
    if (conInvio)
        m_x.tasto(QStringLiteral("Return"));
    else
        m_x.clicca(puntoScalato(avvio, QSize(A::LarghezzaInterna, A::AltezzaInterna), centro(A::BottoneAvvio)));
    const bool venuta = QTest::qWaitFor([&] {
        if (m_processo.state() != QProcess::Running)
            return true;
        const QStringList f = m_x.finestre(QString::fromLatin1(ClasseGioco));
        if (f.size() != 1 || f.first() == finestraAvvio || m_x.geometria(f.first()).isEmpty())
            return false;
        finestraGioco = f.first();
        return true;
    }, 10000);
    if (!venuta || finestraGioco.isEmpty()) {
        m_mancato = "the game window did not come alone";
        return {};
    }
    // Drawn once the far corner of its interior shows the background.
    return disegnata(finestraGioco, "game window", [](const QRect &f) { return f.bottomRight() - QPoint(7, 10); },
                     [](Colore c) { return c == layout::brindel::Sfondo; });
}

QRect GiocoX::disegnata(const QString &finestra, const char *nome, const std::function<QPoint(const QRect &)> &punto,
                        const std::function<bool(Colore)> &giusto)
{
    QRect r;
    Colore c = 0;
    if (QTest::qWaitFor([&] {
            r = m_x.geometria(finestra);
            c = coloreA(m_x.schermo(QRect(punto(r), QSize(1, 1))), QPoint(0, 0));
            return giusto(c);
        }, 5000))
        return r;
    m_mancato = QStringLiteral("the %1 at %2,%3 still showed %4 where it is checked after 5 s")
                    .arg(QLatin1String(nome)).arg(r.x()).arg(r.y()).arg(esadecimale(c)).toUtf8();
    return {};
}

QByteArray GiocoX::erroreFinora()
{
    // Peeked, so that a test reads it all afterwards.
    m_processo.setReadChannel(QProcess::StandardError);
    const QByteArray letto = m_processo.peek(4096);
    m_processo.setReadChannel(QProcess::StandardOutput);
    return letto;
}

QByteArray GiocoX::mancato()
{
    QByteArray perche = m_mancato;
    if (m_processo.state() == QProcess::NotRunning)
        perche += (m_processo.exitStatus() == QProcess::NormalExit ? QByteArrayLiteral("; the game ended with status ")
                                                                    : QByteArrayLiteral("; the game crashed, signal "))
            + QByteArray::number(m_processo.exitCode()) + ": " + erroreFinora();
    return perche;
}

bool GiocoX::apriEsci(const QRect &finestra)
{
    // "Esci" stands after "Informazioni" and its ten spaces.
    m_x.clicca(finestra.topLeft() + QPoint(148, 8) * m_scala);
    return aspettaDomanda();
}

bool GiocoX::aspettaDomanda()
{
    QString domanda;
    if (!QTest::qWaitFor([&] {
            const QStringList f = m_x.finestre(QString::fromLatin1(ClasseGioco));
            if (f.size() == 2)
                finestraDomanda = domanda = f.last();
            return f.size() == 2;
        }, 10000))
        return false;
    // The keys go to whichever window holds the focus.
    return QTest::qWaitFor([&] {
        const QString fuoco = QString::fromLatin1(
            m_x.esegui(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus")}).trimmed());
        return fuoco == domanda;
    }, 5000);
}

QString GiocoX::esciNoPoiSi(const QRect &finestra)
{
    if (!apriEsci(finestra))
        return QStringLiteral("no question came from the first \"Esci\"");
    m_x.tasto(QStringLiteral("Escape"));
    if (!QTest::qWaitFor([&] { return m_x.finestre(QString::fromLatin1(ClasseGioco)).size() == 1; }, 10000))
        return QStringLiteral("the question stayed after Escape");
    if (m_processo.state() != QProcess::Running)
        return QStringLiteral("Escape ended the game");
    if (!apriEsci(finestra))
        return QStringLiteral("no question came from the second \"Esci\"");
    m_x.tasto(QStringLiteral("Return"));
    if (!m_processo.waitForFinished(10000))
        return QStringLiteral("Enter did not end the game");
    if (m_processo.exitStatus() != QProcess::NormalExit || m_processo.exitCode() != 0)
        return QStringLiteral("the game ended with status %1").arg(m_processo.exitCode());
    return {};
}

QPoint GiocoX::interno(const QRect &finestra)
{
    return finestra.topLeft() + QPoint(0, finestra.height() - layout::brindel::AltezzaInterna);
}

QSize cellaDisegni()
{
    const gioco::Geometria g = gioco::geometriaPerRiquadro(320 + 2 * layout::Bordo, 466 + 2 * layout::Bordo);
    return {g.larghezzaCella, g.altezzaCella};
}

QPoint centro(const layout::Rettangolo &r)
{
    return {r.left + r.width / 2, r.top + r.height / 2};
}

QPoint puntoScalato(const QRect &interno, QSize misura, QPoint punto)
{
    const double s = std::min(interno.width() / double(misura.width()), interno.height() / double(misura.height()));
    const auto a = [s](int x) { return int(std::floor(x * s + 0.5)); };
    return interno.topLeft() + QPoint((interno.width() - a(misura.width())) / 2 + a(punto.x()),
                                      (interno.height() - a(misura.height())) / 2 + a(punto.y()));
}

QPoint centroCampione(int indice)
{
    const layout::Rettangolo &cornice = layout::brindel::Cornice;
    return {cornice.left + tavolozza::sinistra(indice) + tavolozza::larghezza() / 2,
            cornice.top + tavolozza::alto(indice) + tavolozza::altezza() / 2};
}

int campioneDi(Colore c)
{
    const auto i = std::find(tavolozza::Tavolozza.begin(), tavolozza::Tavolozza.end(), c);
    return i == tavolozza::Tavolozza.end() ? -1 : int(i - tavolozza::Tavolozza.begin());
}

bool segnato(const QImage &schermo, const QRect &r, int margine)
{
    const QPoint mezzo = r.center();
    // Inwards from the left, top, right and bottom edges.
    const QList<std::pair<QPoint, QPoint>> lati{{{r.left(), mezzo.y()}, {1, 0}},
                                                {{mezzo.x(), r.top()}, {0, 1}},
                                                {{r.right(), mezzo.y()}, {-1, 0}},
                                                {{mezzo.x(), r.bottom()}, {0, -1}}};
    for (const auto &[bordo, dentro] : lati)
        for (int i = 0; i < 4; ++i)
            if (coloreA(schermo, bordo + dentro * (margine + i)) != (i < 2 ? colore::Nero : colore::Bianco))
                return false;
    return true;
}

Colore coloreA(const QImage &img, QPoint p)
{
    return colore::daRgb(img.pixel(p));
}

QString esadecimale(Colore c)
{
    return QStringLiteral("0x%1").arg(c, 6, 16, QLatin1Char('0'));
}

namespace {

// The smallest rectangle holding every dark pixel.
QRect inchiostro(const QImage &grigi)
{
    QRect r;
    for (int y = 0; y < grigi.height(); ++y)
        for (int x = 0; x < grigi.width(); ++x)
            if (grigi.constScanLine(y)[x] < 128)
                r |= QRect(x, y, 1, 1);
    return r;
}

} // namespace

void salvaSchermata(const QImage &schermo, const QString &nome)
{
    static QTemporaryDir cartella(QDir::temp().filePath(QStringLiteral("tintar-i-brindel-schermate-XXXXXX")));
    static const bool detta = [] {
        cartella.setAutoRemove(false);
        qInfo("Screenshots in %s", qPrintable(cartella.path()));
        return true;
    }();
    (void)detta;
    schermo.save(cartella.filePath(nome + QStringLiteral(".png")));
}

QString testoVisto(const QImage &zona, const QFont &carattere, const QStringList &candidati)
{
    const QImage visto = zona.convertToFormat(QImage::Format_Grayscale8);
    const QRect rv = inchiostro(visto);
    if (rv.isEmpty())
        return {};
    const QFontMetrics misure(carattere);
    QString migliore;
    qint64 distanzaMigliore = std::numeric_limits<qint64>::max();
    for (const QString &candidato : candidati) {
        QImage atteso(misure.horizontalAdvance(candidato) + 20, misure.height() + 20, QImage::Format_Grayscale8);
        atteso.fill(255);
        QPainter p(&atteso);
        p.setFont(carattere);
        p.setPen(Qt::black);
        p.drawText(10, 10 + misure.ascent(), candidato);
        p.end();
        const QRect ra = inchiostro(atteso);
        if (ra.size() != rv.size())
            continue;
        qint64 d = 0;
        for (int y = 0; y < ra.height(); ++y)
            for (int x = 0; x < ra.width(); ++x)
                d += std::abs(int(atteso.constScanLine(ra.top() + y)[ra.left() + x]) - int(visto.constScanLine(rv.top() + y)[rv.left() + x]));
        if (d < distanzaMigliore) {
            distanzaMigliore = d;
            migliore = candidato;
        }
    }
    return migliore;
}

int cellaNominata(const QImage &schermo, QPoint interno)
{
    QStringList nomi;
    for (int i = 0; i < gioco::Celle; ++i)
        nomi << QStringLiteral("  %1%2").arg(QChar(u'A' + gioco::rigaDi(i))).arg(gioco::colonnaDi(i) + 1);
    QFont carattere(QStringLiteral("Liberation Sans"));
    carattere.setPixelSize(layout::ArialCoordinata.pixel);
    carattere.setBold(true);
    const layout::Rettangolo &n = layout::brindel::NomeCella;
    return nomi.indexOf(testoVisto(schermo.copy(QRect(interno + QPoint(n.left, n.top), QSize(n.width, n.height))), carattere, nomi));
}

QString copertureNonGialle(const QImage &schermo, QPoint interno)
{
    const QSize c = cellaDisegni();
    return copertureNonGialle(schermo, [&](int i) {
        return interno + InizioGriglia
            + QPoint(gioco::colonnaDi(i) * c.width() + c.width() / 2, gioco::rigaDi(i) * c.height() + c.height() / 2);
    });
}

QString copertureNonGialle(const QImage &schermo, const std::function<QPoint(int)> &centro)
{
    QStringList sbagliate;
    for (int i = 0; i < gioco::Celle; ++i) {
        const QPoint p = centro(i);
        if (!schermo.rect().contains(p) || coloreA(schermo, p) != colore::Giallo)
            sbagliate << QStringLiteral("%1,%2: %3")
                             .arg(gioco::colonnaDi(i))
                             .arg(gioco::rigaDi(i))
                             .arg(schermo.rect().contains(p) ? esadecimale(coloreA(schermo, p)) : QStringLiteral("off the screen"));
    }
    return sbagliate.join(QStringLiteral("; "));
}

} // namespace prova
