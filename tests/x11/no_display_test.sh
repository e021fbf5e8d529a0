#!/usr/bin/env bash
# With no display to reach, the program says so in one line on stderr and
# exits with status 1: never a toolkit abort or a core dump.
#   no_display_test.sh KELMORA
set -euo pipefail
kelmora=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

free_display=""
for n in $(seq 90 999); do
  if [[ ! -e /tmp/.X11-unix/X$n && ! -e /tmp/.X$n-lock ]]; then free_display=":$n"; break; fi
done
mkdir -m 700 "$work/runtime"

failures=0
check() {
  local name=$1
  shift
  local status=0
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" "$kelmora" >"$work/out" 2>"$work/err" </dev/null ||
    status=$?
  local lines
  lines=$(wc -l <"$work/err")
  if [[ $status -ne 1 || $lines -ne 1 || -s $work/out ]] || ! grep -q '^kelmora: ' "$work/err"; then
    echo "FAIL: $name: exit $status, stderr ($lines lines):"
    cat "$work/err"
    failures=$((failures + 1))
  else
    echo "ok: $name: $(cat "$work/err")"
  fi
}

check "nothing set"
check "DISPLAY with no server behind it" DISPLAY="$free_display"
check "a Wayland socket that is gone" WAYLAND_DISPLAY=wayland-gone XDG_RUNTIME_DIR="$work/runtime"
check "both gone" DISPLAY="$free_display" WAYLAND_DISPLAY=wayland-gone XDG_RUNTIME_DIR="$work/runtime"
[[ $failures -eq 0 ]]
