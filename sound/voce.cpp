// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/voce.h"

#include "game/partita.h"

namespace voce {
namespace {

// suoni/voce/<nome>.wav: "c3", "c", "3".
void di(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, const QString &nome)
{
    riproduttore.riproduciVoce(cartella.percorso() + QStringLiteral("/suoni/voce/") + nome + QStringLiteral(".wav"));
}

QString lettera(int riga) { return QString(QChar(u'a' + riga)); }
QString numero(int colonna) { return QString::number(colonna + 1); }

} // namespace

void cella(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, int indice)
{
    if (indice >= 0 && indice < gioco::Celle)
        di(riproduttore, cartella, lettera(gioco::rigaDi(indice)) + numero(gioco::colonnaDi(indice)));
}

void riga(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, int r)
{
    if (r >= 0 && r < gioco::Righe)
        di(riproduttore, cartella, lettera(r));
}

void colonna(suoni::Riproduttore &riproduttore, const cartella::Cartella &cartella, int c)
{
    if (c >= 0 && c < gioco::Colonne)
        di(riproduttore, cartella, numero(c));
}

} // namespace voce
