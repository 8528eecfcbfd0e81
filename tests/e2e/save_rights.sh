#!/usr/bin/env bash
# The highscore save of the real program, run as user nobody, in the three cases a player meets:
# 1. a write-protected table in a folder of the player's own: left alone, byte for byte, with its
#    owner and mode, nothing else written there;
# 2. a table of the player's own in a folder closed to him: written in place (the same file, cut
#    after the table), nothing else written there;
# 3. a table of the player's own in his folder: replaced by the complete new table through a
#    temporary file, which is gone afterwards, with the old file's mode.
# Each table is read, and saved as the game writes it: names with CR LF, nothing after the tenth
# record. None of the three touches the player's data folder: the program's folder serves.
# Usage: save_rights.sh BUILD_DIR
set -euo pipefail
e2e_name=save_rights
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: save_rights.sh BUILD_DIR}" && pwd)
[ "$(id -u)" -eq 0 ] || { echo "save_rights: needs root to run the program as user nobody"; exit 0; }

# A table whose names end in a lone LF, with bytes after its tenth record: a save rewrites it.
python3 - "$e2e_work/old.dat" <<'EOF_PY'
import struct, sys
data = b"".join(b"pilot %d\n" % i + struct.pack("<i", 1000 - i) for i in range(10))
open(sys.argv[1], "wb").write(data + b"old bytes after the table")
EOF_PY
e2e_expected_table "$e2e_work/old.dat" "$e2e_work/saved.dat" -2147483648 >/dev/null
chmod 755 "$e2e_work"
e2e_start_xvfb 1024x768x24

# Sets up the folder (owner, mode) and its table (owner, mode), runs the game as nobody until
# Escape and checks the status; the folder is printed.
run_case() {
  local how=$1 folder_owner=$2 folder_mode=$3 file_owner=$4 file_mode=$5 folder data
  folder=$(e2e_copy_program "$build")
  data=$(mktemp -d "$e2e_work/data.XXXXXX")
  chown 65534:65534 "$data"
  cp "$e2e_work/old.dat" "$folder/kvshs.dat"
  chown "$file_owner" "$folder/kvshs.dat"
  chmod "$file_mode" "$folder/kvshs.dat"
  chown "$folder_owner" "$folder"
  chmod "$folder_mode" "$folder"
  before_listing=$(ls -A "$folder")
  before_inode=$(stat -c %i "$folder/kvshs.dat")
  e2e_start_wrapped "$folder" setpriv --reuid=65534 --regid=65534 --clear-groups -- \
    SDL_AUDIODRIVER=dummy "XDG_DATA_HOME=$data" "HOME=$data"
  e2e_wait_window
  e2e_quit_from_menu
  [ "$e2e_status" -eq 0 ] || e2e_fail "$how: exit status $e2e_status: $(cat "$e2e_work/game.log")"
  [ -s "$e2e_work/game.log" ] && e2e_fail "$how: the program wrote output: $(cat "$e2e_work/game.log")"
  [ "$(ls -A "$folder")" = "$before_listing" ] || e2e_fail "$how: the folder changed: $(ls -A "$folder")"
  [ -z "$(ls -A "$data")" ] || e2e_fail "$how: the player's data folder was used: $(ls -RA "$data")"
  case_folder=$folder
}

run_case "write-protected table in the player's folder" 65534 755 65534 444
cmp -s "$e2e_work/old.dat" "$case_folder/kvshs.dat" || e2e_fail "case 1: the write-protected table changed"
[ "$(stat -c '%u %a %i' "$case_folder/kvshs.dat")" = "65534 444 $before_inode" ] ||
  e2e_fail "case 1: the write-protected table was replaced: $(stat -c '%u %a %i' "$case_folder/kvshs.dat")"
echo "save_rights: a write-protected table in the player's folder stays: ok"

run_case "the player's table in a closed folder" 0 755 65534 644
cmp -s "$e2e_work/saved.dat" "$case_folder/kvshs.dat" ||
  e2e_fail "case 2: the table was not saved: $(od -c "$case_folder/kvshs.dat" | head -n 5)"
[ "$(stat -c %i "$case_folder/kvshs.dat")" = "$before_inode" ] || e2e_fail "case 2: not written in place"
echo "save_rights: the player's table in a closed folder is written in place: ok"

run_case "the player's table in his folder" 65534 755 65534 640
cmp -s "$e2e_work/saved.dat" "$case_folder/kvshs.dat" ||
  e2e_fail "case 3: the table was not saved: $(od -c "$case_folder/kvshs.dat" | head -n 5)"
[ "$(stat -c '%u %a' "$case_folder/kvshs.dat")" = "65534 640" ] ||
  e2e_fail "case 3: the new table lost owner or mode: $(stat -c '%u %a' "$case_folder/kvshs.dat")"
[ "$(stat -c %i "$case_folder/kvshs.dat")" != "$before_inode" ] || e2e_fail "case 3: not replaced by a new file"
echo "save_rights: the player's table in his folder is replaced safely: ok"
echo "save_rights: ok"
