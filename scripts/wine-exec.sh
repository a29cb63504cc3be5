#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix. ctest calls it for
# every Windows test binary; scripts/with-wine.sh sets the environment up.
exec wine "$@"
