#!/usr/bin/env bash
# make demo-wine: the window under Wine, its servoconf.ini naming
# COM5, where the virtual servo answers. Press 接続 (Connect) to read it.
set -u
cd "$(dirname "$0")/.."
export WINEPREFIX=${ORVELIN_DEMO_PREFIX:-$PWD/build/wine-demo} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
tools/window-prefix.sh "$WINEPREFIX" managed || exit 1

work=$(mktemp -d /tmp/orvelin-window-demo.XXXXXX)
. tools/window-session.sh
trap stop_session EXIT
start_session --ids 3F,1,5 --set 20=68,07 --set 2C=45,46,04,00 || exit 1

echo "== The ORVELIN programmer window: choose 接続 (Connect); close the window to end the demo."
wine "$work/orvelin-programmer.exe"
