#!/usr/bin/env bash
# Creates, once, a Wine prefix for the window demo or the screenshot: a
# Japanese font stands in for the dialog font "ＭＳ Ｐゴシック" so the captions
# are drawn, and with "unmanaged" Wine draws the window frames itself (Xvfb
# has no window manager to do it). Never the user's own prefix.
#   window-prefix.sh PREFIX [unmanaged]
set -u
prefix=$1
mode=${2:-managed}
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$(dirname "$prefix")"
exec 8>"$prefix.lock"
flock 8
if [ ! -f "$prefix/.orvelin-window-$mode" ]; then
    echo "Preparing the Wine prefix $prefix (once)..." >&2
    if [ ! -f "$prefix/system.reg" ] && ! wineboot -i >/dev/null 2>&1; then
        echo "window-prefix.sh: wineboot failed" >&2
        exit 1
    fi
    managed=Y
    [ "$mode" = unmanaged ] && managed=N
    # Caption and menu bar are drawn in the system font, Tahoma, which has
    # no Japanese glyphs: link the Japanese font behind it.
    link=$(printf 'ipagp.ttf,IPAPGothic\0\0' | iconv -f UTF-8 -t UTF-16LE | od -An -tx1 -v | tr -s ' \n' ',' | sed 's/^,//; s/,$//')
    # regedit reads UTF-16 with a byte-order mark (iconv writes one)
    # whatever the locale, so the Japanese font name survives.
    reg=$(mktemp /tmp/orvelin-prefix.XXXXXX.reg)
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        printf '"ＭＳ Ｐゴシック"="IPAPGothic"\r\n"ＭＳ ゴシック"="IPAGothic"\r\n\r\n'
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]\r\n'
        printf '"Tahoma"=hex(7):%s\r\n\r\n' "$link"
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n'
        printf '"Managed"="%s"\r\n' "$managed"
    } | iconv -f UTF-8 -t UTF-16 >"$reg"
    wine regedit /S "$reg" >/dev/null 2>&1
    # Some Wine packages do not load their own fonts from their data folder;
    # Marlett draws the caption's close box.
    if [ -f /usr/share/wine/fonts/marlett.ttf ]; then
        cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/"
    fi
    rm -f "$reg"
    wineserver -w
    rm -f "$prefix"/.orvelin-window-*
    touch "$prefix/.orvelin-window-$mode"
fi
