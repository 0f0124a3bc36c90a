#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (preset fuzz, build dir build-fuzz/) and runs them.
#
#   scripts/fuzz.sh TARGET [libFuzzer options...]   e.g. scripts/fuzz.sh writer -runs=100000
#   scripts/fuzz.sh all [libFuzzer options...]      each target in turn, e.g. -max_total_time=60
#   scripts/fuzz.sh list                            the target names
#
# TARGET is xml, xml_wide, compressed, purchase_order, fastinfoset, values,
# writer or shapes (a trailing _fuzz is allowed). Options go to every target run;
# -max_total_time and -runs count per target. Without either, a target runs
# until it finds something or is interrupted.
#
# Each target starts from its seeds (fuzz/corpus/NAME, left as committed) and
# the inputs earlier runs kept (build-fuzz/corpus/NAME, where new ones go).
# A finding is written to build-fuzz/findings/NAME/, the whole output to
# build-fuzz/logs/NAME.log. At the end one line per target: executions, time,
# executions per second and whether it ended clean; the exit status is 1 if
# any target did not.
set -euo pipefail
cd "$(dirname "$0")/.."

targets=(xml xml_wide compressed purchase_order fastinfoset values writer shapes)
# The tokens each target starts its mutations with (fuzz/*.dict).
declare -A dictionaries=([xml]=xml.dict [xml_wide]=xml.dict [compressed]=xml.dict
                         [purchase_order]=xml.dict [writer]=xml.dict [shapes]=xml.dict)
if [ $# -lt 1 ] || [ "$1" = "-h" ] || [ "$1" = "--help" ]; then
  awk 'NR > 1 && /^#/ { sub(/^# ?/, ""); print; next } NR > 1 { exit }' "$0"
  exit 2
fi
if [ "$1" = "list" ]; then
  printf '%s\n' "${targets[@]}"
  exit 0
fi
which="${1%_fuzz}"
shift
if [ "$which" = "all" ]; then
  run=("${targets[@]}")
elif [[ " ${targets[*]} " == *" $which "* ]]; then
  run=("$which")
else
  echo "fuzz.sh: no target '$which' (one of: ${targets[*]}, all)" >&2
  exit 2
fi

# clang and its libFuzzer runtime, from Debian, with everything else.
bash scripts/setup.sh clang libclang-rt-14-dev

cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target "${run[@]/%/_fuzz}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
summary=()
status=0
for name in "${run[@]}"; do
  mkdir -p "build-fuzz/corpus/$name" "build-fuzz/findings/$name" build-fuzz/logs
  log="build-fuzz/logs/$name.log"
  echo "== $name" >&2
  start=$(date +%s.%N)
  set +e
  # A run stuck for 10 s on one input is a finding; later options win.
  dict=()
  [ -n "${dictionaries[$name]:-}" ] && dict=(-dict="fuzz/${dictionaries[$name]}")
  "build-fuzz/fuzz/${name}_fuzz" -timeout=10 -print_final_stats=1 "${dict[@]}" \
    -artifact_prefix="build-fuzz/findings/$name/" "$@" \
    "build-fuzz/corpus/$name" "fuzz/corpus/$name" >"$log" 2>&1
  rc=$?
  set -e
  seconds=$(awk -v a="$start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }')
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  execs="${execs:-?}"
  if [ $rc -eq 0 ]; then
    verdict="clean"
  else
    verdict="FINDING (exit $rc; see $log and build-fuzz/findings/$name/)"
    status=1
    grep -m1 -E "^==[0-9]+==ERROR|runtime error|ERROR: libFuzzer|_fuzz: " "$log" >&2 || true
  fi
  rate="?"
  [ "$execs" != "?" ] && rate=$(awk -v n="$execs" -v s="$seconds" 'BEGIN { printf "%.0f", (s > 0 ? n / s : 0) }')
  summary+=("$(printf '%-16s %12s execs %8s s %8s exec/s  %s' "$name" "$execs" "$seconds" "$rate" "$verdict")")
done
printf '%s\n' "${summary[@]}"
exit $status
