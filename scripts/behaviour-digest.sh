#!/usr/bin/env bash
# Writes what the program does to a folder, to compare before and after a change of its
# structure: the face list of the window and of `faces`, and for every character of the CJK
# Unified Ideographs block (U+4E00 to U+9FFF), in IPAGothic and in Noto Sans CJK JP, the report
# and the recorded drawing calls of the window's display request. Runs on the tests' private font
# sets of a built tree.
# Usage: scripts/behaviour-digest.sh BUILD_DIR OUT_DIR   (then: diff -r OUT_BEFORE OUT_AFTER)
set -euo pipefail
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
cmake --build "$build" --target behaviour_digest moji-outline >/dev/null
ctest --test-dir "$build" -R '^font_set_(standard|cjk)$' >/dev/null
export QT_QPA_PLATFORM=offscreen
for set_and_face in "standard:IPAゴシック" "cjk:Noto Sans CJK JP"; do
  set=${set_and_face%%:*}
  face=${set_and_face#*:}
  export FONTCONFIG_FILE=$build/font-sets/$set/fonts.conf
  "$build/tests/digest/behaviour_digest" "$face" 4E00 9FFF >"$out/$set-window.txt"
  "$build/src/moji-outline" faces >"$out/$set-faces.txt"
  sha256sum "$out/$set-window.txt" "$out/$set-faces.txt"
done
