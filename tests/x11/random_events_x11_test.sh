#!/usr/bin/env bash
# A seeded run of random keys, pastes of hostile texts and clicks on the
# window under a real X server. The program must never die nor write to
# stderr, and afterwards one Calculate must give what the command gives for
# the texts then in the boxes.
#   random_events_x11_test.sh KELMORA PROBE CLOSE_WINDOW WM SEED EVENTS
source "$(dirname "$0")/session.sh"
seed=${5:-1} events=${6:-2000}
RANDOM=$seed

start_display
start_kelmora

keys=(0 1 2 3 4 5 6 7 8 9 minus period e E plus a x space Tab shift+Tab BackSpace Delete
      Left Right Home End Return KP_Enter Escape alt+c ctrl+a ctrl+x ctrl+v ctrl+z ctrl+c)
hostile=(
  ""
  "$(printf '%0100000d' 7)"
  "1e999999999"
  $'\u0661\u0662\u0663'      # Arabic-Indic digits
  $'\uff11\uff10\uff18'      # fullwidth digits
  $'\x01\x02\x1b\x7f'
  $'12\t'
  "-0"
  "  99  "
  "32767"
  "0"
)
client_width=$((6060 / 15)) client_height=$((4860 / 15))

# Events go out in batches through one xdotool each; a paste ends a batch,
# since the clipboard must be set in between.
batch=()
flush() {
  if ((${#batch[@]})); then
    xdotool "${batch[@]}"
    batch=()
  fi
  kill -0 "$KELMORA_PID" 2>/dev/null || fail "the program died (seed $seed)"
}
for ((n = 0; n < events; n++)); do
  roll=$((RANDOM % 100))
  if ((roll < 55)); then
    batch+=(key --clearmodifiers "${keys[RANDOM % ${#keys[@]}]}" sleep 0.01)
  elif ((roll < 65)); then
    flush
    set_clipboard "${hostile[RANDOM % ${#hostile[@]}]}"
    batch+=(key --clearmodifiers ctrl+v sleep 0.02)
  else
    batch+=(mousemove --window "$WIN" $((RANDOM % client_width)) $((RANDOM % client_height))
            click 1 sleep 0.01)
  fi
  if ((${#batch[@]} > 60)); then flush; fi
done
flush
sleep 0.5

echo "-- $events events (seed $seed) done; closing any message"
for _ in $(seq 10); do
  message_is_open || break
  point_at Label9
  key Escape
  sleep 0.3
done
message_is_closed || fail "a message stayed open"

echo "-- one Calculate against the command"
inputs=(txt_hpval txt_hpc txt_hpm txt_mpval txt_mpc txt_mpm txt_paval txt_pac txt_pam
        txt_maval txt_mac txt_mam txt_level)
results=(txt_hplo txt_hphi txt_mplo txt_mphi txt_palo txt_pahi txt_malo txt_mahi)
read_box_to() {
  click_control "$1"
  copy_to "$2"
  # An empty box copies nothing.
  if [[ $(cat "$2") == "$sentinel" ]]; then : >"$2"; fi
}
for i in "${!inputs[@]}"; do read_box_to "${inputs[$i]}" "$work/in$i"; done
for i in "${!results[@]}"; do read_box_to "${results[$i]}" "$work/before$i"; done
mapfile -t oracle < <("$probe" calculate "$work"/in{0..12})

point_at Label9
key alt+c
sleep 0.3
if [[ ${oracle[0]} == error ]]; then
  echo "   the command says: ${oracle[1]}"
  wait_until message_is_open || fail "no message, though the command fails"
  key Return
  wait_until message_is_closed || fail "Return did not close the message"
  # The box to fix has the focus, all of its text selected.
  copy_to "$work/selected" selection
  for i in "${!inputs[@]}"; do
    if [[ ${inputs[$i]} == "${oracle[2]}" ]]; then
      cmp -s "$work/selected" "$work/in$i" || [[ ! -s $work/in$i ]] ||
        fail "the focus is not on ${oracle[2]} with its text selected"
    fi
  done
  for i in "${!results[@]}"; do
    read_box_to "${results[$i]}" "$work/after$i"
    cmp -s "$work/before$i" "$work/after$i" || fail "${results[$i]} changed on a failed Calculate"
  done
else
  message_is_closed || fail "a message opened, though the command succeeds"
  for i in "${!results[@]}"; do
    read_box_to "${results[$i]}" "$work/after$i"
    expect_eq "${results[$i]}" "$(cat "$work/after$i")" "${oracle[$((i + 1))]}"
  done
  echo "   results: ${oracle[*]:1}"
fi

close_as_the_window_manager_does
expect_no_stderr
echo "PASS (seed $seed, $events events, $wm)"
