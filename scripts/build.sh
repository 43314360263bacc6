#!/usr/bin/env bash
# build.sh TREE: configures (once) and builds one build tree incrementally.
#   release  build/       g++, optimised with debug info
#   asan     build-asan/  clang, AddressSanitizer + UndefinedBehaviorSanitizer,
#                         with the libFuzzer targets
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
tree="${1:-release}"
shift || true

case "$tree" in
  release)
    dir="$root/build"
    args=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
    ;;
  asan)
    dir="$root/build-asan"
    sanitize="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
    args=(-DCMAKE_BUILD_TYPE=Debug
          -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
          "-DCMAKE_CXX_FLAGS=$sanitize -fsanitize=fuzzer-no-link"
          "-DCMAKE_EXE_LINKER_FLAGS=$sanitize"
          -DKORVEL_FUZZ=ON)
    ;;
  *) echo "unknown build tree: $tree" >&2; exit 2 ;;
esac

if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" "$@"
