#!/usr/bin/env bash
# Creates the test Wine prefix once; later runs reuse it. Never the user's own.
set -u
: "${WINEPREFIX:?}"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$WINEPREFIX")"
exec 8>"$WINEPREFIX.lock"
flock 8
if [ ! -f "$WINEPREFIX/.orvelin-ready" ]; then
    echo "Creating the test Wine prefix in $WINEPREFIX (once)..." >&2
    rm -rf "$WINEPREFIX"
    if ! wineboot -i >/dev/null 2>&1; then
        echo "prefix.sh: wineboot failed" >&2
        exit 1
    fi
    # Without a window manager under Xvfb, Wine waits up to 2 s for each
    # managed window to close; unmanaged windows close at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.orvelin-ready"
fi
