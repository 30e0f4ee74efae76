#!/usr/bin/env bash
# Exports a test log to ADIF from LOG200, HAMLOG and a CSV of QSO lines
# with the varnek command, checks the files with ADIF parsers of other
# authors (tests/adif/node_modules, installed by scripts/install-deps), and
# imports them back into LOG200 and HAMLOG: the logs list the same QSO lines.
#   parsers_test.sh VARNEK
set -euo pipefail
varnek=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ ! -d "$here/node_modules/tcadif" ] || ! command -v node >/dev/null; then
  echo "the ADIF parsers are not installed: run scripts/install-deps" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VARNEK_CLOCK=2026-12-01
run() { "$varnek" "$@" >/dev/null; }
check() { node "$here/check-adif.js" "$here/expected.json" "$@"; }

run convert "$here/qso-lines.csv" "$work/log.l2"
run convert "$here/qso-lines.csv" "$work/log.dbs"
run convert "$here/qso-lines.csv" "$work/from-csv.adi"
run convert "$work/log.l2" "$work/from-l2.adi"
run convert "$work/log.dbs" "$work/from-dbs.adi"
for file in from-csv from-l2 from-dbs; do check "$work/$file.adi"; done
run convert "$here/qso-lines-ascii.csv" "$work/ascii.adi"
check "$work/ascii.adi" --ascii

status=0
# A log of another program, in UTC with FT4 as a submode and signed
# reports, imported into each of the four writers.
export LC_ALL=C.UTF-8
for format in l2 dbs csv log; do run convert "$here/wsjtx.adi" "$work/wsjtx.$format"; done
expect() {
  if ! diff <("$varnek" list "$work/wsjtx.$1") -; then
    echo "wsjtx.adi imported into $1 lists differently" >&2
    status=1
  fi
}
expect l2 <<'LINES'
250101,0859,JA1XYZ,-10,14.080000,FT4,50,,,"REM｢tnx fer GL｢PM95｣｣ END｢0900｣ My｢+05｣",,,
240301,0030,K1ABC,-15,7.074000,FT8,,,,"REM｢GL｢FN42｣｣ END｢0030｣ My｢-21｣",,,
LINES
expect csv <<'LINES'
25/01/01,0859,JA1XYZ,-10,14.080000,FT4,50,,,"REM｢tnx fer｣ END｢0900｣ GL｢PM95｣ My｢+05｣",,,
24/03/01,0030,K1ABC,-15,7.074000,FT8,,,,"GL｢FN42｣ My｢-21｣",,,
LINES
"$varnek" list "$work/wsjtx.dbs" | grep -q '^250101,0859,JA1XYZ,' || status=1
if ! iconv -f CP932 -t UTF-8 "$work/wsjtx.log" | diff - <(printf '%s\r\n' \
  '25.01.01,0859.02,"JA1XYZ",-10,+05,14.080000,FT4,50,"","","tnx fer","",0900,,,,,,PM95,,,' \
  '24.03.01,0030.02,"K1ABC",-15,-21,7.074000,FT8,,"","","","",0030,,,,,,FN42,,,'); then
  echo "wsjtx.adi imported into a QIRNO log differs" >&2
  status=1
fi

for format in l2 dbs; do
  run convert "$work/from-$format.adi" "$work/back.$format"
  if ! diff <("$varnek" list "$work/log.$format") <("$varnek" list "$work/back.$format"); then
    echo "log.$format and its ADIF export imported back list differently" >&2
    status=1
  fi
done
exit $status
