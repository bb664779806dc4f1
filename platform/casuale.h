// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Random draws. The program has one pseudo-random sequence, made at
// start-up and passed to whatever draws from it. Every draw is a
// single-precision value r with 0 <= r < 1; a choice among n things is
// floor(r * n).

#include <QList>

#include <cstdint>
#include <random>

namespace casuale {

class Sorgente
{
public:
    virtual ~Sorgente() = default;
    virtual float prossimo() = 0;
};

// A Mersenne Twister; each value is built from 24 random bits, so it is
// exactly representable as a float and never reaches 1.
class Generatore final : public Sorgente
{
public:
    explicit Generatore(std::uint32_t seme = 1) : m_motore(seme) {}
    void semina(std::uint32_t seme) { m_motore.seed(seme); }
    float prossimo() override;

private:
    std::mt19937 m_motore;
};

// Hands out a fixed list of values, for tests; then fails loudly.
class Sequenza final : public Sorgente
{
public:
    explicit Sequenza(QList<float> valori) : m_valori(std::move(valori)) {}
    float prossimo() override;
    qsizetype rimasti() const { return m_valori.size() - m_pos; }

private:
    QList<float> m_valori;
    qsizetype m_pos = 0;
};

// A seed from the clock, so that each run draws a different sequence: the
// program's one generator is made with it at start-up, and handed to what
// draws from it.
std::uint32_t semeDallOrologio();

// floor(r * n) in single precision, checked: 0 .. n-1.
int scegli(float r, int n);

} // namespace casuale
