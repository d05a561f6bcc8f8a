# Shared by run.sh and test.sh: install what is missing, configure and build,
# and start the virtual display and the Wine server that a run needs.
# Sourced, not run.

VL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VL_BUILD=${VL_BUILD:-$VL_ROOT/build}
VL_PACKAGES=(cmake make g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
             wine wine64 fonts-wine xvfb xauth googletest)

vl_say() { printf '[varmelin] %s\n' "$*" >&2; }

vl_as_root() {
  if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi
}

vl_install_missing() {
  local missing=()
  for p in "${VL_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  vl_say "installing: ${missing[*]}"
  vl_as_root apt-get update -qq
  vl_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

vl_build() {
  cmake -S "$VL_ROOT" -B "$VL_BUILD" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$VL_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null || return 1
  cmake --build "$VL_BUILD" -j "$(nproc)"
}

# Starts Xvfb on a free display unless one is given; sets VL_XVFB_PID when it
# started one.
vl_start_display() {
  VL_XVFB_PID=
  if [ -n "${DISPLAY:-}" ] && [ "${VL_FORCE_XVFB:-0}" != 1 ]; then return 0; fi
  local n=99
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  VL_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  vl_say "started a virtual display $DISPLAY (Xvfb pid $VL_XVFB_PID)"
}

# This Wine does not find the fonts of its own data folder: frames, menus and
# scroll bars then draw the letters of their symbols ("0 1 r") in place of the
# caption buttons and marks, and dialogs fall back to a wider font than
# Tahoma, which pushes the pages past the fixed-size main window. Copies of
# Wine's Marlett and Tahoma in the prefix's Fonts folder put both right.
vl_add_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" name
  [ -d "$fonts" ] || return 0
  for name in marlett.ttf tahoma.ttf tahomabd.ttf; do
    if [ -f "/usr/share/wine/fonts/$name" ] && [ ! -f "$fonts/$name" ]; then
      cp "/usr/share/wine/fonts/$name" "$fonts/"
    fi
  done
  return 0
}

# One persistent Wine server for the build's prefix; the prefix is made on
# first use and kept between runs.
vl_start_wine() {
  export WINEPREFIX=$VL_BUILD/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    vl_say "making the Wine prefix $WINEPREFIX (first start, takes a few seconds)"
    wineboot -i >/dev/null 2>&1
    wineserver -w
  fi
  vl_add_fonts
  wineserver -w  # a server the build's data compiler left has no display
  wineserver -p >/dev/null 2>&1 &
  VL_WINESERVER_PID=$!
  # Start Wine's own services now, detached from any caller's output.
  wine wineboot >/dev/null 2>&1 </dev/null
}

vl_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then wineserver -k >/dev/null 2>&1; fi
  if [ -n "${VL_WINESERVER_PID:-}" ]; then kill "$VL_WINESERVER_PID" 2>/dev/null; fi
  if [ -n "${VL_XVFB_PID:-}" ]; then kill "$VL_XVFB_PID" 2>/dev/null; wait "$VL_XVFB_PID" 2>/dev/null; fi
  return 0
}
