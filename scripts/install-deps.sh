#!/usr/bin/env bash
# Installs every Debian package the build, the saver and the tests need.
# Run as root (or it re-runs itself through sudo). Safe to run again.
set -euo pipefail

packages=(
  # toolchain, tests, benchmarks, fuzzing
  build-essential cmake ninja-build ccache pkg-config clang
  # style: the formatter and the linter (scripts/tidy.sh)
  clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev
  # renderer: Xlib, GLX, GL 1.1, GLU, Mesa's software GL
  libx11-dev libxfixes-dev libxrandr-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri libglx-mesa0
  # renderer on Wayland: the client library, EGL (Mesa's), keymaps, and
  # wayland-scanner with the protocols it generates code from
  libwayland-dev libwayland-bin wayland-protocols libegl-dev libegl-mesa0 libxkbcommon-dev
  # the idle launcher: KDE's idle protocol (sway 1.7), X's MIT-SCREEN-SAVER,
  # GNOME's idle monitor over GDBus
  plasma-wayland-protocols libxss-dev libglib2.0-dev
  # the shell's forms runtime
  qt6-base-dev libqt6opengl6 qt6-qpa-plugins
  # its dialog as a native Wayland window
  qt6-wayland
  # music: GStreamer with MP3, WAV, CD (libcdio) and PulseAudio output
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev gstreamer1.0-tools
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-plugins-ugly
  gstreamer1.0-pulseaudio gstreamer1.0-alsa
  # Japanese UI font
  fonts-ipafont-gothic
  # the renderer's message box: UTF-8 text in a real font
  libxft-dev libfontconfig-dev fonts-dejavu-core
  # headless test parts: X server, sound server, input, fixtures, decoders
  xvfb xauth x11-utils x11-xserver-utils xdotool imagemagick
  # headless Wayland tests: sway as the compositor, screenshots per output,
  # keys typed through a virtual keyboard
  sway grim wtype
  # and GNOME's compositor, headless on a session bus of its own
  # (dbus-run-session), asked over it with gdbus
  mutter dbus-daemon libglib2.0-bin
  pulseaudio pulseaudio-utils sox libsox-fmt-all lame python3
  # install, package and host: cpack's .deb (dpkg-shlibdeps, which needs
  # file), XML checks, a real xscreensaver daemon run as an ordinary user
  # (setpriv)
  dpkg-dev file libxml2-utils util-linux xscreensaver xscreensaver-gl
  # Windows: the mingw-w64 cross compiler, Wine to run and test its programs
  # on the test X and sound servers (GL, X and sound pieces Wine loads at run
  # time, its MP3 decoding through GStreamer, its own fonts), the downloads
  # (made with NSIS and zip, unpacked by the tests)
  g++-mingw-w64-x86-64 wine64 wine fonts-wine libgl1 libxcursor1 libxi6 libxrandr2
  libxinerama1 libxcomposite1 libxrender1 libxxf86vm1 libxfixes3 libdbus-1-3
  nsis zip unzip
)

# The scripts that call this one skip it when their caller has run it.
if [ "${ORVANTH_DEPS_INSTALLED:-}" = 1 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  exec sudo "$0" "$@"
fi

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}
# Whether apt has a version of the package to install.
known() {
  local version
  version=$(apt-cache policy "$1" 2>/dev/null | awk '/Candidate:/ { print $2 }')
  [ -n "$version" ] && [ "$version" != "(none)" ]
}
updated=0
update_lists() {
  if [ "$updated" = 0 ]; then
    apt-get update
    updated=1
  fi
}

# clang's libFuzzer and sanitizer runtimes come per LLVM version
# (libclang-rt-14-dev on Debian 12, libclang-rt-19-dev on Debian 13): the
# version of the clang installed, or else of the one this release offers.
installed clang || known clang || update_lists
if installed clang; then
  llvm=$(dpkg-query -W -f='${Version}' clang)
else
  llvm=$(apt-cache policy clang | awk '/Candidate:/ { print $2 }')
fi
llvm=${llvm#*:}
llvm=${llvm%%[!0-9]*}
clang_runtime=libclang-rt-$llvm-dev
if ! installed "$clang_runtime"; then
  known "$clang_runtime" || update_lists
  # Releases with no versioned name have the default's.
  known "$clang_runtime" || clang_runtime=libclang-rt-dev
fi
packages+=("$clang_runtime")

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  update_lists
  apt-get install -y --no-install-recommends "${missing[@]}"
fi
