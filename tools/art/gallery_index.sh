#!/usr/bin/env bash
# Writes the gallery's index page to standard output: one section per language with every
# picture of that language side by side in a fixed order, so that a translator reads one
# language at a glance, the program's windows in one row and the setup program's pages in the
# next; texts found too wide by the window tests are listed above the pictures.
#   gallery_index.sh GALLERY_DIR LANG_DIR
set -euo pipefail
dir=$1
lang_dir=$2
kinds=(main-no-player main-update-offer update-in-progress update-result repair-question
    repair-page repair-in-progress repair-result message question old-model about callout popup
    tray-menu)
# The setup program's pages in the order a user meets them, then the uninstaller's.
setup_kinds=(setup-language setup-welcome setup-folder setup-progress setup-still-running
    setup-finish uninstall-confirm uninstall-done)

escape() { sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g'; }
name_of() { basename "$1" .txt | cut -d- -f2- | tr - ' '; }
figure() { # PICTURE CAPTION
    local class=
    [[ $2 == tray-menu ]] && class=' class="tray"'
    echo "<figure$class><img src=\"$1\" alt=\"$2\"><figcaption>$2</figcaption></figure>"
}
row() { # LANGUAGE KIND...
    local id=$1 kind
    shift
    echo '<div class="row">'
    for kind in "$@"; do
        [[ -f "$dir/png/$kind-$id.png" ]] && figure "png/$kind-$id.png" "$kind"
    done
    echo '</div>'
}

cat <<'EOF'
<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Quillmate windows in every language</title>
<style>
body { font-family: sans-serif; background: #D8DCE0; margin: 0 1em; }
nav { position: sticky; top: 0; background: #D8DCE0; padding: .5em 0; border-bottom: 1px solid #999; }
nav a { margin-right: .8em; }
section { margin: 1.5em 0; }
.row { display: flex; flex-wrap: wrap; gap: 10px; align-items: flex-start; margin-bottom: 10px; }
figure { margin: 0; background: #fff; padding: 4px; }
figcaption { font-size: 12px; color: #333; }
img { display: block; }
.tray img { width: 512px; }
.overflow { color: #B00000; white-space: pre-wrap; }
</style></head><body>
<nav>
EOF
for file in "$lang_dir"/*.txt; do
    id=$(basename "$file" | cut -d- -f1)
    echo "<a href=\"#$id\">$(name_of "$file") ($id)</a>"
done
echo '<a href="#shared">start screen</a></nav>'

for file in "$lang_dir"/*.txt; do
    id=$(basename "$file" | cut -d- -f1)
    echo "<section id=\"$id\"><h2>$(name_of "$file") ($id)</h2>"
    log=$dir/ui_tests.log
    [[ $id == 1054 ]] && log=$dir/ui_tests-1054.log # pictured with a font of its own
    if [[ -f "$log" ]]; then
        # The Windows test program writes CRLF line ends.
        problems=$(awk -v id="$id" '{sub(/\r$/, "")} $0 ~ "^[a-z-]+ " id "$" {keep = 1; print; next}
            keep && /^  / {print; next} {keep = 0}' "$log" | escape)
        [[ -n "$problems" ]] && echo "<p class=\"overflow\">Too wide:
$problems</p>"
    fi
    row "$id" "${kinds[@]}"
    row "$id" "${setup_kinds[@]}"
    echo '</section>'
done

echo '<section id="shared"><h2>In every language</h2><div class="row">'
for picture in "$dir"/png/start-screen*.png; do
    [[ -f "$picture" ]] && figure "png/$(basename "$picture")" "start screen"
done
[[ -f "$dir/png/setup-language.png" ]] && figure png/setup-language.png "setup-language"
echo '</div></section></body></html>'
