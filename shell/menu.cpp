// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/menu.h"

#include "windows/layout.h"

namespace menu {

QString testoInformazioni()
{
    const QString aCapo = QStringLiteral("\r\n");
    return QStringLiteral(BRINDEL_AUTORE) + QStringLiteral("  ") + aCapo
        + QStringLiteral(" ") + QString(23, u'-') + QStringLiteral(" ") + aCapo
        + QStringLiteral(BRINDEL_SITO) + aCapo
        + QStringLiteral("mail: ") + QStringLiteral(BRINDEL_POSTA);
}

void MostraInformazioni(messaggi::Box &box, QWidget *sopra)
{
    box.mostra({testoInformazioni(), messaggi::Pulsanti::Ok, messaggi::Icona::Informazione, QString::fromUtf8(layout::Titolo)}, sopra);
}

void ChiediUscita(messaggi::Box &box, QWidget *sopra)
{
    const messaggi::Risposta risposta = box.mostra(
        {QStringLiteral("Vuoi tornare al menù?"), messaggi::Pulsanti::SiNo, messaggi::Icona::Domanda, QString::fromUtf8(layout::Titolo)}, sopra);
    if (risposta == messaggi::Risposta::Si)
        messaggi::termina(0);
}

} // namespace menu
