// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// Our flood fill against OpenCV's cv::floodFill on the very same pixels: a
// CV_32SC1 matrix header laid over the QImage's buffer, 4-connected, with no
// tolerance. Every case alternates two fill colours so that each pair of
// iterations puts the picture back as it was and only the fill is timed.
// Repetitions of all cases run interleaved, so each repetition gives one
// ratio of ours to OpenCV's measured side by side; the summary shows the
// median, the least and the greatest of them.

#include "colouring/riempimento.h"
#include "tests/comune/aree.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <QCoreApplication>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <stack>
#include <string>
#include <vector>

// The memory yardstick: a plain conditional read-modify-write loop over a
// buffer, compiled for this processor (memoria.cpp).
void ricoloraTutto(std::uint32_t *pixel, std::size_t quanti, std::uint32_t regione, std::uint32_t nuovo);

namespace {

constexpr Colore Bianco = 0xFFFFFF;
constexpr Colore Nero = 0x000000;
constexpr Colore Altro = 0x00C000; // the second colour each case alternates with

riempimento::Percorso percorso = riempimento::percorsoScelto();

struct Caso {
    std::string nome;
    std::string descrizione;
    QImage immagine;
    std::vector<QPoint> semi; // one fill per seed per iteration
    std::int64_t pixelPerIterazione = 0;
    double obiettivo = 0; // minimum speed-up, or maximum ns per fill when perChiamata
    bool perChiamata = false;
};

std::int32_t pixelOpenCV(Colore c) { return static_cast<std::int32_t>(colore::aRgb(c)); }

cv::Mat comeMatrice(QImage &immagine)
{
    return cv::Mat(immagine.height(), immagine.width(), CV_32SC1, immagine.bits(),
                   static_cast<std::size_t>(immagine.bytesPerLine()));
}

// --- pictures --------------------------------------------------------------

QImage paginaGenerata()
{
    QImage pagina(320, 466, QImage::Format_RGB32);
    pagina.fill(colore::aRgb(Bianco));
    QPainter p(&pagina);
    p.setPen(QPen(colore::aQColor(Nero), 3));
    p.drawEllipse(QPoint(160, 150), 90, 80);
    p.drawEllipse(QPoint(160, 330), 110, 100);
    p.drawEllipse(QPoint(160, 330), 50, 70);
    p.drawEllipse(QPoint(125, 130), 15, 20);
    p.drawEllipse(QPoint(195, 130), 15, 20);
    QPainterPath stella;
    for (int i = 0; i < 10; ++i) {
        const double r = i % 2 == 0 ? 40 : 16;
        const double a = -M_PI / 2 + i * M_PI / 5;
        const QPointF q(260 + r * std::cos(a), 50 + r * std::sin(a));
        i == 0 ? stella.moveTo(q) : stella.lineTo(q);
    }
    stella.closeSubpath();
    p.drawPath(stella);
    p.drawRect(20, 20, 60, 40);
    p.drawLine(0, 450, 320, 440);
    return pagina;
}

QImage pagina(std::string &origine)
{
    const QString file = QStringLiteral(BRINDEL_SOURCE_DIR "/brindel/1.gif");
    QImage letta;
    if (QFileInfo::exists(file) && letta.load(file)) {
        origine = "brindel/1.gif";
        return letta.convertToFormat(QImage::Format_RGB32);
    }
    origine = "generated page";
    return paginaGenerata();
}

// Random pixels, `bianchi` percent of them white (the rest black).
QImage rumore(int lato, int bianchi, unsigned seme)
{
    QImage immagine(lato, lato, QImage::Format_RGB32);
    std::mt19937 caso(seme);
    std::uniform_int_distribution<int> cento(0, 99);
    for (int y = 0; y < lato; ++y) {
        auto *riga = reinterpret_cast<QRgb *>(immagine.scanLine(y));
        for (int x = 0; x < lato; ++x)
            riga[x] = colore::aRgb(cento(caso) < bianchi ? Bianco : Nero);
    }
    return immagine;
}

// A perfect maze (exactly one path between any two cells) of one-pixel
// corridors and walls, dug by a depth-first walk in random order.
QImage labirintoPerfetto(int lato, unsigned seme)
{
    QImage immagine(lato, lato, QImage::Format_RGB32);
    immagine.fill(colore::aRgb(Nero));
    const auto scava = [&immagine](int x, int y) {
        reinterpret_cast<QRgb *>(immagine.scanLine(y))[x] = colore::aRgb(Bianco);
    };
    const int celle = lato / 2; // cell (i, j) is pixel (2i, 2j)
    std::vector<char> visitata(static_cast<std::size_t>(celle) * celle, 0);
    std::mt19937 caso(seme);
    std::stack<std::pair<int, int>> pila;
    pila.emplace(0, 0);
    visitata[0] = 1;
    scava(0, 0);
    constexpr int Passi[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    while (!pila.empty()) {
        const auto [i, j] = pila.top();
        int liberi[4];
        int n = 0;
        for (int d = 0; d < 4; ++d) {
            const int ni = i + Passi[d][0];
            const int nj = j + Passi[d][1];
            if (ni >= 0 && nj >= 0 && ni < celle && nj < celle
                && !visitata[static_cast<std::size_t>(nj) * celle + ni])
                liberi[n++] = d;
        }
        if (n == 0) {
            pila.pop();
            continue;
        }
        const int d = liberi[std::uniform_int_distribution<int>(0, n - 1)(caso)];
        const int ni = i + Passi[d][0];
        const int nj = j + Passi[d][1];
        visitata[static_cast<std::size_t>(nj) * celle + ni] = 1;
        scava(2 * i + Passi[d][0], 2 * j + Passi[d][1]);
        scava(2 * ni, 2 * nj);
        pila.emplace(ni, nj);
    }
    return immagine;
}

// A square spiral: a one-pixel corridor that winds inward from the top-left
// corner between one-pixel walls.
QImage spirale(int lato)
{
    QImage immagine(lato, lato, QImage::Format_RGB32);
    immagine.fill(colore::aRgb(Nero));
    int x = 0;
    int y = 0;
    reinterpret_cast<QRgb *>(immagine.scanLine(0))[0] = colore::aRgb(Bianco);
    constexpr int Passi[4][2] = {{1, 0}, {0, 1}, {-1, 0}, {0, -1}};
    // Legs of lato-1, lato-1, lato-1, then two of each length, 2 shorter.
    int lunghezza = lato - 1;
    for (int tratto = 0; lunghezza > 0; ++tratto) {
        for (int k = 0; k < lunghezza; ++k) {
            x += Passi[tratto % 4][0];
            y += Passi[tratto % 4][1];
            reinterpret_cast<QRgb *>(immagine.scanLine(y))[x] = colore::aRgb(Bianco);
        }
        if (tratto >= 2 && tratto % 2 == 0)
            lunghezza -= 2;
    }
    return immagine;
}

// A comb: the top row white, and from it one-pixel teeth hanging down to
// the bottom between one-pixel walls.
QImage pettine(int lato)
{
    QImage immagine(lato, lato, QImage::Format_RGB32);
    immagine.fill(colore::aRgb(Bianco));
    for (int y = 1; y < lato; ++y) {
        auto *riga = reinterpret_cast<QRgb *>(immagine.scanLine(y));
        for (int x = 1; x < lato; x += 2)
            riga[x] = colore::aRgb(Nero);
    }
    return immagine;
}

// The largest 4-connected white area: a pixel of it and its size.
prova::Area piuGrande(const QImage &immagine)
{
    cv::Mat bianchi(immagine.height(), immagine.width(), CV_8UC1);
    for (int y = 0; y < immagine.height(); ++y) {
        const auto *riga = reinterpret_cast<const QRgb *>(immagine.constScanLine(y));
        for (int x = 0; x < immagine.width(); ++x)
            bianchi.at<std::uint8_t>(y, x) = colore::daRgb(riga[x]) == Bianco ? 1 : 0;
    }
    cv::Mat etichette, statistiche, centri;
    const int n = cv::connectedComponentsWithStats(bianchi, etichette, statistiche, centri, 4, CV_32S);
    int migliore = 0;
    for (int i = 1; i < n; ++i)
        if (migliore == 0 || statistiche.at<int>(i, cv::CC_STAT_AREA) > statistiche.at<int>(migliore, cv::CC_STAT_AREA))
            migliore = i;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            if (etichette.at<int>(y, x) == migliore)
                return {QPoint(x, y), statistiche.at<int>(migliore, cv::CC_STAT_AREA), false};
    std::fprintf(stderr, "a noise picture has no white pixel\n");
    std::exit(1);
}

QImage scacchiera(int lato)
{
    QImage immagine(lato, lato, QImage::Format_RGB32);
    for (int y = 0; y < lato; ++y) {
        auto *riga = reinterpret_cast<QRgb *>(immagine.scanLine(y));
        for (int x = 0; x < lato; ++x)
            riga[x] = colore::aRgb((x + y) % 2 == 0 ? Bianco : Nero);
    }
    return immagine;
}

std::vector<Caso> &casi()
{
    static std::vector<Caso> tutti;
    return tutti;
}

std::int64_t contaBianchi(const QImage &immagine)
{
    std::int64_t n = 0;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            n += colore::daRgb(immagine.pixel(x, y)) == Bianco ? 1 : 0;
    return n;
}

void preparaCasi()
{
    std::string origine;
    const QImage disegno = pagina(origine);
    const auto aree = prova::areeBianche(disegno);
    const prova::Area *chiusa = nullptr;
    const prova::Area *sfondo = nullptr;
    for (const auto &a : aree) {
        if (!a.alBordo && (!chiusa || a.pixel > chiusa->pixel))
            chiusa = &a;
        if (a.alBordo && (!sfondo || a.pixel > sfondo->pixel))
            sfondo = &a;
    }
    if (!chiusa || !sfondo) {
        std::fprintf(stderr, "the page has no closed white area or no background\n");
        std::exit(1);
    }
    casi().push_back({"1a page, closed area", origine + ", largest closed white area", disegno.copy(),
                      {chiusa->seme}, chiusa->pixel, 3});
    casi().push_back({"1b page, background", origine + ", the white background", disegno.copy(),
                      {sfondo->seme}, sfondo->pixel, 3});

    constexpr int Lato = 4096;
    QImage bianco(Lato, Lato, QImage::Format_RGB32);
    bianco.fill(colore::aRgb(Bianco));
    casi().push_back({"2 white 4096", "4096 x 4096 all white, from the centre", bianco,
                      {QPoint(Lato / 2, Lato / 2)}, std::int64_t{Lato} * Lato, 3});

    for (const int corridoio : {1, 2, 3, 4, 5, 8, 15}) {
        QImage corridoi = prova::serpentina(Lato, corridoio);
        const std::int64_t bianchi = contaBianchi(corridoi);
        casi().push_back({"3 corridors " + std::to_string(corridoio),
                          "4096 x 4096 serpentine of vertical corridors " + std::to_string(corridoio)
                              + " px wide between 1-pixel walls",
                          std::move(corridoi), {QPoint(0, 0)}, bianchi, 1.3});
    }
    for (const int bianchi : {50, 60, 70, 80}) {
        QImage puntini = rumore(Lato, bianchi, 20250101u + static_cast<unsigned>(bianchi));
        const prova::Area area = piuGrande(puntini);
        casi().push_back({"5 noise " + std::to_string(bianchi) + "%",
                          "4096 x 4096 random pixels, " + std::to_string(bianchi)
                              + "% white, the largest white area",
                          std::move(puntini), {area.seme}, area.pixel, 1.3});
    }
    {
        QImage vie = labirintoPerfetto(Lato, 20250102u);
        const std::int64_t bianchi = contaBianchi(vie);
        casi().push_back({"6 perfect maze", "4096 x 4096 random perfect maze, 1-pixel corridors and walls",
                          std::move(vie), {QPoint(0, 0)}, bianchi, 1.3});
    }
    {
        QImage giri = spirale(Lato);
        const std::int64_t bianchi = contaBianchi(giri);
        casi().push_back({"7 spiral", "4096 x 4096 square spiral, 1-pixel corridor and walls", std::move(giri),
                          {QPoint(0, 0)}, bianchi, 1.3});
    }
    {
        QImage denti = pettine(Lato);
        const std::int64_t bianchi = contaBianchi(denti);
        casi().push_back({"8 comb", "4096 x 4096 comb, 2048 one-pixel teeth hanging from the top row",
                          std::move(denti), {QPoint(Lato / 2, 0)}, bianchi, 1.3});
    }

    // The white cells of two rows in the middle, row after row: one fill
    // each, a single pixel every time.
    Caso celle{"4 checkerboard 4096", "4096 x 4096 1-pixel checkerboard, 4096 single-pixel fills",
               scacchiera(Lato), {}, 0, 25, true};
    for (int y = Lato / 2; y < Lato / 2 + 2; ++y)
        for (int x = y % 2; x < Lato; x += 2)
            celle.semi.emplace_back(x, y);
    celle.pixelPerIterazione = static_cast<std::int64_t>(celle.semi.size());
    casi().push_back(std::move(celle));
}

// Both fills, once each on copies, must leave the same pixels, or the
// comparison means nothing.
void verificaUguali()
{
    for (auto &c : casi()) {
        QImage nostra = c.immagine.copy();
        QImage loro = c.immagine.copy();
        cv::Mat m = comeMatrice(loro);
        std::int64_t dipinti = 0;
        for (const QPoint s : c.semi) {
            const QRect r = riempimento::riempi(nostra, s.x(), s.y(), Bianco, Altro, percorso);
            dipinti += r.isEmpty() ? 0 : 1;
            cv::floodFill(m, cv::Point(s.x(), s.y()), cv::Scalar(pixelOpenCV(Altro)), nullptr,
                          cv::Scalar(), cv::Scalar(), 4);
        }
        if (nostra != loro || dipinti != static_cast<std::int64_t>(c.semi.size())) {
            std::fprintf(stderr, "%s: the two fills disagree\n", c.nome.c_str());
            std::exit(1);
        }
    }
}

// --- benchmarks -------------------------------------------------------------

void contatori(benchmark::State &stato, const Caso &c)
{
    stato.counters["pixel/s"] = benchmark::Counter(static_cast<double>(c.pixelPerIterazione),
                                                   benchmark::Counter::kIsIterationInvariantRate);
    stato.counters["s/fill"] = benchmark::Counter(static_cast<double>(c.semi.size()),
                                                  benchmark::Counter::kIsIterationInvariantRate
                                                      | benchmark::Counter::kInvert);
}

void nostro(benchmark::State &stato, Caso *c)
{
    bool andata = true;
    for (auto _ : stato) {
        for (const QPoint s : c->semi)
            benchmark::DoNotOptimize(riempimento::riempi(c->immagine, s.x(), s.y(), andata ? Bianco : Altro,
                                                         andata ? Altro : Bianco, percorso));
        andata = !andata;
    }
    if (!andata)
        for (const QPoint s : c->semi)
            riempimento::riempi(c->immagine, s.x(), s.y(), Altro, Bianco, percorso);
    contatori(stato, *c);
}

void opencv(benchmark::State &stato, Caso *c)
{
    cv::Mat m = comeMatrice(c->immagine);
    const cv::Scalar bianco(pixelOpenCV(Bianco));
    const cv::Scalar altro(pixelOpenCV(Altro));
    bool andata = true;
    for (auto _ : stato) {
        for (const QPoint s : c->semi)
            benchmark::DoNotOptimize(cv::floodFill(m, cv::Point(s.x(), s.y()), andata ? altro : bianco, nullptr,
                                                   cv::Scalar(), cv::Scalar(), 4));
        andata = !andata;
    }
    if (!andata)
        for (const QPoint s : c->semi)
            cv::floodFill(m, cv::Point(s.x(), s.y()), bianco, nullptr, cv::Scalar(), cv::Scalar(), 4);
    contatori(stato, *c);
}

// Every pixel of the picture through the plain loop, colours alternating
// as in the fills.
void memoria(benchmark::State &stato, Caso *c)
{
    auto *pixel = reinterpret_cast<std::uint32_t *>(c->immagine.bits());
    const auto quanti = static_cast<std::size_t>(c->immagine.bytesPerLine() / 4) * c->immagine.height();
    const std::uint32_t bianco = colore::aRgb(Bianco);
    const std::uint32_t altro = colore::aRgb(Altro);
    bool andata = true;
    for (auto _ : stato) {
        ricoloraTutto(pixel, quanti, (andata ? bianco : altro) & 0xFFFFFFu, andata ? altro : bianco);
        benchmark::ClobberMemory();
        andata = !andata;
    }
    if (!andata)
        ricoloraTutto(pixel, quanti, altro & 0xFFFFFFu, bianco);
    contatori(stato, *c);
}

// --- summary ----------------------------------------------------------------

struct Intervallo {
    double minimo = 0;
    double mediana = 0;
    double massimo = 0;
};

Intervallo intervallo(std::vector<double> v)
{
    if (v.empty())
        return {};
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    const double mediana = v.size() % 2 == 1 ? v[m] : (v[m - 1] + v[m]) / 2;
    return {v.front(), mediana, v.back()};
}

// Keeps every repetition's figures and prints only the aggregates; at the
// end, pairs the repetitions of ours and OpenCV's (or the memory loop's)
// by number and prints the ratios.
class Riassunto : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        std::vector<Run> aggregati;
        for (const auto &r : runs) {
            if (r.error_occurred)
                continue;
            if (r.run_type == Run::RT_Aggregate) {
                aggregati.push_back(r);
                continue;
            }
            auto &v = m_valori[r.run_name.function_name];
            const auto i = static_cast<std::size_t>(r.repetition_index);
            if (v.size() <= i)
                v.resize(i + 1);
            v[i] = {r.counters.at("pixel/s").value, r.counters.at("s/fill").value};
        }
        if (!aggregati.empty())
            ConsoleReporter::ReportRuns(aggregati);
    }

    void stampaTabella() const
    {
        std::printf("\nFill path: %s. Ratios are per repetition, ours and the other side timed in the same run: "
                    "median (least - greatest) over %zu repetitions.\n",
                    riempimento::nome(percorso), ripetizioni());
        std::printf("\n| case | ours | OpenCV | ratio | target | met? |\n|---|---|---|---|---|---|\n");
        for (const auto &c : casi()) {
            const auto n = m_valori.find(c.nome + "/ours");
            const auto o = m_valori.find(c.nome + "/opencv");
            if (n == m_valori.end() || o == m_valori.end())
                continue;
            const Intervallo rapporto = rapporti(n->second, o->second);
            const Intervallo nostri = intervallo(campo(n->second, &Figure::pixelAlSecondo));
            const Intervallo loro = intervallo(campo(o->second, &Figure::pixelAlSecondo));
            if (c.perChiamata) {
                const Intervallo ns = intervallo(campo(n->second, &Figure::secondiAChiamata));
                const Intervallo nsLoro = intervallo(campo(o->second, &Figure::secondiAChiamata));
                std::printf("| %s | %.1f ns/fill (%.1f - %.1f) | %.0f ns/fill | %.0fx | <= %.0f ns/fill | %s |\n",
                            c.nome.c_str(), ns.mediana * 1e9, ns.minimo * 1e9, ns.massimo * 1e9,
                            nsLoro.mediana * 1e9, rapporto.mediana, c.obiettivo,
                            ns.mediana * 1e9 <= c.obiettivo ? "yes" : "no");
            } else {
                std::printf("| %s | %.0f Mpx/s | %.0f Mpx/s | %.2fx (%.2f - %.2f) | >= %.1fx | %s |\n",
                            c.nome.c_str(), nostri.mediana / 1e6, loro.mediana / 1e6, rapporto.mediana,
                            rapporto.minimo, rapporto.massimo, c.obiettivo,
                            rapporto.mediana >= c.obiettivo ? "yes" : "no");
            }
            const auto m = m_valori.find(c.nome + "/native loop");
            if (m != m_valori.end()) {
                const Intervallo frazione = rapporti(n->second, m->second);
                std::printf("| %s against the native loop | %.0f Mpx/s | loop: %.0f Mpx/s | %.2f (%.2f - %.2f) | "
                            ">= 0.80 | %s |\n",
                            c.nome.c_str(), nostri.mediana / 1e6,
                            intervallo(campo(m->second, &Figure::pixelAlSecondo)).mediana / 1e6, frazione.mediana,
                            frazione.minimo, frazione.massimo, frazione.mediana >= 0.8 ? "yes" : "no");
            }
        }
        std::printf("\nCases:\n");
        for (const auto &c : casi())
            std::printf("  %s: %s, %lld pixels per iteration\n", c.nome.c_str(), c.descrizione.c_str(),
                        static_cast<long long>(c.pixelPerIterazione));
    }

private:
    struct Figure {
        double pixelAlSecondo = 0;
        double secondiAChiamata = 0;
    };

    static std::vector<double> campo(const std::vector<Figure> &v, double Figure::*membro)
    {
        std::vector<double> valori;
        for (const auto &f : v)
            if (f.pixelAlSecondo > 0)
                valori.push_back(f.*membro);
        return valori;
    }

    static Intervallo rapporti(const std::vector<Figure> &a, const std::vector<Figure> &b)
    {
        std::vector<double> v;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            if (a[i].pixelAlSecondo > 0 && b[i].pixelAlSecondo > 0)
                v.push_back(a[i].pixelAlSecondo / b[i].pixelAlSecondo);
        return intervallo(std::move(v));
    }

    std::size_t ripetizioni() const
    {
        std::size_t n = 0;
        for (const auto &[nome, v] : m_valori)
            n = std::max(n, v.size());
        return n;
    }

    std::map<std::string, std::vector<Figure>> m_valori;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication applicazione(argc, argv);
    // --percorso=SSE2|AVX2|AVX-512 times our fill along that way instead of
    // the one it takes on this processor.
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--percorso=", 0) != 0)
            continue;
        bool trovato = false;
        for (const auto p : {riempimento::Percorso::Sse2, riempimento::Percorso::Avx2,
                             riempimento::Percorso::Avx512})
            if (a.substr(11) == riempimento::nome(p) && riempimento::disponibile(p)) {
                percorso = p;
                trovato = true;
            }
        if (!trovato) {
            std::fprintf(stderr, "%s: no such way on this processor\n", a.c_str());
            return 1;
        }
        std::copy(argv + i + 1, argv + argc, argv + i);
        --argc;
        --i;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    cv::setNumThreads(1);
    preparaCasi();
    verificaUguali();
    for (auto &c : casi()) {
        benchmark::RegisterBenchmark((c.nome + "/ours").c_str(), nostro, &c)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((c.nome + "/opencv").c_str(), opencv, &c)->Unit(benchmark::kMillisecond);
        if (c.nome == "2 white 4096")
            benchmark::RegisterBenchmark((c.nome + "/native loop").c_str(), memoria, &c)
                ->Unit(benchmark::kMillisecond);
    }
    Riassunto riassunto;
    benchmark::RunSpecifiedBenchmarks(&riassunto);
    riassunto.stampaTabella();
    benchmark::Shutdown();
    return 0;
}
