# Sourced by the shell tests: checks that count and report like the other tests.
kelvo_failed=0
kelvo_passed=0

# expect_eq WHAT ACTUAL EXPECTED
expect_eq() {
  if [ "$2" == "$3" ]; then
    kelvo_passed=$((kelvo_passed + 1))
  else
    kelvo_failed=$((kelvo_failed + 1))
    printf 'FAILED: %s\n  actual:   %q\n  expected: %q\n' "$1" "$2" "$3"
  fi
}

kelvo_finish() {
  echo "$kelvo_passed passed, $kelvo_failed failed"
  [ "$kelvo_failed" -eq 0 ]
}

# Far-apart columns: seven base-3 digits, each written twice, so that any two differ in at
# least two positions.
far_columns() {
  awk -v count="$1" 'BEGIN {
    split("1 X 2", sign, " ");
    for (k = 0; k < count; k++) {
      line = ""; n = k;
      for (d = 0; d < 7; d++) { s = sign[n % 3 + 1]; line = line s s; n = int(n / 3) }
      printf "%s\n", line
    }
  }'
}
