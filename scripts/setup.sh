#!/usr/bin/env bash
# Installs what this machine lacks (Debian 12, as root), then configures and
# builds the project into build/.
#
#   TVX_BUILD_DIR   build folder (default: build)
#   TVX_CMAKE_ARGS  extra arguments for the CMake configure step
#   TVX_WITH_BLENDER=1  also installs Blender and NumPy (about 660 MB), with
#                   which the tests open every glTF file they write in
#                   Blender (tests/client/)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(g++ cmake ninja-build pkg-config zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev
          libcli11-dev nlohmann-json3-dev libtinygltf-dev libstb-dev clang libclang-rt-14-dev)
if [ "${TVX_WITH_BLENDER:-}" = 1 ]; then
  packages+=(blender python3-numpy)
fi
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

# The Khronos glTF validator, which the tests run over every glTF file they
# write, from the npm registry into the build folder.
validator="$build/gltf-validator"
if [ ! -f "$validator/node_modules/gltf-validator/package.json" ]; then
  if ! command -v npm >/dev/null; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends nodejs npm
  fi
  mkdir -p "$validator"
  npm install --prefix "$validator" --no-audit --no-fund --silent gltf-validator@2.0.0-dev.3.10
fi
# shellcheck disable=SC2086
cmake -S . -B "$build" -G Ninja ${TVX_CMAKE_ARGS:-}
cmake --build "$build" --parallel
