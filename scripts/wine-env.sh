# Sourced by the scripts that run the Windows build under Wine. Starts only what it needs and
# remembers what it started, so that wine_env_stop ends exactly that.
#
#   source scripts/wine-env.sh
#   wine_env_start          # display (unless $DISPLAY works), prefix, wineserver
#   wine_env_window_manager # openbox on that display, when a run wants one
#   ...
#   wine_env_stop

CORVAN_ROOT=${CORVAN_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
export WINEPREFIX=${WINEPREFIX:-$CORVAN_ROOT/build/wineprefix}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
_corvan_started_xvfb=""
_corvan_started_wineserver=""
_corvan_started_wm=""

wine_env_log() { printf '[wine-env] %s\n' "$*" >&2; }

wine_env_display() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
  local n
  for n in $(seq 91 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    _corvan_started_xvfb=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
      xdpyinfo >/dev/null 2>&1 && { wine_env_log "started Xvfb on $DISPLAY (pid $_corvan_started_xvfb)"; return 0; }
      kill -0 "$_corvan_started_xvfb" 2>/dev/null || break
      sleep 0.05
    done
    kill "$_corvan_started_xvfb" 2>/dev/null
    _corvan_started_xvfb=""
  done
  wine_env_log "could not start Xvfb"
  return 1
}

# The prefix is made once: Wine's own set-up, real Desktop folders instead of links into $HOME,
# and the fonts the windows draw with.
wine_env_prefix() {
  wine_env_make_prefix || return 1
  wine_env_crash_ends_process
}

# A program that crashes ends at once with a failing status, as on a Windows machine without a
# debugger: Wine's own debugger, started for a crash, never ends without a terminal, so a crash
# in a test would otherwise be seen only as a time-out.
wine_env_crash_ends_process() {
  if [ -f "$WINEPREFIX/.corvan-crash-ends" ]; then return 0; fi
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger \
    /d 'cmd /c exit %ld %ld' /f >/dev/null 2>&1 </dev/null || return 1
  wineserver -w
  touch "$WINEPREFIX/.corvan-crash-ends"
}

wine_env_make_prefix() {
  if [ -f "$WINEPREFIX/.corvan-ready" ]; then return 0; fi
  wine_env_log "creating the Wine prefix in $WINEPREFIX (once, about 15 s)"
  mkdir -p "$WINEPREFIX"
  # A prefix that Wine could not set up is not marked ready: the next run tries again.
  if ! wineboot -i >/dev/null 2>&1 </dev/null || ! wineserver -w || [ ! -f "$WINEPREFIX/system.reg" ]; then
    wine_env_log "wineboot could not set up the prefix in $WINEPREFIX"
    return 1
  fi
  local user_dir
  for user_dir in "$WINEPREFIX"/drive_c/users/*/; do
    local folder
    for folder in Desktop Documents Downloads Music Pictures Videos; do
      if [ -L "$user_dir$folder" ]; then rm -f "$user_dir$folder"; mkdir -p "$user_dir$folder"; fi
    done
  done
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
  cp /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /d "Liberation Sans" /f >/dev/null 2>&1 </dev/null
  wineserver -w
  touch "$WINEPREFIX/.corvan-ready"
}

# A server started here, with its output away from any pipe a caller (ctest) waits on.
# An existing server for the prefix (exit status 2) is left to whoever started it.
wine_env_server() {
  if wineserver -p >/dev/null 2>&1 </dev/null; then _corvan_started_wineserver=1; fi
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

# Which Windows version Wine reports to our programs: win7 (6.1) or win8 (6.2).
wine_env_windows_version() {
  wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >/dev/null 2>&1 </dev/null
}

wine_env_start() {
  wine_env_display || return 1
  wine_env_prefix || return 1
  wine_env_server
}

# A window manager on the display, as every desktop has one: without one Wine holds a program's
# thread about 2 s at every hide, and the X server gives the keys to the window under the pointer.
wine_env_has_window_manager() { "$CORVAN_ROOT/scripts/has-window-manager.sh"; }

wine_env_window_manager() {
  wine_env_has_window_manager && return 0
  command -v openbox >/dev/null || { wine_env_log "openbox is missing (scripts/install-deps.sh installs it)"; return 1; }
  openbox >/dev/null 2>&1 </dev/null &
  _corvan_started_wm=$!
  local i
  for i in $(seq 1 100); do
    wine_env_has_window_manager && { wine_env_log "started openbox (pid $_corvan_started_wm)"; return 0; }
    kill -0 "$_corvan_started_wm" 2>/dev/null || break
    sleep 0.05
  done
  wine_env_log "openbox did not start"
  _corvan_started_wm=""
  return 1
}

wine_env_stop() {
  if [ -n "$_corvan_started_wm" ]; then
    kill "$_corvan_started_wm" 2>/dev/null || true
    wait "$_corvan_started_wm" 2>/dev/null || true
    _corvan_started_wm=""
  fi
  if [ -n "$_corvan_started_wineserver" ]; then
    wineserver -k >/dev/null 2>&1 || true
    _corvan_started_wineserver=""
  fi
  if [ -n "$_corvan_started_xvfb" ]; then
    kill "$_corvan_started_xvfb" 2>/dev/null || true
    wait "$_corvan_started_xvfb" 2>/dev/null || true
    _corvan_started_xvfb=""
  fi
}
