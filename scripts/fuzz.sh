#!/usr/bin/env bash
# The fuzz targets of every file format the game reads (clang's libFuzzer with ASan and UBSan).
#   scripts/fuzz.sh replay            run every seed and every crasher ever found once (a test)
#   scripts/fuzz.sh run SECONDS [T]   fuzz each target (or only T: bmp, jpeg, wav, highscore, mo)
# Findings land in build-fuzz/findings/<target>/; copy a crasher into fuzz/crashers/<target>/
# once it is fixed, so that every later replay runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=build-fuzz
targets=(bmp jpeg wav highscore mo)

CC=clang CXX=clang++ cmake -S fuzz -B "$out" -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build "$out" -j "$(nproc)" > /dev/null
rm -rf "$out/seeds"
"$out/make_seeds" "$out/seeds"

case "${1:-replay}" in
  replay)
    for target in "${targets[@]}"; do
      inputs=("$out/seeds/$target"/*)
      crashers=(fuzz/crashers/"$target"/*)
      [ -e "${crashers[0]}" ] && inputs+=("${crashers[@]}")
      "$out/${target}_fuzz" -runs=1 "${inputs[@]}" > "$out/replay_$target.log" 2>&1 || {
        cat "$out/replay_$target.log"
        echo "fuzz replay of $target failed" >&2
        exit 1
      }
      echo "fuzz replay: $target, ${#inputs[@]} inputs, no finding"
    done
    ;;
  run)
    seconds=${2:?seconds}
    [ $# -ge 3 ] && targets=("$3")
    for target in "${targets[@]}"; do
      corpus="$out/corpus/$target"
      findings="$out/findings/$target"
      mkdir -p "$corpus" "$findings"
      "$out/${target}_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "$out/seeds/$target" \
        > "$out/run_$target.log" 2>&1 || true
      grep -E "stat::number_of_executed_units|stat::new_units_added" "$out/run_$target.log" | sed "s/^/$target: /"
      ls "$findings" | sed "s/^/$target finding: /"
    done
    ;;
  *)
    echo "usage: scripts/fuzz.sh replay | run SECONDS [target]" >&2
    exit 2
    ;;
esac
