#!/usr/bin/env bash
# Succeeds when a window manager runs on $DISPLAY: the root names its check window, and that
# window still exists (a window manager that ended leaves the name behind).
id=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | sed -nE 's/.*window id # (0x[0-9a-f]+).*/\1/p')
[ -n "$id" ] && xprop -id "$id" >/dev/null 2>&1
