# Sourced by the end-to-end tests: the private Wine prefix of this build tree and helpers.
# Needs QUIVRA_E2E_PREFIX (the prefix folder, under the build folder).

export WINEPREFIX="$QUIVRA_E2E_PREFIX"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installation prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

# Makes the prefix once per build tree: a 64-bit Windows that runs 32-bit programs too, with
# the null graphics driver so that windows work without a display.
ensure_prefix() {
  if [ -f "$WINEPREFIX/.quivra-ready" ]; then
    add_wine_fonts
    return 0
  fi
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  wine wineboot --init >/dev/null 2>&1 || return 1
  wineserver -w
  wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /t REG_SZ /d null /f >/dev/null 2>&1 ||
    return 1
  # The server keeps the old driver until it restarts.
  wineserver -k
  wineserver -w
  add_wine_fonts
  touch "$WINEPREFIX/.quivra-ready"
}

# Wine's own Tahoma and MS Sans Serif (package fonts-wine), which this Wine does not find by
# itself: without them every face falls back to a wider font and the dialogs' texts are clipped.
add_wine_fonts() {
  local fonts=/usr/share/wine/fonts
  [ -d "$fonts" ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] || return 0
  cp -n "$fonts"/*.ttf "$fonts"/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
}

