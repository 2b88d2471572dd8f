# Sourced by the end-to-end tests: the private Wine prefix of this build tree and helpers.
# Needs QUIVRA_E2E_PREFIX (the prefix folder, under the build folder). With
# QUIVRA_E2E_TEMPLATE too, the prefix is a copy of that template prefix, made on first use (and
# again when the template is newer), so that one Wine start-up serves many prefixes and tests in
# different prefixes can run at the same time.

export WINEPREFIX="$QUIVRA_E2E_PREFIX"
export WINEARCH=win64
export WINEDEBUG=-all
# No Mono or Gecko installation prompts.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY

# Makes the prefix once per build tree: a 64-bit Windows that runs 32-bit programs too, with
# the null graphics driver so that windows work without a display.
ensure_prefix() {
  if [ -n "${QUIVRA_E2E_TEMPLATE:-}" ] && [ "$WINEPREFIX" != "$QUIVRA_E2E_TEMPLATE" ]; then
    copy_of_template
    return
  fi
  if [ -f "$WINEPREFIX/.quivra-ready" ]; then
    add_wine_fonts
    return 0
  fi
  # Suites of both architectures may ask for the same prefix at once: one makes it.
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    make_prefix
  ) 9>"$WINEPREFIX.lock"
}

make_prefix() {
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


# The prefix as a copy of the template: Windows' own binaries hard-linked (nothing writes them
# after the template is made), every other file a copy of its own, as Wine rewrites its registry
# and its .ini files in place. The template is made first if missing.
copy_of_template() {
  local template=$QUIVRA_E2E_TEMPLATE
  if [ -f "$WINEPREFIX/.quivra-ready" ] && ! [ "$template/.quivra-ready" -nt "$WINEPREFIX/.quivra-ready" ]; then
    return 0
  fi
  (
    export WINEPREFIX=$template
    QUIVRA_E2E_TEMPLATE=''
    ensure_prefix
  ) || return 1
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  cp -al "$template" "$WINEPREFIX" || return 1
  (cd "$WINEPREFIX" && find . -type f ! \( -iname '*.dll' -o -iname '*.exe' -o -iname '*.drv' \
      -o -iname '*.sys' -o -iname '*.ttf' -o -iname '*.fon' -o -iname '*.ocx' -o -iname '*.acm' \
      -o -iname '*.cpl' -o -iname '*.tlb' -o -iname '*.nls' \) -print0 |
    while IFS= read -r -d '' file; do
      cp --remove-destination "$template/$file" "$file" || exit 1
    done) || return 1
  touch "$WINEPREFIX/.quivra-ready"
}

if [ -n "${QUIVRA_E2E_TEMPLATE:-}" ] && [ "$WINEPREFIX" != "$QUIVRA_E2E_TEMPLATE" ]; then
  copy_of_template || echo "wine_env: could not copy the Wine prefix template to $WINEPREFIX" >&2
fi
true
