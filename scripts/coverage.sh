#!/usr/bin/env bash
# Builds vxxml with gcc coverage counters (preset "coverage", build dir build-cov/), runs the whole
# test suite and prints the line and branch coverage of src/.
#   scripts/coverage.sh            summary of src/ as a whole
#   scripts/coverage.sh --files    also one line per source file
# Needs gcovr (scripts/setup.sh installs it).
set -euo pipefail
cd "$(dirname "$0")/.."
per_file=0
[ "${1:-}" = "--files" ] && per_file=1
jobs="${JOBS:-2}"

cmake --preset coverage >/dev/null
cmake --build --preset coverage -j"$jobs"
# Counters from an earlier run would be added to this one.
find build-cov -name '*.gcda' -delete
ctest --preset coverage -j"$jobs" --output-on-failure >build-cov/ctest.log 2>&1 || {
  tail -n 40 build-cov/ctest.log
  echo "coverage.sh: tests failed (build-cov/ctest.log)" >&2
  exit 1
}
grep -E 'tests passed|tests failed' build-cov/ctest.log || true

# Branches the compiler adds for exception unwinding are left out: they are not choices in the code.
common=(--root . --filter 'src/' --object-directory build-cov
        --exclude-throw-branches --exclude-unreachable-branches)
if [ "$per_file" = 1 ]; then
  gcovr "${common[@]}" --branches --sort-percentage
fi
# The report itself goes to a scratch file: gcovr run as root replaces an
# output file it is given, /dev/null included.
scratch="$(mktemp)"
gcovr "${common[@]}" --print-summary -o "$scratch"
rm -f "$scratch"
