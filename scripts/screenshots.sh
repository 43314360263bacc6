#!/usr/bin/env bash
# screenshots.sh [OUTPUT_FOLDER]: starts the main window under a virtual X
# server (Xvfb) on a copy of the samples and saves pictures of it (default
# folder: build/screenshots; the README's pictures live in docs/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/build/screenshots}"
"$root/scripts/ensure-packages.sh"
"$root/scripts/build.sh" release --target korvel-screenshots >/dev/null
# xcb: the real X platform, so the pictures show what an operator sees.
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1400x900x24" \
  "$root/build/tools/screenshots/korvel-screenshots" "$out"
