#!/usr/bin/env bash
# The main job, on a fresh Debian 12 machine: installs what is missing, builds,
# installs the bundle (into ~/.vst3/ by default) and renders the render tool's
# built-in test signal through the installed bundle.
#
#   scripts/main-job.sh [OUTPUT.wav]     default output: build/morvik-render.wav
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-build/morvik-render.wav}

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build
cmake --install build

install_dir=$(sed -n 's/^MORVIK_VST3_INSTALL_DIR:[A-Z]*=//p' build/CMakeCache.txt)
if [[ $install_dir != /* ]]; then
  install_dir="$(sed -n 's/^CMAKE_INSTALL_PREFIX:[A-Z]*=//p' build/CMakeCache.txt)/$install_dir"
fi
bundle="$install_dir/MorvikGate.vst3"
echo "Installed $bundle"

render=build/tools/render/morvik-render
if [[ -x $render ]]; then
  "$render" --bundle "$bundle" -o "$output"
  echo "Rendered the built-in test signal to $output"
else
  echo "No render tool in this build; built and installed only."
fi
