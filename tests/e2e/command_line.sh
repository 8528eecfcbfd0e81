#!/usr/bin/env bash
# The command line: --help (or -h) prints the usage on stdout, in English whatever the locale, --version "space" and the project's
# version, each with status 0 and before any window opens; anything else is refused with a line
# naming it and the usage line on stderr, and status 2. "--" ends the options; of --window and
# --fullscreen the last counts. The version is the same in the manual page and the AppStream entry.
# Usage: command_line.sh BUILD_DIR
set -euo pipefail
e2e_name=command_line
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: command_line.sh BUILD_DIR}" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
usage='usage: space [--window | --fullscreen] [--fps N] [--language de|en] [-h | --help] [--version]'

# Runs the program without a display with the given video driver and arguments; sets status, out
# and err.
run_with() {
  local driver=$1
  shift
  status=0
  env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER="$driver" "$build/space" "$@" >"$e2e_work/out" \
    2>"$e2e_work/err" || status=$?
  out=$(cat "$e2e_work/out")
  err=$(cat "$e2e_work/err")
}

run() {
  run_with dummy "$@"
}

LANG=de_DE.UTF-8 run --help
[ "$status" -eq 0 ] && [ -z "$err" ] || e2e_fail "--help: status $status, stderr: $err"
[ "$(head -n 1 "$e2e_work/out")" = "$usage" ] || e2e_fail "--help does not start with the usage: $out"
for text in --window --fullscreen "-h, --help" --version "  --  " "the last one given counts" settings.ini \
  "--language de|en" LC_MESSAGES; do
  grep -q -e "$text" "$e2e_work/out" || e2e_fail "--help does not mention \"$text\": $out"
done
help=$out
run -h
[ "$status" -eq 0 ] && [ -z "$err" ] && [ "$out" = "$help" ] || e2e_fail "-h: status $status, stdout: $out"

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || e2e_fail "the project has no version"
run --version
[ "$status" -eq 0 ] && [ -z "$err" ] && [ "$out" = "space $version" ] ||
  e2e_fail "--version: status $status, stdout \"$out\", stderr \"$err\""
run --window --version
[ "$status" -eq 0 ] && [ "$out" = "space $version" ] || e2e_fail "--version after --window: status $status"

# Each case: the arguments, then the line that refuses them.
while IFS='|' read -r arguments refusal; do
  # shellcheck disable=SC2086 # the words of each case are separate arguments
  run $arguments
  [ "$status" -eq 2 ] && [ "$err" = "space: $refusal"$'\n'"$usage" ] && [ -z "$out" ] ||
    e2e_fail "space $arguments: status $status, stdout \"$out\", stderr \"$err\""
done <<'CASES'
--bogus|unknown option '--bogus'
--Window|unknown option '--Window'
--window extra|unexpected argument 'extra'
-- --version|unexpected argument '--version'
--language|--language takes a language such as de or en
--language English|--language takes a language such as de or en
--language en_US --window|--language takes a language such as de or en
CASES

# Arguments that start the game reach the display: here a video driver that does not exist.
for arguments in "" "--" "--window --fullscreen --" "--fullscreen --window" "--language en" "--language de --"; do
  # shellcheck disable=SC2086 # the words of each case are separate arguments
  run_with none $arguments
  [ "$status" -eq 1 ] && [[ "$err" == "space: cannot open the 800 x 600 display: "* ]] ||
    e2e_fail "space $arguments did not start the game: status $status, stderr \"$err\""
done

grep -q "^\.TH SPACE 6 [0-9-]* \"Space $version\"" "$source_dir/game/space.6" ||
  e2e_fail "the manual page is not of version $version"
grep -q "<release version=\"$version\"" "$source_dir/game/org.spacedevelopers.space.metainfo.xml" ||
  e2e_fail "the AppStream entry has no release $version"
echo "command_line: ok"
