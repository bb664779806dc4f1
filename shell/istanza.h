// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One game at a time for each user on each display: a second launch hands
// over to the game already running, which comes to the front.

#include <QLocalServer>
#include <QObject>
#include <QString>

#include <functional>

class IstanzaUnica : public QObject
{
    Q_OBJECT
public:
    // `nome` tells the user's display apart (see nomePerSchermo).
    explicit IstanzaUnica(QString nome);

    // True when this is the only game: from now on it hears later launches
    // and calls `alzati` for each. False when another game runs: it has been
    // asked to come to the front, and this one is to end. Anything that
    // goes wrong on the way (no folder to put the name in, say) lets this
    // game start.
    bool prendi(std::function<void()> alzati);

    // The socket's path for this user and display: in the user's own
    // runtime folder where there is one, else in the temporary folder with
    // the user's id in the name.
    static QString nomePerSchermo(const QString &piattaforma, const QString &schermo);

private:
    QString m_nome;
    QLocalServer m_server;
    std::function<void()> m_alzati;
};
