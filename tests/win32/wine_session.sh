# Sourced by the Windows tests and scripts/screenshots: a throw-away Wine
# prefix with French regional settings, on a virtual X server of its own.
#   wine_session_start [DPI]  (sets WINE_SESSION, DISPLAY and Wine's variables)
#   wine_session_stop    (ends every process it started; safe to call twice)
#   LOCPATH              (where another locale is built, for a program run
#                         with LC_ALL set to it, which Wine gives its code page)

wine_session_stop() {
    if [[ -n "${WINE_SESSION:-}" ]]; then
        timeout 20 wineserver -k 2>/dev/null || true
        timeout 20 wineserver -w 2>/dev/null || true
        if [[ -n "${WINE_XVFB_PID:-}" ]]; then
            kill "$WINE_XVFB_PID" 2>/dev/null || true
            wait "$WINE_XVFB_PID" 2>/dev/null || true
        fi
        rm -rf "$WINE_SESSION"
        WINE_SESSION=
    fi
}

wine_session_start() {
    WINE_SESSION=$(mktemp -d)
    # The wineserver's socket lives under TMPDIR: one server per session.
    export TMPDIR=$WINE_SESSION WINEPREFIX=$WINE_SESSION/prefix WINEARCH=win64 WINEDEBUG=-all
    # No Mono or Gecko; no menu entries on the host for the shortcuts an installer makes.
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
    # The user's default locale, and so its decimal comma; built for the C
    # library too, so that Wine passes text between Linux and Windows as UTF-8
    # (accented arguments intact).
    export LOCPATH=$WINE_SESSION/locales
    mkdir "$LOCPATH"
    localedef -i fr_FR -f UTF-8 "$LOCPATH/fr_FR.UTF-8"
    export LC_ALL=fr_FR.UTF-8
    env -u DISPLAY timeout 120 wineboot -i >/dev/null 2>&1
    timeout 60 wineserver -w
    # Windows draw their own frames, so the screen shows what Windows would.
    printf '\n[Software\\\\Wine\\\\X11 Driver]\n"Managed"="N"\n' >>"$WINEPREFIX/user.reg"
    # The screen's resolution, as the display settings give it (96 by default).
    if [[ -n "${1:-}" ]]; then
        printf '\n[Control Panel\\\\Desktop]\n"LogPixels"=dword:%08x\n' "$1" >>"$WINEPREFIX/user.reg"
    fi
    ln -sf /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

    local fd_file=$WINE_SESSION/display
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$fd_file" 2>/dev/null &
    WINE_XVFB_PID=$!
    timeout 10 bash -c "until [[ -s '$fd_file' ]]; do sleep 0.1; done" ||
        { echo "wine_session: Xvfb did not start" >&2; return 1; }
    export DISPLAY=:$(head -n1 "$fd_file")
}
