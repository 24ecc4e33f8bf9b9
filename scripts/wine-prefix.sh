#!/usr/bin/env bash
# Creates the project's Wine prefix once; must run under an X server
# (DISPLAY set) so that the prefix's wineserver can open windows.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating Wine prefix $WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1
    wineserver -w
fi
# Wine draws the title bar's buttons from its own Marlett font and dialogs in
# its own Tahoma (Debian package fonts-wine). This Wine build does not look
# for them in its data folder, so they go into the prefix's Fonts folder,
# which every Wine process reads; without Marlett the close box shows as the
# letter "r". Files already in the prefix are kept.
wine_fonts=$(realpath -m "$(dirname "$(readlink -f "$(command -v wine)")")/../share/wine/fonts")
prefix_fonts=$WINEPREFIX/drive_c/windows/Fonts
if [ -f "$wine_fonts/marlett.ttf" ]; then
    mkdir -p "$prefix_fonts"
    for font in "$wine_fonts"/*.ttf "$wine_fonts"/*.fon; do
        if [ -f "$font" ] && [ ! -e "$prefix_fonts/${font##*/}" ]; then
            cp "$font" "$prefix_fonts/"
        fi
    done
else
    echo "warning: Wine's fonts are not in $wine_fonts (package fonts-wine):" \
         "title bars will show letters instead of their buttons" >&2
fi
# Without a window manager every closing top-level window would wait 2 s.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
