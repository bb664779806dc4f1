// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
// The memory yardstick of the fill benchmark: the plainest conditional
// read-modify-write loop over a buffer, built with -O3 -march=native so that
// the compiler vectorises it with the widest vectors this processor has.

#include <cstddef>
#include <cstdint>

void ricoloraTutto(std::uint32_t *pixel, std::size_t quanti, std::uint32_t regione, std::uint32_t nuovo);

void ricoloraTutto(std::uint32_t *pixel, std::size_t quanti, std::uint32_t regione, std::uint32_t nuovo)
{
    for (std::size_t i = 0; i < quanti; ++i)
        if ((pixel[i] & 0x00FFFFFFu) == regione)
            pixel[i] = nuovo;
}
