#!/usr/bin/env bash
# Installs what building, running and testing need, from Debian's packages. Idempotent: when
# everything is present it only asks dpkg and returns, so the run and test commands call it
# every time.
set -euo pipefail

packages=(
    # native build and tests
    cmake ninja-build g++ googletest
    # the Windows build: the -posix MinGW variant has std::thread and std::mutex
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    # running and testing the Windows binaries
    wine wine64 xvfb x11-utils imagemagick fonts-liberation2
    # fuzzing and sanitizers with clang
    clang libclang-rt-14-dev
    # benchmark baselines
    libpugixml-dev
    # the skin and icon generator (Debian's python3, not a user's own interpreter)
    python3 python3-pil librsvg2-bin
    # the help file's compiler (chmcmd)
    fp-utils
)

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "install-deps: run as root or install sudo" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
