# Sourced by the scripts: starts a private Xvfb when no X display is set, exports
# DISPLAY and sets $xvfb_pid (empty when a display was already there).
xvfb_pid=""
start_virtual_screen() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 130); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    return 0
  done
  echo "no free X display number for Xvfb" >&2
  return 1
}
