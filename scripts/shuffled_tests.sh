#!/usr/bin/env bash
# Runs every GoogleTest program of a build folder once whole, its tests in a shuffled order (the
# seed is printed), so that no test depends on what another left behind. On SDL's headless drivers,
# with the player's folders pointed at a temporary one; as many programs at a time as there are
# processors, each program's output shown when it is done.
# Usage: scripts/shuffled_tests.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: shuffled_tests.sh BUILD_DIR}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data

run() {
  local program=$1 log=$work/$(basename "$1").log
  # Death tests fork; in a program whose earlier tests started threads only a fresh run of the
  # program is safe, which the "threadsafe" style makes.
  if "$program" --gtest_shuffle --gtest_brief=1 --gtest_death_test_style=threadsafe >"$log" 2>&1; then
    echo "ok" >>"$log.status"
  fi
}
export -f run
export work
# The mission tests first: their minute-long soak is the longest, and the others run beside it.
programs=("$build"/tests/*_tests)
printf '%s\n' "${programs[@]}" | awk '/mission_tests$/ { print; next } { rest[++n] = $0 }
  END { for (i = 1; i <= n; ++i) print rest[i] }' | xargs -P "$(nproc)" -I{} bash -c 'run "$@"' _ {}

failed=()
for program in "$build"/tests/*_tests; do
  name=$(basename "$program")
  echo "== $name --gtest_shuffle"
  cat "$work/$name.log"
  [ -f "$work/$name.log.status" ] || failed+=("$name")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "shuffled runs failed: ${failed[*]}" >&2
  exit 1
fi
