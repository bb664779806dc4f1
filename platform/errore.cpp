// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/errore.h"

#include "platform/cartella.h"

namespace {

QString testo(ErroreEsecuzione::Tipo tipo, const QString &percorso, const QString &dettaglio)
{
    using Tipo = ErroreEsecuzione::Tipo;
    const QString file = cartella::leggibile(percorso);
    QString t;
    switch (tipo) {
    case Tipo::Overflow:
        t = QStringLiteral("Errore di calcolo: un numero è diventato troppo grande.");
        break;
    case Tipo::OperazioneNonValida:
        t = QStringLiteral("Errore di calcolo: operazione non valida.");
        break;
    case Tipo::DisegnoNonCaricato:
        t = QStringLiteral("Non riesco a caricare il disegno:\n%1").arg(file);
        break;
    case Tipo::DisegnoTroppoPiccolo:
        t = QStringLiteral("Il disegno è troppo piccolo per la griglia:\n%1").arg(file);
        break;
    }
    if (!dettaglio.isEmpty())
        t += QStringLiteral("\n\n") + dettaglio;
    t += QStringLiteral("\n\nIl programma verrà chiuso.");
    return t;
}

} // namespace

ErroreEsecuzione::ErroreEsecuzione(Tipo tipo, const QString &file, const QString &dettaglio)
    : ErroreEsecuzione(tipo, file, testo(tipo, file, dettaglio), true)
{
}

ErroreEsecuzione::ErroreEsecuzione(Tipo tipo, const QString &file, QString messaggio, bool)
    : std::runtime_error(messaggio.toStdString())
    , m_tipo(tipo)
    , m_file(file)
    , m_messaggio(std::move(messaggio))
{
}

int ErroreEsecuzione::codiceUscita() const
{
    switch (m_tipo) {
    case Tipo::Overflow:
    case Tipo::OperazioneNonValida:
        return uscita::ErroreInterno;
    case Tipo::DisegnoNonCaricato:
    case Tipo::DisegnoTroppoPiccolo:
        return uscita::FileNonCaricato;
    }
    return uscita::ErroreInterno;
}
