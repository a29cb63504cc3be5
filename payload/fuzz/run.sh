#!/usr/bin/env bash
# Builds the payload fuzz target with clang and libFuzzer (with AddressSanitizer
# and UBSan) and runs it for a bounded time.
#   payload/fuzz/run.sh SECONDS
# FUZZ_BUILD_DIR chooses where the binary, corpus and any crash go
# (default build/fuzz). Needs clang and libclang-rt-14-dev.
set -euo pipefail

seconds=${1:?usage: $0 SECONDS}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
out=${FUZZ_BUILD_DIR:-$root/build/fuzz}
cxx=${CXX_FUZZ:-clang++}

if ! command -v "$cxx" >/dev/null; then
  echo "run.sh: $cxx not found; install clang and libclang-rt-14-dev" >&2
  exit 2
fi
mkdir -p "$out/corpus" "$out/seeds"

"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/payload" "$here/PayloadFuzz.cpp" \
  "$root/payload/MbText.cpp" "$root/payload/PayloadFormat.cpp" "$root/payload/PayloadTarget.cpp" \
  -o "$out/payload_fuzz"

# A few well-formed blocks to start from: empty, one product file, a folder
# name, a double-byte name, and a size running past the end.
printf '\x00\x00\x00\x00' >"$out/seeds/empty"
printf '\x01\x00\x00\x00a.prd\x00\x03\x00\x00\x00abc' >"$out/seeds/one"
printf '\x02\x00\x00\x00Sub\\x.txt\x00\x01\x00\x00\x00z\x00\x00\x00\x00\x00' >"$out/seeds/folder"
printf '\x01\x00\x00\x00\x83\\\\..\\\\x\x00\x00\x00\x00\x00' >"$out/seeds/dbcs"
printf '\x01\x00\x00\x00big\x00\xff\xff\xff\xffab' >"$out/seeds/past-end"

"$out/payload_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
  -artifact_prefix="$out/" -print_final_stats=1 "$out/corpus" "$out/seeds"
