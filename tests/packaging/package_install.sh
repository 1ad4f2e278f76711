#!/usr/bin/env bash
# Builds the Debian package from the build tree, unpacks it into a scratch root with dpkg -x, and
# converts a presentation with the unpacked trovique-cli from another folder and a clean HOME:
# the installed program finds its palettes in share/trovique without being told.
#     package_install.sh BUILD_DIR PRESENTATION
set -euo pipefail
build="$1"
presentation="$2"
for tool in cpack dpkg-deb dpkg-shlibdeps soffice; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log" 2>&1) ||
    { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/package/trovique_*.deb)
dpkg-deb -x "$deb" "$scratch/root"
failed=0
fail() { echo "FAILED: $*"; failed=1; }

usr="$scratch/root/usr"
for file in bin/trovique-cli share/trovique/Palm256Color.pal share/trovique/PalmMonochrome.pal \
    share/trovique/Palm4Color.pal share/trovique/DATA/README share/trovique/office/trovique.oxt \
    share/trovique/icons/trovique.svg share/mime/packages/trovique.xml \
    share/icons/hicolor/scalable/apps/trovique.svg share/icons/hicolor/48x48/apps/trovique.png \
    share/man/man1/trovique-cli.1.gz; do
    [ -e "$usr/$file" ] || [ -e "$usr/${file%.gz}" ] || fail "the package lacks /usr/$file"
done
if [ -e "$usr/bin/trovique" ]; then
    for file in share/applications/trovique.desktop share/metainfo/net.norvane.trovique.metainfo.xml; do
        [ -e "$usr/$file" ] || fail "the package lacks /usr/$file"
    done
fi
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libzip4 libpugixml1v5 libpoppler126 libreoffice-impress-nogui; do
    grep -q "\b$package\b" <<<"$depends" || fail "Depends lacks $package: $depends"
done

# A clean user in a folder of its own, nothing of the build tree on the way.
mkdir -p "$scratch/home" "$scratch/work"
cp "$presentation" "$scratch/work/talk.${presentation##*.}"
if ! (cd "$scratch/work" && env -i PATH=/usr/bin:/bin HOME="$scratch/home" \
    "$usr/bin/trovique-cli" convert "talk.${presentation##*.}" -o talk.pdb >"$scratch/out" 2>&1); then
    fail "convert: $(cat "$scratch/out")"
fi
if ! env -i PATH=/usr/bin:/bin HOME="$scratch/home" "$usr/bin/trovique-cli" info "$scratch/work/talk.pdb" \
    >"$scratch/info" 2>&1; then
    fail "info: $(cat "$scratch/info")"
fi
grep -q "BITMAP" "$scratch/info" || fail "no picture slide in the converted show: $(cat "$scratch/info")"
env -i PATH=/usr/bin:/bin HOME="$scratch/home" "$usr/bin/trovique-cli" settings >"$scratch/settings"
grep -q "^Settings	LastPath	$usr/share/trovique/DATA/	default$" "$scratch/settings" ||
    fail "the data folder is not the installed one: $(grep LastPath "$scratch/settings")"
[ $failed -eq 0 ] && echo "PASSED: $(basename "$deb") ($(cat "$scratch/out"))"
exit $failed
