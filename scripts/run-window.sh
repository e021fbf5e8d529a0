#!/usr/bin/env bash
# Opens the calculator, or says in one line why it cannot.
set -euo pipefail
binary=${1:?usage: run-window.sh PATH_TO_KELMORA}
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "make run: built $binary, but there is no display to open it on (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
  exit 1
fi
exec "$binary"
