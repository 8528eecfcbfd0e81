#!/usr/bin/env bash
# The game as installed by `cmake --install BUILD_DIR --prefix P`: the program in P/bin, its
# pictures and sounds in P/share/space, a desktop entry that desktop-file-validate accepts, the
# icon in three sizes of the hicolor theme, a valid AppStream entry and the manual page. The prefix
# is then made read-only, with a table beside the program, and the game runs as user nobody from
# the root folder: it shows its pictures, plays its sounds, and keeps its table and a screenshot in
# ~/.local/share/space/, which it makes on its first run, with the scores of the table beside the
# program carried over, and its settings in ~/.config/space/. The prefix stays as it was.
# Usage: install.sh BUILD_DIR
set -euo pipefail
e2e_name=install
source "$(dirname "$0")/lib.sh"
build=$(cd "${1:?usage: install.sh BUILD_DIR}" && pwd)
[ "$(id -u)" -eq 0 ] || { echo "install: needs root to run the program as user nobody"; exit 0; }

prefix=$e2e_work/prefix
cmake --install "$build" --prefix "$prefix" >"$e2e_work/install.log" || e2e_fail "install: $(cat "$e2e_work/install.log")"
[ -x "$prefix/bin/space" ] || e2e_fail "no program in $prefix/bin"
for file in bg1.jpg bg2.jpg bg3.jpg bg4.jpg x.bmp view1.jpg view2.bmp view3.jpg rock.bmp crsr.bmp expl.bmp \
  shot_1.bmp shot_2.bmp shot_3.bmp shot_4.bmp dspl.jpg pause.bmp en/briefing.bmp en/button_starten.bmp \
  en/button_mission.bmp en/button_beenden.bmp en/button_fertig.bmp en/button_bestenliste.bmp en/pause.bmp \
  en/view2.bmp; do
  cmp -s "$build/img/$file" "$prefix/share/space/img/$file" || e2e_fail "picture $file not installed"
done
catalogue=share/locale/en/LC_MESSAGES/space.mo
cmp -s "$build/locale/en/LC_MESSAGES/space.mo" "$prefix/$catalogue" || e2e_fail "$catalogue not installed"
# The installed program finds it: it names no missing catalogue before it fails to open the display
# of a driver that does not exist.
said=$(env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=none "$prefix/bin/space" --language en 2>&1 >/dev/null) || true
[[ "$said" == "space: cannot open the 800 x 600 display: "* ]] || e2e_fail "the installed program said: $said"
for file in expl1.wav fire.wav click.wav loop.wav; do
  cmp -s "$build/$file" "$prefix/share/space/$file" || e2e_fail "sound $file not installed"
done
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
id=org.spacedevelopers.space
for file in "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" share/man/man6/space.6; do
  cmp -s "$source_dir/game/$(basename "$file")" "$prefix/$file" || e2e_fail "$file not installed"
done
desktop-file-validate "$prefix/share/applications/$id.desktop" || e2e_fail "the desktop entry is not valid"
# The AppStream entry together with the desktop entry and the icon it names.
appstreamcli validate-tree --no-net "$prefix" >"$e2e_work/appstream.log" 2>&1 ||
  e2e_fail "the installed AppStream entry is not valid: $(cat "$e2e_work/appstream.log")"
MANPATH=$prefix/share/man man -w 6 space >/dev/null 2>&1 || e2e_fail "man does not find the installed manual page"
for size in 48 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/space.png
  python3 - "$icon" "$size" <<'EOF_PY' || e2e_fail "$icon is no ${size} x ${size} RGBA PNG"
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
size = int(sys.argv[2])
assert data[:8] == b"\x89PNG\r\n\x1a\n"
width, height, depth, kind = struct.unpack(">IIBB", data[16:26])
assert (width, height, depth, kind) == (size, size, 8, 6)
at, idat = 8, b""
while at < len(data):  # every chunk's CRC holds, and the image data inflates to the whole picture
    length, = struct.unpack(">I", data[at:at + 4])
    chunk = data[at + 4:at + 8 + length]
    assert struct.unpack(">I", data[at + 8 + length:at + 12 + length])[0] == zlib.crc32(chunk)
    idat += chunk[4:] if chunk[:4] == b"IDAT" else b""
    at += 12 + length
assert len(zlib.decompress(idat)) == size * (1 + 4 * size)
EOF_PY
done

# A table beside the program from before, and the prefix read-only for everyone but root.
python3 - "$prefix/bin/kvshs.dat" <<'EOF_PY'
import struct, sys
open(sys.argv[1], "wb").write(b"installed\r\n" + struct.pack("<i", 700) + b"scores\n" + struct.pack("<i", 300))
EOF_PY
e2e_expected_table "$prefix/bin/kvshs.dat" "$e2e_work/expected.dat" -2147483648 >/dev/null
chmod -R a-w "$prefix"
listing() { find "$prefix" -printf '%p %s %m %T@\n' | sort; }
before=$(listing)

home=$e2e_work/home
mkdir -p "$home"
chown 65534:65534 "$home"
chmod 755 "$e2e_work"
e2e_start_xvfb 1024x768x24
e2e_program=$prefix/bin/space
e2e_start_wrapped / setpriv --reuid=65534 --regid=65534 --clear-groups -- -u XDG_DATA_HOME -u XDG_CONFIG_HOME "HOME=$home" \
  SDL_AUDIODRIVER=disk "SDL_DISKAUDIOFILE=$home/sound.raw"
e2e_wait_window
e2e_hold_key F10
e2e_move 0 85  # "Bestenliste" at (400, 385): a click plays the click sound
e2e_click
e2e_move 200 170  # "Fertig" at (600, 555)
e2e_click
xdotool keydown Control_L  # the sound effects off: the settings go to ~/.config/space/
sleep 0.3
xdotool key s
sleep 0.3
xdotool keyup Control_L
e2e_quit_from_menu
[ "$e2e_status" -eq 0 ] || e2e_fail "exit status $e2e_status: $(cat "$e2e_work/game.log")"
output=$(grep -v -e '^CRITICAL: You are using the SDL disk i/o audio driver!$' \
  -e '^CRITICAL:  Writing to file \[.*\]\.$' "$e2e_work/game.log" || true)
[ -z "$output" ] || e2e_fail "the program wrote output: $output"

data=$home/.local/share/space
[ "$(stat -c '%U %a' "$data")" = "nobody 700" ] || e2e_fail "the data folder is not the player's alone"
cmp -s "$e2e_work/expected.dat" "$data/kvshs.dat" ||
  e2e_fail "the data folder does not hold the table carried over: $(ls -lA "$data")"
mapfile -t shots < <(cd "$data" && ls -- scrnsht_*.bmp 2>/dev/null)
[ "${#shots[@]}" -eq 1 ] || e2e_fail "${#shots[@]} screenshots in the data folder, not 1: $(ls -A "$data")"
# Without its pictures the menu's background is the veil alone, one colour.
colours=$(e2e_colour_count "$data/${shots[0]}" 0 120 280 530)
[ "$colours" -gt 100 ] || e2e_fail "the installed game shows no background picture ($colours colours)"
[ "$(e2e_silent_output "$home/sound.raw")" -eq 0 ] || e2e_fail "the installed game played no sound"
grep -qx "effects = off" "$home/.config/space/settings.ini" 2>/dev/null ||
  e2e_fail "the settings are not in ~/.config/space/: $(ls -RA "$home/.config" 2>&1)"
[ "$(listing)" = "$before" ] || e2e_fail "the prefix changed: $(diff <(echo "$before") <(listing))"
echo "install: ok"
