// SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's one pseudo-random sequence. Every draw is a single-precision
// value r with 0 <= r < 1; a choice among n things is floor(r * n).

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

// The program's sequence (a Generatore unless a test installed another).
Sorgente &sorgente();
// Installs another source; nullptr goes back to the program's own.
void imposta(Sorgente *altra);
// Seeds the program's own generator from the clock (start-up only).
void seminaDallOrologio();

// floor(r * n) in single precision, checked: 0 .. n-1.
int scegli(float r, int n);

} // namespace casuale
