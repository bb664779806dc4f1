// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/programma.h"

#include "shell/menu.h"
#include "windows/aspetto.h"
#include "windows/finestre.h"
#include "windows/formavvio.h"
#include "windows/formbrindel.h"
#include "windows/layout.h"
#include "windows/messaggi.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>

struct Programma::Dati
{
    Servizi servizi;
    QPointer<FormAvvio> avvio;
};

Programma::Programma(const Servizi &servizi)
    : m_dati(std::make_unique<Dati>(Dati{servizi, {}}))
{
}

Programma::~Programma()
{
    delete m_dati->avvio.data();
}

void Programma::avvia()
{
    // Start-up is a handler like any other: an error here is shown and ends
    // the program before its event loop runs.
    messaggi::esegui(m_dati->servizi.box, nullptr, [this] {
        m_dati->avvio = new FormAvvio(m_dati->servizi, [this] { mostraGioco(); });
        // A start window whose colour could not be drawn is never shown.
        if (!messaggi::terminato())
            finestre::apri(m_dati->avvio);
    });
}

FormAvvio *Programma::formAvvio() const
{
    return m_dati->avvio.data();
}

void Programma::inPrimoPiano()
{
    QWidget *finestra = m_brindel ? static_cast<QWidget *>(m_brindel.get()) : m_dati->avvio.data();
    if (!finestra)
        return;
    finestra->setWindowState(finestra->windowState() & ~Qt::WindowMinimized);
    finestra->show();
    finestra->raise();
    finestra->activateWindow();
}

void Programma::mostraGioco()
{
    if (!m_brindel)
        m_brindel = std::make_unique<FormBrindel>(m_dati->servizi,
                                                  FormBrindel::ComandiMenu{menu::MostraInformazioni, menu::ChiediUscita});
    // In the start window's place, which closes once the game window is up.
    if (m_dati->avvio)
        finestre::apriAlPostoDi(m_brindel.get(), m_dati->avvio);
    else
        finestre::apri(m_brindel.get());
}

void Programma::preparaApplicazione()
{
    QApplication::setApplicationName(QStringLiteral(BRINDEL_NOME_PROGRAMMA));
    QApplication::setApplicationDisplayName(QString::fromUtf8(layout::Titolo));
    QApplication::setApplicationVersion(QStringLiteral(BRINDEL_VERSIONE));
    QApplication::setDesktopFileName(QStringLiteral(BRINDEL_ID_APPLICAZIONE));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // At 32 x 32 only: it is the icon of the windows that set none, the
    // message boxes, and every window is made with it before it takes its
    // own, so all its sizes would be read and sent to the desktop once more
    // for each window.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/immagini/icona.png")));
    aspetto::registraSostituzioni();
}
