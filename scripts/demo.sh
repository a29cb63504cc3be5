#!/usr/bin/env bash
# The sample: packages samples/addon into an installer, sets up a Wine prefix
# of its own with a sample Korvelin Business installation, and runs the
# installer. With a display the person uses it; without one it runs under
# Xvfb, presses Install itself, saves screenshots to build/demo/ and prints
# what was installed where.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build/demo
export WINEPREFIX=$root/build/demo-wine
fakehost=$root/build/i686/tests/fakehost/KorvApp.exe
interactive=${DISPLAY:+yes}

rm -rf "$out" && mkdir -p "$out"
"$root/dist/parcelwright" build -o "$out/SampleAddon.exe" --stub "$root/dist/Setup.exe" \
  "$root"/samples/addon/SampleAddon.prd "$root"/samples/addon/SampleAddon.ico \
  "$root"/samples/addon/SampleAddon.ini "$root"/samples/addon/Readme.txt
echo "made $out/SampleAddon.exe:"
"$root/dist/parcelwright" list "$out/SampleAddon.exe"

cat > "$out/run.sh" <<INNER
set -euo pipefail
host="\$WINEPREFIX/drive_c/Program Files (x86)/Korvelin"
rm -rf "\$host" && mkdir -p "\$host"
cp "$fakehost" "\$host/KorvApp.exe"
printf '[VERSION]\r\nVersionInfo=42\r\nSLXInfo=0\r\nOemKVSF=0\r\n' > "\$host/KorvApp.dat"
wine reg add 'HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\KorvApp.exe' /v Path \
  /t REG_SZ /d 'C:\\Program Files (x86)\\Korvelin\\' /f >/dev/null 2>&1
cp "$out/SampleAddon.exe" "\$WINEPREFIX/drive_c/SampleAddon.exe"

if [ "$interactive" = yes ]; then
  wine 'C:\\SampleAddon.exe' || true
else
  wine 'C:\\SampleAddon.exe' &
  pid=\$!
  shot() { sleep 0.5; import -window root -crop 560x240+232+264 "$out/\$1.png"; }
  xdotool search --sync --name '^Setup\$' >/dev/null
  shot setup-dialog
  xdotool key alt+i
  xdotool search --sync --name '^SampleAddon\$' >/dev/null
  shot installed
  xdotool key Return
  wait \$pid || true
  # The host starts a second after the message.
  for _ in \$(seq 50); do grep -q started "\$host/KorvApp.log" 2>/dev/null && break; sleep 0.2; done
  echo "screenshots: $out/setup-dialog.png $out/installed.png"
fi
echo "installed into C:\\Program Files (x86)\\Korvelin\\:"
(cd "\$host" && find . -type f | sort | sed 's|^\./|  |')
INNER
"$root/scripts/with-wine.sh" bash "$out/run.sh"
