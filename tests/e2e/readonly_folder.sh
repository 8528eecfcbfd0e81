#!/usr/bin/env bash
# The real program in a folder it may not write into: it starts, Escape ends it with status 0, and
# the highscore file it could not save stays byte for byte, with no other file left beside it.
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

# Starts the program in its folder through a wrapper command (the words before "--") with the
# given environment (the words after it); sets e2e_game_pid like e2e_start_game.
start_wrapped() {
  local folder=$1 wrapper=()
  shift
  while [ "$1" != -- ]; do
    wrapper+=("$1")
    shift
  done
  shift
  (cd "$folder" && exec "${wrapper[@]}" env "$@" ./space) >"$e2e_work/game.log" 2>&1 &
  e2e_game_pid=$!
  e2e_pids+=("$e2e_game_pid")
}

# Runs the program with the wrapper, quits it with Escape and checks status, file and folder.
check_readonly_run() {
  local how=$1 folder=$2 status
  shift 2
  write_old_table "$e2e_work/old.dat"
  cp "$e2e_work/old.dat" "$folder/kvshs.dat"
  local before
  before=$(ls -A "$folder")
  start_wrapped "$folder" "$@" -- SDL_AUDIODRIVER=dummy
  e2e_wait_window
  e2e_quit_from_menu
  status=$e2e_status
  [ "$status" -eq 0 ] || e2e_fail "$how: exit status $status: $(cat "$e2e_work/game.log")"
  cmp -s "$e2e_work/old.dat" "$folder/kvshs.dat" ||
    e2e_fail "$how: the highscore file changed: $(od -c "$folder/kvshs.dat" | head -n 5)"
  [ "$(ls -A "$folder")" = "$before" ] || e2e_fail "$how: the folder changed: $(ls -A "$folder")"
  [ -s "$e2e_work/game.log" ] && e2e_fail "$how: the program wrote output: $(cat "$e2e_work/game.log")"
  echo "readonly_folder: $how: ok"
}

e2e_start_xvfb 1024x768x24

# 1. A read-only bind mount of the program's folder, in a mount namespace of the program's own.
folder=$(e2e_copy_program "$build")
mount_ro="mount --bind \"\$0\" \"\$0\" && mount -o remount,bind,ro \"\$0\" && cd \"\$0\" && exec \"\$@\""
unshare -m sh -c "$mount_ro" "$folder" true 2>"$e2e_work/mount.log" ||
  e2e_fail "a read-only bind mount is not permitted here: $(cat "$e2e_work/mount.log")"
check_readonly_run "read-only mount" "$folder" unshare -m sh -c "$mount_ro" "$folder"

# 2. User nobody in a folder owned by root with mode 755 (the folders above it must let it pass).
folder=$(e2e_copy_program "$build")
chmod 755 "$e2e_work" "$folder"
check_readonly_run "user nobody" "$folder" setpriv --reuid=65534 --regid=65534 --clear-groups
echo "readonly_folder: ok"
