#!/usr/bin/env bash
# Builds moji-outline for release in build/package and packs it as a Debian package
# (cmake/Packaging.cmake holds the package's settings), then has lintian check the package and
# fails on any lintian error. The last line printed is the path of the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

# Debian's own compiler and linker flags with every hardening option (fortified functions,
# stack protector, read-only relocations bound at start-up), as lintian expects of a package.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake --preset package \
  "-DCMAKE_CXX_FLAGS=$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  "-DCMAKE_EXE_LINKER_FLAGS=$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build --preset package

rm -f build/package/moji-outline_*.deb
if ! (cd build/package && cpack -G DEB) >build/package/cpack.log 2>&1; then
  cat build/package/cpack.log
  exit 1
fi
debs=(build/package/moji-outline_*.deb)
deb="$PWD/${debs[0]}"

echo "lintian $deb:"
lintian --fail-on error --display-info "$deb"
echo "$deb"
