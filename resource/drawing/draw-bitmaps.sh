#!/usr/bin/env bash
# Redraws the editor's bitmaps into resource/ (commit the PNGs it writes).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
program="$(mktemp)"
trap 'rm -f "$program"' EXIT
c++ -std=c++20 -O1 -Wall -Wextra "$here/draw_bitmaps.cpp" -o "$program" $(pkg-config --cflags --libs cairo)
"$program" "$here/.."
