// Our flood fill against OpenCV's cv::floodFill on the very same pixels: a
// CV_32SC1 matrix header laid over the QImage's buffer, 4-connected, with no
// tolerance. Every case alternates two fill colours so that each pair of
// iterations puts the picture back as it was and only the fill is timed.

#include "colouring/riempimento.h"

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
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr Colore Bianco = 0xFFFFFF;
constexpr Colore Nero = 0x000000;
constexpr Colore Altro = 0x00C000; // the second colour each case alternates with

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
    const QString percorso = QStringLiteral(BRINDEL_SOURCE_DIR "/brindel/1.gif");
    QImage letta;
    if (QFileInfo::exists(percorso) && letta.load(percorso)) {
        origine = "brindel/1.gif";
        return letta.convertToFormat(QImage::Format_RGB32);
    }
    origine = "generated page";
    return paginaGenerata();
}

struct Componente {
    QPoint seme;
    std::int64_t pixel = 0;
    bool alBordo = false;
};

// The 4-connected white areas of a page, found the slow, obvious way.
std::vector<Componente> areeBianche(const QImage &immagine)
{
    const int w = immagine.width();
    const int h = immagine.height();
    std::vector<char> visto(static_cast<std::size_t>(w) * h, 0);
    std::vector<Componente> aree;
    const auto bianco = [&](int x, int y) { return colore::daRgb(immagine.pixel(x, y)) == Bianco; };
    for (int y0 = 0; y0 < h; ++y0)
        for (int x0 = 0; x0 < w; ++x0) {
            if (visto[static_cast<std::size_t>(y0) * w + x0] || !bianco(x0, y0))
                continue;
            Componente c{QPoint(x0, y0)};
            std::deque<QPoint> coda{{x0, y0}};
            visto[static_cast<std::size_t>(y0) * w + x0] = 1;
            while (!coda.empty()) {
                const QPoint q = coda.front();
                coda.pop_front();
                ++c.pixel;
                c.alBordo = c.alBordo || q.x() == 0 || q.y() == 0 || q.x() == w - 1 || q.y() == h - 1;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint n = q + d;
                    if (n.x() < 0 || n.y() < 0 || n.x() >= w || n.y() >= h)
                        continue;
                    char &v = visto[static_cast<std::size_t>(n.y()) * w + n.x()];
                    if (!v && bianco(n.x(), n.y())) {
                        v = 1;
                        coda.push_back(n);
                    }
                }
            }
            aree.push_back(c);
        }
    return aree;
}

QImage serpentina(int lato)
{
    // Vertical corridors one pixel wide between one-pixel walls, joined in
    // turn at the bottom and at the top: every row is cut into lato/2 runs.
    QImage immagine(lato, lato, QImage::Format_RGB32);
    immagine.fill(colore::aRgb(Bianco));
    const QRgb nero = colore::aRgb(Nero);
    for (int y = 0; y < lato; ++y) {
        auto *riga = reinterpret_cast<QRgb *>(immagine.scanLine(y));
        for (int x = 1; x < lato; x += 2) {
            const int varco = (x / 2) % 2 == 0 ? lato - 1 : 0;
            if (y != varco || x == lato - 1)
                riga[x] = nero;
        }
    }
    return immagine;
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
    const auto aree = areeBianche(disegno);
    const Componente *chiusa = nullptr;
    const Componente *sfondo = nullptr;
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
                      {chiusa->seme}, chiusa->pixel, 2.5});
    casi().push_back({"1b page, background", origine + ", the white background", disegno.copy(),
                      {sfondo->seme}, sfondo->pixel, 2.5});

    constexpr int Lato = 4096;
    QImage bianco(Lato, Lato, QImage::Format_RGB32);
    bianco.fill(colore::aRgb(Bianco));
    casi().push_back({"2 white 4096", "4096 x 4096 all white, from the centre", bianco,
                      {QPoint(Lato / 2, Lato / 2)}, std::int64_t{Lato} * Lato, 2.5});

    QImage labirinto = serpentina(Lato);
    const std::int64_t corridoi = contaBianchi(labirinto);
    casi().push_back({"3 maze 4096", "4096 x 4096 serpentine maze, 1-pixel walls and corridors",
                      std::move(labirinto), {QPoint(0, 0)}, corridoi, 1.3});

    // The white cells of two rows in the middle, row after row: one fill
    // each, a single pixel every time.
    Caso celle{"4 checkerboard 4096", "4096 x 4096 1-pixel checkerboard, 4096 single-pixel fills",
               scacchiera(Lato), {}, 0, 100, true};
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
            const QRect r = riempimento::riempi(nostra, s.x(), s.y(), Bianco, Altro);
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
                                                         andata ? Altro : Bianco));
        andata = !andata;
    }
    if (!andata)
        for (const QPoint s : c->semi)
            riempimento::riempi(c->immagine, s.x(), s.y(), Altro, Bianco);
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

// --- summary ----------------------------------------------------------------

class Riassunto : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const auto &r : runs) {
            if (r.error_occurred)
                continue;
            const bool mediana = r.run_type == Run::RT_Aggregate && r.aggregate_name == "median";
            if (r.run_type == Run::RT_Aggregate && !mediana)
                continue;
            auto &v = m_valori[r.run_name.function_name];
            if (mediana || !v.mediana) {
                v.pixelAlSecondo = r.counters.at("pixel/s").value;
                v.secondiAChiamata = r.counters.at("s/fill").value;
                v.mediana = mediana;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void stampaTabella() const
    {
        std::printf("\n| case | ours | OpenCV | ratio | target | met? |\n|---|---|---|---|---|---|\n");
        for (const auto &c : casi()) {
            const auto n = m_valori.find(c.nome + "/ours");
            const auto o = m_valori.find(c.nome + "/opencv");
            if (n == m_valori.end() || o == m_valori.end())
                continue;
            const double rapporto = n->second.pixelAlSecondo / o->second.pixelAlSecondo;
            if (c.perChiamata) {
                const double ns = n->second.secondiAChiamata * 1e9;
                std::printf("| %s | %.1f ns/fill | %.1f ns/fill | %.1fx | <= %.0f ns/fill | %s |\n",
                            c.nome.c_str(), ns, o->second.secondiAChiamata * 1e9, rapporto, c.obiettivo,
                            ns <= c.obiettivo ? "yes" : "no");
            } else {
                std::printf("| %s | %.0f Mpx/s | %.0f Mpx/s | %.2fx | >= %.1fx | %s |\n", c.nome.c_str(),
                            n->second.pixelAlSecondo / 1e6, o->second.pixelAlSecondo / 1e6, rapporto,
                            c.obiettivo, rapporto >= c.obiettivo ? "yes" : "no");
            }
        }
        std::printf("\nCases:\n");
        for (const auto &c : casi())
            std::printf("  %s: %s, %lld pixels per iteration\n", c.nome.c_str(), c.descrizione.c_str(),
                        static_cast<long long>(c.pixelPerIterazione));
    }

private:
    struct Valori {
        double pixelAlSecondo = 0;
        double secondiAChiamata = 0;
        bool mediana = false;
    };
    std::map<std::string, Valori> m_valori;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication applicazione(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    cv::setNumThreads(1);
    preparaCasi();
    verificaUguali();
    for (auto &c : casi()) {
        benchmark::RegisterBenchmark((c.nome + "/ours").c_str(), nostro, &c)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((c.nome + "/opencv").c_str(), opencv, &c)->Unit(benchmark::kMillisecond);
    }
    Riassunto riassunto;
    benchmark::RunSpecifiedBenchmarks(&riassunto);
    riassunto.stampaTabella();
    benchmark::Shutdown();
    return 0;
}
