// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/istanza.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>

#include <unistd.h>

namespace {

// How long a launch waits for the running game to answer, or for another
// launch making up its mind at the same moment.
constexpr int AttesaMs = 2000;
constexpr char Alzati[] = "alzati\n";

} // namespace

IstanzaUnica::IstanzaUnica(QString nome)
    : m_nome(std::move(nome))
{
}

QString IstanzaUnica::nomePerSchermo(const QString &piattaforma, const QString &schermo)
{
    QString chi = piattaforma + QLatin1Char('-') + schermo;
    for (QChar &c : chi)
        if (!c.isLetterOrNumber() && c != u'.' && c != u'-')
            c = u'_';
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir() && QFileInfo(runtime).isWritable())
        return runtime + QStringLiteral("/tintar-i-brindel-") + chi;
    return QDir::tempPath() + QStringLiteral("/tintar-i-brindel-%1-").arg(::getuid()) + chi;
}

bool IstanzaUnica::prendi(std::function<void()> alzati)
{
    // Two launches at once must not both decide they are alone: the lock
    // makes them take turns. A lock left by a game that died is stale and
    // taken over.
    QLockFile turno(m_nome + QStringLiteral(".lock"));
    turno.setStaleLockTime(0);
    const bool inTurno = turno.tryLock(AttesaMs);

    QLocalSocket altro;
    altro.connectToServer(m_nome);
    if (altro.waitForConnected(AttesaMs)) {
        altro.write(Alzati);
        altro.waitForBytesWritten(AttesaMs);
        altro.disconnectFromServer();
        return false;
    }
    if (!inTurno)
        return true;
    // Nobody answers: whatever is left at the name is a dead game's.
    QLocalServer::removeServer(m_nome);
    m_server.setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server.listen(m_nome))
        return true;
    m_alzati = std::move(alzati);
    connect(&m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *chiamata = m_server.nextPendingConnection()) {
            connect(chiamata, &QLocalSocket::disconnected, chiamata, &QObject::deleteLater);
            connect(chiamata, &QLocalSocket::readyRead, this, [this, chiamata] {
                if (chiamata->readAll().contains('\n') && m_alzati)
                    m_alzati();
            });
        }
    });
    return true;
}
