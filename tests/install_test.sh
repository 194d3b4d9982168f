#!/usr/bin/env bash
# The installed game as a player gets it: `cmake --install` into a prefix
# that is then made read-only, started through the launcher from an
# unrelated directory, with a fresh home. Paths have spaces on purpose.
#
#   tests/install_test.sh BUILD_DIR
set -euo pipefail

build=${1:?usage: tests/install_test.sh BUILD_DIR}
root=$(mktemp -d)
trap 'chmod -R u+w "$root"; rm -rf "$root"' EXIT
prefix="$root/install prefix"
home="$root/home of a player"
elsewhere="$root/somewhere else"
mkdir -p "$home" "$elsewhere" "$root/tmp"
cmake --install "$build" --prefix "$prefix" >/dev/null
data=$(readlink -f "$prefix/share/games/kestrune")
chmod -R a-w "$prefix"
# Root writes through missing write bits, so what proves that the game
# never writes to its installation is that nothing there gets newer.
touch "$root/installed"

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# Starts the installed launcher from `elsewhere` through its link in bin/,
# passing the development options; XDG_DATA_HOME is taken away unless given
# as the first argument.
launch() {
  local xdg=$1
  shift
  (cd "$elsewhere" && env -u XDG_DATA_HOME ${xdg:+XDG_DATA_HOME="$xdg"} TMPDIR="$root/tmp" \
    KESTRUNE_DEV_OPTIONS=1 "$prefix/bin/kestrune" "$@") 2>"$root/stderr.txt" >/dev/null
}

expect_links() {
  local work=$1 folder
  for folder in Library model image sound; do
    [[ "$(readlink "$work/$folder")" == "$data/$folder" ]] || fail "$work/$folder does not lead to the data"
  done
}

# A player's start takes no arguments; they are refused before anything
# is made.
if (cd "$elsewhere" && env -u KESTRUNE_DEV_OPTIONS HOME="$home" "$prefix/games/kestrune" --frames 1) 2>/dev/null; then
  fail "the launcher took arguments from a player"
fi
[[ ! -e "$home/.local" ]] || fail "refused arguments still made a data directory"

# Where the working directory goes. "scratch": nowhere usable, so the game
# runs from a temporary directory that is gone afterwards.
#     XDG_DATA_HOME       HOME      expected working directory
cases=(
  "|$home|$home/.local/share/kestrune"
  "relative/data|$home|$home/.local/share/kestrune"
  "$root/xdg data|$home|$root/xdg data/kestrune"
  "$root/a file/data|$home|scratch"
  "||scratch"
)
touch "$root/a file"
for entry in "${cases[@]}"; do
  IFS='|' read -r xdg player_home work <<<"$entry"
  HOME=$player_home launch "$xdg" --check-content || fail "content check failed with XDG_DATA_HOME='$xdg' HOME='$player_home'"
  if [[ "$work" == scratch ]]; then
    grep -q "progress will not be kept" "$root/stderr.txt" || fail "no warning without a usable data home ('$xdg')"
    [[ -z "$(ls -A "$root/tmp")" ]] || fail "the scratch directory was left behind"
  else
    expect_links "$work"
    [[ "$(stat -c %a "$work")" == 700 ]] || fail "$work is open to other users"
  fi
done

# The save file: a record with the menu unlocked and 500 defeats is put
# where the player's save belongs. The keys pick the wyvern from the
# character select screen, which only an unlocked title menu leads to, and
# dive at the nearest slime; so a defeat counted on top of 500 in that same
# file shows the game read it there and wrote it back there. A second run
# finds the count of the first.
work="$home/.local/share/kestrune"
printf '\xf4\x01\0\0\1\0\0\0' >"$work/Kestrune.savedata"
keys="$root/wyvern keys.txt"
printf '%s\n' "1 down Down" "2 up Down" "3 down Enter" "4 up Enter" "8 down Left" "9 up Left" \
  "10 down Left" "11 up Left" "12 down Enter" "13 up Enter" >"$keys"
for frame in $(seq 16 10 146); do
  printf '%s\n' "$frame down Ctrl" "$((frame + 1)) up Ctrl" >>"$keys"
done
count=500
for run in first second; do
  HOME=$home launch "" --silent --unpaced --seed 1 --frames 150 --script "$keys" || fail "the $run run failed: $(cat "$root/stderr.txt")"
  previous=$count
  count=$(od -An -tu4 -N4 "$work/Kestrune.savedata" 2>/dev/null | tr -d ' ')
  count=${count:-0}
  ((count > previous)) || fail "the $run run did not count on from $previous in $work (count $count)"
done
saves=$(find "$root" -name 'Kestrune.savedata*')
[[ "$saves" == "$work/Kestrune.savedata" ]] || fail "save files other than the player's: $saves"

# An upgrade moved the data: a stale link is renewed. A folder of the
# player's own in place of a link is used and left as it was.
ln -sfn "$root/old data/model" "$work/model"
rm "$work/sound"
cp -r "$data/sound" "$work/sound"
touch "$work/sound/my notes.txt"
HOME=$home launch "" --check-content || fail "content check failed after an upgrade"
[[ "$(readlink "$work/model")" == "$data/model" ]] || fail "the stale model link was not renewed"
[[ -d "$work/sound" && ! -L "$work/sound" && -e "$work/sound/my notes.txt" ]] || fail "the player's own sound folder was touched"
grep -q "using your own" "$root/stderr.txt" || fail "no word about the player's own folder"

[[ -z "$(find "$prefix" -newer "$root/installed")" ]] || fail "the installation was written to"
[[ -z "$(ls -A "$elsewhere")" ]] || fail "the starting directory was written to"

echo "install test: $failures failed"
((failures == 0))
