#!/usr/bin/env bash
# Builds and runs the whole test suite twice: a normal build (then the
# screenshots of the window under Xvfb), then a build
# under AddressSanitizer + UndefinedBehaviorSanitizer, which also runs a
# short smoke of every fuzz target.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/ensure-packages.sh"

echo "== Normal build =="
"$root/scripts/build.sh" release
ctest --test-dir "$root/build" --output-on-failure -j2

echo "== The window under a virtual X server: screenshots in build/screenshots =="
"$root/scripts/screenshots.sh" "$root/build/screenshots"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
"$root/scripts/build.sh" asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$root/build-asan" --output-on-failure -j2
echo "All tests passed."
