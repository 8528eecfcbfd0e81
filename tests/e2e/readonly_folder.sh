#!/usr/bin/env bash
# The real program in a folder where it may write neither into the folder nor into the highscore
# file there, as an install under /usr: it starts, Escape ends it with status 0, the folder and its
# file stay byte for byte, and the table, with the scores read from beside the program, is saved
# into the player's data folder $XDG_DATA_HOME/space/, made by this first run.
# As root a folder's mode does not stop writing, so the folder is made unwritable two ways: a
# read-only bind mount of it (the program runs as root), and the program run as user nobody in a
# folder owned by root with mode 755.
# Usage: readonly_folder.sh BUILD_DIR
set -euo pipefail
e2e_name=readonly_folder
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: readonly_folder.sh BUILD_DIR}" && pwd)

# A table that a successful save would rewrite: names ending in a lone LF, a last record cut off
# inside its score, and bytes after the tenth record.
write_old_table() {
  python3 - "$1" <<'EOF'
import struct, sys
data = b"".join(b"pilot %d\n" % i + struct.pack("<i", 1000 - i) for i in range(9))
data += b"last\r\n\x07\x00" + b"old bytes after the table"
open(sys.argv[1], "wb").write(data)
EOF
}

# Runs the program with the wrapper and the data home `data` (its space/ not there yet), quits it
# with Escape and checks status, file, folder and the table in the data folder.
check_readonly_run() {
  local how=$1 folder=$2 data=$3 status
  shift 3
  write_old_table "$e2e_work/old.dat"
  cp "$e2e_work/old.dat" "$folder/kvshs.dat"
  # Read and saved back without a mission: the table as the game writes it.
  e2e_expected_table "$e2e_work/old.dat" "$e2e_work/expected.dat" -2147483648 >/dev/null
  local before
  before=$(ls -A "$folder")
  e2e_start_wrapped "$folder" "$@" -- SDL_AUDIODRIVER=dummy "XDG_DATA_HOME=$data"
  e2e_wait_window
  e2e_quit_from_menu
  status=$e2e_status
  [ "$status" -eq 0 ] || e2e_fail "$how: exit status $status: $(cat "$e2e_work/game.log")"
  cmp -s "$e2e_work/old.dat" "$folder/kvshs.dat" ||
    e2e_fail "$how: the highscore file changed: $(od -c "$folder/kvshs.dat" | head -n 5)"
  [ "$(ls -A "$folder")" = "$before" ] || e2e_fail "$how: the folder changed: $(ls -A "$folder")"
  cmp -s "$e2e_work/expected.dat" "$data/space/kvshs.dat" ||
    e2e_fail "$how: the data folder does not hold the table read beside the program: $(ls -lA "$data/space")"
  [ -s "$e2e_work/game.log" ] && e2e_fail "$how: the program wrote output: $(cat "$e2e_work/game.log")"
  echo "readonly_folder: $how: ok"
}

e2e_start_xvfb 1024x768x24

# 1. A read-only bind mount of the program's folder, in a mount namespace of the program's own.
folder=$(e2e_copy_program "$build")
mount_ro="mount --bind \"\$0\" \"\$0\" && mount -o remount,bind,ro \"\$0\" && cd \"\$0\" && exec \"\$@\""
unshare -m sh -c "$mount_ro" "$folder" true 2>"$e2e_work/mount.log" ||
  e2e_fail "a read-only bind mount is not permitted here: $(cat "$e2e_work/mount.log")"
mkdir "$e2e_work/data_root"
check_readonly_run "read-only mount" "$folder" "$e2e_work/data_root" unshare -m sh -c "$mount_ro" "$folder"

# 2. User nobody in a folder owned by root with mode 755 (the folders above it must let it pass).
folder=$(e2e_copy_program "$build")
chmod 755 "$e2e_work" "$folder"
mkdir "$e2e_work/data_nobody"
chown 65534:65534 "$e2e_work/data_nobody"
check_readonly_run "user nobody" "$folder" "$e2e_work/data_nobody" \
  setpriv --reuid=65534 --regid=65534 --clear-groups
echo "readonly_folder: ok"
