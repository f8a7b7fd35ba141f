#!/bin/bash
# Runs every fuzz target of a fuzz build for the same number of seconds, one
# after the other, each from the seeds the cases of tests/cases give (the
# runner's --seeds) and what earlier runs in the same build folder found, with
# the edge values of dgnbin.dict; prints per target the executions and the
# findings.
# Inputs that fail are kept in BUILD/findings/TARGET/. Exit status 1 when
# anything was found.
#   tests/fuzz/run_fuzz.sh SECONDS BUILD        (make fuzz FUZZ_SECONDS=N)
set -uo pipefail
seconds=${1:?segundos}
build=$(cd "${2:?carpeta de la compilacion}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
seeds=$build/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{conversion,code_table,bin_reader}
cases=("$here"/../cases/*/*/cmd)
"$build/dgnbin_cases" --seeds "$seeds" "${cases[@]%/cmd}" || exit 1

# A conversion needs the 1536-byte header element and room for elements.
declare -A max_len=([conversion]=8192 [code_table]=4096 [bin_reader]=4096)

status=0
total=0
for target in conversion code_table bin_reader; do
  work=$build/corpus/$target
  findings=$build/findings/$target
  log=$build/$target.log
  mkdir -p "$work" "$findings"
  stamp=$(mktemp)
  "$build/fuzz_$target" "$work" "$seeds/$target" -max_total_time="$seconds" \
    -dict="$here/dgnbin.dict" -max_len="${max_len[$target]}" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1
  rc=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  new=$(find "$findings" -type f -newer "$stamp")
  rm -f "$stamp"
  found=$(printf '%s' "$new" | grep -c .)
  if [ -z "$executions" ] || { [ "$rc" -ne 0 ] && [ "$found" -eq 0 ]; }; then
    echo "$target: el fuzzer no termino bien (estado $rc), vease $log" >&2
    status=1
    executions=${executions:-0}
  fi
  total=$((total + executions))
  printf '%-11s %10d ejecuciones (%s/s), %d hallazgos\n' "$target" "$executions" "${rate:-0}" \
    "$found"
  if [ "$found" -gt 0 ]; then
    status=1
    printf '%s\n' "$new" | sed 's/^/  /'
    grep -m3 -E '^(==[0-9]+==ERROR|SUMMARY|FALLO)' "$log" | sed 's/^/  /'
  fi
done
echo "total: $total ejecuciones"
exit $status
