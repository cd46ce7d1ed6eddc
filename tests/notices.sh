#!/usr/bin/env bash
# The notices a shipped program carries: for every file its linker map names
# and every file it bundles, the licence of where that file came from is in
# the notices, whole: ours (LICENSE), a Debian package's copyright file, or
# the debian/copyright of the source package a dependency was built from.
# Usage: notices.sh NOTICES LINK-DIR MAP [BUNDLED-LIST]
#   NOTICES is a text file, or ZIP:PATH for a file inside a zip.
source "$(dirname "$0")/e2e_lib.sh"
src=$(cd "$(dirname "$0")/.." && pwd)
notices=$1
build=$(cd "$2" && pwd)
map=$3
bundled=${4:-}

if [[ $notices == *.zip:* ]]; then
  unzip -p "${notices%%:*}" "${notices#*:}" >"$dir/notices" 2>/dev/null || fail "no ${notices#*:} in ${notices%%:*}"
  sed -i 's/\r$//' "$dir/notices"
else
  cp "$notices" "$dir/notices" 2>/dev/null || fail "no notices file $notices"
fi
[ -s "$map" ] || fail "no linker map $map"

# Archives and objects, without the members an archive gave.
sed -E 's/\([^()]*\)//g' "$map" | grep -oE '[^[:space:]():]+\.(a|o|obj)\b' | sort -u >"$dir/inputs"
[ -z "$bundled" ] || cat "$bundled" >>"$dir/inputs"

# The components named in the sections' headings.
grep -A1 '^=====' "$dir/notices" | grep -v '^=====\|^--$' | sed 's/ (.*//' | tr ',' '\n' | tr -d ' ' >"$dir/named"
named() { grep -qxF -- "$1" "$dir/named" || fail "the notices have no section for $1 ($2)"; }
# contains NOTICE-FILE WHOSE: every line of NOTICE-FILE is in the notices.
contains() {
  sort -u "$1" | comm -23 - <(sort -u "$dir/notices") >"$dir/absent"
  [ ! -s "$dir/absent" ] || fail "the notices lack $2's licence ($1), from: $(head -n 3 "$dir/absent")"
}
# The Debian package that owns FILE, or the nearest folder that only one owns.
owner() {
  local path=$1 owners
  while [ "$path" != / ]; do
    owners=$(dpkg-query -S "$path" 2>/dev/null | grep -v '^diversion ' | sed 's/: .*//') &&
      [[ $owners != *,* && $owners != *$'\n'* && -n $owners ]] && { echo "$owners"; return; }
    path=$(dirname "$path")
  done
}

others=0
while read -r file; do
  case $file in /*) ;; *) file=$build/$file ;; esac
  file=$(realpath -sm "$file")
  [ -e "$file" ] || fail "$map names $file, which is not there"
  if [[ $file =~ /deps/([^/]+)/ ]]; then
    name=${BASH_REMATCH[1]}
    copyright=$(ls "${file%%/deps/*}/deps/source/$name"-*/debian/copyright 2>/dev/null | head -n 1)
    [ -n "$copyright" ] || fail "$file was built from no source tree with a debian/copyright"
    named "$name" "$file"
    contains "$copyright" "$name"
    others=$((others + 1))
  elif [[ $file == "$src"/* || $file == "$build"/* ]]; then
    contains "$src/LICENSE" "starwhirl"
  else
    package=$(owner "$file")
    [ -n "$package" ] || fail "$file is in the program but belongs to no Debian package"
    named "$package" "$file"
    contains "/usr/share/doc/$package/copyright" "$package"
    others=$((others + 1))
  fi
done <"$dir/inputs"
# A page beside the notices links to them.
if [[ $notices != *.zip:* && -f $(dirname "$notices")/index.html ]]; then
  grep -q "<a href=\"$(basename "$notices")\">" "$(dirname "$notices")/index.html" ||
    fail "the page does not link to $(basename "$notices")"
fi
# A map that names nothing of anyone else's would prove nothing.
[ "$others" -gt 0 ] || fail "the linker map $map names no one else's file"
echo "ok: $(wc -l <"$dir/inputs") files in the program, each with its licence in the notices"
