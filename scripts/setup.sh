#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing) and
# fetches tinyxml2's Debian source for the Windows cross build.
# Usage: scripts/setup.sh [deps-folder]   (default: build/deps)
set -euo pipefail

deps_dir=${1:-build/deps}
packages=(
  cmake make g++ clang libclang-rt-14-dev pkg-config dpkg-dev
  libtinyxml2-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libcli11-dev
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
if ! ls "$deps_dir"/tinyxml2-*/tinyxml2.cpp >/dev/null 2>&1 && ! fetch_source; then
  src_list=/etc/apt/sources.list.d/dmscontent-src.sources
  if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
    echo "setup: adding deb-src entries"
    . /etc/os-release
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      "$VERSION_CODENAME" "$VERSION_CODENAME" | "${sudo_cmd[@]}" tee "$src_list" >/dev/null
  fi
  "${sudo_cmd[@]}" apt-get update -qq
  fetch_source || { echo "setup: cannot fetch tinyxml2 sources"; exit 1; }
fi
