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

binary=${1:?usage: $0 <qz18-19 program>}
if ! command -v tmux >/dev/null 2>&1; then
  echo "SKIP: tmux not found"
  exit 0
fi

work=$(mktemp -d)
socket="qzsync$$"
cleanup() {
  tmux -L "$socket" kill-server >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "---- screen ----"
  tmux -L "$socket" capture-pane -t run -p 2>/dev/null
  exit 1
}

# One 103-byte firm list record: name (31), directory (8), information (25).
field() {  # text, capacity
  printf "\\x$(printf %02x ${#1})%s" "$1"
  printf '%*s' $(($2 - ${#1})) ''
}
firm_record() {
  field "$1" 31
  field "$2" 8
  field "$3" 25
  printf '%*s' 36 ''
}
# A firm of the old installation: its year marker and 2018 annual settings
# with December approved.
old_firm() {
  local dir="$work/RUR_2018/$1"
  mkdir -p "$dir"
  head -c 256 /dev/zero >"$dir/_qz_rur.rek"
  { printf '\x00\x00\x0c\x0d'; head -c 1532 /dev/zero; } >"$dir/2018_ROK.REK"
  printf '[FIRMA]\r\nNIP=123-456-78-90\r\n' >"$dir/FIRMATXT.INI"
}

mkdir -p "$work/bin" "$work/RUR_2018/#BIN980" "$work/RUR_2019/#BIN990"
cp "$binary" "$work/bin/qz18-19"
{
  firm_record "Firma Pierwsza" "FIRMA1" "test"
  firm_record "Firma Druga" "FIRMA2" "test"
  firm_record "Firma Trzecia" "FIRMA3" "test"
} >"$work/RUR_2018/SPISFIRM.DAT"
old_firm FIRMA1
old_firm FIRMA2
old_firm FIRMA3

screen() { tmux -L "$socket" capture-pane -t run -p; }
keys() { tmux -L "$socket" send-keys -t run "$@"; sleep 0.3; }
wait_for() {  # text [seconds]
  local limit=$(( ${2:-10} * 10 ))
  for ((i = 0; i < limit; i++)); do
    if screen | grep -qF -- "$1"; then
      sleep 0.5
      return 0
    fi
    sleep 0.1
  done
  fail "\"$1\" did not appear"
}
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

tmux -L "$socket" -u new-session -d -s run -x 80 -y 25 \
  "cd '$work' && LANG=C.UTF-8 ./bin/qz18-19 '$work/RUR_2019/'; echo \$? >'$work/exit'; sleep 30"

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
