#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates every drawing, sound cue, spoken cell name and picture of the
# game from its source under tools/. The output is the same byte for byte on
# every run.
#
#   tools/make-assets.sh                        writes all the assets
#   tools/make-assets.sh --contact-sheet OUT    only a PNG of all the drawings
#   tools/make-assets.sh --cue-plots OUT        only a PNG of the cues' waveforms
#                                               and spectrograms
#   tools/make-assets.sh --compare-voices       only a table comparing Debian's
#                                               Italian synthesizers
#
# Needs the Debian packages of tools/debian-packages-assets.txt.
set -euo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$tools")
python=/usr/bin/python3
export PYTHONDONTWRITEBYTECODE=1

case "${1:-}" in
--contact-sheet)
    exec "$python" "$tools/disegni/disegni.py" "$root" --contact-sheet "${2:?output PNG}"
    ;;
--cue-plots)
    exec "$python" "$tools/suoni/grafico.py" "$root/suoni" "${2:?output PNG}"
    ;;
--compare-voices)
    exec "$python" "$tools/voci/confronto.py"
    ;;
"") ;;
*)
    echo "usage: $0 [--contact-sheet OUT.png | --cue-plots OUT.png | --compare-voices]" >&2
    exit 2
    ;;
esac

"$python" "$tools/disegni/disegni.py" "$root"
"$python" "$tools/suoni/suoni.py" "$root/suoni"
# The voices are brought to the cues' level: after the cues.
"$python" "$tools/voci/voci.py" "$root/suoni/voce" "$root/suoni"

svg() { # svg <source> <size> <output>
    rsvg-convert --width "$2" --height "$2" --format png "$1" --output "$3"
}
# The window pictures and icons at 32 x 32, as the windows show them at
# 96 dpi, and at the device sizes they reach on grown windows and scaled
# screens (layout::LatiFigura in windows/layout.h): <name>.png, <name>-<N>.png.
mkdir -p "$root/windows/immagini"
for name in icona faccina avvio freccia; do
    svg "$tools/immagini/$name.svg" 32 "$root/windows/immagini/$name.png"
    for n in 40 48 64 80 96 128 192 256; do
        svg "$tools/immagini/$name.svg" "$n" "$root/windows/immagini/$name-$n.png"
    done
done
icons=$root/packaging/icons
cp "$tools/immagini/icona.svg" "$icons/tintar-i-brindel.svg"
for n in 48 64 128 256; do
    mkdir -p "$icons/${n}x${n}"
    svg "$tools/immagini/icona.svg" "$n" "$icons/${n}x${n}/tintar-i-brindel.png"
done
