#!/usr/bin/env bash
# Runs the benchmark on a small log (nothing is timed): every conversion must
# complete (the program exits 1 when a writer fails, a reader lists another
# number of records than were written, or the allocation hook sees none of
# the plug-in's allocations), every row must be there with all its QSOs, and
# no conversion may allocate per record once past the first records.
set -euo pipefail
bench=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! "$bench" --qsos 1500 --runs 1 --dir "$work/files" >"$work/report.md" 2>"$work/progress.txt"; then
  cat "$work/report.md" "$work/progress.txt"
  exit 1
fi
status=0
for row in "write QIRNO text" "write LOG200" "write HAMLOG" "write CSV, JST" "write CSV, UTC" \
           "read LOG200" "read HAMLOG" "read CSV"; do
  line=$(grep -F "| $row" "$work/report.md" || true)
  if [ -z "$line" ]; then
    echo "no row for: $row"
    status=1
  elif ! grep -qF "| 1,500 |" <<<"$line"; then
    echo "not all QSOs in: $line"
    status=1
  elif ! grep -qF "| 0 (0) |" <<<"$line"; then
    echo "allocates per record: $line"
    status=1
  fi
done
if [ -e "$work/files/synthetic.l2" ]; then
  echo "the files were kept without --keep"
  status=1
fi
if [ $status -ne 0 ]; then cat "$work/report.md"; fi
exit $status
