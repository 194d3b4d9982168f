#!/usr/bin/env bash
# Installs what is missing, builds the game twice (plain, and with Address-
# and UndefinedBehaviorSanitizer plus the fuzz targets), and runs every test
# headless under Xvfb with Mesa's software renderer. Each stage says how long
# it took; the last one, the sanitizer build's tests, ends with ctest's own
# summary and total time.
set -euo pipefail
cd "$(dirname "$0")"

stage_start=$SECONDS
stage_name=""
stage() {
  if [[ -n "$stage_name" ]]; then
    echo "== $stage_name took $((SECONDS - stage_start)) s =="
  fi
  stage_name=$1
  stage_start=$SECONDS
  [[ -n "$stage_name" ]] && echo "== $stage_name =="
  return 0
}

stage "installing missing packages"
tools/install_deps.sh

jobs=$(nproc)
stage "plain build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
stage "sanitizer build"
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKESTRUNE_SANITIZE=ON -DKESTRUNE_FUZZ=ON >/dev/null
cmake --build build-asan -j"$jobs"

# Tests never need a sound card, and GL runs on llvmpipe. The sanitizer
# options are built into the sanitizer build's programs.
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
export KESTRUNE_NO_MESSAGE_BOX=1

# Each test starts an X server of its own (tests/with_display.sh).
run_suite() {
  (cd "$1" && ctest --output-on-failure -j"$jobs" --timeout 600)
}

stage "plain build tests"
plain_status=0
run_suite build || plain_status=$?
stage "sanitizer build tests"
echo "== $SECONDS s since the start =="
asan_status=0
run_suite build-asan || asan_status=$?
if ((plain_status != 0 || asan_status != 0)); then
  exit 1
fi
