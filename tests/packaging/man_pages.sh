#!/usr/bin/env bash
# The manual pages say what the programs' --help says.
#     man_pages.sh BIN_DIR MAN_DIR
set -euo pipefail
bin="$1"
man="$2"
command -v man >/dev/null || { echo "SKIPPED: man is missing"; exit 77; }
[ -f "$man/trovique-cli.1" ] || { echo "SKIPPED: no trovique-cli.1 (help2man is missing)"; exit 77; }
render() { MANWIDTH=1000 man -l "$1" 2>/dev/null | col -b | tr -s ' '; }
failed=0

# Every command of trovique-cli is in its page, with its synopsis.
page=$(render "$man/trovique-cli.1")
while IFS= read -r synopsis; do
    if ! grep -qF -- "$synopsis" <<<"$page"; then
        echo "trovique-cli.1 lacks: $synopsis"
        failed=1
    fi
done < <("$bin/trovique-cli" --help | sed -n 's/^  \([a-z]\)/\1/p' | tr -s ' ')
grep -qF "$("$bin/trovique-cli" --version)" <<<"$page" || { echo "trovique-cli.1: wrong version"; failed=1; }

# trovique's page names its switches, and every switch its --help names.
page=$(render "$man/trovique.1")
switches="/SHOWUI /AUTOPDB /SHOWABOUT"
if [ -x "$bin/trovique" ] && help=$(QT_QPA_PLATFORM=offscreen timeout 20 "$bin/trovique" --help 2>&1); then
    switches="$switches $( (grep -o '/[A-Z][A-Z]*' <<<"$help" || true) | sort -u | tr '\n' ' ')"
fi
for switch in $switches; do
    grep -qF -- "$switch" <<<"$page" || { echo "trovique.1 lacks $switch"; failed=1; }
done
[ $failed -eq 0 ] && echo "PASSED"
exit $failed
