#!/usr/bin/env bash
# The program's main job on its own samples: reading runs through the
# simulated reader, answering the run's questions from an answers file, and
# the records they wrote:
#   - the sample exam deck (samples/exam-clean.deck, layout EXAM);
#   - the sample registration deck (layout REGISTRATION, barcode on): a
#     fixed value, running numbers, a stop value, a duplicate check, a year
#     out of its bounds corrected by the operator, and a sheet without a
#     barcode that is dropped.
#
# The runs work in fresh copies of samples/ under build/demo, so the samples
# stay as they are. Pass --keep to continue the data files of the last demo.
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
show_ansi() { if command -v iconv >/dev/null; then iconv -f CP1254 -t UTF-8 "$1"; else cat "$1"; fi; }
show_ansi "$demo/exam.dat"

registration="$demo/registration"
mkdir -p "$registration"
cp "$root"/samples/*.omrf "$registration/"
cp "$root/samples/registration-sekonic.ini" "$registration/sekonic.ini"
echo
echo "== Reading samples/registration.deck with layout REGISTRATION =="
"$cli" read --folder "$registration" --layout REGISTRATION --data "$registration/kayit.dat" \
  --reader "sim:$root/samples/registration.deck" --answers "$root/samples/registration.answers" \
  --transcript "$registration/transcript.jsonl" --device-log "$registration/device.log"
echo
echo "== Questions asked and answered (build/demo/registration/transcript.jsonl) =="
cat "$registration/transcript.jsonl"
echo
echo "== Records written (build/demo/registration/kayit.dat) =="
show_ansi "$registration/kayit.dat"
