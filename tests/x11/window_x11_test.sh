#!/usr/bin/env bash
# The window on a real X server, driven with real key and mouse events:
# the first focus, the tab order, length limits, every way to calculate, an
# error's message and where the keyboard goes after it, and closing.
#   window_x11_test.sh KELMORA PROBE CLOSE_WINDOW [openbox]
source "$(dirname "$0")/session.sh"

start_display
start_kelmora

declare -A default
while read -r name text; do default[$name]=$text; done < <("$probe" fields)
inputs=(txt_hpval txt_hpc txt_hpm txt_mpval txt_mpc txt_mpm txt_paval txt_pac txt_pam
        txt_maval txt_mac txt_mam txt_level)
results=(txt_hplo txt_hphi txt_mplo txt_mphi txt_palo txt_pahi txt_malo txt_mahi)
for i in "${!inputs[@]}"; do printf '%s' "${default[${inputs[$i]}]}" >"$work/in$i"; done
mapfile -t default_results < <("$probe" calculate "$work"/in{0..12})
for i in "${!results[@]}"; do default[${results[$i]}]=${default_results[$i]}; done

all_results() {
  local name out=()
  for name in "${results[@]}"; do out+=("$(box_text "$name")"); done
  echo "${out[*]}"
}

echo "-- focus starts in txt_hpval"
expect_eq "first focus" "$(focused_text)" 487

echo "-- a 3-character box refuses a fourth; txt_maval and txt_mac take more"
key ctrl+a
type_text 4871
expect_eq "txt_hpval after typing 4871" "$(focused_text)" 487
for name in txt_maval txt_mac; do
  set_box "$name" 12345
  expect_eq "$name after typing 12345" "$(focused_text)" 12345
  set_box "$name" "${default[$name]}"
done

echo "-- Alt+C, a click, Space and Enter on the button each calculate"
set_box txt_hpval 488
key alt+c
expect_eq "txt_hplo after Alt+C" "$(box_text txt_hplo)" 622701
set_box txt_hpval 487
click_control btn_calc
expect_eq "txt_hplo after a click" "$(box_text txt_hplo)" 621423
for activation in space Return KP_Enter; do
  [[ $(box_text txt_hplo) == 621423 ]] && value=488 expected=622701 || value=487 expected=621423
  set_box txt_hpval "$value"
  click_control txt_level
  key Tab "$activation"
  expect_eq "txt_hplo after $activation on the button" "$(box_text txt_hplo)" "$expected"
done
set_box txt_hpval 487
key alt+c
expect_eq "results with the default inputs" "$(all_results)" "${default_results[*]}"

echo "-- Tab visits the 22 stops in the design's order, then wraps"
mapfile -t stops < <("$probe" layout | awk '$6 > 0 {print $6, $1}' | sort -n | awk '{print $2}')
expect_eq "number of focus stops" "${#stops[@]}" 22
click_control txt_hpval
for name in "${stops[@]}" txt_hpval; do
  expected=${default[$name]-$sentinel}
  expect_eq "the stop after Tab (expected $name)" "$(focused_text)" "$expected"
  key Tab
done

echo "-- an error: its message, Return/Escape, focus and selection on the box to fix"
# The key that dismisses the message, after a click on the main window or not.
for how in "Return" "click Return" "Escape" "click Escape"; do
  set_box txt_mpm 0
  before=$(all_results)
  click_control btn_calc
  wait_until message_is_open || fail "no message for a zero multiplier"
  if [[ $how == click* ]]; then
    click_control Label9
    sleep 0.3
  fi
  key "${how##* }"
  wait_until message_is_closed || fail "$how did not close the message"
  expect_eq "focus after the message ($how)" "$(focused_text selection)" 0
  expect_eq "results after the error" "$(all_results)" "$before"
done
set_box txt_mpm 108

echo "-- closing the window ends the program with status 0"
close_as_the_window_manager_does
expect_no_stderr
echo "PASS ($wm)"
