// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Surface flood fill of a drawing held in a QImage.

#include "platform/colore.h"

#include <QImage>
#include <QRect>

namespace riempimento {

// Paints with `coloreRiempimento` every pixel that has exactly the colour
// `coloreRegione` and is joined to (x, y) through side neighbours (not
// diagonals) of that same colour, as a surface flood fill does.
//
// The image must be QImage::Format_RGB32; pixels are compared on their RGB
// bits only, and painted pixels get an opaque alpha byte. Any other format
// throws std::invalid_argument and leaves the image alone.
//
// Nothing happens, and an empty rectangle comes back, when (x, y) lies
// outside the image, when its pixel is not of `coloreRegione`, or when the
// two colours are the same. Otherwise the result is the bounding rectangle
// of the painted pixels, for the caller to repaint.
//
// Working memory: a few kilobytes on the stack; a large or ragged region
// spills the pending spans to the heap, never more than a small multiple
// of the number of painted rows and spans.
QRect riempi(QImage &immagine, int x, int y, Colore coloreRegione, Colore coloreRiempimento);

// The fill scans rows with the widest vectors the processor has, chosen
// once, on the first fill. Every way paints exactly the same pixels.
//
// The choice is made at run time, so that one program runs on any x86-64
// processor: GCC's __builtin_cpu_supports, which reads the processor's
// CPUID and, for AVX2 and AVX-512, also whether the operating system saves
// the wide registers (XGETBV: the YMM state, or the mask and ZMM states):
// a processor that has the instructions under a system that does not keep
// those registers gets the narrower way. Built by clang (the fuzzer) or for
// another processor, only the plain way is compiled.
//
// The environment variable BRINDEL_RIEMPIMENTO=semplice makes the program
// take the plain way whatever the processor, for a report from the field:
// a fault in the fill that goes away with it lies in a wide way.
enum class Percorso {
    Sse2,   // 128-bit, any x86-64 processor
    Avx2,   // 256-bit
    Avx512, // 512-bit (AVX-512F)
};

// Whether this processor (and its operating system) can run `percorso`.
bool disponibile(Percorso percorso);

// The way riempi() takes on this processor: the widest one available, or
// the plain one (Sse2) when BRINDEL_RIEMPIMENTO is "semplice".
Percorso percorsoScelto();

// Its name, for benchmarks and test logs: "SSE2", "AVX2", "AVX-512".
const char *nome(Percorso percorso);

// riempi() along the given way; std::invalid_argument if it is not
// available here.
QRect riempi(QImage &immagine, int x, int y, Colore coloreRegione, Colore coloreRiempimento,
             Percorso percorso);

} // namespace riempimento
