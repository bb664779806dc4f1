#include "comune/xvfb.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QRect>
#include <QStandardPaths>
#include <QThread>

namespace prova {

ServerX::ServerX(bool gestoreFinestre)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        return;
    for (int n = 90 + (QCoreApplication::applicationPid() % 50); n < 200 && !m_avviato; ++n) {
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)) || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)))
            continue;
        m_display = QStringLiteral(":%1").arg(n);
        m_xvfb.start(QStringLiteral("Xvfb"), {m_display, QStringLiteral("-screen"), QStringLiteral("0"),
                                              QStringLiteral("1024x768x24"), QStringLiteral("-noreset"),
                                              QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_xvfb.waitForStarted(5000))
            return;
        const QDeadlineTimer scadenza(10000);
        while (!scadenza.hasExpired() && m_xvfb.state() == QProcess::Running) {
            if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) {
                m_avviato = true;
                break;
            }
            QThread::msleep(50);
        }
    }
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
    const QString out = QString::fromLatin1(
        esegui(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), finestra}));
    QRect r;
    for (const QString &riga : out.split(u'\n')) {
        const int v = riga.section(u'=', 1).toInt();
        if (riga.startsWith(QLatin1String("X=")))
            r.moveLeft(v);
        else if (riga.startsWith(QLatin1String("Y=")))
            r.moveTop(v);
        else if (riga.startsWith(QLatin1String("WIDTH=")))
            r.setWidth(v);
        else if (riga.startsWith(QLatin1String("HEIGHT=")))
            r.setHeight(v);
    }
    return r;
}

QImage ServerX::schermo() const
{
    const QByteArray png = esegui(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), QStringLiteral("png:-")});
    return QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
}

} // namespace prova
