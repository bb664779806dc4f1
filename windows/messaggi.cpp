#include "windows/messaggi.h"

#include "platform/errore.h"
#include "windows/finestre.h"
#include "windows/layout.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QShowEvent>
#include <QTranslator>

#include <cstdio>
#include <new>
#include <utility>

namespace messaggi {
namespace {

// Qt's own placing of a box over its window leaves out the window manager's
// frame, so the box itself is put in the middle.
class Box final : public QMessageBox
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

class BoxVere final : public Finestra
{
public:
    int mostra(const QString &testo, int flags, const QString &titolo, QWidget *sopra) override
    {
        const std::unique_ptr<QMessageBox> box = creaBox(testo, flags, titolo, sopra);
        const int premuto = box->exec();
        if (flags & SiNo)
            return premuto == QMessageBox::Yes ? Si : No;
        return Ok;
    }
};

Finestra *g_altra = nullptr;
bool g_terminato = false;
int g_codice = 0;
bool g_nelCiclo = false;

void segnala(const QString &testo, int codice, QWidget *finestra)
{
    // Also for whoever started the program from a terminal or a script.
    std::fprintf(stderr, "%s: %s\n", layout::Titolo, testo.toLocal8Bit().constData());
    MsgBox(testo, SoloOk | IconaErrore, QString::fromUtf8(layout::Titolo), finestra);
    termina(codice);
}

// The whole interface is Italian, so Qt's own buttons are too, whatever the
// user's locale. Boxes are the only place they show, so Qt's translation is
// loaded with the first box.
void traduciQt()
{
    static bool fatto = false;
    if (std::exchange(fatto, true))
        return;
    auto *traduttore = new QTranslator(QCoreApplication::instance());
    if (traduttore->load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traduttore);
}

} // namespace

std::unique_ptr<QMessageBox> creaBox(const QString &testo, int flags, const QString &titolo, QWidget *sopra)
{
    traduciQt();
    // A box opens centred over its parent; one whose window is not on the
    // screen (yet) opens in the middle of the screen.
    std::unique_ptr<QMessageBox> box = std::make_unique<Box>(sopra && sopra->isVisible() ? sopra->window() : nullptr);
    box->setWindowTitle(titolo);
    box->setText(testo);
    box->setWindowModality(Qt::ApplicationModal);
    if (flags & IconaInformazione)
        box->setIcon(QMessageBox::Information);
    else if (flags & IconaDomanda)
        box->setIcon(QMessageBox::Question);
    else if (flags & IconaErrore)
        box->setIcon(QMessageBox::Critical);
    if (flags & SiNo) {
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box->setDefaultButton(QMessageBox::Yes);
        // Escape or closing the box answers No: there is no Cancel.
        box->setEscapeButton(QMessageBox::No);
    } else {
        box->setStandardButtons(QMessageBox::Ok);
    }
    return box;
}

void imposta(Finestra *altra)
{
    g_altra = altra;
}

int MsgBox(const QString &testo, int flags, const QString &titolo, QWidget *sopra)
{
    static BoxVere vere;
    return (g_altra ? *g_altra : static_cast<Finestra &>(vere)).mostra(testo, flags, titolo, sopra);
}

void esegui(QWidget *finestra, const std::function<void()> &gestore)
{
    if (g_terminato)
        return;
    try {
        gestore();
    } catch (const ErroreEsecuzione &e) {
        segnala(e.messaggio(), e.codiceUscita(), finestra);
    } catch (const std::bad_alloc &) {
        segnala(QStringLiteral("Memoria esaurita.\n\nIl programma verrà chiuso."), uscita::MemoriaEsaurita, finestra);
    } catch (const std::exception &e) {
        segnala(QStringLiteral("Errore interno: %1\n\nIl programma verrà chiuso.").arg(QString::fromLocal8Bit(e.what())), uscita::ErroreInterno, finestra);
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
