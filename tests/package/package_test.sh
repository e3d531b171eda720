#!/bin/sh
# Builds the Debian package into a folder of its own and checks what it
# carries: the files, the dependencies, and desktop entry, MIME type and
# metadata that name one another.
#   package_test.sh CPackConfig.cmake VERSION SOURCE_DIR
set -eu
config=$1 version=$2 src=$3
for tool in cpack dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli xmllint; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$config" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail cpack; }
deb=$work/vosk_${version}_amd64.deb
[ -f "$deb" ] || fail "no $(basename "$deb"): $(ls "$work")"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/files"
for f in /usr/bin/vosk /usr/bin/vosk-sheet /usr/share/applications/vosk.desktop \
         /usr/share/icons/hicolor/scalable/apps/vosk.svg \
         /usr/share/icons/hicolor/scalable/mimetypes/application-x-vosk-datasheet.svg \
         /usr/share/mime/packages/vosk.xml /usr/share/metainfo/jp.vosk.Vosk.metainfo.xml; do
  grep -qx "$f" "$work/files" || fail "missing $f"
done
# Every bundled data file, and nothing from the build or the tests.
(cd "$src/data" && find . -type f | sed 's|^\.|/usr/share/vosk|') | while read -r f; do
  grep -qxF "$f" "$work/files" || fail "missing $f"
done
stray=$(grep -v -e '/$' -e '^/usr/bin/vosk$' -e '^/usr/bin/vosk-sheet$' -e '^/usr/share/vosk/' \
  -e '^/usr/share/applications/vosk.desktop$' -e '^/usr/share/icons/hicolor/scalable/' \
  -e '^/usr/share/mime/packages/vosk.xml$' -e '^/usr/share/metainfo/' "$work/files" || true)
[ -z "$stray" ] || fail "unexpected files: $stray"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vosk ] || fail "Package $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version $(field Version)"
[ "$(field Architecture)" = amd64 ] || fail "Architecture $(field Architecture)"
depends=$(field Depends | tr -d ' ' | tr ',' '\n' | sed 's/(.*//')
for p in fonts-ipafont-mincho fonts-ipafont-gothic qt6-translations-l10n libqt6widgets6 libqt6svg6 libc6; do
  echo "$depends" | grep -qx "$p" || fail "Depends lacks $p: $(field Depends)"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/vosk.desktop
desktop-file-validate "$desktop" | grep -v ': hint:' && fail "desktop entry" || true
grep -qx 'MimeType=application/x-vosk-datasheet;' "$desktop" || fail "desktop MimeType"
grep -q '^Exec=vosk %f$' "$desktop" || fail "desktop Exec"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "no icon $icon"

mime=$root/usr/share/mime/packages/vosk.xml
type=$(xmllint --xpath 'string(//*[local-name()="mime-type"]/@type)' "$mime")
[ "$type" = application/x-vosk-datasheet ] || fail "MIME type $type"
mimeIcon=$(xmllint --xpath 'string(//*[local-name()="icon"]/@name)' "$mime")
[ -f "$root/usr/share/icons/hicolor/scalable/mimetypes/$mimeIcon.svg" ] || fail "no icon $mimeIcon"

meta=$root/usr/share/metainfo/jp.vosk.Vosk.metainfo.xml
appstreamcli validate --no-net "$meta" >"$work/validate.log" 2>&1 || { cat "$work/validate.log"; fail appstream; }
[ "$(xmllint --xpath 'string(/component/id)' "$meta")" = jp.vosk.Vosk ] || fail "metadata id"
[ "$(xmllint --xpath 'string(//launchable[@type="desktop-id"])' "$meta")" = vosk.desktop ] || fail launchable
[ "$(xmllint --xpath 'string(//provides/mediatype)' "$meta")" = "$type" ] || fail mediatype
[ "$(xmllint --xpath 'string(//releases/release[1]/@version)' "$meta")" = "$version" ] || fail "release version"
# The screenshot named in the metadata is the project's own picture, at its size.
shot=$(xmllint --xpath 'string(//screenshot[@type="default"]/image)' "$meta")
case $shot in https://*/docs/screenshot.png) ;; *) fail "screenshot URL $shot" ;; esac
size=$(xmllint --xpath 'concat(//screenshot[@type="default"]/image/@width, "x", //screenshot[@type="default"]/image/@height)' "$meta")
file "$src/docs/screenshot.png" | grep -q "PNG image data, ${size%x*} x ${size#*x}," || fail "screenshot is not $size"
echo "ok: $(grep -vc '/$' "$work/files") files"
