# Sourced by the Windows test scripts: Wine without a display's dialogs, no
# Mono or Gecko asked for, and the Japanese fonts a Windows PC has, in the
# prefix (for the windows platform) and in a folder of their own (for the
# offscreen platform, which reads the fonts of one folder).
#   wine_prefix PREFIX   makes or reuses the prefix and exports WINEPREFIX
export WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
IPA_FONTS=(/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf /usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf
           /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf)

wine_prefix() {
  export WINEPREFIX=$1
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
  fi
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp -u "${IPA_FONTS[@]}" "$WINEPREFIX/drive_c/windows/Fonts/"
  # Installed as Windows installs a font: its file in the Fonts folder and
  # its name in the registry, where Qt's FreeType font database (the tool's
  # headless platform) looks a family's file up. Wine itself lists only the
  # host's fonts there.
  local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts' font
  for font in IPAMincho:ipam.ttf IPAPMincho:ipamp.ttf IPAGothic:ipag.ttf IPAPGothic:ipagp.ttf; do
    wine reg add "$key" /v "${font%%:*} (TrueType)" /d "${font#*:}" /f >/dev/null 2>&1
  done
}

# A folder of the fonts for QT_QPA_FONTDIR, as Windows sees it.
font_folder() {
  mkdir -p "$1"
  cp -u "${IPA_FONTS[@]}" "$1/"
  winepath -w "$1"
}

# Wine hands a Windows program none of the Unix variables whose names begin
# with QT_ (tests/windows/repro/qt_variables.cpp): Qt's settings go through
# the prefix's user environment instead, which every program started
# afterwards reads. Clears the QT_ ones there, then sets NAME=VALUE in order.
#   wine_qt_env [NAME=VALUE ...]
wine_qt_env() {
  local key='HKCU\Environment' name pair
  for name in $(wine reg query "$key" 2>/dev/null | tr -d '\r' | awk '$1 ~ /^QT_/ {print $1}'); do
    wine reg delete "$key" /v "$name" /f >/dev/null 2>&1
  done
  for pair in "$@"; do
    wine reg add "$key" /v "${pair%%=*}" /d "${pair#*=}" /f >/dev/null 2>&1
  done
}
