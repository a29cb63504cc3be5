#!/usr/bin/env bash
# Every test: the native ones and the fuzz run, then the Windows ones under
# Wine (unit tests of both builds and the end-to-end tests against
# dist/Setup.exe and dist/Setup-x64.exe). Ends with one summary line.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
log=$(mktemp)
trap 'rm -f "$log"' EXIT

ctest --test-dir build/native --output-on-failure 2>&1 | tee -a "$log"
native=${PIPESTATUS[0]}
payload/fuzz/run.sh "${FUZZ_SECONDS:-30}"
fuzz=$?
scripts/with-wine.sh bash -c '
  ctest --test-dir build/i686 --output-on-failure; a=$?
  ctest --test-dir build/x86_64 --output-on-failure; b=$?
  exit $(( a || b ))' 2>&1 | tr -d '\r' | tee -a "$log"
wine=${PIPESTATUS[0]}

# ctest: "100% tests passed, 0 tests failed out of 12"
read -r total failed < <(sed -n 's/.* tests passed, \([0-9]*\) tests failed out of \([0-9]*\).*/\2 \1/p' "$log" |
  awk '{t += $1; f += $2} END {print t + 0, f + 0}')
fuzz_failed=$(( fuzz != 0 ))
echo "all: $(( total - failed + 1 - fuzz_failed )) passed, $(( failed + fuzz_failed )) failed"
exit $(( native || fuzz || wine ))
