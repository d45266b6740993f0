#!/usr/bin/env bash
# Quick start: installs what is missing, builds Alambix and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"

build="$root/build/release"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DALAMBIX_TESTS=OFF -DALAMBIX_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "Aucun écran graphique: Alambix démarre dans un écran virtuel (Xvfb)."
  exec xvfb-run -a -s '-screen 0 1024x768x24' "$build/alambix" "$@"
fi
exec "$build/alambix" "$@"
