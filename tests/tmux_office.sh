# Shared by the tests that drive the real program in tmux (80 x 25): a
# temporary old and new installation with helpers to add firms, and helpers
# to start the program, read the screen, type keys and wait for a text.
# The sourcing script sets `socket_prefix` and passes the program path as $1.

binary=${1:?usage: $0 <qz18-19 program>}
if ! command -v tmux >/dev/null 2>&1; then
  echo "SKIP: tmux not found"
  exit 0
fi

work=$(mktemp -d)
socket="${socket_prefix:-qz}$$"
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

screen() { tmux -L "$socket" capture-pane -t run -p; }
keys() { tmux -L "$socket" send-keys -t run "$@"; sleep 0.3; }
# Waits for `text` on the screen, then lets the program settle into reading
# keys (prompts and lists drop keys typed before they are ready).
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
# Starts the program on the new installation; its exit code goes to $work/exit.
start_program() {
  tmux -L "$socket" -u new-session -d -s run -x 80 -y 25 \
    "cd '$work' && LANG=C.UTF-8 ./bin/qz18-19 '$work/RUR_2019/'; echo \$? >'$work/exit'; sleep 30"
}
