#!/bin/sh
# Runs the command given on the X display of $DISPLAY with openbox managing its
# windows, as on a player's desktop; its status, or 1 when openbox does not
# come up within 5 s.
openbox > /dev/null 2>&1 &
manager=$!
trap 'kill "$manager"' EXIT
tries=0
until xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"; do
  tries=$((tries + 1))
  [ "$tries" -lt 50 ] || { echo "under-openbox: openbox did not come up" >&2; exit 1; }
  sleep 0.1
done
"$@"
