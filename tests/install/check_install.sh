#!/usr/bin/env bash
# Installs a built moji-outline tree with `cmake --install` into a temporary DESTDIR and checks
# the result as a desktop and a distribution would see it.
#
# Usage: check_install.sh BUILD_DIR VERSION with-man-page|without-man-page [CONFIG]
#   BUILD_DIR  a configured and built tree; VERSION  the project version it was configured with.
#   CMAKE (environment) is the cmake to install with (default: cmake on PATH).
# Exit status: 0 every check passed; 1 a check failed; 77 every check that could run passed but
# a validator is not installed or no manual page was built (CTest reports the test skipped).
set -uo pipefail

build=$1
version=$2
man_page=$3
config=${4:-}
cmake=${CMAKE:-cmake}
id=io.github.mojioutline.MojiOutline

# Not /usr: a destination written as an absolute /usr/... path would then land outside the
# prefix, where the stray-file check below finds it.
prefix=/opt/moji-outline
work=$(mktemp -d "${TMPDIR:-/tmp}/moji-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
root=$work/root
top=$root$prefix

failures=0
skipped=()
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
skip() {
  echo "SKIP: $*"
  skipped+=("$*")
}

install_arguments=(--install "$build" --prefix "$prefix")
[ -n "$config" ] && install_arguments+=(--config "$config")
if ! DESTDIR=$root "$cmake" "${install_arguments[@]}" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install failed (is the tree built?)"
  exit 1
fi

program=$top/bin/moji-outline
desktop=$top/share/applications/$id.desktop
metainfo=$top/share/metainfo/$id.metainfo.xml
svg=$top/share/icons/hicolor/scalable/apps/$id.svg
png=$top/share/icons/hicolor/48x48/apps/$id.png
manual=$top/share/man/man1/moji-outline.1
docs=$top/share/doc/moji-outline

expected=("$desktop" "$metainfo" "$svg" "$png" "$docs/copyright" "$docs/changelog")
[ "$man_page" = with-man-page ] && expected+=("$manual")
for file in "${expected[@]}"; do
  [ -f "$file" ] || fail "not installed: ${file#"$root"}"
done
[ -f "$program" ] && [ -x "$program" ] || fail "no executable ${program#"$root"}"

# Every file under the prefix, and nothing that is not the build's own.
stray=$(find "$root" ! -type d ! -path "$top/*")
[ -z "$stray" ] || fail "installed outside the prefix $prefix: ${stray//"$root"/}"

# The installed program is this build's, and runs without a display.
if [ -x "$program" ]; then
  printed=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version 2>&1)
  [ "$printed" = "moji-outline $version" ] ||
    fail "installed moji-outline --version printed '$printed', not 'moji-outline $version'"
fi

# The files name each other: the desktop entry starts the installed program and asks for the
# installed icon, the metadata launches the desktop entry and provides the program.
desktop_value() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
if [ -f "$desktop" ]; then
  exec_program=$(desktop_value Exec | cut -d ' ' -f 1)
  [ -x "$top/bin/$exec_program" ] || fail "Exec= starts '$exec_program', which is not installed in bin"
  [ "$(desktop_value Icon)" = "$id" ] || fail "Icon= is '$(desktop_value Icon)', not the id $id"
  [ "$(desktop_value TryExec)" = "$exec_program" ] || fail "TryExec= differs from Exec='s program"
fi
if [ -f "$metainfo" ]; then
  grep -q "<id>$id</id>" "$metainfo" || fail "the metadata's <id> is not $id"
  grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metadata does not launch $id.desktop"
  grep -q "<binary>moji-outline</binary>" "$metainfo" || fail "the metadata does not provide moji-outline"
  # Releases are listed newest first; the newest must be the version being installed.
  newest=$(grep -o '<release [^>]*version="[^"]*"' "$metainfo" | head -n 1 | sed 's/.*version="\([^"]*\)"/\1/')
  [ "$newest" = "$version" ] ||
    fail "the metadata's newest release is '$newest', not $version: add a <release> for it"
fi
if [ -f "$docs/changelog" ]; then
  logged=$(sed -n '1s/^moji-outline (\([^)]*\)).*/\1/p' "$docs/changelog")
  [ "$logged" = "$version" ] ||
    fail "data/changelog starts with version '$logged', not $version: add an entry for it"
fi

# The 48 x 48 icon really is 48 x 48: width and height are the big-endian words at bytes 16-23.
if [ -f "$png" ]; then
  size=$(od -An -tu1 -j16 -N8 "$png" | awk '{ print $1*16777216 + $2*65536 + $3*256 + $4 "x" $5*16777216 + $6*65536 + $7*256 + $8 }')
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || fail "$id.png is not a PNG"
  [ "$size" = 48x48 ] || fail "the 48x48 icon is $size"
fi
if [ -f "$svg" ]; then
  if command -v python3 >/dev/null 2>&1; then
    python3 - "$svg" <<'EOF' || fail "the scalable icon is not a well-formed SVG document"
import sys
import xml.etree.ElementTree as ElementTree
root = ElementTree.parse(sys.argv[1]).getroot()
sys.exit(0 if root.tag == "{http://www.w3.org/2000/svg}svg" and root.get("viewBox") else 1)
EOF
  else
    skip "python3 is not installed: the SVG icon was not parsed"
  fi
fi

# desktop-file-validate prints nothing for a good entry. Its hints count too: they flag
# entries menus file badly, such as one without a main category or with two of them.
if ! command -v desktop-file-validate >/dev/null 2>&1; then
  skip "desktop-file-validate is not installed (Debian package desktop-file-utils)"
elif [ -f "$desktop" ]; then
  report=$(desktop-file-validate "$desktop" 2>&1)
  status=$?
  [ $status -eq 0 ] && [ -z "$report" ] ||
    fail "desktop-file-validate does not accept $id.desktop: $report"
fi

# appstreamcli reads the metadata as installed, with the desktop entry it launches beside it.
# Errors and warnings fail; infos and pedantic notes do not.
if ! command -v appstreamcli >/dev/null 2>&1; then
  skip "appstreamcli is not installed (Debian package appstream)"
elif [ -f "$metainfo" ]; then
  report=$(appstreamcli validate-tree --no-net --no-color "$top" 2>&1)
  status=$?
  echo "$report"
  [ $status -eq 0 ] && ! grep -q '^[EW]:' <<<"$report" ||
    fail "appstreamcli does not accept $id.metainfo.xml"
fi

# The manual page: groff with every warning on, reading and writing UTF-8 as man does.
if [ "$man_page" != with-man-page ]; then
  skip "no manual page was built: help2man was not installed when the build was configured"
elif ! command -v groff >/dev/null 2>&1; then
  skip "groff is not installed (Debian package groff-base): the manual page was not checked"
elif [ -f "$manual" ]; then
  warnings=$(groff -k -ww -man -Tutf8 -z "$manual" 2>&1)
  [ -z "$warnings" ] || fail "groff warns about moji-outline.1: $warnings"
  ! grep -q '??' "$manual" || fail "moji-outline.1 has lost the non-ASCII characters of --help to '?'"
  grep -q "^\.TH MOJI-OUTLINE \"1\" .*\"moji-outline $version\"" "$manual" ||
    fail "moji-outline.1 was not made from this build's moji-outline --version"
  grep -q '^\.SH NAME' "$manual" && grep -Eq '^moji(\\)?-outline \\- ' "$manual" ||
    fail "moji-outline.1 has no NAME line 'moji-outline - ...' for whatis and apropos"
  # help2man takes --help apart by its shape: each form of the command on one synopsis line, and
  # each option's text whole under it, not split where --help breaks its lines.
  rendered=$(groff -k -man -Tutf8 -P-cbu -rLL=300n "$manual" 2>/dev/null)
  for line in 'moji-outline render CHAR [FACE] [DRAWING] [--step N] -o FILE' \
              'draw from a font file that need not be installed (report, render, faces)'; do
    grep -qF -- "$line" <<<"$rendered" || fail "moji-outline.1 does not show '$line' on one line"
  done
fi

if [ $failures -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
if [ ${#skipped[@]} -gt 0 ]; then
  echo "Passed, but skipped: ${skipped[*]}"
  exit 77
fi
echo "The installed tree is complete and every validator accepts it"
