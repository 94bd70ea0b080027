#!/usr/bin/env bash
# The deb-src entries setup.sh adds are taken from the machine's own apt
# sources (deb822 and one-line files), for this release's suites only; the
# setup scripts name no host themselves.
# Usage: apt_deb_src.sh path/to/scripts/apt-deb-src.sh
set -u
derive=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
run() { APT_SOURCES_DIR="$dir/list.d" APT_SOURCES_LIST="$dir/sources.list" OS_RELEASE="$dir/os-release" "$derive"; }

mkdir "$dir/list.d"
printf 'ID=debian\nVERSION_CODENAME=bookworm\n' > "$dir/os-release"

# deb822: two stanzas of the release, comments, a deb-src stanza, a disabled
# one, another release's and a third party's suites, an inline key.
cat > "$dir/list.d/distro.sources" <<'SRC'
Types: deb
# a comment inside the stanza
URIs: http://archive.example/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/distro.gpg

Types: deb deb-src
URIs: http://security.example/debian-security
Suites: bookworm-security
Components: main

Types: deb-src
URIs: http://only-src.example/debian
Suites: bookworm
Components: main

Types: deb
Enabled: no
URIs: http://disabled.example/debian
Suites: bookworm
Components: main
SRC
cat > "$dir/list.d/other.sources" <<'SRC'
Types: deb
URIs: http://thirdparty.example/node
Suites: nodistro
Components: main

Types: deb
URIs: http://old.example/debian
Suites: bullseye bookworm-backports
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 AAAA
 -----END PGP PUBLIC KEY BLOCK-----
SRC
# Files apt does not read are not read either.
printf 'deb http://ignored.example/debian bookworm main\n' > "$dir/list.d/x.list.disabled"

expected='Types: deb-src
URIs: http://archive.example/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/distro.gpg

Types: deb-src
URIs: http://security.example/debian-security
Suites: bookworm-security
Components: main

Types: deb-src
URIs: http://old.example/debian
Suites: bookworm-backports
Components: main
Signed-By:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 AAAA
 -----END PGP PUBLIC KEY BLOCK-----'
out=$(run) || fail "deb822 sources: exit $?"
[ "$out" = "$expected" ] || fail "deb822 sources gave:
$out"

# One-line sources: options, comments, deb-src lines and other releases.
rm "$dir"/list.d/*
cat > "$dir/sources.list" <<'SRC'
# the release
deb [arch=amd64 signed-by=/usr/share/keyrings/distro.gpg] http://archive.example/debian bookworm main non-free
deb http://archive.example/debian bookworm-updates main  # trailing comment
deb-src http://archive.example/debian bookworm main
#deb http://commented.example/debian bookworm main
deb http://archive.example/debian bullseye main
deb http://archive.example/debian bookworm main non-free
SRC
printf 'deb [ signed-by=/k.gpg ] http://extra.example/debian bookworm-security main\n' > "$dir/list.d/extra.list"
expected='Types: deb-src
URIs: http://extra.example/debian
Suites: bookworm-security
Components: main
Signed-By: /k.gpg

Types: deb-src
URIs: http://archive.example/debian
Suites: bookworm
Components: main non-free
Signed-By: /usr/share/keyrings/distro.gpg

Types: deb-src
URIs: http://archive.example/debian
Suites: bookworm-updates
Components: main

Types: deb-src
URIs: http://archive.example/debian
Suites: bookworm
Components: main non-free'
out=$(run) || fail "one-line sources: exit $?"
[ "$out" = "$expected" ] || fail "one-line sources gave:
$out"

# Nothing of this release: nothing printed. No codename: refused.
printf 'deb http://archive.example/debian bullseye main\n' > "$dir/sources.list"
rm "$dir"/list.d/*
out=$(run) || fail "no entry: exit $?"
[ -z "$out" ] || fail "entries from another release: $out"
printf 'ID=debian\n' > "$dir/os-release"
run >/dev/null 2>&1 && fail "no codename accepted"

# The setup scripts themselves name no host.
here=$(dirname "$derive")
grep -nE '[a-z]+://' "$here/setup.sh" "$derive" && fail "a host is named in the setup scripts"
echo "apt deb-src ok"
