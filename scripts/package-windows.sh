#!/usr/bin/env bash
# Zips the 32-bit Windows DLLs with their import libraries, export lists,
# the headers and a README for Windows hosts, then checks the zip's list.
# Usage: package-windows.sh build-win32
set -euo pipefail
win=$(cd "$1" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^project(dmscontent VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
name=dmscontent-$version-win32
stage=$win/packages/$name
rm -rf "$stage" && mkdir -p "$stage/bin" "$stage/lib" "$stage/include"

cp "$win/src/dmscontent.dll" "$win/device/tqdms.dll" "$stage/bin/"
# The import libraries ask for the decorated names, as the headers do.
i686-w64-mingw32-dlltool -d "$win/src/dmscontent-import.def" -l "$stage/lib/libdmscontent.dll.a"
cp "$win/device/libtqdms.dll.a" "$stage/lib/"
cp "$win/src/dmscontent-import.def" "$stage/lib/dmscontent.def"
cp "$win/device/tqdms-import.def" "$stage/lib/tqdms.def"
cp -r "$root/include/dmscontent" "$root/include/tqdms" "$stage/include/"
cp "$win/generated/include/dmscontent/version.h" "$stage/include/dmscontent/"
cp "$root/docs/README-windows.txt" "$stage/README-windows.txt"
cp "$root/README.md" "$root/CHANGELOG.md" "$stage/"

(cd "$win/packages" && rm -f "$name.zip" && cmake -E tar cf "$name.zip" --format=zip "$name")
listing=$(cd "$win/packages" && cmake -E tar tf "$name.zip")
for f in bin/dmscontent.dll bin/tqdms.dll lib/libdmscontent.dll.a lib/libtqdms.dll.a lib/dmscontent.def \
         include/dmscontent/dmscontent.h include/dmscontent/version.h include/tqdms/tqdms.h README-windows.txt; do
  grep -qx "$name/$f" <<<"$listing" || { echo "package-windows: $f missing from $name.zip"; exit 1; }
done
# The import library must name the DLL's decorated exports.
symbols=$(i686-w64-mingw32-nm "$stage/lib/libdmscontent.dll.a")
grep -q '__imp__dmsVersion@0' <<<"$symbols" ||
  { echo "package-windows: libdmscontent.dll.a lacks _dmsVersion@0"; exit 1; }
echo "package-windows: $win/packages/$name.zip ($(wc -l <<<"$listing") entries)"
