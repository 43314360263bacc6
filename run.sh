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
# stay as they are. Pass --keep to continue the data files of the last demo,
# or gui to open the operator's window on the samples instead.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/ensure-packages.sh"

# ./run.sh gui: the operator's window on a fresh copy of the samples, with
# the simulated reader and the sample exam deck.
if [ "${1:-}" = "gui" ]; then
  "$root/scripts/build.sh" release --target korvel >/dev/null
  folder="$root/build/demo-gui"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$root"/samples/*.omrf "$root"/samples/arka00?.jpg "$root/samples/sekonic.ini" "$folder/"
  exec "$root/build/src/gui/korvel" --folder "$folder" --reader "sim:$root/samples/exam-clean.deck"
fi

"$root/scripts/build.sh" release --target korvel-cli >/dev/null
cli="$root/build/src/cli/korvel-cli"

demo="$root/build/demo"
if [ "${1:-}" != "--keep" ]; then
  rm -rf "$demo"
fi
show_ansi() { if command -v iconv >/dev/null; then iconv -f CP1254 -t UTF-8 "$1"; else cat "$1"; fi; }

# demo_reading FOLDER SETTINGS LAYOUT DECK ANSWERS DATA: one reading in its
# own program folder, then the questions asked and the records written.
demo_reading() {
  local folder="$1" settings="$2" layout="$3" deck="$4" answers="$5" data="$6"
  mkdir -p "$folder"
  cp "$root"/samples/*.omrf "$folder/"
  cp "$settings" "$folder/sekonic.ini"
  echo "== Reading samples/$(basename "$deck") with layout $layout =="
  "$cli" read --folder "$folder" --layout "$layout" --data "$folder/$data" \
    --reader "sim:$deck" --answers "$answers" \
    --transcript "$folder/transcript.jsonl" --device-log "$folder/device.log"
  echo
  echo "== Questions asked and answered (${folder#"$root"/}/transcript.jsonl) =="
  cat "$folder/transcript.jsonl"
  echo
  echo "== Records written (${folder#"$root"/}/$data, code page 1254 shown as UTF-8) =="
  show_ansi "$folder/$data"
  echo
}

demo_reading "$demo" "$root/samples/sekonic.ini" EXAM "$root/samples/exam-clean.deck" \
  "$root/samples/exam-clean.answers" exam.dat
demo_reading "$demo/registration" "$root/samples/registration-sekonic.ini" REGISTRATION \
  "$root/samples/registration.deck" "$root/samples/registration.answers" kayit.dat
