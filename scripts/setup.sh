#!/usr/bin/env bash
# Installs what this machine lacks (Debian 12, as root), then configures and
# builds the project into build/.
#
#   TVX_BUILD_DIR   build folder (default: build)
#   TVX_CMAKE_ARGS  extra arguments for the CMake configure step
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkg-config zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev
          libcli11-dev nlohmann-json3-dev clang libclang-rt-14-dev
          libtinygltf-dev libstb-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build="${TVX_BUILD_DIR:-build}"
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja ${TVX_CMAKE_ARGS:-}
cmake --build "$build" --parallel
