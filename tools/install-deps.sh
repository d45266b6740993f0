#!/usr/bin/env bash
# Installs the Debian packages Alambix needs to build and run, when any is missing; with
# --tests, also what the tests, benchmarks and fuzz targets alone need (tools/test.sh).
# Runs apt-get as root, or through sudo for a normal user.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev qt6-translations-l10n
  libfontconfig-dev
  libemf2svg-dev libwmf-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth
  ccache
  xdg-utils shared-mime-info
)
test_packages=(
  libbenchmark-dev
  # every source file formatted as .clang-format says
  clang-format
  # printed pages read back; LibreOffice reading the RTF we write
  poppler-utils libreoffice-writer-nogui
  # the fuzz targets: clang, its runtime (libclang_rt.fuzzer, the sanitizers), the symbolizer
  clang libclang-rt-14-dev llvm
  # the installed menu entry, description and file types checked
  desktop-file-utils appstream libfile-mimeinfo-perl
)
if [[ ${1:-} == --tests ]]; then
  packages+=("${test_packages[@]}")
fi

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
