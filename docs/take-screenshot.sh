#!/usr/bin/env bash
# Renders docs/editor.png: this build's editor as morvik-editor shows it in a
# window, on a virtual X server. Run after `cmake -S . -B build`.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target MorvikGate morvik-editor
xvfb-run -a build/tools/editor/morvik-editor build/VST3/MorvikGate.vst3 --screenshot docs/editor.png
