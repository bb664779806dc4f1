#include "colouring/riempimento.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace riempimento {
namespace {

using Pixel = std::uint32_t;

// An RGB32 pixel is 0xAARRGGBB; the alpha byte is not part of its colour.
constexpr Pixel MascheraRgb = 0x00FFFFFFu;

inline bool uguale(Pixel p, Pixel bersaglio) { return (p & MascheraRgb) == bersaglio; }

// A run of pixels [da, a] on row `riga - verso` that has been painted; the
// row `riga` next to it is still to be looked at over the same columns.
struct Segmento {
    std::int32_t riga;
    std::int32_t da;
    std::int32_t a;
    std::int32_t verso;
};

// LIFO of pending segments: a small buffer in the caller's frame, so that a
// fill of a few spans never touches the heap, then a heap block that doubles.
class Pila
{
public:
    Pila() = default;
    Pila(const Pila &) = delete;
    Pila &operator=(const Pila &) = delete;

    void metti(const Segmento &s)
    {
        if (m_quanti == m_capacita)
            cresci();
        m_base[m_quanti++] = s;
    }
    bool vuota() const { return m_quanti == 0; }
    Segmento togli() { return m_base[--m_quanti]; }

private:
    [[gnu::noinline]] void cresci()
    {
        const std::size_t nuova = std::max<std::size_t>(m_capacita * 2, 4096);
        auto blocco = std::make_unique_for_overwrite<Segmento[]>(nuova);
        std::copy_n(m_base, m_quanti, blocco.get());
        m_esterna = std::move(blocco);
        m_base = m_esterna.get();
        m_capacita = nuova;
    }

    static constexpr std::size_t Locale = 128;
    Segmento m_locale[Locale];
    std::unique_ptr<Segmento[]> m_esterna;
    Segmento *m_base = m_locale;
    std::size_t m_quanti = 0;
    std::size_t m_capacita = Locale;
};

// The three scans below look at eight pixels per step with two SSE2
// compares (x86-64 always has SSE2) and finish pixel by pixel.

// Paints riga[x], riga[x+1], ... while they match, stopping before `fine`;
// returns the first column not painted.
inline int dipingiADestra(Pixel *riga, int x, int fine, Pixel bersaglio, Pixel nuovo)
{
    // Narrow runs are common (thin shapes, mazes): the next pixel alone
    // settles them without touching the cache lines further on.
    if (x + 1 >= fine || !uguale(riga[x + 1], bersaglio)) {
        if (x < fine && uguale(riga[x], bersaglio)) {
            riga[x] = nuovo;
            return x + 1;
        }
        return x;
    }
#if defined(__SSE2__)
    const __m128i maschera = _mm_set1_epi32(static_cast<int>(MascheraRgb));
    const __m128i cerca = _mm_set1_epi32(static_cast<int>(bersaglio));
    const __m128i colore = _mm_set1_epi32(static_cast<int>(nuovo));
    while (fine - x >= 8) {
        auto *q = reinterpret_cast<__m128i *>(riga + x);
        const __m128i u0 = _mm_cmpeq_epi32(_mm_and_si128(_mm_loadu_si128(q), maschera), cerca);
        const __m128i u1 = _mm_cmpeq_epi32(_mm_and_si128(_mm_loadu_si128(q + 1), maschera), cerca);
        const unsigned bit = static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(u0)))
            | (static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(u1))) << 4);
        if (bit != 0xFFu) {
            const int n = __builtin_ctz(~bit);
            for (int k = 0; k < n; ++k)
                riga[x + k] = nuovo;
            return x + n;
        }
        _mm_storeu_si128(q, colore);
        _mm_storeu_si128(q + 1, colore);
        x += 8;
    }
#endif
    while (x < fine && uguale(riga[x], bersaglio))
        riga[x++] = nuovo;
    return x;
}

// Paints riga[x-1], riga[x-2], ... while they match, not going below
// `inizio`; returns the leftmost column painted (x itself when none was).
inline int dipingiASinistra(Pixel *riga, int x, int inizio, Pixel bersaglio, Pixel nuovo)
{
    if (x <= inizio || !uguale(riga[x - 1], bersaglio))
        return x;
#if defined(__SSE2__)
    const __m128i maschera = _mm_set1_epi32(static_cast<int>(MascheraRgb));
    const __m128i cerca = _mm_set1_epi32(static_cast<int>(bersaglio));
    const __m128i colore = _mm_set1_epi32(static_cast<int>(nuovo));
    while (x - inizio >= 8) {
        auto *q = reinterpret_cast<__m128i *>(riga + x - 8);
        const __m128i u0 = _mm_cmpeq_epi32(_mm_and_si128(_mm_loadu_si128(q), maschera), cerca);
        const __m128i u1 = _mm_cmpeq_epi32(_mm_and_si128(_mm_loadu_si128(q + 1), maschera), cerca);
        const unsigned bit = static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(u0)))
            | (static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(u1))) << 4);
        if (bit != 0xFFu) {
            // Matches counted down from the highest column of the eight.
            const int n = __builtin_clz((~bit & 0xFFu) << 24);
            for (int k = 1; k <= n; ++k)
                riga[x - k] = nuovo;
            return x - n;
        }
        _mm_storeu_si128(q, colore);
        _mm_storeu_si128(q + 1, colore);
        x -= 8;
    }
#endif
    while (x > inizio && uguale(riga[x - 1], bersaglio))
        riga[--x] = nuovo;
    return x;
}

// The first column in [x, fine) whose pixel matches, or `fine`.
inline int primoUguale(const Pixel *riga, int x, int fine, Pixel bersaglio)
{
#if defined(__SSE2__)
    const __m128i maschera = _mm_set1_epi32(static_cast<int>(MascheraRgb));
    const __m128i cerca = _mm_set1_epi32(static_cast<int>(bersaglio));
    while (fine - x >= 8) {
        const auto *q = reinterpret_cast<const __m128i *>(riga + x);
        const __m128i u0 = _mm_cmpeq_epi32(_mm_and_si128(_mm_loadu_si128(q), maschera), cerca);
        const __m128i u1 = _mm_cmpeq_epi32(_mm_and_si128(_mm_loadu_si128(q + 1), maschera), cerca);
        const unsigned bit = static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(u0)))
            | (static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(u1))) << 4);
        if (bit != 0)
            return x + __builtin_ctz(bit);
        x += 8;
    }
#endif
    while (x < fine && !uguale(riga[x], bersaglio))
        ++x;
    return x;
}

struct Riquadro {
    int sinistra;
    int destra;
    int alto;
    int basso;

    void aggiungi(int da, int a, int riga)
    {
        sinistra = std::min(sinistra, da);
        destra = std::max(destra, a);
        alto = std::min(alto, riga);
        basso = std::max(basso, riga);
    }
};

} // namespace

QRect riempi(QImage &immagine, int x, int y, Colore coloreRegione, Colore coloreRiempimento)
{
    if (immagine.format() != QImage::Format_RGB32)
        throw std::invalid_argument("riempimento::riempi needs a QImage::Format_RGB32 image");
    const int larghezza = immagine.width();
    const int altezza = immagine.height();
    if (x < 0 || y < 0 || x >= larghezza || y >= altezza)
        return {};
    const Pixel bersaglio = colore::aRgb(coloreRegione) & MascheraRgb;
    const Pixel nuovo = colore::aRgb(coloreRiempimento);
    if ((nuovo & MascheraRgb) == bersaglio)
        return {};
    // Look before writing: a shared image is detached only for a real fill.
    if (!uguale(reinterpret_cast<const Pixel *>(immagine.constScanLine(y))[x], bersaglio))
        return {};

    Pixel *const pixel = reinterpret_cast<Pixel *>(immagine.bits());
    const qsizetype passo = immagine.bytesPerLine() / static_cast<qsizetype>(sizeof(Pixel));
    const auto riga = [pixel, passo](int r) { return pixel + passo * r; };

    Pila pila;
    Riquadro riquadro{x, x, y, y};
    {
        Pixel *p = riga(y);
        const int fine = dipingiADestra(p, x, larghezza, bersaglio, nuovo);
        const int inizio = dipingiASinistra(p, x, 0, bersaglio, nuovo);
        riquadro.aggiungi(inizio, fine - 1, y);
        if (y + 1 < altezza)
            pila.metti({y + 1, inizio, fine - 1, 1});
        if (y > 0)
            pila.metti({y - 1, inizio, fine - 1, -1});
    }

    // Each segment's row is scanned over the columns of the painted run next
    // to it; every run found there is painted to its full width, and the
    // parts that stick out past that run are handed back towards the row
    // it came from. Runs are maximal, so no pixel is painted twice.
    while (!pila.vuota()) {
        const Segmento s = pila.togli();
        Pixel *p = riga(s.riga);
        const int avanti = s.riga + s.verso;
        const int indietro = s.riga - s.verso;
        const bool conAvanti = static_cast<unsigned>(avanti) < static_cast<unsigned>(altezza);
        int c = s.da;
        if (uguale(p[c], bersaglio)) {
            const int inizio = dipingiASinistra(p, c, 0, bersaglio, nuovo);
            const int fine = dipingiADestra(p, c, larghezza, bersaglio, nuovo);
            riquadro.aggiungi(inizio, fine - 1, s.riga);
            if (conAvanti)
                pila.metti({avanti, inizio, fine - 1, s.verso});
            if (inizio < s.da)
                pila.metti({indietro, inizio, s.da - 1, -s.verso});
            if (fine - 1 > s.a)
                pila.metti({indietro, s.a + 1, fine - 1, -s.verso});
            c = fine;
        }
        // Here p[c] does not match (or c is past the row), so look on from c + 1.
        for (;;) {
            c = primoUguale(p, c + 1, s.a + 1, bersaglio);
            if (c > s.a)
                break;
            const int fine = dipingiADestra(p, c, larghezza, bersaglio, nuovo);
            riquadro.aggiungi(c, fine - 1, s.riga);
            if (conAvanti)
                pila.metti({avanti, c, fine - 1, s.verso});
            if (fine - 1 > s.a)
                pila.metti({indietro, s.a + 1, fine - 1, -s.verso});
            c = fine;
        }
    }
    return QRect(QPoint(riquadro.sinistra, riquadro.alto), QPoint(riquadro.destra, riquadro.basso));
}

} // namespace riempimento
