#!/usr/bin/env bash
# Drives the real program in a terminal (tmux, 80 x 25) through the wizard:
# the old installation typed in and remembered, the defaults on pages 2 to 4,
# an overwrite question answered, one of two firms unticked. Checks the
# screen at three points and the files written.
#
#   wizard_tmux_test.sh <path of the qz18-19 program>
set -u

socket_prefix=qzwiz
source "$(dirname "$0")/tmux_office.sh"

{ firm_record "Firma Pierwsza" "FIRMA1" "test"; firm_record "Firma Druga" "FIRMA2" "test"; } \
  >"$work/RUR_2018/SPISFIRM.DAT"
old_firm FIRMA1
old_firm FIRMA2
printf 'nowe kolory' >"$work/RUR_2018/#BIN980/KOLORY.QZ"
printf 'F2=Zaplacono\r\n' >"$work/RUR_2018/#BIN980/baza_ff.txt"
printf 'stare kolory' >"$work/RUR_2019/#BIN990/KOLORY.QZ"

start_program

# 1. The locations page with the target from the command line.
wait_for "tam gdzie jest plik SPISFIRM.DAT"
screen | grep -qF "$work/RUR_2019/" || fail "target directory not proposed"
screen | grep -qF "PgDn-Dalej" || fail "hint bar of page 1 missing"

keys C-y
keys -l "$work/RUR_2018"
keys Tab Tab Space NPage
wait_for "Dane globalne, konfiguracyjne"
keys NPage
wait_for "Dane firmowe"
keys NPage

# 2. The start page.
wait_for "START KOPIOWANIA"
screen | grep -qF "Dane Globalne z #BIN980 (tylko z 880 .. 980) do #BIN990" ||
  fail "start page line missing"
keys F5

# The colours file exists in the new program directory: overwrite it.
wait_for "---->  Z(n)/W(a)"
keys w

# 3. The firm list with both firms; the second is unticked.
wait_for "BAZA FIRM"
screen | grep -qF "Firma Pierwsza" || fail "first firm not listed"
screen | grep -qF "Firma Druga" || fail "second firm not listed"
keys Down Space
screen | grep -F "Firma Druga" | grep -qF "˙" || fail "second firm not unticked"
keys F5

wait_for "Nacisnij Enter" 20
screen | grep -qF "Koniec pracy kopiera danych RUR_QZ na rok 2019" || fail "closing line missing"
keys Enter

for ((i = 0; i < 50; i++)); do
  [[ -s "$work/exit" ]] && break
  sleep 0.1
done
[[ "$(cat "$work/exit" 2>/dev/null)" == 0 ]] || fail "exit code $(cat "$work/exit" 2>/dev/null)"

# Files written.
[[ "$(cat "$work/RUR_2019/#BIN990/KOLORY.QZ")" == "nowe kolory" ]] || fail "colours not overwritten"
[[ -f "$work/RUR_2019/#BIN990/baza_ff.txt" ]] || fail "function-key texts not copied"
[[ -f "$work/RUR_2019/FIRMA1/_qz_rur.rek" && -f "$work/RUR_2019/FIRMA1/2019_ROK.REK" ]] ||
  fail "first firm not carried"
[[ ! -e "$work/RUR_2019/FIRMA2" ]] || fail "unticked firm carried"
[[ $(stat -c %s "$work/RUR_2019/SPISFIRM.DAT") == 103 ]] || fail "new firm list is not one firm"
grep -qF "RUR_2018=$work/RUR_2018" "$work/bin/qz18-19.PTH" || fail "location file not written"

echo "PASS"
