#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# Retakes the screenshots of the two windows in packaging/schermate/, which
# the AppStream metadata offers to software centres. The install test takes
# them: the installed game on a private Xvfb, started through its launcher.
#
#   tools/make-screenshots.sh [build folder]      (default build)
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
cmake --build "$build" -j2 --target tst_installazione
mkdir -p "$root/packaging/schermate"
BRINDEL_SCHERMATE="$root/packaging/schermate" QT_QPA_PLATFORM=offscreen \
    "$build/tests/tst_installazione" avvio:"installazione completa"
ls -l "$root/packaging/schermate"
