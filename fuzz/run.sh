#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the drawing fuzzer with clang and runs it for a bounded time.
#
#   fuzz/run.sh [seconds]      (default 60)
#
# Exits non-zero when the fuzzer finds a crash, a sanitizer report, a failed
# check, a time-out or an out-of-memory, or when a saved reproducer in
# fuzz/crashes/ fails again. The last line reads "fuzz: N runs, K crashes".
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

seconds=${1:-60}
case $seconds in
    '' | *[!0-9]*) echo "usage: fuzz/run.sh [seconds]" >&2; exit 2 ;;
esac
build=${BUILD_DIR:-build-fuzz}

tools/install-deps.sh fuzz

cmake -S fuzz -B "$build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j2
fuzzer=$build/fuzz_disegno

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/seeds" "$work/corpus" "$build/artifacts"
cp brindel/*.gif windows/immagini/iniziale.gif fuzz/seeds/*.gif "$work/seeds/"
rm -f "$build"/artifacts/crash-* "$build"/artifacts/leak-* "$build"/artifacts/timeout-* \
    "$build"/artifacts/oom-* "$build"/artifacts/slow-unit-*

# No display and no sound card: nothing here should need either.
export QT_QPA_PLATFORM=offscreen
# Qt warns on every picture over the loader's allocation limit; a refusal is
# a valid outcome here.
export QT_LOGGING_RULES=${QT_LOGGING_RULES:-qt.gui.imageio.warning=false}
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

failed=0

# Reproducers of faults found earlier stay fixed.
if compgen -G 'fuzz/crashes/*' >/dev/null; then
    for f in fuzz/crashes/*; do
        [ -f "$f" ] || continue
        case $f in *.txt | *.md) continue ;; esac
        if ! "$fuzzer" -timeout=10 -rss_limit_mb=2048 "$f" >"$work/regression.log" 2>&1; then
            echo "fuzz: reproducer $f fails again:" >&2
            tail -n 40 "$work/regression.log" >&2
            failed=1
        fi
    done
fi

set +e
"$fuzzer" "$work/corpus" "$work/seeds" \
    -dict=fuzz/gif.dict \
    -max_len=65536 \
    -max_total_time="$seconds" \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/" \
    2>&1 | tee "$work/fuzz.log"
rc=${PIPESTATUS[0]}
set -e

runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/fuzz.log" | tail -n 1)
runs=${runs:-0}
crashes=$(find "$build/artifacts" -maxdepth 1 -type f \
    \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
if [ "$crashes" -eq 0 ] && { [ "$rc" -ne 0 ] ||
    grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:' "$work/fuzz.log"; }; then
    crashes=1
fi
if [ "$crashes" -ne 0 ]; then
    echo "fuzz: reproducers left in $build/artifacts/:" >&2
    ls -l "$build/artifacts" >&2
    failed=1
fi
cov=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$work/fuzz.log" | tail -n 1 || true)
echo "fuzz: $runs runs, $crashes crashes${cov:+ ($cov)}"
exit "$failed"
