#!/usr/bin/env bash
# Installs a build into a temporary prefix and builds two hosts against it,
# one with CMake's find_package and one with pkg-config and a plain C
# compiler, and runs both against a simulated sign; then builds the Debian
# package, unpacks it into a throwaway root and runs dmsctl from there.
# Usage: test-install.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
version=$(sed -n 's/^project(dmscontent VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")

step() { echo "install test: $*"; }

step "cmake --install into a temporary prefix"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
prefix=$work/prefix
libdir=$(dirname "$(find "$prefix" -name 'libdmscontent.so' | head -n 1)")
for f in "$libdir/libdmscontent.so.$version" "$libdir/libtqdms.so.$version" "$prefix/bin/dmsctl" \
         "$prefix/include/dmscontent/version.h" "$prefix/include/tqdms/tqdms.h" \
         "$libdir/cmake/dmscontent/dmscontentConfig.cmake" "$libdir/cmake/dmscontent/dmscontentConfigVersion.cmake" \
         "$libdir/pkgconfig/dmscontent.pc" "$libdir/pkgconfig/tqdms.pc" \
         "$prefix/share/man/man1/dmsctl.1" "$prefix/share/bash-completion/completions/dmsctl"; do
  [ -e "$f" ] || { echo "install test: missing $f"; exit 1; }
done
soname=$(objdump -p "$libdir/libdmscontent.so" | awk '/SONAME/ {print $2}')
case $soname in libdmscontent.so.${version%.*}) ;; *) echo "install test: SONAME $soname"; exit 1 ;; esac

step "a host built with find_package(dmscontent)"
cmake -S "$root/tests/install/cmake-consumer" -B "$work/cmake-consumer" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake-consumer" >/dev/null
(cd "$work" && "$work/cmake-consumer/consumer")

step "a host built with pkg-config and cc"
export PKG_CONFIG_PATH=$libdir/pkgconfig
[ "$(pkg-config --modversion dmscontent)" = "$version" ]
# shellcheck disable=SC2046
cc -std=c11 -Wall -Werror -o "$work/pc-consumer" "$root/tests/install/consumer.c" \
  $(pkg-config --cflags --libs dmscontent tqdms)
(cd "$work" && LD_LIBRARY_PATH=$libdir "$work/pc-consumer")

step "dmsctl --version, its man page and completion from the prefix"
[ "$("$prefix/bin/dmsctl" --version)" = "dmsctl $version" ]
grep -q '^\.TH DMSCTL 1' "$prefix/share/man/man1/dmsctl.1"
bash -c "source '$prefix/share/bash-completion/completions/dmsctl'
  COMP_WORDS=(dmsctl fonts s); COMP_CWORD=2; _dmsctl; [ \"\${COMPREPLY[*]}\" = 'show send' ]"

step "the Debian package, unpacked with dpkg -x"
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/packages/dmscontent_"$version"_*.deb)
depends=$(dpkg-deb --field "$deb" Depends)
for lib in libtinyxml2 libsnmp libpng libgif; do
  grep -q "$lib" <<<"$depends" || { echo "install test: $lib missing from Depends: $depends"; exit 1; }
done
dpkg -x "$deb" "$work/root"
[ "$("$work/root/usr/bin/dmsctl" --version)" = "dmsctl $version" ]
echo "install test: passed ($(basename "$deb"))"
