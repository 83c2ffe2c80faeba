#!/usr/bin/env bash
# Started where there is no desktop, the program says so in Chinese and English and exits with
# status 1, not with Qt's abort.
set -uo pipefail
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
status=$?
echo "$output"
[ "$status" -eq 1 ] || { echo "FAILED: exit status $status, not 1" >&2; exit 1; }
grep -q '需要图形桌面会话' <<<"$output" || { echo "FAILED: no Chinese line" >&2; exit 1; }
grep -q 'needs a graphical desktop session' <<<"$output" || { echo "FAILED: no English line" >&2; exit 1; }
[ "$(wc -l <<<"$output")" -eq 2 ] || { echo "FAILED: more than the two lines" >&2; exit 1; }
