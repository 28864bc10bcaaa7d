#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libfreetype-dev libfontconfig-dev libicu-dev libharfbuzz-dev
  fonts-ipafont-gothic fonts-dejavu-core fonts-noto-cjk fonts-urw-base35 fonts-inter-variable
  libgtest-dev libbenchmark-dev python3-fonttools python3-brotli python3-jsonschema python3-freetype
  clang libclang-rt-14-dev valgrind
  help2man groff-base desktop-file-utils appstream dpkg-dev file lintian
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
echo "Installing: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
