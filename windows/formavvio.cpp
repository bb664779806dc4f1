// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "windows/formavvio.h"

#include "platform/numeri.h"
#include "colouring/colorecasuale.h"
#include "windows/accessibilita.h"
#include "windows/aspetto.h"
#include "windows/scena.h"
#include "windows/controlli.h"
#include "windows/dispositivo.h"
#include "windows/finestre.h"
#include "windows/fuoco.h"
#include "windows/layout.h"
#include "windows/messaggi.h"

#include <QLabel>

FormAvvio::FormAvvio(const Servizi &servizi, std::function<void()> apriGioco)
    : m_servizi(servizi)
    , m_apriGioco(std::move(apriGioco))
{
    using namespace layout::avvio;
    setWindowTitle(QString());
    setWindowIcon(aspetto::immagine("icona.png"));
    accessibilita::installa();
    // Opens at its size and grows evenly when maximised or full screen (F11).
    resize(LarghezzaInterna, AltezzaInterna);
    impostaColoreSfondo(Sfondo);
    auto *scena = new scena::Scena(QSize(LarghezzaInterna, AltezzaInterna), this);
    dispositivo::instradaPressioni(this);
    finestre::aggiungiSchermoIntero(this);
    fuoco::segui(this);

    setAccessibleName(QString::fromUtf8(layout::Titolo));
    m_titolo = new Etichetta(QString::fromUtf8(layout::Titolo), scena);
    m_titolo->setObjectName(QLatin1String(Nome::Titolo));
    scena::impostaCarattere(m_titolo, layout::ComicTitolo);
    m_titolo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scena::colloca(m_titolo, layout::avvio::EtichettaTitolo);

    m_bottoneAvvio = new PulsanteGrafico(scena);
    m_bottoneAvvio->setObjectName(QLatin1String(Nome::BottoneAvvio));
    m_bottoneAvvio->setText(QString::fromLatin1(Avvio));
    scena::impostaCarattere(m_bottoneAvvio, layout::ComicBottone);
    m_bottoneAvvio->setImmagine(aspetto::immagine("avvio.png"));
    scena::colloca(m_bottoneAvvio, layout::avvio::BottoneAvvio);
    m_bottoneAvvio->setFocus();
    connect(m_bottoneAvvio, &QAbstractButton::clicked, this, &FormAvvio::avvia);

    scegliSfondo();
}

void FormAvvio::scegliSfondo()
{
    messaggi::esegui(m_servizi.box, this, [this] {
        impostaColoreSfondo(static_cast<Colore>(numeri::aInt32(sfondo::ColoreCasuale(m_servizi.casuale))));
    });
}

void FormAvvio::impostaColoreSfondo(Colore colore)
{
    m_colore = colore;
    aspetto::impostaSfondo(this, colore);
}

void FormAvvio::avvia()
{
    messaggi::esegui(m_servizi.box, this, [this] {
        m_apriGioco();
        // Unloaded for good: nothing shows the start window again.
        setAttribute(Qt::WA_DeleteOnClose);
        close();
    });
}
