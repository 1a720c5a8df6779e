#!/usr/bin/env bash
# Sets the gallery prefix's fonts for the windows of one language; each program reads them when
# it starts. Wine shapes Thai and Arabic with the glyphs of the font a window selects, and of no
# other: a font linked to it fills in only scripts drawn without shaping (Chinese). So the names
# the windows ask for ("MS Shell Dlg", "MS Sans Serif", and Tahoma and Microsoft Sans Serif,
# which the system's own texts use) stand for a font that has the language's script besides
# Latin: Loma for Thai (as Tahoma has Thai on Windows), DejaVu Sans (Latin, Greek, Cyrillic,
# Arabic) for every other language; both link WenQuanYi Micro Hei for Chinese.
#   gallery_fonts.sh LANGUAGE     (environment: WINEPREFIX, the gallery's prefix)
set -euo pipefail
root=$(realpath "$(dirname "$(realpath "$0")")/../..")
source "$root/tools/wine/env.sh"
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion'
reg_add() { "$QM_WINE" reg add "$key\\$1" /v "$2" "${@:3}" /f >/dev/null 2>&1; }

fonts=$WINEPREFIX/drive_c/windows/Fonts
for file in /usr/share/fonts/truetype/wqy/wqy-microhei.ttc /usr/share/fonts/truetype/tlwg/Loma.ttf; do
    [[ -f "$fonts/$(basename "$file")" ]] || cp "$file" "$fonts/"
done
chinese='wqy-microhei.ttc,WenQuanYi Micro Hei'
# A bold face is linked under its own name (captions, page headings).
for style in '' ' Bold'; do
    reg_add FontLink\\SystemLink "DejaVu Sans$style" /t REG_MULTI_SZ /d "$chinese"
    reg_add FontLink\\SystemLink "Loma$style" /t REG_MULTI_SZ /d "$chinese\\0DejaVuSans.ttf,DejaVu Sans"
done

face='DejaVu Sans'
[[ ${1:?usage: gallery_fonts.sh LANGUAGE} == 1054 ]] && face=Loma
for name in 'MS Shell Dlg' 'MS Shell Dlg 2' 'MS Sans Serif' 'Microsoft Sans Serif' Tahoma; do
    reg_add FontSubstitutes "$name" /d "$face"
done
