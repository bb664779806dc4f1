// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The installed game: the tree `cmake --install` lays out in any prefix, its
// relative links, its desktop metadata, the game started through the
// launcher from somewhere else, and the Debian package: made the same twice,
// its dependencies, and lintian's view of it.
//
// With BRINDEL_SCHERMATE set to a folder, the started game also leaves there a
// screenshot of each window (tools/make-screenshots.sh).

#include "comune/xvfb.h"
#include "platform/colore.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>

namespace {

const QString IdApplicazione = QStringLiteral(BRINDEL_APP_ID);
const QString CartellaProgramma = QStringLiteral(BRINDEL_INSTALL_DIR);
const QString Lanciatore = QStringLiteral("bin/tintar-i-brindel");
const QString LanciatoreDebian = QStringLiteral("games/tintar-i-brindel");
// Where the drawings and sounds lie: under /usr with Debian's games' data, elsewhere in share/.
const QString CartellaDati = QStringLiteral("share/tintar-i-brindel");
const QString CartellaDatiDebian = QStringLiteral("share/games/tintar-i-brindel");

struct Voce
{
    QString percorso; // relative to the prefix
    QString origine;  // the file it must be a copy of (once decompressed, for .gz)
    int lato = 0;     // a PNG icon's side
    bool eseguibile = false;
};

// Every file an install must lay out, and nothing else.
QList<Voce> vociAttese()
{
    const QString sorgenti = QStringLiteral(BRINDEL_SOURCE_DIR);
    QList<Voce> voci;
    voci.append({CartellaProgramma + QStringLiteral("/tintar-i-brindel"),
                 QStringLiteral(BRINDEL_PROGRAM_DIR "/tintar-i-brindel"), 0, true});
    for (int n = 1; n <= 12; ++n)
        voci.append({CartellaDati + QStringLiteral("/brindel/%1.gif").arg(n),
                     sorgenti + QStringLiteral("/brindel/%1.gif").arg(n)});
    for (const char *suono : {"si", "no", "fatto", "rifai"})
        voci.append({CartellaDati + QStringLiteral("/suoni/%1.wav").arg(QLatin1String(suono)),
                     sorgenti + QStringLiteral("/suoni/%1.wav").arg(QLatin1String(suono))});
    // The spoken names: each cell, row letter and column number.
    for (QChar r : QStringLiteral("abcde"))
        for (const QString &nome : {QString(r), r + QStringLiteral("1"), r + QStringLiteral("2"), r + QStringLiteral("3"), r + QStringLiteral("4")})
            voci.append({CartellaDati + QStringLiteral("/suoni/voce/%1.wav").arg(nome), sorgenti + QStringLiteral("/suoni/voce/%1.wav").arg(nome)});
    for (int n = 1; n <= 4; ++n)
        voci.append({CartellaDati + QStringLiteral("/suoni/voce/%1.wav").arg(n), sorgenti + QStringLiteral("/suoni/voce/%1.wav").arg(n)});
    voci.append({QStringLiteral("share/applications/") + IdApplicazione + QStringLiteral(".desktop"),
                 QStringLiteral(BRINDEL_DESKTOP_FILE)});
    voci.append({QStringLiteral("share/metainfo/") + IdApplicazione + QStringLiteral(".metainfo.xml"),
                 QStringLiteral(BRINDEL_METAINFO_FILE)});
    voci.append({QStringLiteral("share/icons/hicolor/scalable/apps/") + IdApplicazione + QStringLiteral(".svg"),
                 sorgenti + QStringLiteral("/packaging/icons/tintar-i-brindel.svg")});
    for (int lato : {48, 64, 128, 256})
        voci.append({QStringLiteral("share/icons/hicolor/%1x%1/apps/").arg(lato) + IdApplicazione + QStringLiteral(".png"),
                     sorgenti + QStringLiteral("/packaging/icons/%1x%1/tintar-i-brindel.png").arg(lato), lato});
    voci.append({QStringLiteral("share/doc/tintar-i-brindel/copyright"), QStringLiteral(BRINDEL_COPYRIGHT_FILE)});
    voci.append({QStringLiteral("share/doc/tintar-i-brindel/changelog.gz"), sorgenti + QStringLiteral("/packaging/changelog")});
    voci.append({QStringLiteral("share/man/man6/tintar-i-brindel.6.gz"), QStringLiteral(BRINDEL_BINARY_DIR "/packaging/tintar-i-brindel.6")});
    voci.append({QStringLiteral("share/man/it/man6/tintar-i-brindel.6.gz"),
                 QStringLiteral(BRINDEL_BINARY_DIR "/packaging/tintar-i-brindel.it.6")});
    return voci;
}

QByteArray contenuto(const QString &percorso)
{
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Standard output of a program, empty unless it ran to a zero exit status.
QByteArray uscitaDi(const QString &programma, const QStringList &argomenti, QString *errori = nullptr)
{
    QProcess p;
    p.start(programma, argomenti);
    const bool finito = p.waitForFinished(300000);
    if (errori)
        *errori = QString::fromLocal8Bit(p.readAllStandardError());
    if (!finito || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QByteArray();
    return p.readAllStandardOutput();
}

std::filesystem::path percorsoFs(const QString &percorso)
{
    return std::filesystem::path(QFile::encodeName(percorso).toStdString());
}

// Runs `cmake --install` on this build tree, DESTDIR set only when given.
bool installa(const QString &prefisso, const QString &destdir, QString *uscita)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DESTDIR"));
    if (!destdir.isEmpty())
        env.insert(QStringLiteral("DESTDIR"), destdir);
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral(BRINDEL_CMAKE_COMMAND),
            {QStringLiteral("--install"), QStringLiteral(BRINDEL_BINARY_DIR), QStringLiteral("--prefix"), prefisso});
    const bool finito = p.waitForFinished(120000);
    *uscita = QString::fromLocal8Bit(p.readAll());
    return finito && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

} // namespace

class TstInstallazione : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void albero_data();
    void albero();
    void nienteAltro();
    void collegamenti_data();
    void collegamenti();
    void validatori_data();
    void validatori();
    void avvio_data();
    void avvio();
    void schermate_data();
    void schermate();
    void riproducibile();
    void dipendenze();
    void lintian();

private:
    QTemporaryDir m_tmp;
    QString m_prefisso; // has a space and an accent in it
    QString m_radice;   // DESTDIR of an install with prefix /usr
    QString m_pacchetto; // the .deb, once riproducibile() has made it
};

void TstInstallazione::initTestCase()
{
    QVERIFY(m_tmp.isValid());
    m_prefisso = m_tmp.filePath(QStringLiteral("prova è qui/usr"));
    m_radice = m_tmp.filePath(QStringLiteral("radice è"));
    QString uscita;
    QVERIFY2(installa(m_prefisso, QString(), &uscita), qPrintable(uscita));
    QVERIFY2(installa(QStringLiteral("/usr"), m_radice, &uscita), qPrintable(uscita));
}

void TstInstallazione::albero_data()
{
    QTest::addColumn<QString>("percorso");
    QTest::addColumn<QString>("origine");
    QTest::addColumn<int>("lato");
    QTest::addColumn<bool>("eseguibile");
    for (const Voce &v : vociAttese())
        QTest::newRow(qPrintable(v.percorso)) << v.percorso << v.origine << v.lato << v.eseguibile;
}

void TstInstallazione::albero()
{
    // Each installed file is a faithful copy of what was built or shipped, in its place under the prefix.
    QFETCH(QString, percorso);
    QFETCH(QString, origine);
    QFETCH(int, lato);
    QFETCH(bool, eseguibile);

    const QString installato = m_prefisso + u'/' + percorso;
    const QFileInfo info(installato);
    QVERIFY2(info.isFile() && !info.isSymLink(), qPrintable(installato));
    const QByteArray atteso = contenuto(origine);
    QVERIFY2(!atteso.isEmpty(), qPrintable(origine));
    if (percorso.endsWith(QStringLiteral(".gz")))
        QVERIFY(uscitaDi(QStringLiteral("gzip"), {QStringLiteral("-dc"), installato}) == atteso);
    else
        QVERIFY(contenuto(installato) == atteso);
    QCOMPARE(info.isExecutable(), eseguibile);
    if (lato > 0) {
        const QImage icona(installato, "PNG");
        QCOMPARE(icona.size(), QSize(lato, lato));
    }
}

void TstInstallazione::nienteAltro()
{
    // The install lays out the expected files and the launcher, and nothing more.
    QSet<QString> attesi{Lanciatore};
    for (const Voce &v : vociAttese())
        attesi.insert(v.percorso);
    QSet<QString> trovati;
    QDirIterator it(m_prefisso, QDir::Files | QDir::System | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        trovati.insert(QDir(m_prefisso).relativeFilePath(it.next()));
    const QSet<QString> inPiu = trovati - attesi;
    const QSet<QString> mancanti = attesi - trovati;
    QVERIFY2(inPiu.isEmpty(), qPrintable(QStringList(inPiu.begin(), inPiu.end()).join(u' ')));
    QVERIFY2(mancanti.isEmpty(), qPrintable(QStringList(mancanti.begin(), mancanti.end()).join(u' ')));
}

void TstInstallazione::collegamenti_data()
{
    QTest::addColumn<QString>("prefisso");
    QTest::addColumn<QString>("collegamento");
    QTest::addColumn<QString>("bersaglio");
    QTest::addColumn<QString>("assente");
    const QString usr = m_radice + QStringLiteral("/usr");
    const QString eseguibile = CartellaProgramma + QStringLiteral("/tintar-i-brindel");
    QTest::newRow("lanciatore, prefisso con spazio e accento") << m_prefisso << Lanciatore << eseguibile << LanciatoreDebian;
    QTest::newRow("lanciatore, DESTDIR con prefisso /usr: games/, come in Debian") << usr << LanciatoreDebian << eseguibile << Lanciatore;
    for (const char *nome : {"brindel", "suoni"}) {
        const QString cartella = u'/' + QLatin1String(nome);
        QTest::addRow("%s/, prefisso con spazio e accento: share/", nome)
            << m_prefisso << CartellaProgramma + cartella << CartellaDati + cartella << CartellaDatiDebian;
        QTest::addRow("%s/, DESTDIR con prefisso /usr: share/games/, come in Debian", nome)
            << usr << CartellaProgramma + cartella << CartellaDatiDebian + cartella << CartellaDati;
    }
}

void TstInstallazione::collegamenti()
{
    // The launcher, and brindel/ and suoni/ beside the executable, are relative symbolic links that resolve to what was installed in its place.
    QFETCH(QString, prefisso);
    QFETCH(QString, collegamento);
    QFETCH(QString, bersaglio);
    QFETCH(QString, assente);
    QVERIFY(!QFileInfo::exists(prefisso + u'/' + assente));
    const std::filesystem::path link = percorsoFs(prefisso + u'/' + collegamento);
    QVERIFY(std::filesystem::is_symlink(std::filesystem::symlink_status(link)));
    const std::filesystem::path scritto = std::filesystem::read_symlink(link);
    QVERIFY2(scritto.is_relative(), scritto.c_str());
    const std::filesystem::path atteso = percorsoFs(prefisso + u'/' + bersaglio);
    QVERIFY(std::filesystem::exists(link));
    QVERIFY(!std::filesystem::is_symlink(std::filesystem::symlink_status(atteso)));
    QCOMPARE(QString::fromStdString(std::filesystem::canonical(link).string()),
             QString::fromStdString(std::filesystem::canonical(atteso).string()));
}

void TstInstallazione::validatori_data()
{
    QTest::addColumn<QString>("programma");
    QTest::addColumn<QStringList>("argomenti");
    QTest::newRow("desktop-file-validate")
        << QStringLiteral("desktop-file-validate") << QStringList{QStringLiteral(BRINDEL_DESKTOP_FILE)};
    QTest::newRow("appstreamcli validate")
        << QStringLiteral("appstreamcli")
        << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"), QStringLiteral(BRINDEL_METAINFO_FILE)};
    QTest::newRow("appstreamcli validate-tree")
        << QStringLiteral("appstreamcli")
        << QStringList{QStringLiteral("validate-tree"), QStringLiteral("--no-net"), m_radice};
    // The placeholder homepage's screenshots cannot be fetched, so the addresses are left unchecked.
    QTest::newRow("appstream-util validate-strict")
        << QStringLiteral("appstream-util")
        << QStringList{QStringLiteral("validate-strict"), QStringLiteral("--nonet"), QStringLiteral(BRINDEL_METAINFO_FILE)};
}

void TstInstallazione::validatori()
{
    // The desktop entry and the AppStream metadata pass their validators with no error, warning or hint.
    QFETCH(QString, programma);
    QFETCH(QStringList, argomenti);
    if (QStandardPaths::findExecutable(programma).isEmpty())
        QSKIP(qPrintable(programma + QStringLiteral(" is not installed")));
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programma, argomenti);
    QVERIFY(p.waitForFinished(60000));
    const QString uscita = QString::fromLocal8Bit(p.readAll());
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(uscita));
    static const QRegularExpression problema(QStringLiteral("(^\\s*[EW]: |: (error|warning|hint): |^\\s*• )"),
                                             QRegularExpression::MultilineOption);
    QVERIFY2(!problema.match(uscita).hasMatch(), qPrintable(uscita));
}

void TstInstallazione::avvio_data()
{
    QTest::addColumn<bool>("conDisegni");
    QTest::newRow("installazione completa") << true;
    QTest::newRow("senza brindel/") << false;
}

void TstInstallazione::avvio()
{
    // Started through bin/ from another folder, the game draws from the installed brindel/; without it, an error box.
    QFETCH(bool, conDisegni);
    prova::ServerX x;
    if (!x.avviato())
        QSKIP("Xvfb could not be started here");

    QString prefisso = m_prefisso;
    QTemporaryDir rotto(m_tmp.filePath(QStringLiteral("senza disegni è XXXXXX")));
    if (!conDisegni) {
        // The same install, less its drawings: proves the files come from this tree and nowhere else.
        prefisso = rotto.filePath(QStringLiteral("usr"));
        QString uscita;
        QVERIFY2(installa(prefisso, QString(), &uscita), qPrintable(uscita));
        QVERIFY(QDir(prefisso + u'/' + CartellaDati + QStringLiteral("/brindel")).removeRecursively());
    }

    QTemporaryDir altrove;
    prova::GiocoX gioco(x, prefisso + u'/' + Lanciatore, altrove.path());
    const QRect avvio = gioco.aspettaAvvio();
    QVERIFY2(!avvio.isEmpty(), gioco.mancato().constData());
    const QString schermate = qEnvironmentVariable("BRINDEL_SCHERMATE");
    if (conDisegni && !schermate.isEmpty()) {
        QVERIFY(x.schermo().copy(avvio).save(schermate + QStringLiteral("/avvio.png")));
    }

    if (!conDisegni) {
        // The missing drawing is reported in a box; dismissing it ends the program with a failure status.
        x.clicca(x.geometria(gioco.finestraAvvio).topLeft() + prova::centro(layout::avvio::BottoneAvvio));
        QByteArray errore;
        QTRY_VERIFY_WITH_TIMEOUT((errore += gioco.processo().readAllStandardError()).contains("brindel/"), 10000);
        QVERIFY(gioco.aspettaDomanda());
        x.tasto(QStringLiteral("Return"));
        QVERIFY(gioco.processo().waitForFinished(10000));
        QCOMPARE(gioco.processo().exitStatus(), QProcess::NormalExit);
        QVERIFY(gioco.processo().exitCode() != 0);
        return;
    }

    const QRect rb = gioco.premiAvvio();
    QVERIFY2(!rb.isEmpty(), gioco.mancato().constData());
    const QImage schermo = x.schermo();
    prova::salvaSchermata(schermo, QStringLiteral("installato"));
    if (!schermate.isEmpty())
        QVERIFY(schermo.copy(rb).save(schermate + QStringLiteral("/gioco.png")));
    QCOMPARE(prova::copertureNonGialle(schermo, prova::GiocoX::interno(rb)), QString());
    // Still the game window alone: no error box came up after it.
    QCOMPARE(x.finestre(QString::fromLatin1(prova::ClasseGioco)), QStringList{gioco.finestraGioco});
    QCOMPARE(gioco.processo().state(), QProcess::Running);
}

void TstInstallazione::schermate_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QSize>("minimo");
    QTest::newRow("finestra di avvio") << QStringLiteral("avvio.png") << QSize(layout::avvio::LarghezzaInterna, layout::avvio::AltezzaInterna);
    QTest::newRow("finestra del gioco") << QStringLiteral("gioco.png") << QSize(600, 400);
}

void TstInstallazione::schermate()
{
    // Each screenshot the software centres are told of is in the repository, a window's picture, not an empty screen.
    QFETCH(QString, nome);
    QFETCH(QSize, minimo);
    const QString metainfo = QString::fromUtf8(contenuto(QStringLiteral(BRINDEL_METAINFO_FILE)));
    QVERIFY(metainfo.contains(QStringLiteral("<image>" BRINDEL_SCREENSHOT_URL) + nome + QStringLiteral("</image>")));
    const QImage img(QStringLiteral(BRINDEL_SOURCE_DIR "/packaging/schermate/") + nome, "PNG");
    QVERIFY2(!img.isNull(), qPrintable(nome));
    QVERIFY(img.width() >= minimo.width() && img.height() >= minimo.height());
    QVERIFY(img.width() < 1024 || img.height() < 768);
    QSet<QRgb> colori;
    for (int y = 0; y < img.height(); y += 7)
        for (int x = 0; x < img.width(); x += 7)
            colori.insert(img.pixel(x, y));
    QVERIFY(colori.size() > 3);
}

void TstInstallazione::riproducibile()
{
    // Two packages made of one build, with SOURCE_DATE_EPOCH unset, are the same file, stamped with the last commit's time.
    if (QStandardPaths::findExecutable(QStringLiteral("dpkg-shlibdeps")).isEmpty())
        QSKIP("dpkg-shlibdeps is not installed (test.sh installs it)");
    QStringList pacchetti;
    for (const char *cartella : {"pacchetto", "di nuovo"}) {
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("SOURCE_DATE_EPOCH"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::MergedChannels);
        const QString uscita = m_tmp.filePath(QLatin1String(cartella));
        p.start(QStringLiteral(BRINDEL_CPACK_COMMAND),
                {QStringLiteral("-G"), QStringLiteral("DEB"), QStringLiteral("--config"),
                 QStringLiteral(BRINDEL_BINARY_DIR "/CPackConfig.cmake"), QStringLiteral("-B"), uscita});
        QVERIFY(p.waitForFinished(300000));
        const QByteArray detto = p.readAll();
        QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, detto.constData());
        const QStringList trovati = QDir(uscita).entryList({QStringLiteral("*.deb")});
        QCOMPARE(trovati.size(), 1);
        pacchetti << uscita + u'/' + trovati.first();
    }
    m_pacchetto = pacchetti.first();
    const QByteArray primo = contenuto(pacchetti[0]);
    QVERIFY(!primo.isEmpty());
    QVERIFY(primo == contenuto(pacchetti[1]));

    // ar's header of the first member holds its time stamp, 12 characters from byte 8 + 16.
    const QByteArray commit = uscitaDi(QStringLiteral("git"), {QStringLiteral("-C"), QStringLiteral(BRINDEL_SOURCE_DIR),
                                                              QStringLiteral("log"), QStringLiteral("-1"), QStringLiteral("--format=%ct")})
                                  .trimmed();
    if (commit.isEmpty())
        QSKIP("not a git checkout: the package's time is the changelog's");
    QCOMPARE(primo.mid(8 + 16, 12).trimmed(), commit);
}

void TstInstallazione::dipendenze()
{
    // Each dependency asks for a version, and none is a Qt translation: the program writes its buttons' Italian itself.
    if (m_pacchetto.isEmpty())
        QSKIP("no package was made");
    // The sanitizers' runtime, and the libraries a sanitized link keeps, are no package's dependencies.
    if (BRINDEL_SANITIZZATO)
        QSKIP("a sanitized build's package depends on the sanitizers' runtime");
    const QString campo = QString::fromUtf8(uscitaDi(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), m_pacchetto, QStringLiteral("Depends")}))
                              .trimmed();
    QVERIFY(!campo.isEmpty());
    static const QRegularExpression versionata(QStringLiteral("^[a-z0-9][a-z0-9+.-]+(:any)? \\((>=|=|>>) [^ )]+\\)$"));
    QStringList senzaVersione;
    for (const QString &voce : campo.split(QStringLiteral(", "))) {
        QVERIFY2(!voce.contains(QLatin1String("translations")) && !voce.contains(QLatin1String("l10n")), qPrintable(voce));
        for (const QString &alternativa : voce.split(QStringLiteral(" | ")))
            if (!versionata.match(alternativa).hasMatch())
                senzaVersione << alternativa;
    }
    QVERIFY2(senzaVersione.isEmpty(), qPrintable(senzaVersione.join(QStringLiteral(", "))));
}

void TstInstallazione::lintian()
{
    // lintian, overrides ignored, finds nothing in the package but the executable in its private folder, which the one override covers.
    if (!BRINDEL_INDURITO)
        QSKIP("this build is not hardened (Debug, sanitizers or BRINDEL_HARDENING=OFF): lintian would rightly object");
    if (QStandardPaths::findExecutable(QStringLiteral("lintian")).isEmpty())
        QSKIP("lintian is not installed (test.sh installs it)");
    if (m_pacchetto.isEmpty())
        QSKIP("no package was made");
    // Overridden tags show as "O:"; an override that matches nothing would show as a tag of its own.
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("lintian"), {QStringLiteral("-I"), QStringLiteral("-E"), QStringLiteral("--pedantic"),
                                        QStringLiteral("--show-overrides"), QStringLiteral("--tag-display-limit"),
                                        QStringLiteral("0"), m_pacchetto});
    QVERIFY(p.waitForFinished(300000));
    const QString uscita = QString::fromLocal8Bit(p.readAll());
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(uscita));
    static const QRegularExpression etichetta(QStringLiteral("^([EWIPXO]): tintar-i-brindel: (\\S+)"),
                                              QRegularExpression::MultilineOption);
    QStringList etichette;
    for (auto it = etichetta.globalMatch(uscita); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        etichette << m.captured(1) + u' ' + m.captured(2);
    }
    QVERIFY2(etichette == QStringList{QStringLiteral("O executable-in-usr-lib")}, qPrintable(uscita));
}

QTEST_GUILESS_MAIN(TstInstallazione)
#include "tst_installazione.moc"
