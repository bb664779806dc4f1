// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A private PulseAudio server with a null sink, and a recording of that
// sink's monitor. Both are child processes that die with the test, and are
// killed when these objects go, whatever happened.

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QVector>

#include <chrono>
#include <memory>

class ServerPulse
{
public:
    // cartella: an empty folder of the test's own, its runtime and home.
    explicit ServerPulse(QString cartella);
    ~ServerPulse();
    ServerPulse(const ServerPulse &) = delete;
    ServerPulse &operator=(const ServerPulse &) = delete;

    // Starts the server and waits until it answers with its sink, trying a
    // few times. On failure says why.
    bool avvia(QString *motivo);
    void ferma();

    // What PULSE_SERVER must say for a client to reach it.
    QString indirizzo() const;
    QString monitor() const;
    // What `pactl list sink-inputs` says: the streams playing now.
    QString flussi() const;

private:
    bool pronto(std::chrono::milliseconds limite);

    QString m_cartella;
    std::unique_ptr<QProcess> m_server;
};

class Registrazione
{
public:
    Registrazione() = default;
    ~Registrazione();
    Registrazione(const Registrazione &) = delete;
    Registrazione &operator=(const Registrazione &) = delete;

    // Starts recording into file and returns once sound data is flowing.
    bool avvia(const ServerPulse &server, const QString &file, QString *motivo);
    // The samples recorded since avvia, while it goes on.
    QVector<double> finora() const;
    // Stops, and gives back the samples recorded since avvia.
    QVector<double> ferma();

private:
    std::unique_ptr<QProcess> m_parecord;
    QString m_file;
};

// The children of a test: killed if the test dies first.
void muoriColPadre(QProcess &p);
