#!/usr/bin/env bash
# The program's main job on its sample folder: prints the sample exam layout
# as the program parses it, and the settings it loads from samples/sekonic.ini.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/ensure-packages.sh"
"$root/scripts/build.sh" release --target korvel-cli >/dev/null
cli="$root/build/src/cli/korvel-cli"

echo "== Layout samples/exam.omrf =="
"$cli" layout "$root/samples/exam.omrf"
echo
echo "== Settings of samples/sekonic.ini =="
"$cli" settings --folder "$root/samples"
