#!/bin/sh
# The data sheet's shared-mime-info package: well-formed, naming the glob,
# the mark and both comments, and accepted by update-mime-database.
set -eu
xml=$1
xmllint --noout "$xml"
q() { xmllint --xpath "$1" "$xml"; }
ns='local-name()="mime-type" and @type="application/x-vosk-datasheet"'
[ "$(q "string(//*[$ns]/*[local-name()='glob']/@pattern)")" = '*.vkr' ]
[ "$(q "string(//*[$ns]/*[local-name()='magic']/*[local-name()='match']/@value)")" = '$$_VSKTARVO100' ]
[ -n "$(q "string(//*[$ns]/*[local-name()='comment'][not(@xml:lang)])")" ]
[ -n "$(q "string(//*[$ns]/*[local-name()='comment'][@xml:lang='ja'])")" ]
[ "$(q "string(//*[$ns]/*[local-name()='icon']/@name)")" = 'application-x-vosk-datasheet' ]

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/mime/packages"
cp "$xml" "$work/mime/packages/"
# Any complaint about the package is a failure, not only a refusal.
XDG_DATA_DIRS=$work update-mime-database "$work/mime" >"$work/log" 2>&1
if [ -s "$work/log" ]; then cat "$work/log"; exit 1; fi
grep -q 'application/x-vosk-datasheet' "$work/mime/types"
