# Source this to run the win32 programs by hand: a display, the project's
# prefix with a persistent server, and Wine's background services started
# with their output redirected (otherwise they keep a pipe open for good).
ROOT=${ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
. "$ROOT/scripts/lib.sh"
start_display
start_wine
echo "DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX (stop with: wineserver -k; kill $XVFB_PID)" >&2
