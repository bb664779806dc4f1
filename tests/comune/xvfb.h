#pragma once
// A private X server for tests that need real windows and real input.

#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace prova {

class ServerX
{
public:
    // Starts Xvfb (and a window manager when asked); check avviato().
    explicit ServerX(bool gestoreFinestre = false);
    ~ServerX();

    bool avviato() const { return m_avviato; }
    QString display() const { return m_display; }
    QProcessEnvironment ambiente() const;

    // Runs a command on this display; returns its standard output.
    QByteArray esegui(const QString &programma, const QStringList &argomenti, int *codice = nullptr) const;
    // The visible windows of a class, newest last.
    QStringList finestre(const QString &classe) const;
    QRect geometria(const QString &finestra) const;
    // A screenshot of the whole screen.
    QImage schermo() const;

private:
    QProcess m_xvfb;
    QProcess m_wm;
    QString m_display;
    bool m_avviato = false;
};

} // namespace prova
