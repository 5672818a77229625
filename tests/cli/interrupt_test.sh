#!/usr/bin/env bash
# Ctrl-C during an optimised run, as a user at a terminal sends it: the first ends the search and
# the best set so far is written; a second ends the program at once and nothing is written.
set -u
source "$(dirname "$0")/script_support.sh"
work=$(mktemp -d /tmp/kelvo-interrupt-XXXXXX)
pid=
trap '[ -n "$pid" ] && kill -KILL "$pid" 2>/dev/null; rm -rf "$work"' EXIT

# Every column of the first $1 positions over 1, X and 2, the rest 1.
development() {
  awk -v varying="$1" 'BEGIN {
    split("1 X 2", sign, " ");
    rest = substr("11111111111111", 1, 14 - varying);
    for (k = 0; k < 3 ^ varying; k++) {
      line = ""; n = k;
      for (d = 0; d < varying; d++) { line = line sign[n % 3 + 1]; n = int(n / 3) }
      printf "%s%s\r\n", line, rest
    }
  }'
}

# Waits until file $1 holds text $2, for at most a minute.
wait_for() {
  for _ in $(seq 600); do
    grep -q "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

development 9 > "$work/in.txt"
"$1" --no-limit --optimise 600 "$work/in.txt" "$work/out" >"$work/stdout" 2>"$work/stderr" &
pid=$!
wait_for "$work/stdout" "Comienzo de la Reduccion"
kill -INT "$pid"
wait "$pid"
status=$?
pid=
expect_eq "one Ctrl-C: status" "$status" 0
expect_eq "one Ctrl-C: notice" "$(grep -c 'stopping the search' "$work/stderr")" 1
expect_eq "one Ctrl-C: report" "$(grep -c '^Optimised: greedy ' "$work/stdout")" 1
expect_eq "one Ctrl-C: summary" "$(grep -c '^\*\*\*\*\*----HECHO--------\*\*\*\*\*$' "$work/stdout")" 1
"$1" --check "$work/in.txt" "$work/out.txt" >"$work/check" 2>&1
expect_eq "one Ctrl-C: the output covers the input" "$?" 0
expect_eq "one Ctrl-C: input kept whole" "$(wc -l < "$work/in.txt")" 19683
expect_eq "one Ctrl-C: no temporary file left" "$(ls -A "$work" | grep -c kelvo)" 0

# A run long enough after its first log line (seconds of analysis at guarantee 11) for the second
# Ctrl-C to come before anything is written.
# The first run's log goes too. Its first line could otherwise be found before this run's shell
# has even started the program, and a Ctrl-C then ends that forked shell, which runs this
# script's exit trap and removes the folder.
rm -f "$work/out.txt" "$work/check" "$work/stdout" "$work/stderr"
development 12 > "$work/in.txt"
"$1" --no-limit --guarantee 11 --optimise 600 "$work/in.txt" "$work/out" \
  >"$work/stdout" 2>"$work/stderr" &
pid=$!
wait_for "$work/stdout" "Comienzo de la Reduccion"
kill -INT "$pid"
wait_for "$work/stderr" "stopping the search"
kill -INT "$pid"
wait "$pid"
status=$?
pid=
expect_eq "two Ctrl-C: ended by the signal" "$status" 130
expect_eq "two Ctrl-C: nothing written" "$(ls -A "$work")" "$(printf 'in.txt\nstderr\nstdout')"
expect_eq "two Ctrl-C: input kept whole" "$(wc -l < "$work/in.txt")" 531441
expect_eq "two Ctrl-C: no report" "$(grep -c '^Optimised' "$work/stdout")" 0
kelvo_finish
