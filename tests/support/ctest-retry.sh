#!/usr/bin/env bash
# Runs the ctest suite of a test build once, then runs again only the failed tests that share
# the virtual display (ctest label "display"): a window that the busy display refused is the one
# failure worth a second try. Every retried test is named, with how its retry ended, so a test
# that fails now and then stays in sight. A failure of any other test, or a failed retry, fails
# the run.
# Usage: tests/support/ctest-retry.sh BUILD [CTEST ARGUMENTS...]
set -u
build=$1
shift
cd "$build" || exit 2
failedLog=Testing/Temporary/LastTestsFailed.log

rm -f "$failedLog"
ctest --output-on-failure "$@"
[ -s "$failedLog" ] || exit 0

# Failed tests as "number:name"; the numbers of the tests labelled "display".
mapfile -t failed < "$failedLog"
display=" $(ctest -N -L '^display$' | sed -n 's/^ *Test *#\([0-9]*\):.*/\1/p' | tr '\n' ' ') "

retry=()
status=0
for entry in "${failed[@]}"; do
  number=${entry%%:*}
  if [[ $display == *" $number "* ]]; then
    retry+=("$number")
  else
    echo "FAILED (not retried, not a display test): ${entry#*:}"
    status=1
  fi
done
[ ${#retry[@]} -eq 0 ] && exit $status

echo "Retrying ${#retry[@]} failed display test(s):"
rm -f "$failedLog"
# -I with a zero range runs exactly the listed test numbers.
ctest --output-on-failure "$@" -I "0,0,0,$(IFS=,; echo "${retry[*]}")"
for entry in "${failed[@]}"; do
  number=${entry%%:*}
  [[ " ${retry[*]} " == *" $number "* ]] || continue
  if grep -q "^$number:" "$failedLog" 2>/dev/null; then
    echo "RETRY FAILED: ${entry#*:}"
    status=1
  else
    echo "PASSED ON RETRY: ${entry#*:}"
  fi
done
exit $status
