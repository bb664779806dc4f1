// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/messaggi.h"

#include "platform/errore.h"
#include "windows/finestre.h"
#include "windows/layout.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QShowEvent>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace messaggi {
namespace {

// Qt's own placing of a box over its window leaves out the window manager's
// frame, so the box itself is put in the middle.
class BoxCentrato final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *evento) override
    {
        QMessageBox::showEvent(evento);
        if (!evento->spontaneous())
            finestre::centraSopra(this, parentWidget());
    }
};

// Set aside at start-up and given back when an error is to be shown: the
// error may be that memory or descriptors ran out, and the box needs both
// (its text, its window, the fonts it opens).
struct Riserva {
    void *memoria = nullptr;
    std::array<int, 16> descrittori{};
};
Riserva g_riserva;
constexpr std::size_t kMemoriaRiservata = 8 * 1024 * 1024;

void restituisciRiserva()
{
    std::free(std::exchange(g_riserva.memoria, nullptr));
    for (int &fd : g_riserva.descrittori)
        if (fd > 0)
            ::close(std::exchange(fd, 0));
}

bool g_terminato = false;
int g_codice = 0;
bool g_nelCiclo = false;

void segnala(Box &box, const QString &testo, int codice, QWidget *finestra)
{
    restituisciRiserva();
    // Also for whoever started the program from a terminal or a script.
    std::fprintf(stderr, "%s: %s\n", layout::Titolo, testo.toLocal8Bit().constData());
    std::fflush(stderr);
    try {
        box.mostra({testo, Pulsanti::Ok, Icona::Errore, QString::fromUtf8(layout::Titolo)}, finestra);
    } catch (const std::bad_alloc &) {
        // Not even room for the box: the message is on stderr, and the
        // program ends with its status all the same.
    }
    termina(codice);
}

} // namespace

Risposta BoxVeri::mostra(const Messaggio &messaggio, QWidget *sopra)
{
    const std::unique_ptr<QMessageBox> box = creaBox(messaggio, sopra);
    const int premuto = box->exec();
    if (messaggio.pulsanti == Pulsanti::SiNo)
        return premuto == QMessageBox::Yes ? Risposta::Si : Risposta::No;
    return Risposta::Ok;
}

std::unique_ptr<QMessageBox> creaBox(const Messaggio &messaggio, QWidget *sopra)
{
    // A box opens centred over its parent; one whose window is not on the
    // screen (yet) opens in the middle of the screen.
    std::unique_ptr<QMessageBox> box = std::make_unique<BoxCentrato>(sopra && sopra->isVisible() ? sopra->window() : nullptr);
    box->setWindowTitle(messaggio.titolo);
    box->setText(messaggio.testo);
    box->setWindowModality(Qt::ApplicationModal);
    switch (messaggio.icona) {
    case Icona::Nessuna:
        break;
    case Icona::Errore:
        box->setIcon(QMessageBox::Critical);
        break;
    case Icona::Domanda:
        box->setIcon(QMessageBox::Question);
        break;
    case Icona::Informazione:
        box->setIcon(QMessageBox::Information);
        break;
    }
    if (messaggio.pulsanti == Pulsanti::SiNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        // The whole interface is Italian, so are the buttons, whatever the
        // user's locale and with no Qt translation installed.
        box->button(QMessageBox::Yes)->setText(QStringLiteral("&Sì"));
        box->button(QMessageBox::No)->setText(QStringLiteral("&No"));
        box->setDefaultButton(QMessageBox::Yes);
        // Escape or closing the box answers No: there is no Cancel.
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
        box->button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    }
    return box;
}

void prepara()
{
    if (!g_riserva.memoria) {
        g_riserva.memoria = std::malloc(kMemoriaRiservata);
        // Touched, so that the system has really given it.
        if (g_riserva.memoria)
            static_cast<volatile char *>(g_riserva.memoria)[0] = 0;
    }
    for (int &fd : g_riserva.descrittori)
        if (fd <= 0)
            fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
}

void esegui(Box &box, QWidget *finestra, const std::function<void()> &gestore)
{
    if (g_terminato)
        return;
    try {
        gestore();
    } catch (const ErroreEsecuzione &e) {
        segnala(box, e.messaggio(), e.codiceUscita(), finestra);
    } catch (const std::bad_alloc &) {
        // A literal: it needs no memory of its own.
        segnala(box, QStringLiteral("Memoria esaurita.\n\nIl programma verrà chiuso."), uscita::MemoriaEsaurita, finestra);
    } catch (const std::exception &e) {
        segnala(box, QStringLiteral("Errore interno: %1\n\nIl programma verrà chiuso.").arg(QString::fromLocal8Bit(e.what())), uscita::ErroreInterno, finestra);
    }
}

void termina(int codice)
{
    g_terminato = true;
    g_codice = codice;
    // Closing the windows must not turn this into an ordinary, successful end.
    QApplication::setQuitOnLastWindowClosed(false);
    // Hiding a message box also ends the event loop it runs in.
    for (QWidget *w : QApplication::topLevelWidgets())
        w->hide();
    // Without a running loop to end, exit() would only make the next loop
    // that starts return at once: cicloPrincipale() sees the end itself.
    if (g_nelCiclo)
        QCoreApplication::exit(codice);
}

int cicloPrincipale()
{
    if (!g_terminato) {
        g_nelCiclo = true;
        const int codice = QApplication::exec();
        g_nelCiclo = false;
        if (!g_terminato)
            return codice;
    }
    return g_codice;
}

bool terminato() { return g_terminato; }
int codiceUscita() { return g_codice; }

void ripristina()
{
    g_terminato = false;
    g_codice = 0;
    QApplication::setQuitOnLastWindowClosed(true);
}

} // namespace messaggi
