#!/usr/bin/env bash
# The MIME package names working files by extension and by the database type at offset 60,
# next to the system's own types.
#     mime_types.sh PACKAGING_SOURCE_DIR
set -euo pipefail
for tool in update-mime-database gio; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
system=/usr/share/mime/packages/freedesktop.org.xml
[ -f "$system" ] || { echo "SKIPPED: $system is missing"; exit 77; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/mime/packages" "$scratch/home"
cp "$system" "$scratch/mime/packages/"
cp "$1/linux/trovique-mime.xml" "$scratch/mime/packages/trovique.xml"
update-mime-database "$scratch/mime" 2>"$scratch/log" || { cat "$scratch/log"; exit 1; }

# A header whose type and creator at offset 60 are those of a slide show, and one of another
# Palm database.
header() { head -c 60 /dev/zero; printf '%s' "$1"; head -c 40 /dev/zero; }
header qsdbTQVK >"$scratch/show.sdb"
header qsdbTQVK >"$scratch/show-without-extension"
header TEXtREAd >"$scratch/book"
header DATAabcd >"$scratch/other.sdb"

type_of() {
    XDG_DATA_HOME="$scratch/home" XDG_DATA_DIRS="$scratch" \
        gio info -a standard::content-type "$1" | sed -n 's/.*standard::content-type: //p'
}
failed=0
expect() {
    local got
    got=$(type_of "$scratch/$1")
    if [ "$got" != "$2" ]; then
        echo "$1: $got, expected $2"
        failed=1
    fi
}
expect show.sdb application/x-trovique-slideshow
expect show-without-extension application/x-trovique-slideshow
expect other.sdb application/x-trovique-slideshow
expect book application/x-aportisdoc
grep -q '^50:application/vnd.palm:\*\.pdb$' "$scratch/mime/globs2" || { echo "*.pdb is not vnd.palm"; failed=1; }
[ $failed -eq 0 ] && echo "PASSED"
exit $failed
