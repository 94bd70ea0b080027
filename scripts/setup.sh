#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing) and
# fetches tinyxml2's Debian source for the Windows cross build.
# Usage: scripts/setup.sh [deps-folder]   (default: build/deps)
set -euo pipefail

deps_dir=${1:-build/deps}
packages=(
  cmake make g++ clang libclang-rt-14-dev pkg-config dpkg-dev
  libtinyxml2-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
  libsnmp-dev snmp libpng-dev libgif-dev
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# tinyxml2 for the Windows DLLs is compiled from Debian's source package.
fetch_source() {
  mkdir -p "$deps_dir"
  (cd "$deps_dir" && apt-get source -qq tinyxml2 >/dev/null 2>&1) && ls "$deps_dir"/tinyxml2-*/tinyxml2.cpp >/dev/null 2>&1
}
# Without deb-src entries, they are derived from the machine's own "deb"
# entries (scripts/apt-deb-src.sh), so the sources come from where its
# packages come from.
if ! ls "$deps_dir"/tinyxml2-*/tinyxml2.cpp >/dev/null 2>&1 && ! fetch_source; then
  sources_dir=${APT_SOURCES_DIR:-/etc/apt/sources.list.d}
  sources_list=${APT_SOURCES_LIST:-/etc/apt/sources.list}
  src_list=$sources_dir/dmscontent-src.sources
  if ! grep -rqs '^Types:.*deb-src' "$sources_dir" && ! grep -qs '^deb-src' "$sources_list"; then
    entries=$("$(dirname "$0")/apt-deb-src.sh")
    [ -n "$entries" ] || { echo "setup: no apt source of this release to take deb-src entries from"; exit 1; }
    echo "setup: adding deb-src entries"
    printf '%s\n' "$entries" | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  fetch_source || { echo "setup: cannot fetch tinyxml2 sources"; exit 1; }
fi
