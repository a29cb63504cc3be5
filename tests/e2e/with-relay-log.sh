#!/usr/bin/env bash
# Runs an end-to-end test program with its standard error going to LOG. Wine
# writes a child's debug trace to the Unix standard error the child inherits
# from its parent, not to the handles the parent passes, so LOG is where the
# program finds the relay trace of the programs it starts.
# Usage: with-relay-log.sh LOG COMMAND...
set -uo pipefail
log=$1
shift
mkdir -p "$(dirname "$log")"
"$@" 2>"$log"
rc=$?
# The program's own messages, without the children's trace.
grep -av -E '^[0-9a-f]{4,8}:[0-9a-f]{4,8}:|^pwdriver: relay log check' "$log" >&2 || true
exit $rc
