#!/usr/bin/env bash
# The shipped executables must run on a bare Windows: every DLL they import
# is one of Windows' own. Prints the imports; exits 1 on any other DLL.
set -euo pipefail
allowed='^(kernel32|user32|gdi32|advapi32|comctl32|comdlg32|shell32|msvcrt|imagehlp|ole32|shlwapi)\.dll$'
status=0
for exe in "$@"; do
  dlls=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u)
  echo "$(basename "$exe") ($(stat -c %s "$exe") bytes): $(echo $dlls)"
  for d in $dlls; do
    if ! [[ $d =~ $allowed ]]; then echo "  not a Windows DLL: $d"; status=1; fi
  done
done
exit $status
