#!/usr/bin/env bash
# Install speed and memory, run on demand (`make bench`): our installer against
# cp of the same files (the limit) and an uncompressed NSIS installer, all in
# one Wine prefix and one run. Prints a Markdown table of medians and ratios.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
runs=${BENCH_RUNS:-3}
work=$root/build/bench
export WINEPREFIX=${WINEPREFIX:-$root/build/bench-wine}

rm -rf "$work" && mkdir -p "$work"
i686-w64-mingw32-g++ -O2 -static "$root/bench/InstallTimer.cpp" -o "$work/InstallTimer.exe" -lpsapi

# Payload sets: a few large files; a thousand small ones. Each has one
# product file so that both installers write the same tree shape.
make_set() {  # name count size
  local dir=$work/$1/files
  mkdir -p "$dir"
  head -c "$3" /dev/urandom > "$dir/Bench.prd"
  for i in $(seq 2 "$2"); do head -c "$3" /dev/urandom > "$dir/file$i.bin"; done
}
make_set large 4 $((32 * 1024 * 1024))
make_set small 1000 4096

build_installers() {  # name
  local dir=$work/$1
  (cd "$dir/files" && "$root/dist/parcelwright" build -o "$dir/ours.exe" --stub "$root/dist/Setup.exe" \
    Bench.prd $(ls | grep -v '^Bench.prd$' | sort -V)) >/dev/null
  {
    echo 'Unicode false'
    echo 'SetCompress off'
    echo 'RequestExecutionLevel admin'
    echo "OutFile \"$dir/nsis.exe\""
    echo "InstallDir \"C:\\bench-nsis\\$1\""
    echo 'Section'
    echo '  SetOutPath "$INSTDIR"'
    echo "  File \"$dir/files/Bench.prd\""
    echo '  SetOutPath "$INSTDIR\OEM"'
    for f in $(cd "$dir/files" && ls | grep -v '^Bench.prd$' | sort -V); do echo "  File \"$dir/files/$f\""; done
    echo 'SectionEnd'
  } > "$dir/nsis.nsi"
  makensis -V1 "$dir/nsis.nsi" >/dev/null
}

median() { sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

cat > "$work/measure.sh" <<'INNER'
set -euo pipefail
work=$1; runs=$2; name=$3
c=$WINEPREFIX/drive_c
host="$c/bench-host/$name"
mkdir -p "$host"
cp "$work/InstallTimer.exe" "$c/InstallTimer.exe"
printf '[VERSION]\r\nVersionInfo=42\r\n' > "$host/KorvApp.dat"
: > "$host/KorvApp.exe"
wine reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\App Paths\KorvApp.exe' /v Path /t REG_SZ \
  /d "C:\\bench-host\\$name\\" /f >/dev/null 2>&1
cp "$work/$name/ours.exe" "$c/ours-$name.exe"
cp "$work/$name/nsis.exe" "$c/nsis-$name.exe"
for i in $(seq "$runs"); do
  rm -rf "$host/OEM" "$host/Bench.prd" "$c/bench-nsis/$name" "$c/bench-cp"
  sync  # start each run from written-back caches
  wine 'C:\InstallTimer.exe' "C:\\ours-$name.exe" | tr -d '\r' | sed "s/^/ours /"
  wine 'C:\InstallTimer.exe' "C:\\nsis-$name.exe" /S | tr -d '\r' | sed "s/^/nsis /"
  mkdir -p "$c/bench-cp/OEM"
  t0=$(date +%s.%N)
  cp "$work/$name/files/Bench.prd" "$c/bench-cp/"
  (cd "$work/$name/files" && cp $(ls | grep -v '^Bench.prd$') "$c/bench-cp/OEM/")
  t1=$(date +%s.%N)
  echo "cp seconds=$(echo "$t1 - $t0" | bc -l) peak_private_kb=0 exit=0"
done
# Every file our installer wrote must be the file it carries.
cmp "$work/$name/files/Bench.prd" "$host/Bench.prd"
for f in $(cd "$work/$name/files" && ls | grep -v '^Bench.prd$'); do cmp "$work/$name/files/$f" "$host/OEM/$f"; done
INNER

for set in large small; do build_installers $set; done
"$root/scripts/with-wine.sh" bash -c 'for set in large small; do bash "$0/measure.sh" "$0" "$1" $set > "$0/$set.txt"; done' "$work" "$runs"

echo "| payload | ours (s) | cp (s) | NSIS (s) | ours / cp | ours / NSIS | ours peak private (KiB) | NSIS peak private (KiB) |"
echo "|---|---|---|---|---|---|---|---|"
for set in large small; do
  f=$work/$set.txt
  get() { grep "^$1 " "$f" | sed -E "s/.*$2=([0-9.]+).*/\1/" | median; }
  ours=$(get ours seconds); cpt=$(get cp seconds); nsis=$(get nsis seconds)
  om=$(get ours peak_private_kb); nm=$(get nsis peak_private_kb)
  bytes=$(find "$work/$set/files" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
  printf "| %s (%d files, %d MiB) | %.3f | %.3f | %.3f | %.2f | %.2f | %s | %s |\n" "$set" \
    "$(ls "$work/$set/files" | wc -l)" $((bytes / 1048576)) "$ours" "$cpt" "$nsis" \
    "$(echo "$ours / $cpt" | bc -l)" "$(echo "$ours / $nsis" | bc -l)" "$om" "$nm"
done
echo
# What each installer adds to the files it carries: the stub and its index.
echo "| payload | ours: installer minus files (bytes) | NSIS: installer minus files (bytes) | ours / NSIS |"
echo "|---|---|---|---|"
for set in large small; do
  bytes=$(find "$work/$set/files" -type f -printf '%s\n' | awk '{s += $1} END {print s}')
  o=$(( $(stat -c %s "$work/$set/ours.exe") - bytes )); n=$(( $(stat -c %s "$work/$set/nsis.exe") - bytes ))
  printf "| %s | %d | %d | %.2f |\n" "$set" "$o" "$n" "$(echo "$o / $n" | bc -l)"
done
