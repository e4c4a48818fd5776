#!/usr/bin/env bash
# Waits until a window manager runs on $DISPLAY: it has named its check window on the root
# window (_NET_SUPPORTING_WM_CHECK), and from then on frames every window mapped. Fails
# with a message after the given seconds (default 30).
# Usage: scripts/wait-for-wm.sh [seconds]   (needs xprop, from x11-utils)
set -euo pipefail
limit=${1:-30}
end=$((SECONDS + limit))
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  if ((SECONDS >= end)); then
    echo "no window manager on display $DISPLAY within $limit s" >&2
    exit 1
  fi
  sleep 0.05
done
