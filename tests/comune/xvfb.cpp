#include "comune/xvfb.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QPainter>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace prova {

ServerX::ServerX(bool gestoreFinestre)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return;
    // Xvfb picks a free display itself and tells which on its standard output,
    // so tests running side by side never share or fight over one.
    m_xvfb.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                          QStringLiteral("0"), QStringLiteral("1024x768x24"), QStringLiteral("-noreset"),
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
        QThread::msleep(500);
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
    const QString out = QString::fromLatin1(esegui(QStringLiteral("xwininfo"), {QStringLiteral("-id"), finestra}));
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

QImage ServerX::schermo() const
{
    const QByteArray png = esegui(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
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

GiocoX::GiocoX(const ServerX &x, const QString &eseguibile, const QString &cartellaLavoro)
    : m_x(x)
{
    QProcessEnvironment env = x.ambiente();
    env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent"));
    m_processo.setProcessEnvironment(env);
    m_processo.setWorkingDirectory(cartellaLavoro);
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
    const QDeadlineTimer scadenza(15000);
    while (!scadenza.hasExpired() && m_processo.state() == QProcess::Running) {
        const QStringList f = m_x.finestre(QString::fromLatin1(ClasseGioco));
        if (!f.isEmpty()) {
            const QRect r = m_x.geometria(f.last());
            if (r.size() == QSize(702, 605)) {
                finestraAvvio = f.last();
                QTest::qWait(300);
                return r;
            }
        }
        QTest::qWait(100);
    }
    return {};
}

QRect GiocoX::premiAvvio()
{
    const QRect avvio = m_x.geometria(finestraAvvio);
    // "Avvio" is 274 x 85 at 184, 328.
    m_x.clicca(avvio.topLeft() + QPoint(184 + 137, 328 + 42));
    const QDeadlineTimer scadenza(10000);
    while (!scadenza.hasExpired() && m_processo.state() == QProcess::Running) {
        const QStringList f = m_x.finestre(QString::fromLatin1(ClasseGioco));
        if (f.size() == 1 && f.first() != finestraAvvio) {
            const QRect r = m_x.geometria(f.first());
            if (r.width() == 687) {
                finestraGioco = f.first();
                QTest::qWait(500);
                return r;
            }
        }
        QTest::qWait(100);
    }
    return {};
}

bool GiocoX::apriEsci(const QRect &finestra)
{
    // "Esci" stands after "Informazioni" and its ten spaces.
    m_x.clicca(finestra.topLeft() + QPoint(148, 8));
    const QDeadlineTimer scadenza(10000);
    while (!scadenza.hasExpired()) {
        if (m_x.finestre(QString::fromLatin1(ClasseGioco)).size() == 2) {
            QTest::qWait(300);
            return true;
        }
        QTest::qWait(100);
    }
    return false;
}

QPoint GiocoX::interno(const QRect &finestra)
{
    return finestra.topLeft() + QPoint(0, finestra.height() - 513);
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

QString copertureNonGialle(const QImage &schermo, QPoint interno)
{
    // Our drawings make cells of about 77 x 90; the box starts at 8 with a 2-pixel border.
    QStringList sbagliate;
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            const QPoint centro = interno + QPoint(8 + 2 + 15 + c * 77 + 38, 2 + 20 + r * 90 + 45);
            if (coloreA(schermo, centro) != colore::Giallo)
                sbagliate << QStringLiteral("%1,%2: %3").arg(c).arg(r).arg(esadecimale(coloreA(schermo, centro)));
        }
    return sbagliate.join(QStringLiteral("; "));
}

} // namespace prova
