#!/usr/bin/env bash
# Compares the wall time of converting a presentation into a Palm database
# (trovique-cli convert) with the wall time of LibreOffice alone turning the same presentation
# into a PDF (soffice --headless --convert-to pdf), the floor under any conversion that goes
# through it. Runs alternate between the two; medians and their ratio are printed, for wall time
# and for processor time (user + system of the whole process tree, office included), which the
# other programs on a shared machine cannot inflate.
#
# usage: bench/convert_compare.sh [PRESENTATION...]
#   With no presentation, a 25-slide deck of text and shapes is generated, as .fodp and as .pptx,
#   and a 20-slide graphics-heavy one (bench/make_heavy_deck.py) as .pptx and as .fodp (whose
#   texts, like those of a .pptx, are read without the office). Then the ten real decks of
#   tests/data/decks are converted as one batch (trovique-cli convert A B ... --out-dir) beside
#   soffice converting them in one call, and beside ten separate conversions.
# Environment: BUILD_DIR (default build/default), RUNS (default 5 of each), HEAVY_SLIDES
#   (default 20; 0 leaves the heavy deck out), BATCH (default 1; 0 leaves the batch out).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build/default}
runs=${RUNS:-5}
cli="$build/bin/trovique-cli"
[ -x "$cli" ] || { echo "convert_compare: build trovique-cli first ($cli)" >&2; exit 1; }
command -v soffice >/dev/null || { echo "convert_compare: soffice is missing" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/trovique-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
# The kept office profile too: the untimed first run below makes it, as a user's first import does.
export XDG_CACHE_HOME="$work/cache"

# A deck like a real talk: a title, bullets, a numbered list, shapes and notes on every slide.
generate_deck() {
    local file=$1
    {
        cat <<'HEAD'
<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:draw="urn:oasis:names:tc:opendocument:xmlns:drawing:1.0"
 xmlns:fo="urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0"
 xmlns:svg="urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0"
 xmlns:presentation="urn:oasis:names:tc:opendocument:xmlns:presentation:1.0"
 office:version="1.3" office:mimetype="application/vnd.oasis.opendocument.presentation">
 <office:styles/>
 <office:automatic-styles>
  <style:page-layout style:name="PM1"><style:page-layout-properties fo:margin-top="0cm"
   fo:margin-bottom="0cm" fo:margin-left="0cm" fo:margin-right="0cm" fo:page-width="28cm"
   fo:page-height="21cm" style:print-orientation="landscape"/></style:page-layout>
  <style:style style:name="PTitle" style:family="paragraph"><style:paragraph-properties
   fo:text-align="center"/><style:text-properties fo:font-size="36pt" fo:font-weight="bold"
   fo:color="#1f3864"/></style:style>
  <style:style style:name="PBody" style:family="paragraph"><style:text-properties
   fo:font-size="24pt"/></style:style>
  <style:style style:name="grA" style:family="graphic"><style:graphic-properties draw:stroke="none"
   draw:fill="solid" draw:fill-color="#2e75b6"/></style:style>
  <style:style style:name="grB" style:family="graphic"><style:graphic-properties draw:stroke="solid"
   svg:stroke-color="#c00000" draw:fill="solid" draw:fill-color="#ffc000"/></style:style>
  <text:list-style style:name="Bullets"><text:list-level-style-bullet text:level="1"
   text:bullet-char="●"/></text:list-style>
  <text:list-style style:name="Numbers"><text:list-level-style-number text:level="1"
   style:num-format="1" style:num-suffix="."/></text:list-style>
 </office:automatic-styles>
 <office:master-styles><style:master-page style:name="Plain" style:page-layout-name="PM1"/></office:master-styles>
 <office:body><office:presentation>
HEAD
        for i in $(seq 1 25); do
            local list=Bullets
            [ $((i % 3)) -eq 0 ] && list=Numbers
            cat <<SLIDE
  <draw:page draw:name="s$i" draw:master-page-name="Plain">
   <draw:frame presentation:class="title" svg:x="1.5cm" svg:y="1cm" svg:width="25cm" svg:height="3cm">
    <draw:text-box><text:p text:style-name="PTitle">Topic $i: quarterly results and next steps</text:p></draw:text-box></draw:frame>
   <draw:frame presentation:class="outline" svg:x="1.5cm" svg:y="4.5cm" svg:width="15cm" svg:height="14cm">
    <draw:text-box><text:list text:style-name="$list">
     <text:list-item><text:p text:style-name="PBody">Revenue grew in region $i</text:p></text:list-item>
     <text:list-item><text:p text:style-name="PBody">Costs held flat,<text:line-break/>margins improved</text:p></text:list-item>
     <text:list-item><text:p text:style-name="PBody">Hiring plan for the next quarter</text:p></text:list-item>
     <text:list-item><text:p text:style-name="PBody">Risks and open questions</text:p></text:list-item>
    </text:list></draw:text-box></draw:frame>
   <draw:rect draw:style-name="grA" svg:x="18cm" svg:y="5cm" svg:width="$((3 + i % 5))cm" svg:height="6cm"/>
   <draw:ellipse draw:style-name="grB" svg:x="18.5cm" svg:y="12cm" svg:width="7cm" svg:height="$((3 + i % 4))cm"/>
   <presentation:notes><draw:frame presentation:class="notes" svg:x="2cm" svg:y="14cm" svg:width="17cm"
    svg:height="13cm"><draw:text-box><text:p>Speaker notes for slide $i: mention the figures and take questions.</text:p></draw:text-box></draw:frame></presentation:notes>
  </draw:page>
SLIDE
        done
        echo ' </office:presentation></office:body>'
        echo '</office:document>'
    } >"$file"
}

# Runs a command without input or output and appends "WALL PROCESSOR" (seconds) to file $1.
measure() {
    local file=$1
    shift
    python3 -c '
import resource, subprocess, sys, time
start = time.monotonic()
subprocess.run(sys.argv[1:], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
               stderr=subprocess.DEVNULL, check=False)
wall = time.monotonic() - start
used = resource.getrusage(resource.RUSAGE_CHILDREN)
print(f"{wall:.3f} {used.ru_utime + used.ru_stime:.3f}")' "$@" >>"$file"
}
# Median of column $2 (1 wall, 2 processor) of file $1.
median() { awk -v c="$2" '{ print $c }' "$1" | sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

decks=("$@")
if [ ${#decks[@]} -eq 0 ]; then
    generate_deck "$work/deck25.fodp"
    soffice --headless "-env:UserInstallation=file://$work/setup-profile" --convert-to pptx \
        --outdir "$work" "$work/deck25.fodp" >/dev/null 2>&1
    decks=("$work/deck25.fodp" "$work/deck25.pptx")
    if [ "${HEAVY_SLIDES:-20}" -gt 0 ]; then
        python3 bench/make_heavy_deck.py "${HEAVY_SLIDES:-20}" "$work/heavy.fodp"
        soffice --headless "-env:UserInstallation=file://$work/setup-profile" --convert-to pptx \
            --outdir "$work" "$work/heavy.fodp" >/dev/null 2>&1
        decks+=("$work/heavy.pptx" "$work/heavy.fodp")
    fi
fi

baseline_profile="file://$work/baseline-profile"
for deck in "${decks[@]}"; do
    name=$(basename "$deck")
    # One untimed run each: LibreOffice's own profile gets made, caches fill.
    soffice --headless "-env:UserInstallation=$baseline_profile" --convert-to pdf --outdir "$work/pdf" \
        "$deck" >/dev/null 2>&1
    # It answers "OUT.pdb: N slides".
    slides=$("$cli" convert "$deck" -o "$work/out.pdb" </dev/null | awk '{ print $(NF - 1) }')
    : >"$work/soffice.times"
    : >"$work/trovique.times"
    for _ in $(seq 1 "$runs"); do
        measure "$work/soffice.times" soffice --headless "-env:UserInstallation=$baseline_profile" \
            --convert-to pdf --outdir "$work/pdf" "$deck"
        measure "$work/trovique.times" "$cli" convert "$deck" -o "$work/out.pdb"
    done
    office=$(median "$work/soffice.times" 1)
    ours=$(median "$work/trovique.times" 1)
    office_cpu=$(median "$work/soffice.times" 2)
    ours_cpu=$(median "$work/trovique.times" 2)
    printf '%s (%s slides), median of %d runs: soffice --convert-to pdf %.2f s (processor %.2f s), trovique-cli convert %.2f s (processor %.2f s), processor ratio %s, ratio %s\n' \
        "$name" "$slides" "$runs" "$office" "$office_cpu" "$ours" "$ours_cpu" \
        "$(ratio "$ours_cpu" "$office_cpu")" "$(ratio "$ours" "$office")"
done

[ "${BATCH:-1}" -ne 0 ] && [ $# -eq 0 ] || exit 0
batch=()
for deck in tests/data/decks/*.ppt*; do
    batch+=("$deck")
done
mkdir -p "$work/batch-out" "$work/single-out"
# Untimed: caches fill.
soffice --headless "-env:UserInstallation=$baseline_profile" --convert-to pdf --outdir "$work/pdf" \
    "${batch[@]}" >/dev/null 2>&1
: >"$work/soffice.times"
: >"$work/batch.times"
: >"$work/single.times"
for _ in $(seq 1 "$runs"); do
    measure "$work/soffice.times" soffice --headless "-env:UserInstallation=$baseline_profile" \
        --convert-to pdf --outdir "$work/pdf" "${batch[@]}"
    measure "$work/batch.times" "$cli" convert "${batch[@]}" --out-dir "$work/batch-out"
    measure "$work/single.times" bash -c 'out=$1; shift; for deck in "$@"; do
        name=$(basename "$deck"); "$0" convert "$deck" -o "$out/${name%.*}.pdb"; done' \
        "$cli" "$work/single-out" "${batch[@]}"
done
office=$(median "$work/soffice.times" 1)
ours=$(median "$work/batch.times" 1)
single=$(median "$work/single.times" 1)
office_cpu=$(median "$work/soffice.times" 2)
ours_cpu=$(median "$work/batch.times" 2)
converted=$(ls "$work/batch-out" | wc -l)
printf 'batch of %d decks (%d converted), median of %d runs: soffice --convert-to pdf in one call %.2f s (processor %.2f s), trovique-cli convert batch %.2f s (processor %.2f s), %d separate converts %.2f s, batch processor ratio %s, batch ratio %s, separate ratio %s\n' \
    "${#batch[@]}" "$converted" "$runs" "$office" "$office_cpu" "$ours" "$ours_cpu" "${#batch[@]}" \
    "$single" "$(ratio "$ours_cpu" "$office_cpu")" "$(ratio "$ours" "$office")" "$(ratio "$ours" "$single")"
