#!/usr/bin/env bash
# Runs the real program in a terminal (tmux, 80 x 25) and checks at several
# points that what the terminal shows is what a full redraw shows: the
# terminal backend sends only changed cells, so any step it gets wrong stays
# on the screen until a redraw (here: a window resize) repaints everything.
# The points include the firm list left open while the clock in the top-right
# corner ticks, followed by the per-firm screen replacing the header row.
#
#   terminal_sync_test.sh <path of the qz18-19 program>
set -u
export LC_ALL=C.UTF-8  # the column cut counts characters

socket_prefix=qzsync
source "$(dirname "$0")/tmux_office.sh"

{
  firm_record "Firma Pierwsza" "FIRMA1" "test"
  firm_record "Firma Druga" "FIRMA2" "test"
  firm_record "Firma Trzecia" "FIRMA3" "test"
} >"$work/RUR_2018/SPISFIRM.DAT"
old_firm FIRMA1
old_firm FIRMA2
old_firm FIRMA3

# The screen without the clock (row 1, columns 73-80), which may tick
# between two looks.
unclocked() {
  local n=0 line
  while IFS= read -r line; do
    ((n++ == 0)) && line=${line:0:72}
    printf '%s\n' "$line"
  done < <(screen)
}
# Compares the terminal with a full redraw of the same screen: one column
# wider makes the program repaint everything, then the size goes back.
in_step() {  # where
  local shown redrawn
  shown=$(unclocked)
  tmux -L "$socket" resize-window -t run -x 81 -y 25
  sleep 0.5
  redrawn=$(unclocked)
  tmux -L "$socket" resize-window -t run -x 80 -y 25
  sleep 0.5
  if [[ "$shown" != "$redrawn" ]]; then
    echo "---- shown ----"
    echo "$shown"
    echo "---- redrawn ----"
    echo "$redrawn"
    fail "the terminal did not show the program's screen ($1)"
  fi
}

start_program

wait_for "tam gdzie jest plik SPISFIRM.DAT"
keys C-y
keys -l "$work/RUR_2018"
keys Tab Tab Space NPage
wait_for "Dane globalne, konfiguracyjne"
in_step "second wizard page"
keys NPage
wait_for "Dane firmowe"
keys NPage
wait_for "START KOPIOWANIA"
keys F5

wait_for "BAZA FIRM"
sleep 1.2
in_step "firm list"
# The list waits for keys with the cursor hidden; the last thing drawn
# before F5 is the clock ticking in the last column.
sleep 1.2
keys F5

wait_for "Nacisnij Enter" 20
in_step "end of the run"
keys Enter

for ((i = 0; i < 50; i++)); do
  [[ -s "$work/exit" ]] && break
  sleep 0.1
done
[[ "$(cat "$work/exit" 2>/dev/null)" == 0 ]] || fail "exit code $(cat "$work/exit" 2>/dev/null)"
echo "PASS"
