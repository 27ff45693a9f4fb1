#!/usr/bin/env bash
# Throughput benchmark, run by hand: generates large valid files and times the
# checker on them against a plain line-reading baseline (wc -l) on the same file.
#   bench/run.sh [path/to/kivo_chk] [megabytes]
set -euo pipefail
chk=${1:-build/kivo_chk}
mb=${2:-50}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# A header followed by comment and [Notes] text lines, then a component and [End].
gen_header_file() {
  local f=$1
  awk -v mb="$mb" 'BEGIN {
    print "[KIVO Ver] 6.1"; print "[File Name] big.kvo"; print "[File Rev] 1.0"; print "[Notes]";
    line = "This is a line of notes text that goes on for a while to fill the file up";
    n = int(mb * 1048576 / 150);
    for (i = 0; i < n; i++) { print "| comment line " i " with some words in it to make it longer"; print line }
    print "[Component] big"; print "[End]"
  }' > "$f"
}

timeit() {  # prints the median wall time of 5 runs, in seconds
  local i t times=()
  for i in 1 2 3 4 5; do
    t=$( { /usr/bin/env bash -c "TIMEFORMAT=%R; time $* >/dev/null" ; } 2>&1 )
    times+=("$t")
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 3p
}

f=$work/big.kvo
gen_header_file "$f"
size=$(du -m "$f" | cut -f1)
echo "file: ${size} MB of header and comment lines"
echo "wc -l       : $(timeit wc -l "$f") s"
echo "kivo_chk    : $(timeit "$chk" "$f") s"
if [ -x /usr/bin/time ]; then
  /usr/bin/time -f "peak memory: %M KiB" "$chk" "$f" >/dev/null
fi
