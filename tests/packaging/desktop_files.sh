#!/usr/bin/env bash
# The desktop entries and the AppStream metainfo pass their validators.
#     desktop_files.sh PACKAGING_SOURCE_DIR
set -euo pipefail
linux="$1/linux"
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is missing"; exit 77; }
done
desktop-file-validate "$linux/trovique.desktop" "$linux/trovique-convert.desktop"
appstreamcli validate --no-net --pedantic "$linux/net.norvane.trovique.metainfo.xml"
# The entries open the file types that the MIME package defines.
grep -qx 'MimeType=application/x-trovique-slideshow;application/vnd.palm;' "$linux/trovique.desktop"
grep -qx 'Exec=trovique /AUTOPDB=%f' "$linux/trovique-convert.desktop"
echo "PASSED"
