#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that are missing for the given purposes.
#
#   tools/install-deps.sh [PURPOSE | LIST-FILE]...
#
# A purpose names the list tools/debian-packages-PURPOSE.txt: build, play,
# test, fuzz, bench, assets. The build list is always included. With no
# argument: build, play, test, fuzz and assets (everything but the
# benchmarks' list).
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

lists=("$here/debian-packages-build.txt")
if [ $# -eq 0 ]; then
    for purpose in play test fuzz assets; do
        lists+=("$here/debian-packages-$purpose.txt")
    done
fi
for arg in "$@"; do
    if [ -f "$arg" ]; then
        lists+=("$arg")
    elif [ -f "$here/debian-packages-$arg.txt" ]; then
        lists+=("$here/debian-packages-$arg.txt")
    else
        echo "install-deps.sh: no package list for \"$arg\"" >&2
        exit 2
    fi
done

missing=()
while read -r pkg; do
    [ -n "$pkg" ] || continue
    status=$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$pkg")
done < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "${lists[@]}" | sort -u)

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
