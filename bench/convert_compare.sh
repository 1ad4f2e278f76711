#!/usr/bin/env bash
# Compares the wall time of converting a presentation into a Palm database
# (trovique-cli convert) with the wall time of LibreOffice alone turning the same presentation
# into a PDF (soffice --headless --convert-to pdf), the floor under any conversion that goes
# through it. Runs alternate between the two; medians and their ratio are printed.
#
# usage: bench/convert_compare.sh [PRESENTATION...]
#   With no presentation, a 25-slide deck of text and shapes is generated, as .fodp and as .pptx,
#   and a 20-slide graphics-heavy one (bench/make_heavy_deck.py) as .pptx. Then the ten real
#   decks of tests/data/decks are converted as one batch (trovique-cli convert A B ... --out-dir)
#   beside soffice converting them in one call, and beside ten separate conversions.
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

now() { date +%s.%N; }
elapsed() { awk -v end="$(now)" -v start="$1" 'BEGIN { print end - start }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

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
        decks+=("$work/heavy.pptx")
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
        start=$(now)
        soffice --headless "-env:UserInstallation=$baseline_profile" --convert-to pdf \
            --outdir "$work/pdf" "$deck" >/dev/null 2>&1
        elapsed "$start" >>"$work/soffice.times"
        start=$(now)
        "$cli" convert "$deck" -o "$work/out.pdb" </dev/null >/dev/null
        elapsed "$start" >>"$work/trovique.times"
    done
    office=$(median <"$work/soffice.times")
    ours=$(median <"$work/trovique.times")
    printf '%s (%s slides), median of %d runs: soffice --convert-to pdf %.2f s, trovique-cli convert %.2f s, ratio %.2f\n' \
        "$name" "$slides" "$runs" "$office" "$ours" "$(awk -v a="$ours" -v b="$office" "BEGIN { print a / b }")"
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
    start=$(now)
    soffice --headless "-env:UserInstallation=$baseline_profile" --convert-to pdf \
        --outdir "$work/pdf" "${batch[@]}" >/dev/null 2>&1
    elapsed "$start" >>"$work/soffice.times"
    start=$(now)
    "$cli" convert "${batch[@]}" --out-dir "$work/batch-out" </dev/null >/dev/null 2>&1 || true
    elapsed "$start" >>"$work/batch.times"
    start=$(now)
    for deck in "${batch[@]}"; do
        name=$(basename "$deck")
        "$cli" convert "$deck" -o "$work/single-out/${name%.*}.pdb" </dev/null >/dev/null 2>&1 || true
    done
    elapsed "$start" >>"$work/single.times"
done
office=$(median <"$work/soffice.times")
ours=$(median <"$work/batch.times")
single=$(median <"$work/single.times")
converted=$(ls "$work/batch-out" | wc -l)
printf 'batch of %d decks (%d converted), median of %d runs: soffice --convert-to pdf in one call %.2f s, trovique-cli convert batch %.2f s, %d separate converts %.2f s, batch ratio %.2f, separate ratio %.2f\n' \
    "${#batch[@]}" "$converted" "$runs" "$office" "$ours" "${#batch[@]}" "$single" \
    "$(awk -v a="$ours" -v b="$office" "BEGIN { print a / b }")" \
    "$(awk -v a="$ours" -v b="$single" "BEGIN { print a / b }")"
