# Sourced by the test scripts: starts a private headless X server and a private
# PulseAudio server with a null sink, exports DISPLAY and PULSE_SERVER for
# them, makes a fresh Wine prefix for the run's Windows programs
# (WINEPREFIX, with its wineserver kept up until the end), and stops all of
# it when the sourcing shell exits. Never touches a display, sound server or
# Wine prefix the user has.

ORVANTH_TEST_ROOT=$(mktemp -d /tmp/orvanth-test.XXXXXX)
export ORVANTH_TEST_ROOT

orvanth_stop_servers() {
  [ -n "${ORVANTH_WINE_IDLE_PID:-}" ] && kill "$ORVANTH_WINE_IDLE_PID" 2>/dev/null
  [ -n "${ORVANTH_WINE_STARTED:-}" ] && wineserver -k 2>/dev/null
  [ -n "${ORVANTH_XVFB_PID:-}" ] && kill "$ORVANTH_XVFB_PID" 2>/dev/null
  [ -n "${ORVANTH_PULSE_PID:-}" ] && kill "$ORVANTH_PULSE_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$ORVANTH_TEST_ROOT"
}
trap orvanth_stop_servers EXIT

orvanth_start_xvfb() {
  local fifo="$ORVANTH_TEST_ROOT/displayfd"
  mkfifo "$fifo"
  # -noreset keeps the pointer where tests put it when the last client leaves;
  # -dpi 96 gives 15 twips per pixel.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -noreset -nolisten tcp \
       +extension GLX 3>"$fifo" >"$ORVANTH_TEST_ROOT/xvfb.log" 2>&1 &
  ORVANTH_XVFB_PID=$!
  local number
  if ! read -r -t 30 number <"$fifo"; then
    echo "test X server did not start; see $ORVANTH_TEST_ROOT/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$number"
}

orvanth_start_pulse() {
  local dir="$ORVANTH_TEST_ROOT/pulse"
  mkdir -p "$dir"
  export PULSE_RUNTIME_PATH="$dir" PULSE_STATE_PATH="$dir" PULSE_COOKIE="$dir/cookie"
  pulseaudio --daemonize=no --exit-idle-time=-1 --disallow-exit -n \
    --log-target=file:"$dir/pulse.log" \
    --load="module-native-protocol-unix socket=$dir/native auth-anonymous=1" \
    --load="module-null-sink sink_name=orvanth_null rate=44100 channels=2" \
    --load="module-always-sink" &
  ORVANTH_PULSE_PID=$!
  export PULSE_SERVER="unix:$dir/native" PULSE_SINK=orvanth_null
  local i
  for i in $(seq 1 100); do
    pactl info >/dev/null 2>&1 && { pactl set-default-sink orvanth_null; return 0; }
    sleep 0.1
  done
  echo "test sound server did not start; see $dir/pulse.log" >&2
  return 1
}

orvanth_start_wine() {
  command -v wine >/dev/null || return 0
  export WINEPREFIX="$ORVANTH_TEST_ROOT/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  ORVANTH_WINE_STARTED=1
  mkdir -p "$WINEPREFIX"
  # A wineserver that stays up spares every program of the run its start.
  wineserver -p
  if ! wineboot -i >"$ORVANTH_TEST_ROOT/wineboot.log" 2>&1; then
    echo "Wine prefix not made; see $ORVANTH_TEST_ROOT/wineboot.log" >&2
    return 1
  fi
  # Wine's own services end with the last Wine program, and the next program
  # then waits 10 s for them to come back: an idle console reading a pipe
  # that never speaks keeps them up until the end.
  local idle="$ORVANTH_TEST_ROOT/wine-idle"
  mkfifo "$idle"
  wine cmd.exe <"$idle" >/dev/null 2>&1 &
  sleep infinity >"$idle" &
  ORVANTH_WINE_IDLE_PID=$!
}

# The compositors under test hand their clients buffers in POSIX shared
# memory, made by an ordinary user. Every booted system has /dev/shm open to
# all; a bare chroot (a fresh build root) shows /dev's own folder instead.
orvanth_ensure_shm() {
  [ -d /dev/shm ] && [ "$(stat -c %a /dev/shm)" = 1777 ] && return 0
  [ "$(id -u)" -eq 0 ] || { echo "/dev/shm is not open to all users; the Wayland tests need it" >&2; return 0; }
  mkdir -p /dev/shm
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs /dev/shm
}

# Per-run user folders, so tests never see the user's own settings or textures.
export XDG_CACHE_HOME="$ORVANTH_TEST_ROOT/cache" XDG_CONFIG_HOME="$ORVANTH_TEST_ROOT/config"
export HOME="$ORVANTH_TEST_ROOT/home"
mkdir -p "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME" "$HOME"
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-xcb}" LIBGL_ALWAYS_SOFTWARE=1
orvanth_ensure_shm
orvanth_start_xvfb && orvanth_start_pulse && orvanth_start_wine
