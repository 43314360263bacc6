#!/usr/bin/env bash
# The program's main job on its sample folder: shows the sample exam layout
# as the program parses it, and the settings it loads from samples/sekonic.ini.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/ensure-packages.sh"
"$root/scripts/build.sh" release --target korvel-cli >/dev/null
cli="$root/build/src/cli/korvel-cli"

# The CLI prints JSON for tools; shown here as a table when Python is there.
show_layout() {
  if command -v python3 >/dev/null; then
    python3 -c '
import json, sys
d = json.load(sys.stdin)
h = d["header"]
print("lines %s, threshold %s, turn %r, double mark %r, blank %r; %d fields, first back field %d, UTF-8 %s"
      % (h["LayoutLineCount"], h["ThresholdHex"], h["LayoutTurn"], h["MultiMarkText"], h["BlankText"],
         d["FieldCount"], d["FirstBackField"], d["Utf8DataFile"]))
print("%4s  %-12s %-13s %-4s %-4s %-4s %-4s %5s  %s" % ("#", "name", "block", "or", "step", "dec", "kind", "chars", "alphabet"))
for i, f in enumerate(d["fields"], 1):
    block = "%d-%d x %d-%d" % (f["FieldLineFrom"], f["FieldLineTo"], f["FieldColFrom"], f["FieldColTo"])
    print("%4d  %-12s %-13s %-4s %-4d %-4s %-4s %5d  %s" % (i, f["FieldName"].rstrip(": "), block, f["FieldOrient"],
          f["FieldStep"], f["FieldDecoder"], f["FieldKind"], f["FieldCharCount"], f["FieldAlphabet"]))
'
  else
    cat
  fi
}
show_json() { if command -v python3 >/dev/null; then python3 -m json.tool --no-ensure-ascii; else cat; fi; }

echo "== Layout samples/exam.omrf =="
"$cli" layout "$root/samples/exam.omrf" | show_layout
echo
echo "== Settings of samples/sekonic.ini =="
"$cli" settings --folder "$root/samples" | show_json
