#!/usr/bin/env bash
# Installs the Debian packages Alambix needs to build, test and run, when any is missing.
# Runs apt-get as root, or through sudo for a normal user.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6svg6-dev libgl-dev qt6-translations-l10n
  libfontconfig-dev
  libbenchmark-dev
  libemf2svg-dev libwmf-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth poppler-utils
  ccache
  # the fuzz targets: clang, its runtime (libclang_rt.fuzzer, the sanitizers), the symbolizer
  clang libclang-rt-14-dev llvm
  desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl shared-mime-info
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

echo "Installation des paquets manquants: ${missing[*]}"
if [[ $(id -u) -eq 0 ]]; then
  run=()
elif command -v sudo >/dev/null 2>&1; then
  run=(sudo)
else
  echo "Il faut être root (ou avoir sudo) pour installer: ${missing[*]}" >&2
  exit 1
fi
"${run[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${run[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
