#!/usr/bin/env bash
# Builds Qt 6.4.2 (qtbase) for 64-bit Windows with MinGW-w64, from Debian's
# own source package, into a cache folder outside the clone. qtsvg is left
# out: its source package cannot be fetched from the archive this machine
# reaches (404 for qt6-svg_6.4.2.orig.tar.xz), so the Windows build writes no
# SVG and carries its icons as pictures.
#
#   packaging/windows/build_qt.sh            build when the cache lacks it
#   packaging/windows/build_qt.sh --prefix   print the folder it builds into
#
# The folder is named after the version and a digest of this script, so a
# changed recipe builds anew and an unchanged one is reused by every later
# build and CI run on the machine. A build that stops half-way leaves no
# folder that counts as done: only a finished build gets its stamp.
set -euo pipefail

QT_VERSION=6.4.2
HERE=$(cd "$(dirname "$0")" && pwd)
CACHE=${VOSK_CACHE:-$HOME/.cache/vosk}
# The digest of what the files say, not where this clone lies.
RECIPE=$(cat "$HERE/build_qt.sh" "$HERE/../../cmake/mingw-w64-x86_64.cmake" | sha256sum | cut -c1-10)
PREFIX=$CACHE/qt-$QT_VERSION-mingw64-$RECIPE
JOBS=${JOBS:-2}

if [ "${1:-}" = --prefix ]; then echo "$PREFIX"; exit 0; fi
if [ -f "$PREFIX/.complete" ]; then echo "Qt for Windows: $PREFIX"; exit 0; fi

WORK=$CACHE/qt-$QT_VERSION-work
mkdir -p "$WORK"
start=$(date +%s)

# Debian's sources through a list of their own: the machine's package lists
# stay as they are.
APT_DIR=$WORK/apt
mkdir -p "$APT_DIR/lists/partial" "$APT_DIR/cache/archives/partial"
cat > "$APT_DIR/sources.list" <<EOF
deb-src http://deb.debian.org/debian bookworm main
deb-src http://deb.debian.org/debian bookworm-updates main
deb-src http://deb.debian.org/debian-security bookworm-security main
EOF
APT=(apt-get -o "Dir::State::Lists=$APT_DIR/lists" -o "Dir::Etc::SourceList=$APT_DIR/sources.list"
     -o "Dir::Etc::SourceParts=$APT_DIR/none" -o "Dir::Cache=$APT_DIR/cache" -o "APT::Sandbox::User=root")
# The sources of the host's own Qt, whose tools the cross build runs.
host_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
case "$host_version" in "$QT_VERSION"*) ;; *) echo "host Qt is $host_version, not $QT_VERSION" >&2; exit 1;; esac

cd "$WORK"
if [ ! -d "$WORK/qtbase" ]; then
  "${APT[@]}" update -qq
  rm -rf src && mkdir src && cd src
  "${APT[@]}" source -qq "qt6-base=$host_version"
  cd "$WORK"
  mv "src/qt6-base-${host_version%%-*}" qtbase
  rm -rf src
fi

# What the program does not use is left out (network, sql, dbus, icu, the
# other modules); tablet events need wintab.h, which Debian's source lacks;
# without Direct2D the DirectWrite font engine is not built, so DirectWrite
# goes too (printing would link against the missing engine).
# Qt's own zlib, libpng, libjpeg, freetype, harfbuzz and pcre2 are built in.
# Release: debug objects of MinGW overflow their section count.
# The build folder belongs to this recipe: an interrupted build goes on
# where it stopped, a changed recipe starts afresh.
BUILD_DIR=build-qtbase-$RECIPE
rm -rf "$PREFIX"
cmake -S qtbase -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$HERE/../../cmake/mingw-w64-x86_64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DQT_QMAKE_TARGET_MKSPEC=win32-g++ \
  -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=ON -DCMAKE_INSTALL_PREFIX="$PREFIX" \
  -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
  -DQT_USE_CCACHE=ON \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_icu=OFF \
  -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_opengl_desktop=ON -DFEATURE_opengl_dynamic=OFF \
  -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF -DFEATURE_directwrite3=OFF \
  -DFEATURE_tabletevent=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_freetype=ON -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_pcre2=OFF -DFEATURE_fontconfig=OFF -DFEATURE_sql_sqlite=OFF \
  -DFEATURE_testlib=ON -DFEATURE_printsupport=ON -DFEATURE_widgets=ON
cmake --build "$BUILD_DIR" -j"$JOBS"
cmake --install "$BUILD_DIR"

# Qt's Japanese translations are plain files, the same for every system.
mkdir -p "$PREFIX/translations"
cp /usr/share/qt6/translations/qtbase_ja.qm "$PREFIX/translations/"

rm -rf "$BUILD_DIR"
echo "$(( $(date +%s) - start ))" > "$PREFIX/.build-seconds"
touch "$PREFIX/.complete"
echo "Qt for Windows built in $(( ($(date +%s) - start) / 60 )) min: $PREFIX"
