#!/usr/bin/env bash
# A host folder whose OEM\Full.bin is /dev/full: every write to it fails with
# ENOSPC, like a full disk. Windows programs cannot make such a link, so the
# test run makes it from the Linux side.
set -euo pipefail
dir="${WINEPREFIX:?}/drive_c/pwfixtures/fulldisk"
rm -rf "$dir"
mkdir -p "$dir/OEM"
ln -s /dev/full "$dir/OEM/Full.bin"
