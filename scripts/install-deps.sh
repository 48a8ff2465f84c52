#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests, the benchmarks and the fuzzer need.
# As root it installs whatever is missing; otherwise it prints the one command to run.
set -euo pipefail

packages=(
    # Build
    cmake make g++ pkg-config
    # The reference that writes and checks the table of races the core is tested against
    python3
    # Window: Qt 6 Widgets and the fonts nearest to the calculator's own
    qt6-base-dev fonts-liberation fonts-urw-base35 fonts-dejavu-core
    # Tests, benchmarks and fuzzing
    googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
    # Running the window without a desktop
    xvfb xauth
    # Desktop integration and the Debian package: icons rendered from SVG, validators, dpkg tools
    librsvg2-bin desktop-file-utils appstream dpkg-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

if [[ $(id -u) -eq 0 ]]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Missing packages. Install them with:"
    echo "  sudo apt-get install ${missing[*]}"
    exit 1
fi
