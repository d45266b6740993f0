#!/usr/bin/env bash
# Builds the Debian package of Alambix: a Release build installed under /usr, packaged by CPack
# with its dependencies worked out by dpkg-shlibdeps, then checked by lintian when it is there.
# The package lands in build/deb/; install it with: sudo apt install ./build/deb/alambix_*.deb
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"

build="$root/build/deb"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DALAMBIX_TESTS=OFF -DALAMBIX_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
(cd "$build" && cpack -G DEB)
package=$(ls -t "$build"/alambix_*.deb | head -n 1)
if command -v lintian >/dev/null 2>&1; then
  lintian --fail-on error "$package"
fi
echo "Paquet prêt: $package"
