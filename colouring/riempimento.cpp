// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#include "colouring/riempimento.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

#if defined(__x86_64__) && defined(__GNUC__)
#define BRINDEL_X86 1
#include <immintrin.h>
#endif
// The wide ways are compiled for their instruction sets through GCC's target
// pragma; clang (the fuzzer's compiler) builds the SSE2 way alone.
#if defined(BRINDEL_X86) && !defined(__clang__)
#define BRINDEL_X86_LARGHI 1
#endif

namespace riempimento {
namespace {

using Pixel = std::uint32_t;

// An RGB32 pixel is 0xAARRGGBB; the alpha byte is not part of its colour.
constexpr Pixel MascheraRgb = 0x00FFFFFFu;

inline bool uguale(Pixel p, Pixel regione) { return (p & MascheraRgb) == regione; }

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

struct Riquadro {
    int sinistra;
    int destra;
    int alto;
    int basso;

    // Rows r1 and r2 and those between them, in either order.
    void righe(int r1, int r2)
    {
        alto = std::min({alto, r1, r2});
        basso = std::max({basso, r1, r2});
    }
};

// Paints block pixels [da, a) one by one.
inline void dipingiUnoAUno(Pixel *p, int da, int a, Pixel nuovo)
{
    for (int i = da; i < a; ++i)
        p[i] = nuovo;
}

#if defined(BRINDEL_X86)

// 8 pixels a block, two 128-bit compares: any x86-64 processor.
struct Sse2 {
    static constexpr int L = 8;
    struct Costanti {
        Pixel regione;
        Pixel nuovo;
        __m128i maschera = _mm_set1_epi32(static_cast<int>(MascheraRgb));
        __m128i cerca;
        __m128i colore;

        Costanti(Pixel b, Pixel n)
            : regione(b), nuovo(n), cerca(_mm_set1_epi32(static_cast<int>(b))),
              colore(_mm_set1_epi32(static_cast<int>(n)))
        {
        }
        unsigned uguali(const Pixel *p) const
        {
            const auto *q = reinterpret_cast<const __m128i *>(p);
            const __m128i u0 = _mm_cmpeq_epi32(_mm_and_si128(_mm_load_si128(q), maschera), cerca);
            const __m128i u1 = _mm_cmpeq_epi32(_mm_and_si128(_mm_load_si128(q + 1), maschera), cerca);
            return static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(u0)))
                | (static_cast<unsigned>(_mm_movemask_ps(_mm_castsi128_ps(u1))) << 4);
        }
        void dipingi(Pixel *p) const
        {
            auto *q = reinterpret_cast<__m128i *>(p);
            _mm_store_si128(q, colore);
            _mm_store_si128(q + 1, colore);
        }
    };
};

#else

// Elsewhere: 8 pixels a block, compared one by one.
struct Sse2 {
    static constexpr int L = 8;
    struct Costanti {
        Pixel regione;
        Pixel nuovo;
        unsigned uguali(const Pixel *p) const
        {
            unsigned bit = 0;
            for (int i = 0; i < L; ++i)
                bit |= (uguale(p[i], regione) ? 1u : 0u) << i;
            return bit;
        }
        void dipingi(Pixel *p) const { dipingiUnoAUno(p, 0, L, nuovo); }
    };
};

#endif

namespace sse2 {
using V = Sse2;
#include "colouring/nucleo_riempimento.inc"
} // namespace sse2

#if defined(BRINDEL_X86_LARGHI)

#pragma GCC push_options
#pragma GCC target("avx2")

// 16 pixels (a cache line) a block, two 256-bit compares.
struct Avx2 {
    static constexpr int L = 16;
    struct Costanti {
        Pixel regione;
        Pixel nuovo;
        __m256i maschera = _mm256_set1_epi32(static_cast<int>(MascheraRgb));
        __m256i cerca;
        __m256i colore;

        Costanti(Pixel b, Pixel n)
            : regione(b), nuovo(n), cerca(_mm256_set1_epi32(static_cast<int>(b))),
              colore(_mm256_set1_epi32(static_cast<int>(n)))
        {
        }
        unsigned uguali(const Pixel *p) const
        {
            const auto *q = reinterpret_cast<const __m256i *>(p);
            const __m256i u0 = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_load_si256(q), maschera), cerca);
            const __m256i u1 = _mm256_cmpeq_epi32(_mm256_and_si256(_mm256_load_si256(q + 1), maschera), cerca);
            return static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(u0)))
                | (static_cast<unsigned>(_mm256_movemask_ps(_mm256_castsi256_ps(u1))) << 8);
        }
        void dipingi(Pixel *p) const
        {
            auto *q = reinterpret_cast<__m256i *>(p);
            _mm256_store_si256(q, colore);
            _mm256_store_si256(q + 1, colore);
        }
    };
};

namespace avx2 {
using V = Avx2;
#include "colouring/nucleo_riempimento.inc"
} // namespace avx2

#pragma GCC pop_options

#pragma GCC push_options
#pragma GCC target("avx512f")

// 16 pixels (a cache line) a block, one 512-bit compare into a mask
// register.
struct Avx512 {
    static constexpr int L = 16;
    struct Costanti {
        Pixel regione;
        Pixel nuovo;
        __m512i maschera = _mm512_set1_epi32(static_cast<int>(MascheraRgb));
        __m512i cerca;
        __m512i colore;

        Costanti(Pixel b, Pixel n)
            : regione(b), nuovo(n), cerca(_mm512_set1_epi32(static_cast<int>(b))),
              colore(_mm512_set1_epi32(static_cast<int>(n)))
        {
        }
        unsigned uguali(const Pixel *p) const
        {
            return _mm512_cmpeq_epi32_mask(_mm512_and_si512(_mm512_load_si512(p), maschera), cerca);
        }
        void dipingi(Pixel *p) const { _mm512_store_si512(p, colore); }
    };
};

namespace avx512 {
using V = Avx512;
#include "colouring/nucleo_riempimento.inc"
} // namespace avx512

#pragma GCC pop_options

#endif

using Nucleo = QRect (*)(Pixel *, qsizetype, int, int, int, int, Pixel, Pixel);

Nucleo nucleo(Percorso percorso)
{
    switch (percorso) {
#if defined(BRINDEL_X86_LARGHI)
    case Percorso::Avx2:
        return avx2::riempi;
    case Percorso::Avx512:
        return avx512::riempi;
#else
    case Percorso::Avx2:
    case Percorso::Avx512:
        break;
#endif
    case Percorso::Sse2:
        return sse2::riempi;
    }
    return sse2::riempi;
}

Percorso piuLargo()
{
    const char *richiesta = std::getenv("BRINDEL_RIEMPIMENTO");
    if (richiesta && std::strcmp(richiesta, "semplice") == 0)
        return Percorso::Sse2;
    for (const Percorso p : {Percorso::Avx512, Percorso::Avx2})
        if (disponibile(p))
            return p;
    return Percorso::Sse2;
}

QRect riempiCon(Nucleo n, QImage &immagine, int x, int y, Colore coloreRegione, Colore coloreRiempimento)
{
    if (immagine.format() != QImage::Format_RGB32)
        throw std::invalid_argument("riempimento::riempi needs a QImage::Format_RGB32 image");
    const QSize dimensioni = immagine.size();
    const int larghezza = dimensioni.width();
    const int altezza = dimensioni.height();
    if (x < 0 || y < 0 || x >= larghezza || y >= altezza)
        return {};
    const Pixel regione = colore::aRgb(coloreRegione) & MascheraRgb;
    const Pixel nuovo = colore::aRgb(coloreRiempimento);
    if ((nuovo & MascheraRgb) == regione)
        return {};
    // Look before writing: a shared image is detached only for a real fill.
    const qsizetype passo = immagine.bytesPerLine() / static_cast<qsizetype>(sizeof(Pixel));
    const Pixel *q = reinterpret_cast<const Pixel *>(immagine.constBits()) + passo * y + x;
    if (!uguale(*q, regione))
        return {};
    // A speck, with no side neighbour of its colour, is the whole area.
    const bool granello = (x == 0 || !uguale(q[-1], regione)) && (x + 1 == larghezza || !uguale(q[1], regione))
        && (y == 0 || !uguale(q[-passo], regione)) && (y + 1 == altezza || !uguale(q[passo], regione));
    Pixel *const pixel = reinterpret_cast<Pixel *>(immagine.bits());
    if (granello) {
        pixel[passo * y + x] = nuovo;
        return QRect(x, y, 1, 1);
    }
    return n(pixel, passo, larghezza, altezza, x, y, regione, nuovo);
}

} // namespace

bool disponibile(Percorso percorso)
{
    switch (percorso) {
    case Percorso::Sse2:
        return true;
#if defined(BRINDEL_X86_LARGHI)
    case Percorso::Avx2:
        return __builtin_cpu_supports("avx2");
    case Percorso::Avx512:
        return __builtin_cpu_supports("avx512f");
#else
    case Percorso::Avx2:
    case Percorso::Avx512:
        return false;
#endif
    }
    return false;
}

Percorso percorsoScelto()
{
    static const Percorso scelto = piuLargo();
    return scelto;
}

const char *nome(Percorso percorso)
{
    switch (percorso) {
    case Percorso::Sse2:
        return "SSE2";
    case Percorso::Avx2:
        return "AVX2";
    case Percorso::Avx512:
        return "AVX-512";
    }
    return "?";
}

QRect riempi(QImage &immagine, int x, int y, Colore coloreRegione, Colore coloreRiempimento)
{
    static const Nucleo scelto = nucleo(percorsoScelto());
    return riempiCon(scelto, immagine, x, y, coloreRegione, coloreRiempimento);
}

QRect riempi(QImage &immagine, int x, int y, Colore coloreRegione, Colore coloreRiempimento, Percorso percorso)
{
    if (!disponibile(percorso))
        throw std::invalid_argument(std::string("riempimento::riempi: this processor has no ") + nome(percorso));
    return riempiCon(nucleo(percorso), immagine, x, y, coloreRegione, coloreRiempimento);
}

} // namespace riempimento
