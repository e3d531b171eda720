#!/usr/bin/env bash
# The small programs that show a fault to be Wine's, not the program's: each
# is built with MinGW-w64 and run under Wine in a prefix of its own, and says
# what it saw; exit 0 when Wine behaves as each program's comment says.
#   run.sh WORK_DIR
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine_env.sh"
mkdir -p "$1" && work=$(cd "$1" && pwd)
wine_prefix "$work/prefix"
status=0
for source in "$here"/*.cpp; do
  name=$(basename "$source" .cpp)
  x86_64-w64-mingw32-g++-posix -std=c++20 -O1 -municode -static "$source" -o "$work/$name.exe" || { status=1; continue; }
  echo "== $name"
  (cd "$work" && QT_REPRO=1 OTHER_REPRO=1 wine "./$name.exe") || status=1
done
exit $status
