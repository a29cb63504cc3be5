#!/usr/bin/env bash
# Every test: the native ones, then the Windows ones under Wine (unit tests
# of both builds and the end-to-end tests against dist/Setup.exe).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

ctest --test-dir build/native --output-on-failure
native=$?
scripts/with-wine.sh bash -c '
  ctest --test-dir build/i686 --output-on-failure; a=$?
  ctest --test-dir build/x86_64 --output-on-failure; b=$?
  exit $(( a || b ))'
wine=$?
exit $(( native || wine ))
