#!/bin/sh
# Checks that sources are portable: each compiles with the Windows
# cross compiler, and neither it nor a project header it includes names an
# OS header (Qt, X11, GLX, EGL, Wayland, GStreamer, GLib,
# POSIX, windows.h), directly or under #if.
#   check_portable.sh CXX PROJECT_DIR SOURCE...
cxx=$1
root=$2
shift 2
status=0
for source in "$@"; do
  flags="-std=c++20 -Wall -Wextra -Werror -I$root -DORVANTH_VERSION=\"0\" -DORVANTH_DOC_FROM_PROGRAM=\".\""
  # shellcheck disable=SC2086
  "$cxx" $flags -fsyntax-only "$source" || status=1
  # shellcheck disable=SC2086
  files=$("$cxx" $flags -MM "$source" 2>/dev/null | tr -d '\\' | tr ' ' '\n' | grep -E '\.(h|cpp)$')
  [ -n "$files" ] || files=$source
  # shellcheck disable=SC2086
  if grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(Q|X11/|GL/glx|EGL/|wayland-|xkbcommon/|gst/|gio/|glib|unistd\.h|fcntl\.h|signal\.h|spawn\.h|pwd\.h|dlfcn\.h|pthread\.h|sys/|windows\.h|winbase\.h|mmsystem\.h)' $files </dev/null; then
    echo "$source: includes an OS header" >&2
    status=1
  fi
done
exit $status
