#!/usr/bin/env bash
# Runs every GoogleTest program of a build folder once whole, its tests in a shuffled order (the
# seed is printed), so that no test depends on what another left behind. On SDL's headless drivers,
# with the player's folders pointed at a temporary one.
# Usage: scripts/shuffled_tests.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: shuffled_tests.sh BUILD_DIR}
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data
failed=()
for program in "$build"/tests/*_tests; do
  echo "== $(basename "$program") --gtest_shuffle"
  # Death tests fork; in a program whose earlier tests started threads only a fresh run of the
  # program is safe, which the "threadsafe" style makes.
  "$program" --gtest_shuffle --gtest_brief=1 --gtest_death_test_style=threadsafe || failed+=("$(basename "$program")")
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "shuffled runs failed: ${failed[*]}" >&2
  exit 1
fi
