#!/usr/bin/env bash
# Photographs a screen with one control of each kind, drawn by Wine under Xvfb:
#   tests/toolkit/captura.sh BUILD_DIR [PNG]   (Windows build; PNG defaults to BUILD_DIR/captura_toolkit.png)
set -euo pipefail
build="$(cd "$1" && pwd)"
salida="$(realpath -m "${2:-$build/captura_toolkit.png}")"
cd "$(dirname "$0")/../.."

if [ "${QOR_DENTRO_XVFB:-}" != 1 ]; then
  export QOR_DENTRO_XVFB=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build" "$salida"
fi

. scripts/wine-env "$build"
wineserver -k 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1
wineboot -i </dev/null >/dev/null 2>&1
# Xvfb has no window manager: for the photograph Wine draws the frames and captions itself.
# The prefix is the tests' own, so the setting goes again when the script ends.
clave='HKCU\Software\Wine\X11 Driver'
wine reg add "$clave" /v Managed /d N /f </dev/null >/dev/null 2>&1
trap 'wine reg delete "$clave" /v Managed /f </dev/null >/dev/null 2>&1 || true; wineserver -k 2>/dev/null || true' EXIT
# The program closes itself after 8 seconds; the photograph is taken once it has drawn.
wine "$build/tests/toolkit/captura_toolkit.exe" 8 </dev/null >/dev/null 2>&1 &
programa=$!
sleep 5
import -window root "$salida"
wait "$programa"
echo "$salida"
