# Shared by the real-X tests: an Xvfb display of their own, the program on it,
# and helpers that act as a person would, through XTEST and the clipboard.
# Source it with: KELMORA PROBE CLOSE_WINDOW [openbox]
set -euo pipefail

kelmora=$1 probe=$2 close_window=$3 wm=${4:-none}
readonly caption='^Zelquor Kelmoranth v0\.10$'
# Put in the clipboard before each copy: a box that copies nothing leaves it.
readonly sentinel=$'\x01nothing copied'

for tool in Xvfb xdotool xclip; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
if [[ $wm == openbox ]] && ! command -v openbox >/dev/null; then
  echo "SKIP: openbox is not installed"
  exit 77
fi

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# wait_until COMMAND...: up to 10 s for COMMAND to succeed.
wait_until() {
  for _ in $(seq 100); do
    if "$@"; then return 0; fi
    sleep 0.1
  done
  return 1
}

start_display() {
  # Xvfb picks a free display and writes its number to the descriptor.
  Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$work/display" 2>"$work/xvfb.log" &
  pids+=($!)
  wait_until test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=":$(cat "$work/display")"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
  # As a desktop session has; without it Qt warns on stderr.
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
  if [[ $wm == openbox ]]; then
    openbox >"$work/openbox.log" 2>&1 &
    pids+=($!)
    sleep 1
  fi
}

# Starts the program and finds its window, WIN.
start_kelmora() {
  "$kelmora" 2>"$work/stderr" &
  KELMORA_PID=$!
  pids+=("$KELMORA_PID")
  WIN=$(timeout 20 xdotool search --sync --onlyvisible --pid "$KELMORA_PID" --name "$caption" | head -1) ||
    fail "the window did not appear"
  sleep 0.5
  declare -gA left top width height
  while read -r name l t w h _; do
    left[$name]=$l top[$name]=$t width[$name]=$w height[$name]=$h
  done < <("$probe" layout)
  # The user's pointer rests on the window: without a window manager the
  # keyboard goes to the window under it.
  point_at Label9
}

windows_open() {
  xdotool search --onlyvisible --pid "$KELMORA_PID" --name "$caption" 2>/dev/null | wc -l
}
message_is_open() { [[ $(windows_open) -ge 2 ]]; }
message_is_closed() { [[ $(windows_open) -eq 1 ]]; }

settle() { sleep 0.1; }

key() {
  xdotool key --clearmodifiers --delay 12 "$@"
  settle
}

type_text() {
  xdotool type --delay 12 -- "$1"
  settle
}

# A click at a point of the window's client area, wherever a window manager put it.
click_at() {
  xdotool mousemove --window "$WIN" "$1" "$2" sleep 0.05 click 1
  settle
}

# The middle of a control of the design, in the client area.
control_x() { echo $((left[$1] + width[$1] / 2)); }
control_y() { echo $((top[$1] + height[$1] / 2)); }

point_at() {
  xdotool mousemove --window "$WIN" "$(control_x "$1")" "$(control_y "$1")"
  settle
}

click_control() {
  click_at "$(control_x "$1")" "$(control_y "$1")"
}

set_clipboard() {
  # xclip stays behind to serve the selection: keep it off our output.
  printf '%s' "$1" | xclip -selection clipboard -i >/dev/null 2>&1
}

# Copies with Ctrl+C (after Ctrl+A unless told "selection") into FILE; a copy
# of nothing leaves the sentinel there.
copy_to() {
  local file=$1 how=${2:-all}
  set_clipboard "$sentinel"
  if [[ $how == all ]]; then key ctrl+a; fi
  key ctrl+c
  xclip -selection clipboard -o >"$file" 2>/dev/null || true
}

# The text of the focused box (all of it, or its selection).
focused_text() {
  copy_to "$work/copied" "${1:-all}"
  cat "$work/copied"
}

box_text() {
  click_control "$1"
  focused_text
}

set_box() {
  click_control "$1"
  key ctrl+a
  if [[ -n $2 ]]; then type_text "$2"; else key BackSpace; fi
}

expect_eq() {
  [[ $2 == "$3" ]] || fail "$1: expected '$3', got '$2'"
}

expect_no_stderr() {
  if [[ -s $work/stderr ]]; then fail "the program wrote to stderr: $(head -c 2000 "$work/stderr")"; fi
}

# Closes the window as a window manager's close button does; the program
# must end with status 0.
close_as_the_window_manager_does() {
  "$close_window" "$WIN"
  local status=0
  timeout 10 tail --pid="$KELMORA_PID" -f /dev/null || fail "the program did not end on WM_DELETE_WINDOW"
  wait "$KELMORA_PID" || status=$?
  expect_eq "exit status after closing" "$status" 0
}
