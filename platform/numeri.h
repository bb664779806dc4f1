// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whole-number arithmetic with the program's rules: conversions round to the
// nearest integer (an exact half to the even neighbour) and fail outside the
// target's range; 16-bit counters fail instead of wrapping.

#include <cstdint>

namespace numeri {

// Throws ErroreEsecuzione (Overflow, or invalid operation for NaN/infinity).
std::int16_t aInt16(double valore);
std::int32_t aInt32(double valore);

// Adds 1 to a 16-bit counter; throws the Overflow error past 32767.
void incrementa(std::int16_t &contatore);

} // namespace numeri
