#!/usr/bin/env bash
# Prints deb-src entries (deb822 stanzas) that mirror the machine's own apt
# "deb" entries for this distribution release: same URIs, suites, components
# and signing key. No host is named here; every URI comes from the sources.
# Sources read: the *.sources (deb822) and *.list (one-line) files of
# $APT_SOURCES_DIR (default /etc/apt/sources.list.d) and the one-line file
# $APT_SOURCES_LIST (default /etc/apt/sources.list). Only suites of the
# release named by VERSION_CODENAME in $OS_RELEASE (default /etc/os-release)
# are taken: the codename itself and codename-* (updates, security...).
# Prints nothing when no entry qualifies.
set -euo pipefail

sources_dir=${APT_SOURCES_DIR:-/etc/apt/sources.list.d}
sources_list=${APT_SOURCES_LIST:-/etc/apt/sources.list}
os_release=${OS_RELEASE:-/etc/os-release}

codename=$(. "$os_release" && printf '%s' "${VERSION_CODENAME:-}")
[ -n "$codename" ] || { echo "apt-deb-src: no VERSION_CODENAME in $os_release" >&2; exit 1; }

deb822=()
oneline=()
shopt -s nullglob
for f in "$sources_dir"/*.sources; do deb822+=("$f"); done
for f in "$sources_dir"/*.list; do oneline+=("$f"); done
[ -f "$sources_list" ] && oneline+=("$sources_list")

# One input line per "deb" entry: URIs|suites|components|signed-by (the
# lines of an inline key joined by \001).
{
  if [ ${#deb822[@]} -gt 0 ]; then
    awk '
      function flush() {
        if (types ~ /(^| )deb( |$)/ && tolower(enabled) != "no" && uris != "" && suites != "")
          print uris "|" suites "|" comps "|" signed
        types = uris = suites = comps = signed = enabled = ""; key = ""
      }
      FNR == 1 { flush() }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      /^[ \t]/ {  # continuation of the field before
        v = $0; gsub(/^[ \t]+|[ \t]+$/, "", v)
        if (key == "uris") uris = uris " " v; else if (key == "suites") suites = suites " " v
        else if (key == "components") comps = comps " " v
        else if (key == "signed-by") signed = signed "\001" $0  # an inline key, kept line by line
        next
      }
      {
        i = index($0, ":"); if (i == 0) next
        key = tolower(substr($0, 1, i - 1)); v = substr($0, i + 1); gsub(/^[ \t]+|[ \t]+$/, "", v)
        if (key == "types") types = v; else if (key == "uris") uris = v; else if (key == "suites") suites = v
        else if (key == "components") comps = v; else if (key == "signed-by") signed = v
        else if (key == "enabled") enabled = v
      }
      END { flush() }
    ' "${deb822[@]}"
  fi
  if [ ${#oneline[@]} -gt 0 ]; then
    awk '
      { sub(/#.*/, "") }
      $1 != "deb" { next }
      {
        signed = ""; n = 2
        if ($2 ~ /^\[/) {  # options up to the closing bracket
          opts = ""
          for (; n <= NF; n++) { opts = opts " " $n; if ($n ~ /\]$/) { n++; break } }
          gsub(/[][]/, "", opts)
          m = split(opts, o, " ")
          for (k = 1; k <= m; k++) if (o[k] ~ /^signed-by=/) signed = substr(o[k], 11)
        }
        if (n + 1 > NF) next
        comps = ""
        for (k = n + 2; k <= NF; k++) comps = comps (comps == "" ? "" : " ") $k
        print $n "|" $(n + 1) "|" comps "|" signed
      }
    ' "${oneline[@]}"
  fi
} | awk -F'|' -v codename="$codename" '
  {
    n = split($2, s, " "); suites = ""
    for (k = 1; k <= n; k++)
      if (s[k] == codename || index(s[k], codename "-") == 1) suites = suites (suites == "" ? "" : " ") s[k]
    if (suites == "") next
    stanza = "Types: deb-src\nURIs: " $1 "\nSuites: " suites "\n"
    if ($3 != "") stanza = stanza "Components: " $3 "\n"
    signed = $4; gsub(/\001/, "\n", signed)
    if (signed != "") stanza = stanza "Signed-By:" (signed ~ /^\n/ ? "" : " ") signed "\n"
    if (stanza in seen) next
    seen[stanza] = 1
    printf "%s%s", (count++ ? "\n" : ""), stanza
  }
'
