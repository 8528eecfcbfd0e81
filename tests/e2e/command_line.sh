#!/usr/bin/env bash
# The command line: --help prints the usage on stdout (in English, whatever the locale), --version "space" and the project's version,
# each with status 0 and before any window opens; anything else is refused with the usage line on
# stderr and status 2. The version is the same in the manual page and the AppStream entry.
# Usage: command_line.sh BUILD_DIR
set -euo pipefail
e2e_name=command_line
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: command_line.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
usage='usage: space [--window | --fullscreen] [--language de|en] [--help] [--version]'

# Runs the program without a display with the given arguments; sets status, out and err.
run() {
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=dummy "$build/space" "$@" >"$e2e_work/out" 2>"$e2e_work/err" ||
    status=$?
  out=$(cat "$e2e_work/out")
  err=$(cat "$e2e_work/err")
}

LANG=de_DE.UTF-8 run --help
[ "$status" -eq 0 ] && [ -z "$err" ] || e2e_fail "--help: status $status, stderr: $err"
[ "$(head -n 1 "$e2e_work/out")" = "$usage" ] || e2e_fail "--help does not start with the usage: $out"
for option in --window --fullscreen --language --version settings.ini LANG; do
  grep -q -e "$option" "$e2e_work/out" || e2e_fail "--help does not mention $option: $out"
done

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || e2e_fail "the project has no version"
run --version
[ "$status" -eq 0 ] && [ -z "$err" ] && [ "$out" = "space $version" ] ||
  e2e_fail "--version: status $status, stdout \"$out\", stderr \"$err\""
run --window --version
[ "$status" -eq 0 ] && [ "$out" = "space $version" ] || e2e_fail "--version after --window: status $status"

for arguments in --bogus -h "--window extra" --Window --language "--language English" "--language en_US"; do
  # shellcheck disable=SC2086 # the words of each case are separate arguments
  run $arguments
  [ "$status" -eq 2 ] && [ "$err" = "$usage" ] && [ -z "$out" ] ||
    e2e_fail "space $arguments: status $status, stdout \"$out\", stderr \"$err\""
done

grep -q "^\.TH SPACE 6 [0-9-]* \"Space $version\"" "$source_dir/game/space.6" ||
  e2e_fail "the manual page is not of version $version"
grep -q "<release version=\"$version\"" "$source_dir/game/org.spacedevelopers.space.metainfo.xml" ||
  e2e_fail "the AppStream entry has no release $version"
echo "command_line: ok"
