#!/usr/bin/env bash
# Runs one test with an X server of its own (Xvfb, 1024x768, 24-bit).
#
#   tests/with_display.sh COMMAND [ARGS...]
#
# Xvfb drops a new client now and then when two clients connect at nearly the
# same moment: it accepts the connection and closes it at once, and the
# client reports that it cannot open the display. Tests that run side by side
# on one server hit this whenever two of them start a game or an X tool
# together, so no two tests share a server. The server picks a free display
# number itself (-displayfd), which no other server can race for.
set -u

fifo=$(mktemp -u) || exit 1
mkfifo "$fifo" || exit 1
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$fifo" 2>/dev/null &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -f "$fifo"' EXIT
trap 'exit 143' TERM INT
number=""
read -r number <"$fifo"
if [[ -z "$number" ]]; then
  echo "with_display.sh: Xvfb did not start" >&2
  exit 1
fi
DISPLAY=":$number" "$@"
