#!/usr/bin/env bash
# The Windows build's test programs under Wine without a display, and the
# Windows tool's PDFs of the examples held against the Linux tool's:
#   wine_suites.sh WINDOWS_BUILD LINUX_TOOL SOURCE_DIR
# Every suite runs even when one fails; the script fails if any did.
set -uo pipefail
build=$(cd "$1" && pwd)
linux_tool=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
source_dir=$(cd "$3" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine_env.sh"
wine_prefix "$build/wine"
# One Wine server for the whole run: a program started while the previous
# server is still shutting down may miss the prefix's user environment and,
# with it, the Qt platform it is given.
wineserver -p
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
qt_base=(QT_QPA_PLATFORM=offscreen "QT_QPA_FONTDIR=$(font_folder "$build/fonts")")
failed=()

# The profile lives in the registry on Windows: each suite starts without one.
profile='HKCU\Software\Local AppWizard-Generated Applications'
suite() {
  local name=$1; shift
  wine reg delete "$profile" /f >/dev/null 2>&1
  echo "== $name under Wine"
  wine_qt_env "${qt_base[@]}" "$@"
  case $name in
    vosk_core_tests|vosk_tool_tests|vosk_qt_tests)
      wine "$build/bin/$name.exe" || failed+=("$name");;
    *)  # Qt's test log reaches no console under Wine: it goes to a file, shown after.
      local log=$build/$name.log
      rm -f "$log"
      wine "$build/bin/$name.exe" -o "$(winepath -w "$log"),txt" >/dev/null 2>&1 || failed+=("$name")
      grep -a -A3 '^FAIL!' "$log"; grep -a '^Totals' "$log" || echo "no test log";;
  esac
}
suite vosk_core_tests
suite vosk_tool_tests
suite vosk_qt_tests
for test in "$build"/bin/vosk_*_tests.exe; do
  name=$(basename "$test" .exe)
  case $name in vosk_core_tests|vosk_tool_tests|vosk_qt_tests|vosk_window_tests) continue;; esac
  suite "$name"
done
suite vosk_dialog_layout_tests QT_SCALE_FACTOR=1.25
# The window on its screen of 1920 × 1080, named from its folder: a drive's
# colon would end the platform's argument.
pushd "$source_dir/tests/ui" >/dev/null
suite vosk_window_tests QT_QPA_PLATFORM=offscreen:configfile=screen_1920x1080.json
popd >/dev/null

# The same sheets drawn by both tools: as many pages, the same texts, and
# rules of the same weights. The Windows tool runs as a user runs it, on its
# own headless platform with the prefix's fonts.
echo "== vosk-sheet.exe render against the Linux tool"
wine_qt_env
work=$build/pdf-compare
rm -rf "$work" && mkdir -p "$work"
for sheet in "$source_dir"/examples/sample.vkr "$source_dir"/examples/section/P*.vkr; do
  name=$(basename "$sheet" .vkr)
  VOSK_DRIVES=$work/linux-drives "$linux_tool" render "$sheet" -o "$work/$name-linux.pdf"
  wine "$build/bin/vosk-sheet.exe" render "$(winepath -w "$sheet")" -o "$(winepath -w "$work")\\$name-windows.pdf"
  ok=1
  for side in linux windows; do
    [ -s "$work/$name-$side.pdf" ] || { echo "$name: no $side PDF"; ok=0; continue; }
    pdfinfo "$work/$name-$side.pdf" | sed -n 's/^Pages: *//p' > "$work/$name-$side.pages"
    pdftotext -layout "$work/$name-$side.pdf" "$work/$name-$side.txt"
    pdftocairo -svg "$work/$name-$side.pdf" "$work/$name-$side.svg"
    awk -f "$source_dir/tests/print/stroke_widths.awk" "$work/$name-$side.svg" | sort | uniq -c > "$work/$name-$side.widths"
  done
  if [ $ok = 1 ]; then
    for what in pages txt widths; do
      if ! diff -u "$work/$name-linux.$what" "$work/$name-windows.$what" > "$work/$name.$what.diff"; then
        echo "$name: the $what differ"; head -20 "$work/$name.$what.diff"; ok=0
      fi
    done
  fi
  if [ $ok = 1 ]; then echo "$name: $(cat "$work/$name-linux.pages") pages, texts and rules alike"; else failed+=("render $name"); fi
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED under Wine: ${failed[*]}"
  exit 1
fi
echo "All Windows suites passed under Wine."
