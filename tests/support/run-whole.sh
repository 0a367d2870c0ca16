#!/usr/bin/env bash
# Runs each test program of a test build whole, all its tests in one process, from the run
# directory ctest uses for it. ctest gives every test a fresh process; this run catches the
# test that leaves a global changed and so breaks a later one. The programs run one after
# another: some read back the shared display.
# Usage: tests/support/run-whole.sh BUILD PROGRAM...
set -u
build=$(cd "$1" && pwd) || exit 2
shift
failed=()
for program in "$@"; do
  case $program in
    lockdown_tests) binary=$build/tests/lockdown/$program run=$build/run-lockdown ;;
    *) binary=$build/tests/$program run=$build/run ;;
  esac
  echo "== $program, whole in one process"
  if ! (cd "$run" && "$binary" --gtest_brief=1); then
    failed+=("$program")
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "FAILED whole in one process: ${failed[*]}"
  exit 1
fi
echo "every program passed whole in one process: $*"
