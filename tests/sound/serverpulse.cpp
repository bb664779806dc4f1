// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "serverpulse.h"

#include "onda.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>
#include <QThread>

#include <signal.h>
#include <sys/prctl.h>

using namespace std::chrono_literals;

namespace {

struct Limiti {
    int tentativi;
    std::chrono::milliseconds attesaServer;
    std::chrono::milliseconds attesaDomanda;
    std::chrono::milliseconds attesaDati;
    std::chrono::milliseconds attesaFine;
    // Sound that must have been recorded before avvia returns.
    std::chrono::milliseconds datiIniziali;
    std::chrono::milliseconds pausa; // between two attempts at starting
};

constexpr Limiti kLimiti{3, 15s, 5s, 10s, 3s, 1000ms, 1000ms};
constexpr const char *kSink = "brindel_prova";

void termina(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(int(kLimiti.attesaFine.count()))) {
        p.kill();
        p.waitForFinished(int(kLimiti.attesaFine.count()));
    }
}

} // namespace

void muoriColPadre(QProcess &p)
{
    p.setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGKILL); });
}

ServerPulse::ServerPulse(QString cartella)
    : m_cartella(std::move(cartella))
{
}

ServerPulse::~ServerPulse()
{
    ferma();
}

QString ServerPulse::indirizzo() const
{
    return "unix:" + m_cartella + "/native";
}

QString ServerPulse::monitor() const
{
    return QString::fromLatin1(kSink) + ".monitor";
}

QString ServerPulse::flussi() const
{
    QProcess pactl;
    muoriColPadre(pactl);
    pactl.start("pactl", {"--server=" + indirizzo(), "list", "sink-inputs"});
    if (!pactl.waitForFinished(int(kLimiti.attesaDomanda.count()))) {
        termina(pactl);
        return {};
    }
    return QString::fromUtf8(pactl.readAllStandardOutput());
}

bool ServerPulse::avvia(QString *motivo)
{
    for (int tentativo = 1; tentativo <= kLimiti.tentativi; ++tentativo) {
        ferma();
        if (tentativo > 1)
            QThread::msleep(std::chrono::milliseconds(kLimiti.pausa).count());
        QFile::remove(m_cartella + "/native");

        auto server = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_RUNTIME_DIR", m_cartella);
        env.insert("HOME", m_cartella);
        env.insert("XDG_CONFIG_HOME", m_cartella + "/config");
        // No session bus to find, and none to start.
        env.insert("DBUS_SESSION_BUS_ADDRESS", "unix:path=" + m_cartella + "/nessun-bus");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("PULSE_SERVER");
        server->setProcessEnvironment(env);
        server->setProcessChannelMode(QProcess::MergedChannels);
        muoriColPadre(*server);
        server->start("pulseaudio", {
            "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
            "--realtime=no", "--high-priority=no", "--disallow-exit",
            "--log-target=stderr", "--log-level=error",
            QString("--load=module-null-sink sink_name=%1 rate=%2 channels=1")
                .arg(kSink).arg(onda::kCampioniAlSecondo),
            "--load=module-native-protocol-unix auth-anonymous=1 socket=" + m_cartella + "/native",
        });
        if (!server->waitForStarted(int(kLimiti.attesaDomanda.count()))) {
            *motivo = "pulseaudio does not start: " + server->errorString();
            continue;
        }
        m_server = std::move(server);
        if (pronto(kLimiti.attesaServer))
            return true;
        *motivo = QString("attempt %1: the server did not answer: %2")
                      .arg(tentativo)
                      .arg(QString::fromLocal8Bit(m_server->readAll()).trimmed());
    }
    ferma();
    return false;
}

bool ServerPulse::pronto(std::chrono::milliseconds limite)
{
    const QDeadlineTimer scadenza(limite);
    while (!scadenza.hasExpired()) {
        if (QFileInfo::exists(m_cartella + "/native")) {
            QProcess pactl;
            muoriColPadre(pactl);
            pactl.start("pactl", {"--server=" + indirizzo(), "list", "short", "sinks"});
            if (pactl.waitForFinished(int(kLimiti.attesaDomanda.count()))
                && pactl.exitStatus() == QProcess::NormalExit && pactl.exitCode() == 0
                && pactl.readAllStandardOutput().contains(kSink))
                return true;
            termina(pactl);
        }
        // Both the pause between two looks and the check that the server
        // has not given up.
        if (m_server->waitForFinished(100))
            return false;
    }
    return false;
}

void ServerPulse::ferma()
{
    if (m_server)
        termina(*m_server);
    m_server.reset();
}

Registrazione::~Registrazione()
{
    if (m_parecord)
        termina(*m_parecord);
}

bool Registrazione::avvia(const ServerPulse &server, const QString &file, QString *motivo)
{
    m_file = file;
    m_parecord = std::make_unique<QProcess>();
    muoriColPadre(*m_parecord);
    m_parecord->setStandardOutputFile(file);
    m_parecord->start("parecord", {
        "--server=" + server.indirizzo(), "--device=" + server.monitor(),
        "--latency-msec=20", "--raw", "--format=s16le",
        QString("--rate=%1").arg(onda::kCampioniAlSecondo), "--channels=1",
    });
    if (!m_parecord->waitForStarted(int(kLimiti.attesaDomanda.count()))) {
        *motivo = "parecord does not start: " + m_parecord->errorString();
        return false;
    }
    const qint64 byteIniziali = 2LL * onda::kCampioniAlSecondo * kLimiti.datiIniziali.count() / 1000;
    const QDeadlineTimer scadenza(kLimiti.attesaDati);
    while (QFileInfo(file).size() < byteIniziali) {
        if (scadenza.hasExpired() || m_parecord->state() != QProcess::Running) {
            *motivo = "parecord records nothing: "
                      + QString::fromLocal8Bit(m_parecord->readAllStandardError()).trimmed();
            termina(*m_parecord);
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

QVector<double> Registrazione::finora() const
{
    QFile f(m_file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return onda::campioni(f.readAll());
}

QVector<double> Registrazione::ferma()
{
    if (m_parecord)
        termina(*m_parecord);
    m_parecord.reset();
    QFile f(m_file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return onda::campioni(f.readAll());
}
