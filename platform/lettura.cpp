// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/lettura.h"

#include "platform/cartella.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lettura {
namespace {

// What stands in place of a file, when it is not a regular one.
QString tipoNonRegolare(mode_t modo)
{
    if (S_ISREG(modo))
        return {};
    if (S_ISDIR(modo))
        return QStringLiteral("Al posto del file c'è una cartella.");
    if (S_ISFIFO(modo))
        return QStringLiteral("Non è un file normale ma una pipe con nome (FIFO).");
    if (S_ISSOCK(modo))
        return QStringLiteral("Non è un file normale ma un socket.");
    if (S_ISCHR(modo) || S_ISBLK(modo))
        return QStringLiteral("Non è un file normale ma un dispositivo.");
    return QStringLiteral("Non è un file normale.");
}

} // namespace

QString spiega(int numeroErrore)
{
    switch (numeroErrore) {
    case ENOENT:
        return QStringLiteral("Il file non esiste.");
    case ENOTDIR:
        return QStringLiteral("Il file non esiste: una parte del percorso non è una cartella.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Non c'è il permesso di leggere il file.");
    case EISDIR:
        return QStringLiteral("Al posto del file c'è una cartella.");
    case ELOOP:
        return QStringLiteral("Il percorso gira in tondo tra collegamenti simbolici che rimandano l'uno all'altro.");
    case ENAMETOOLONG:
        return QStringLiteral("Il percorso del file è troppo lungo.");
    case EFBIG:
    case EOVERFLOW:
        return QStringLiteral("Il file è troppo grande.");
    case EIO:
        return QStringLiteral("Errore di lettura del disco.");
    case ENOMEM:
        return QStringLiteral("Memoria insufficiente.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Ci sono troppi file aperti.");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("Non è un file normale ma un dispositivo.");
    default:
        return QStringLiteral("Il file non si può leggere (errore di sistema %1: %2).")
            .arg(numeroErrore)
            .arg(QString::fromLocal8Bit(std::strerror(numeroErrore)));
    }
}

QString nonRegolare(const QString &percorso)
{
    struct stat s {};
    if (::stat(cartella::codifica(percorso).constData(), &s) != 0)
        return spiega(errno);
    return tipoNonRegolare(s.st_mode);
}

std::optional<QByteArray> leggi(const QString &percorso, qint64 massimo, QString &perche)
{
    // Non-blocking, so that a pipe put in place of the file is found out by
    // fstat rather than waited on for a writer.
    const int fd = ::open(cartella::codifica(percorso).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        perche = spiega(errno);
        return std::nullopt;
    }
    struct Chiudi {
        int fd;
        ~Chiudi() { ::close(fd); }
    } chiudi{fd};

    struct stat s {};
    if (::fstat(fd, &s) != 0) {
        perche = spiega(errno);
        return std::nullopt;
    }
    perche = tipoNonRegolare(s.st_mode);
    if (!perche.isEmpty())
        return std::nullopt;
    if (s.st_size > massimo) {
        perche = QStringLiteral("Il file è troppo grande: più di %1 MB.").arg(massimo / (1024 * 1024));
        return std::nullopt;
    }

    // The size may change while reading; read to the end, within the limit,
    // straight into the result (one byte past the limit tells a file that
    // grew too large).
    QByteArray dati(qsizetype(std::min<qint64>(s.st_size, massimo) + 1), Qt::Uninitialized);
    qsizetype letti = 0;
    for (;;) {
        if (letti == dati.size()) {
            if (letti > massimo) {
                perche = QStringLiteral("Il file è troppo grande: più di %1 MB.").arg(massimo / (1024 * 1024));
                return std::nullopt;
            }
            dati.resize(qsizetype(std::min<qint64>(qint64(letti) * 2, massimo + 1)));
        }
        const ssize_t n = ::read(fd, dati.data() + letti, size_t(dati.size() - letti));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            perche = spiega(errno);
            return std::nullopt;
        }
        if (n == 0)
            break;
        letti += qsizetype(n);
    }
    if (letti > massimo) {
        perche = QStringLiteral("Il file è troppo grande: più di %1 MB.").arg(massimo / (1024 * 1024));
        return std::nullopt;
    }
    dati.truncate(letti);
    return dati;
}

} // namespace lettura
