#!/usr/bin/env bash
# Installs what is missing, builds the game and its content, and starts it.
set -euo pipefail
cd "$(dirname "$0")"
tools/install_deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cd build/bin
exec ./kestrune
