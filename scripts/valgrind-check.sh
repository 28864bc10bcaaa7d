#!/usr/bin/env bash
# Runs moji-outline under valgrind's memcheck on the offscreen platform: start-up, the font walk
# and the first display request, ending in a screenshot. Fails on any memory error (a read or
# write outside a block, use of uninitialised memory, a bad free) and on any definite leak that
# scripts/valgrind.supp does not cover; that file lists only the caches Qt, GLib and fontconfig
# keep for the life of the process.
#
# Usage: scripts/valgrind-check.sh [PROGRAM]   (default PROGRAM: build/release/src/moji-outline)
# Exit status: 0 clean, 1 errors or leaks found, 77 valgrind is not installed (skipped).
set -euo pipefail

if ! command -v valgrind >/dev/null 2>&1; then
  echo "valgrind is not installed: memcheck skipped"
  exit 77
fi

here="$(cd "$(dirname "$0")" && pwd)"
program="${1:-$here/../build/release/src/moji-outline}"
if [ ! -x "$program" ]; then
  echo "no program at $program" >&2
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
log="$work/memcheck.log"
shot="$work/start-up.png"

status=0
QT_QPA_PLATFORM=offscreen valgrind --tool=memcheck --error-exitcode=99 \
  --leak-check=full --show-leak-kinds=definite --errors-for-leak-kinds=definite \
  --suppressions="$here/valgrind.supp" --gen-suppressions=all --num-callers=40 \
  --log-file="$log" "$program" --screenshot "$shot" || status=$?

if [ "$status" -ne 0 ] || [ ! -s "$shot" ]; then
  echo "memcheck of $program failed (exit status $status):"
  cat "$log"
  exit 1
fi
grep -E "ERROR SUMMARY|definitely lost" "$log" | sed 's/^==[0-9]*== //'
echo "memcheck: no memory errors, no definite leaks"
