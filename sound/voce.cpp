// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/voce.h"

#include "game/partita.h"
#include "platform/cartella.h"

namespace voce {
namespace {

// suoni/voce/<nome>.wav: "c3", "c", "3".
void di(suoni::Riproduttore &riproduttore, const QString &nome)
{
    riproduttore.riproduciVoce(cartella::programma() + QStringLiteral("/suoni/voce/") + nome + QStringLiteral(".wav"));
}

QString lettera(int riga) { return QString(QChar(u'a' + riga)); }
QString numero(int colonna) { return QString::number(colonna + 1); }

} // namespace

void cella(suoni::Riproduttore &riproduttore, int indice)
{
    if (indice >= 0 && indice < gioco::Celle)
        di(riproduttore, lettera(gioco::rigaDi(indice)) + numero(gioco::colonnaDi(indice)));
}

void riga(suoni::Riproduttore &riproduttore, int r)
{
    if (r >= 0 && r < gioco::Righe)
        di(riproduttore, lettera(r));
}

void colonna(suoni::Riproduttore &riproduttore, int c)
{
    if (c >= 0 && c < gioco::Colonne)
        di(riproduttore, numero(c));
}

} // namespace voce
