#!/usr/bin/env bash
# Runs one end-to-end case: copies the case folder to a scratch folder, runs
# the checker there with the arguments in `cmd`, and compares standard output
# with `expected` and the exit status with `rc` (0 when absent), byte for byte.
set -u
chk=$1 case_dir=$2 work=$3
rm -rf "$work" && mkdir -p "$work" && cp -R "$case_dir"/. "$work"/ || exit 2
cd "$work" || exit 2
args=$(head -n 1 cmd)
eval "set -- $args"
"$chk" "$@" > actual 2> stderr < /dev/null
rc=$?
want_rc=0
[ -f rc ] && want_rc=$(tr -d '[:space:]' < rc)
ok=1
if ! cmp -s expected actual; then
  ok=0
  echo "== standard output differs (expected, then actual):"
  diff -u expected actual | head -n 80
fi
if [ "$rc" != "$want_rc" ]; then
  ok=0
  echo "== exit status $rc, expected $want_rc"
fi
if [ -s stderr ]; then
  echo "== standard error:"; head -n 40 stderr
  ok=0
fi
[ $ok = 1 ] && exit 0
exit 1
