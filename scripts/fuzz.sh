#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz and runs each for a fixed
# number of executions under AddressSanitizer and UndefinedBehaviorSanitizer,
# starting from the corpus kept in fuzz/corpus/<target>.
#
#   scripts/fuzz.sh [-n RUNS] [TARGET...]   run (default 1000000 executions each)
#   scripts/fuzz.sh --seeds                 write the corpus afresh from fuzz_seeds
#   scripts/fuzz.sh --merge [TARGET...]     fold what the runs found into the corpus,
#                                           minimised (-merge=1)
#
# Every input of fuzz/regressions/<target> is replayed first and must pass.
# The inputs a run finds go to build-fuzz/fuzz/work/<target>, never to the
# repository; a finding is saved as build-fuzz/fuzz/findings/<target>/crash-*
# and makes the script fail. Needs `scripts/install-deps.sh fuzz`.
set -euo pipefail

racine=$(cd "$(dirname "$0")/.." && pwd)
build="$racine/build-fuzz"
sortie="$build/fuzz"
cibles_toutes=(fuzz_work_file fuzz_config fuzz_applications fuzz_rtu_reply fuzz_knr_reply
               fuzz_sim_rtu fuzz_sim_tcp)

runs=1000000
mode=run
cibles=()
while [ $# -gt 0 ]; do
  case "$1" in
    -n) runs="$2"; shift 2 ;;
    --seeds) mode=seeds; shift ;;
    --merge) mode=merge; shift ;;
    -h|--help) sed -n '2,15p' "$0"; exit 0 ;;
    fuzz_*) cibles+=("$1"); shift ;;
    *) echo "fuzz.sh: unknown argument '$1'" >&2; exit 2 ;;
  esac
done
[ ${#cibles[@]} -eq 0 ] && cibles=("${cibles_toutes[@]}")

# Largest input each target takes (a full study is about 98 KB).
longueur_max() {
  case "$1" in
    fuzz_work_file) echo 120000 ;;
    fuzz_config) echo 128 ;;
    fuzz_applications) echo 8192 ;;
    fuzz_rtu_reply) echo 68 ;;
    fuzz_knr_reply) echo 304 ;;
    *) echo 4096 ;;
  esac
}

command -v clang++ >/dev/null || { echo "fuzz.sh: no clang++ (scripts/install-deps.sh fuzz)" >&2; exit 1; }
if [ ! -f "$build/CMakeCache.txt" ]; then
  CXX=clang++ cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DORVANE_FUZZ=ON -DORVANE_GUI=OFF -DORVANE_TESTS=OFF -DORVANE_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j2 --target fuzz_seeds "${cibles[@]}"

if [ "$mode" = seeds ]; then
  graines="$sortie/seeds"
  rm -rf "$graines"
  "$sortie/fuzz_seeds" "$graines" "$racine/assets/applications/applications.txt"
  for c in "${cibles[@]}"; do
    rm -rf "$racine/fuzz/corpus/$c"
    mkdir -p "$racine/fuzz/corpus/$c"
    "$sortie/$c" -merge=1 -max_len="$(longueur_max "$c")" "$racine/fuzz/corpus/$c" \
      "$graines/$c" 2>"$sortie/$c.merge.log" >/dev/null
    echo "$c: $(ls "$racine/fuzz/corpus/$c" | wc -l) seeds"
  done
  exit 0
fi

if [ "$mode" = merge ]; then
  for c in "${cibles[@]}"; do
    [ -d "$sortie/work/$c" ] || continue
    mkdir -p "$racine/fuzz/corpus/$c"
    plus="$sortie/merge/$c"
    rm -rf "$plus"
    mkdir -p "$plus"
    "$sortie/$c" -merge=1 -max_len="$(longueur_max "$c")" "$plus" "$racine/fuzz/corpus/$c" \
      "$sortie/work/$c" 2>"$sortie/$c.merge.log" >/dev/null
    rm -rf "$racine/fuzz/corpus/$c"
    mv "$plus" "$racine/fuzz/corpus/$c"
    echo "$c: $(ls "$racine/fuzz/corpus/$c" | wc -l) inputs"
  done
  exit 0
fi

echo
printf '%-18s %10s %9s %10s %s\n' target execs seconds execs/s result
echec=0
for c in "${cibles[@]}"; do
  trouve="$sortie/findings/$c"
  travail="$sortie/work/$c"
  mkdir -p "$trouve" "$travail"
  journal="$sortie/$c.log"
  # The regressions first: each must pass on its own.
  if [ -d "$racine/fuzz/regressions/$c" ] && [ -n "$(ls -A "$racine/fuzz/regressions/$c")" ]; then
    if ! "$sortie/$c" -runs=1 "$racine/fuzz/regressions/$c"/* >"$journal.regressions" 2>&1; then
      printf '%-18s %10s %9s %10s %s\n' "$c" - - - "REGRESSION FAILS ($journal.regressions)"
      echec=1
      continue
    fi
  fi
  debut=$(date +%s.%N)
  set +e
  "$sortie/$c" -runs="$runs" -max_len="$(longueur_max "$c")" -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$trouve/" "$travail" "$racine/fuzz/corpus/$c" \
    >"$journal" 2>&1
  rc=$?
  set -e
  fin=$(date +%s.%N)
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$journal" | tail -1)
  secondes=$(awk -v a="$debut" -v b="$fin" 'BEGIN { printf "%.1f", b - a }')
  debit=$(awk -v n="${execs:-0}" -v s="$secondes" 'BEGIN { printf "%d", (s > 0 ? n / s : 0) }')
  if [ $rc -eq 0 ]; then
    resultat="no finding"
  else
    resultat="FINDING: $(ls -t "$trouve" | head -1) (see $journal)"
    echec=1
  fi
  printf '%-18s %10s %9s %10s %s\n' "$c" "${execs:-?}" "$secondes" "$debit" "$resultat"
done
exit $echec
