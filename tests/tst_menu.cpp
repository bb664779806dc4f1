// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The menu commands: the About box, the exit question, and Qt's buttons in Italian.

#include "comune/gif.h"
#include "comune/registratori.h"
#include "shell/menu.h"
#include "shell/programma.h"
#include "windows/controlli.h"
#include "windows/formbrindel.h"

#include "platform/errore.h"
#include "windows/formavvio.h"

#include <QAbstractButton>
#include <QAction>
#include <QCryptographicHash>
#include <QFrame>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

namespace {

// Everything a child could see of a game, to compare before and after.
QString istantanea(const FormBrindel &f)
{
    QString s;
    const auto &p = f.partita();
    s += QStringLiteral("%1|%2|%3|%4|%5|%6|").arg(p.Coordinata()).arg(p.Trovati()).arg(p.Numero()).arg(p.Errori()).arg(f.ColoreScelto()).arg(int(p.fase()));
    for (int i = 0; i < 20; ++i)
        s += QStringLiteral("%1:%2,").arg(f.copertura(i)->isVisible()).arg(f.copertura(i)->coloreProprio().value_or(0));
    s += QString::number(f.cornice()->isVisible()) + QString::number(f.avanti()->isVisible());
    const QImage &img = f.riquadroDisegno()->superficie();
    s += QString::fromLatin1(QCryptographicHash::hash(QByteArrayView(img.constBits(), img.sizeInBytes()), QCryptographicHash::Md5).toHex());
    return s;
}

} // namespace

namespace {

// The menu commands as the program gives them to its game window.
FormBrindel::ComandiMenu comandi()
{
    return {menu::MostraInformazioni, menu::ChiediUscita};
}

} // namespace

class TstMenu : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void testoInformazioni();
    void boxInformazioni();
    void uscitaNoNonCambiaNulla_data();
    void uscitaNoNonCambiaNulla();
    void uscitaSiTermina();
    void erroreTerminaInOgniMomento_data();
    void erroreTerminaInOgniMomento();
    void boxVeri_data();
    void boxVeri();
    void memoriaEsaurita_data();
    void memoriaEsaurita();
};

void TstMenu::initTestCase()
{
    Programma::preparaApplicazione();
}

void TstMenu::testoInformazioni()
{
    // The About text is four lines joined by CR LF, built from the project's own details.
    const QString atteso = QStringLiteral(BRINDEL_AUTORE_PROVA "  \r\n ----------------------- \r\n" BRINDEL_SITO_PROVA "\r\nmail: " BRINDEL_POSTA_PROVA);
    QCOMPARE(menu::testoInformazioni(), atteso);
    const QStringList righe = menu::testoInformazioni().split(QStringLiteral("\r\n"));
    QCOMPARE(righe.size(), 4);
    QCOMPARE(righe[1].count(u'-'), 23);
    QVERIFY(!menu::testoInformazioni().endsWith(u'\n'));
}

void TstMenu::boxInformazioni()
{
    // "Informazioni" shows the About text with OK alone, the information icon and the title.
    prova::Sostituti<> banco;
    FormBrindel f(banco.servizi(), comandi());
    f.voceInformazioni()->trigger();
    QCOMPARE(banco.messaggi.box.size(), 1);
    QCOMPARE(banco.messaggi.box[0].messaggio.testo, menu::testoInformazioni());
    QCOMPARE(messaggi::flags(banco.messaggi.box[0].messaggio.pulsanti, banco.messaggi.box[0].messaggio.icona), 64);
    QCOMPARE(banco.messaggi.box[0].messaggio.titolo, QStringLiteral("Tintar i Brindel"));
    QCOMPARE(banco.messaggi.box[0].sopra, &f);
    QVERIFY(!messaggi::terminato());
}

void TstMenu::uscitaNoNonCambiaNulla_data()
{
    QTest::addColumn<bool>("colorando");
    QTest::newRow("ricerca") << false;
    QTest::newRow("colorazione") << true;
}

void TstMenu::uscitaNoNonCambiaNulla()
{
    // Answering No to "Esci" leaves picture, covers, counters and chosen colour exactly as they were.
    QFETCH(bool, colorando);
    prova::Sostituti<> banco(17);
    banco.messaggi.risposta = messaggi::Risposta::No;
    FormBrindel f(banco.servizi(), comandi());
    f.show();
    f.rispondi(f.partita().Numero());
    f.rispondi(f.partita().Numero() == 3 ? 4 : 3);
    if (colorando) {
        while (f.partita().fase() == gioco::Fase::Ricerca)
            f.rispondi(f.partita().Numero());
        f.scegliColore(20);
        f.premiDisegno(Qt::LeftButton, {}, 100, 100);
    }
    const QString prima = istantanea(f);
    f.voceEsci()->trigger();
    QCOMPARE(banco.messaggi.box.size(), 1);
    QCOMPARE(banco.messaggi.box[0].messaggio.testo, QStringLiteral("Vuoi tornare al menù?"));
    QCOMPARE(messaggi::flags(banco.messaggi.box[0].messaggio.pulsanti, banco.messaggi.box[0].messaggio.icona), 36);
    QCOMPARE(banco.messaggi.box[0].messaggio.titolo, QStringLiteral("Tintar i Brindel"));
    QCOMPARE(banco.messaggi.box[0].sopra, &f);
    QCOMPARE(istantanea(f), prima);
    QVERIFY(!messaggi::terminato());
}

void TstMenu::uscitaSiTermina()
{
    // Answering Yes ends the program at once with status 0 and no further message.
    prova::Sostituti<> banco;
    banco.messaggi.risposta = messaggi::Risposta::Si;
    FormBrindel f(banco.servizi(), comandi());
    f.voceEsci()->trigger();
    QVERIFY(messaggi::terminato());
    QCOMPARE(messaggi::codiceUscita(), 0);
    f.voceInformazioni()->trigger();
    QCOMPARE(banco.messaggi.box.size(), 1);
}

void TstMenu::erroreTerminaInOgniMomento_data()
{
    QTest::addColumn<QString>("momento");
    QTest::addColumn<int>("codice");
    // The start window's colour cannot be drawn: the error comes before the event loop runs.
    QTest::newRow("all'avvio") << "avvio" << uscita::ErroreInterno;
    // "Avvio" opens a game whose drawing is missing.
    QTest::newRow("nel ciclo") << "ciclo" << uscita::FileNonCaricato;
    // An error while the exit question is on the screen.
    QTest::newRow("dentro un box") << "box" << uscita::ErroreInterno;
}

void TstMenu::erroreTerminaInOgniMomento()
{
    // Wherever an error comes, its box is shown, then the windows close and the program ends with its status.
    QFETCH(QString, momento);
    QFETCH(int, codice);
    struct Ripristino
    {
        ~Ripristino() { messaggi::ripristina(); }
    } ripristino;
    // The real boxes, on the offscreen screen; a folder without drawings for the game that cannot start, and no
    // random values at all for the start window that cannot draw its colour.
    messaggi::BoxVeri veri;
    prova::RegistroSuoni suoni;
    QTemporaryDir dir;
    if (momento != QLatin1String("ciclo"))
        prova::scriviDisegni(dir.path());
    const prova::CartellaFissa cartella(dir.path());
    casuale::Sequenza senzaValori({});
    casuale::Generatore generatore(1);
    const Servizi servizi{suoni, momento == QLatin1String("avvio") ? static_cast<casuale::Sorgente &>(senzaValori) : generatore,
                          cartella, veri};

    int uscito = 0;
    bool scaduto = false;
    QStringList visti;
    {
        // The boxes on the screen: the error's is answered OK; the exit question gets the error raised inside it.
        QPointer<QMessageBox> ultimo;
        QTimer errore;
        errore.setSingleShot(true);
        connect(&errore, &QTimer::timeout, this, [&veri] {
            messaggi::esegui(veri, nullptr, [] { throw ErroreEsecuzione(ErroreEsecuzione::Tipo::Overflow); });
        });
        QTimer occhio;
        connect(&occhio, &QTimer::timeout, this, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || box == ultimo)
                return;
            ultimo = box;
            visti << box->text();
            if (box->button(QMessageBox::Ok))
                box->button(QMessageBox::Ok)->click();
            else
                errore.start(0);
        });
        occhio.start(20);
        // A program that fails to end is stopped here, and the test fails.
        QTimer guardia;
        guardia.setSingleShot(true);
        connect(&guardia, &QTimer::timeout, this, [&] {
            scaduto = true;
            QCoreApplication::exit(-1);
        });
        guardia.start(5000);

        Programma programma(servizi);
        QTimer gioca;
        gioca.setSingleShot(true);
        connect(&gioca, &QTimer::timeout, this, [&] {
            programma.formAvvio()->bottoneAvvio()->click();
            if (programma.formBrindel() && programma.formBrindel()->isVisible())
                programma.formBrindel()->voceEsci()->trigger();
        });
        programma.avvia();
        gioca.start(0);
        uscito = messaggi::cicloPrincipale();
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }
    QVERIFY(!scaduto);
    QCOMPARE(uscito, codice);
    QCOMPARE(visti.size(), momento == QLatin1String("box") ? 2 : 1);
    QVERIFY2(visti.constLast().endsWith(QStringLiteral("Il programma verrà chiuso.")), qPrintable(visti.join(u'|')));
    // Nothing of that end is left over for the next event loop.
    messaggi::ripristina();
    QEventLoop dopo;
    QTimer::singleShot(0, &dopo, [&] { dopo.exit(7); });
    QCOMPARE(dopo.exec(), 7);
}

void TstMenu::boxVeri_data()
{
    QTest::addColumn<bool>("siNo");
    QTest::addColumn<int>("icona");
    QTest::addColumn<QStringList>("bottoni");
    QTest::newRow("informazioni") << false << int(QMessageBox::Information) << QStringList{"OK"};
    QTest::newRow("uscita") << true << int(QMessageBox::Question) << QStringList{"&Sì", "&No"};
}

void TstMenu::boxVeri()
{
    // The real boxes have exactly their buttons, in Italian with their Alt letters and no Qt translation, Yes the default
    // and No for Escape; a box opens centred over its window, away from the middle of the screen, whichever window is active.
    QFETCH(bool, siNo);
    QFETCH(int, icona);
    QFETCH(QStringList, bottoni);
    QWidget sopra;
    sopra.setGeometry(30, 40, 500, 400);
    sopra.show();
    QWidget altra;
    altra.setGeometry(300, 100, 400, 400);
    altra.show();
    QApplication::setActiveWindow(&altra);
    const messaggi::Messaggio messaggio{QStringLiteral("x"), siNo ? messaggi::Pulsanti::SiNo : messaggi::Pulsanti::Ok,
                                        siNo ? messaggi::Icona::Domanda : messaggi::Icona::Informazione, QStringLiteral("Tintar i Brindel")};
    const auto box = messaggi::creaBox(messaggio, &sopra);
    box->show();
    QCOMPARE(box->geometry().center(), sopra.geometry().center());
    QCOMPARE(int(box->icon()), icona);
    QCOMPARE(box->windowTitle(), QStringLiteral("Tintar i Brindel"));
    QStringList testi;
    for (QAbstractButton *b : box->buttons())
        testi << b->text();
    testi.sort();
    bottoni.sort();
    QCOMPARE(testi, bottoni);
    if (siNo) {
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Yes));
        QCOMPARE(box->escapeButton(), box->button(QMessageBox::No));
    }
}

void TstMenu::memoriaEsaurita_data()
{
    QTest::addColumn<bool>("boxPossibile");
    QTest::newRow("il box si costruisce") << true;
    QTest::newRow("neppure il box") << false;
}

void TstMenu::memoriaEsaurita()
{
    // Memory that runs out in a handler ends the program with its status, whether or not the box can still be
    // built then: never an exception out of the handler.
    QFETCH(bool, boxPossibile);
    struct Box final : messaggi::Box
    {
        bool possibile = true;
        QStringList testi;
        messaggi::Risposta mostra(const messaggi::Messaggio &messaggio, QWidget *) override
        {
            if (!possibile)
                throw std::bad_alloc();
            testi << messaggio.testo;
            return messaggi::Risposta::Ok;
        }
    } box;
    box.possibile = boxPossibile;
    struct Ripristino
    {
        ~Ripristino() { messaggi::ripristina(); }
    } ripristino;
    messaggi::ripristina();
    bool uscita = false;
    try {
        messaggi::esegui(box, nullptr, [] { throw std::bad_alloc(); });
    } catch (...) {
        uscita = true;
    }
    QVERIFY(!uscita);
    QVERIFY(messaggi::terminato());
    QCOMPARE(messaggi::codiceUscita(), uscita::MemoriaEsaurita);
    QCOMPARE(box.testi.size(), boxPossibile ? 1 : 0);
    if (boxPossibile)
        QVERIFY(box.testi[0].startsWith(QStringLiteral("Memoria esaurita.")));
}

QTEST_MAIN(TstMenu)
#include "tst_menu.moc"
