#!/usr/bin/env bash
# What a plain user sees when the files' permissions stand in the way. Root ignores permissions,
# so as root the driver runs as nobody; where that is impossible the test is skipped.
set -u
source "$(dirname "$0")/script_support.sh"
work=$(mktemp -d /tmp/kelvo-permissions-XXXXXX)
trap 'chmod -R u+rwx "$work"; rm -rf "$work"' EXIT
chmod 755 "$work"
cp "$1" "$work/kelvo-reduce"
chmod 755 "$work/kelvo-reduce"

if [ "$(id -u)" -eq 0 ]; then
  if ! command -v setpriv >/dev/null || ! chown nobody:nogroup "$work"; then
    echo "skipped: cannot run as an unprivileged user here"
    exit 77
  fi
  as_user() { setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
else
  as_user() { "$@"; }
fi
as_user test -w "$work" || { echo "skipped: the unprivileged user cannot use $work"; exit 77; }

reduce() {
  as_user "$work/kelvo-reduce" "$@" >"$work/stdout" 2>"$work/stderr"
  status=$?
}
put() { as_user sh -c 'printf "2\n1\n" > "$1"' sh "$1"; }

put "$work/ro.txt"
chmod 444 "$work/ro.txt"
reduce "$work/ro.txt" "$work/out"
expect_eq "read-only input: status" "$status" 1
expect_eq "read-only input: message" "$(cat "$work/stderr")" "Cannot create file $work/ro.txt."
expect_eq "read-only input: log" "$(cat "$work/stdout")" ""
expect_eq "read-only input: content" "$(cat "$work/ro.txt")" "$(printf '2\n1')"

put "$work/wo.txt"
chmod 200 "$work/wo.txt"
reduce "$work/wo.txt" "$work/out"
expect_eq "unreadable input: status" "$status" 1
expect_eq "unreadable input: message" "$(cat "$work/stderr")" "Cannot open file $work/wo.txt."

as_user mkdir "$work/locked"
put "$work/locked/in.txt"
chmod 555 "$work/locked"
reduce "$work/locked/in.txt" "$work/out"
expect_eq "input in a locked folder: message" "$(cat "$work/stderr")" \
  "Cannot create file $work/locked/in.txt."
expect_eq "input in a locked folder: content" "$(cat "$work/locked/in.txt")" "$(printf '2\n1')"
expect_eq "input in a locked folder: no temporary file" "$(ls -A "$work/locked")" "in.txt"

put "$work/in.txt"
reduce "$work/in.txt" "$work/locked/out"
expect_eq "output in a locked folder: status" "$status" 1
expect_eq "output in a locked folder: message" "$(cat "$work/stderr")" \
  "Cannot create file $work/locked/out.txt."
expect_eq "output in a locked folder: last log line" "$(tail -n 1 "$work/stdout")" \
  "Buscando las reductoras..."
expect_eq "output in a locked folder: input rewritten" "$(cat "$work/in.txt")" \
  "$(printf '1\r\n2\r')"

kelvo_finish
