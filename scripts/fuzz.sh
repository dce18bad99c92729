#!/usr/bin/env bash
# Runs the fuzz targets of the readers of outside input, each for the given number of seconds.
#   scripts/fuzz.sh <seconds> [target...]      (all targets when none is named)
# Each target first replays its committed corpus (tests/fuzz/corpus/<target>), then mutates it; the
# new inputs it finds go to build/fuzz/corpus/<target>, a crashing input to build/fuzz/hallazgos/.
# FUZZ_JOBS=n runs n targets at a time. Exits non-zero when any target crashed.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${1:?usage: scripts/fuzz.sh <seconds> [target...]}"
shift
objetivos=("$@")
if (( ${#objetivos[@]} == 0 )); then
  objetivos=($(sed -n 's/^set(TARSA_FUZZ_TARGETS \(.*\))$/\1/p' tests/fuzz/CMakeLists.txt))
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

salida=build/fuzz
correr() {
  local t="$1"
  mkdir -p "$salida/corpus/$t" "$salida/hallazgos/$t"
  # Messages of the readers go to the console facade; only libFuzzer's own lines are of interest.
  "$salida/tests/fuzz/fuzz_$t" -max_total_time="$segundos" -print_final_stats=1 -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$salida/hallazgos/$t/" "$salida/corpus/$t" "tests/fuzz/corpus/$t" >"$salida/$t.log" 2>&1 &&
    echo ok >"$salida/$t.estado" || echo CRASH >"$salida/$t.estado"
}

jobs_max="${FUZZ_JOBS:-1}"
for t in "${objetivos[@]}"; do
  [[ -x "$salida/tests/fuzz/fuzz_$t" ]] || { echo "unknown fuzz target: $t" >&2; exit 2; }
  rm -f "$salida/$t.estado"
  correr "$t" &
  while (( $(jobs -rp | wc -l) >= jobs_max )); do wait -n || true; done
done
wait
fallas=0
for t in "${objetivos[@]}"; do
  estado=$(cat "$salida/$t.estado" 2>/dev/null || echo CRASH)
  ejecutadas=$(sed -n 's/^stat::number_of_executed_units: *//p' "$salida/$t.log" | tail -1)
  printf '%-12s %-6s %12s inputs  (%s)\n' "$t" "$estado" "${ejecutadas:-?}" "$salida/$t.log"
  if [[ "$estado" != ok ]]; then
    fallas=1
    grep -E "ERROR|runtime error|Test unit written" "$salida/$t.log" | head -5
  fi
done
exit $fallas
