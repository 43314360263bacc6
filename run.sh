#!/usr/bin/env bash
# The program's main job on its own samples: a reading run of the sample
# exam deck through the simulated reader, answering the run's questions
# from samples/exam-clean.answers, then the records it wrote.
#
# The run works in a fresh copy of samples/ under build/demo, so the samples
# stay as they are. Pass --keep to continue the data file of the last demo.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/ensure-packages.sh"
"$root/scripts/build.sh" release --target korvel-cli >/dev/null
cli="$root/build/src/cli/korvel-cli"

demo="$root/build/demo"
if [ "${1:-}" != "--keep" ]; then
  rm -rf "$demo"
fi
mkdir -p "$demo"
cp "$root"/samples/*.omrf "$root/samples/sekonic.ini" "$demo/"

echo "== Reading samples/exam-clean.deck with layout EXAM =="
"$cli" read --folder "$demo" --layout EXAM --data "$demo/exam.dat" \
  --reader "sim:$root/samples/exam-clean.deck" --answers "$root/samples/exam-clean.answers" \
  --transcript "$demo/transcript.jsonl" --device-log "$demo/device.log"
echo
echo "== Questions asked (build/demo/transcript.jsonl) =="
cat "$demo/transcript.jsonl"
echo
echo "== Records written (build/demo/exam.dat, code page 1254 shown as UTF-8) =="
if command -v iconv >/dev/null; then iconv -f CP1254 -t UTF-8 "$demo/exam.dat"; else cat "$demo/exam.dat"; fi
