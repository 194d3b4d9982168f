#!/usr/bin/env bash
# Random play for a long time: many runs of the real game, each with its own
# seed and a random script of held keys (walking, turning, locking on,
# attacking, confirming menus), checking every run ends cleanly and the world
# never grows without bound.
#
#   tools/soak.sh BIN_DIR [MINUTES] [FRAMES_PER_RUN]
#
# Use a sanitizer build's bin directory to have AddressSanitizer and
# UndefinedBehaviorSanitizer watch every run.
set -euo pipefail

bin_dir=${1:?usage: tools/soak.sh BIN_DIR [MINUTES] [FRAMES_PER_RUN]}
minutes=${2:-20}
frames=${3:-1800}
max_objects=400
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

keys=(W A S D W W Ctrl Ctrl Left Right Up Down R Enter)

make_script() {
  local seed=$1 frame=1 key held
  RANDOM=$seed
  echo "1 down Enter"
  echo "2 up Enter"
  while ((frame < frames)); do
    frame=$((frame + 1 + RANDOM % 12))
    key=${keys[RANDOM % ${#keys[@]}]}
    held=$((1 + RANDOM % 40))
    echo "$frame down $key"
    echo "$((frame + held)) up $key"
  done
}

deadline=$((SECONDS + minutes * 60))
runs=0
seed=1
while ((SECONDS < deadline)); do
  make_script "$seed" >"$work/script.txt"
  # Each run plays in its own copy of the working directory's save file.
  rm -f "$work/Kestrune.savedata"
  for folder in Library model image sound; do
    ln -sfn "$bin_dir/$folder" "$work/$folder"
  done
  status=0
  (cd "$work" && KESTRUNE_DEBUG_OUTPUT=1 "$bin_dir/kestrune" --silent --unpaced --seed "$seed" \
    --script "$work/script.txt" --frames "$frames" 2>"$work/stderr.txt" | cat) || status=$?
  if ((status != 0)) || grep -q "ERROR: \|runtime error:" "$work/stderr.txt"; then
    echo "soak: seed $seed failed (status $status)"
    grep -v '^[0-9.]*$' "$work/stderr.txt" | head -n 40
    exit 1
  fi
  peak=$(sed -n 's/^objects: [0-9]* peak: \([0-9]*\)$/\1/p' "$work/stderr.txt" | tail -n 1)
  if [[ -n "$peak" ]] && ((peak > max_objects)); then
    echo "soak: seed $seed left $peak objects in the world"
    exit 1
  fi
  runs=$((runs + 1))
  seed=$((seed + 1))
done
echo "soak: $runs runs of $frames frames passed"
