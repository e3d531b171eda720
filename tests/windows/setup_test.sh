#!/usr/bin/env bash
# The setup program as a user meets it, in a fresh Wine prefix on an Xvfb
# display of its own:
#   setup_test.sh SETUP.exe SHEET.vkr WORK_DIR [SCREENSHOT.png]
# installs silently (/S), finds the program under Program Files, the Start
# menu entry and the .vkr file type in the registry, opens SHEET through
# that file type's command with the windows platform, takes a screenshot of
# the window (WORK_DIR/window.png, or SCREENSHOT) and checks that the sheet
# is drawn, then uninstalls silently and finds all of it gone.
set -euo pipefail
setup=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
sheet=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
work=$3
shot=${4:-$work/window.png}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
rm -rf "$work" && mkdir -p "$work"
work=$(cd "$work" && pwd)
fail() { echo "FAIL: $*"; exit 1; }

display=:$(( 90 + RANDOM % 900 ))
Xvfb "$display" -screen 0 1600x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { wineserver -k >/dev/null 2>&1 || true; kill "$xvfb" 2>/dev/null || true; }
trap cleanup EXIT
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
wine_prefix "$work/prefix"
drive_c=$WINEPREFIX/drive_c

wine "$setup" /S
wineserver -w
root="$drive_c/Program Files/Vosk"
for f in bin/vosk.exe bin/vosk-sheet.exe bin/Qt6Core.dll bin/qt.conf plugins/platforms/qwindows.dll \
         translations/qtbase_ja.qm share/vosk/Sys.ndx uninstall.exe; do
  [ -f "$root/$f" ] || fail "setup did not install $f"
done
[ -f "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vosk/Vosk.lnk" ] || fail "no Start menu entry"

query() { wine reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p'; }
type=$(query 'HKLM\Software\Classes\.vkr')
[ "$type" = Vosk.DataSheet ] || fail ".vkr is '$type', not Vosk.DataSheet"
command=$(query 'HKLM\Software\Classes\Vosk.DataSheet\shell\open\command')
[ "$command" = '"C:\Program Files\Vosk\bin\vosk.exe" "%1"' ] || fail "the open command is '$command'"
echo "installed: $root; .vkr opens with $command"

# The sheet opened as Explorer opens it: the file type's own command.
windows_sheet=$(winepath -w "$sheet")
wine cmd /c start "" "$windows_sheet" >/dev/null 2>&1 &
shown=
for _ in $(seq 90); do
  sleep 1
  # The main window of the installed program, with its caption (a sheet
  # opened at start keeps the program's caption until it is changed).
  if xwininfo -root -tree 2>/dev/null | grep -F '("vosk.exe" "vosk.exe")' | grep -q ' Vosk"'; then shown=1; break; fi
done
[ -n "$shown" ] || fail "no window of vosk.exe appeared"
sleep 3
import -window root "$shot"
wineserver -k >/dev/null 2>&1 || true
# A drawn sheet: the window is there, and a good part of the screen is
# neither the desktop's colour nor white paper alone.
colours=$(convert "$shot" -format '%k' info:)
[ "$colours" -gt 50 ] || fail "the screenshot holds $colours colours: no sheet drawn"
echo "window drawn: $shot ($colours colours)"

wine "$root/uninstall.exe" /S
wineserver -w
sleep 2
wineserver -w
[ ! -e "$root/bin" ] || fail "uninstall left $root/bin"
[ ! -e "$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vosk" ] || fail "uninstall left the Start menu entry"
[ -z "$(query 'HKLM\Software\Classes\Vosk.DataSheet\shell\open\command')" ] || fail "uninstall left the file type"
echo "uninstalled: nothing left"
