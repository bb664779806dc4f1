#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the benchmarks in Release mode in build-bench and runs them.
# Extra arguments go to the benchmark, e.g. --benchmark_filter=maze
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
"$root/tools/install-deps.sh" "$root/tools/debian-packages-bench.txt"
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release -DBRINDEL_BENCH=ON
cmake --build "$root/build-bench" -j2 --target bench_riempimento bench_premuto bench_avvio bench_ingrandita
# Five repetitions of every case, interleaved at random, so that each
# repetition pairs our fill with OpenCV's timed in the same stretch.
"$root/build-bench/bench/bench_riempimento" --benchmark_repetitions=5 \
    --benchmark_enable_random_interleaving=true --benchmark_min_time=0.2 "$@"
"$root/build-bench/bench/bench_premuto"
"$root/build-bench/bench/bench_ingrandita"
# Start-up and memory against a minimal Qt program, on a private Xvfb.
"$root/build-bench/bench/bench_avvio"
