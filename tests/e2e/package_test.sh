#!/usr/bin/env bash
# End-to-end tests of the installer packages under Wine, in the build tree's 64-bit prefix. The
# registry is read back with Wine's own `reg` and from the prefix's registry files, never with
# the add-in's code.
#
#   build     (fixture) builds the packages with scripts/package into $QUIVRA_PACKAGE_DIR: this
#             version, a higher one (upgrade/) and one signed with a throw-away certificate
#             (signed/); it uses the builds that are there (native tool, both DLLs) and skips
#             when one is missing
#   machine   msiexec /i /qn as administrator writes, in every registry view the package
#             serves, what regsvr32 of the matching DLL writes (key by key, value by value, the
#             DLL's paths aside); the stand-in of each bitness loads the add-in and files a
#             mail, and the diagnostic log switched on records the start-up and the filing;
#             msiexec /x /qn leaves no file and no key
#   user      the same package installed for the current user only: nothing under
#             HKEY_LOCAL_MACHINE, each stand-in loads the add-in; uninstalling leaves nothing
#   upgrade   a higher version installed over this one: one Programs and Features entry, of
#             the new version, the new DLLs in place; the older one refuses to go back over it;
#             its removal leaves nothing
#   signed    the signed package and the DLLs in it carry verifying Authenticode signatures;
#             the unsigned one carries none
#
# The 64-bit tree tests the x64 package (both DLLs; the 32-bit DLL and stand-in come from the
# win32 tree beside it, which scripts/test builds first); the 32-bit tree tests the x86 package.
#
# Usage: package_test.sh <case>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_BITS, QUIVRA_DLL, QUIVRA_OLHOST, QUIVRA_VERSION,
# QUIVRA_SOURCE_DIR, QUIVRA_PACKAGE_DIR; in the 64-bit tree QUIVRA_OTHER_DLL and
# QUIVRA_OTHER_OLHOST (the win32 tree's builds).
set -u
source "$(dirname "$0")/wine_env.sh"
source "$(dirname "$0")/stand_in_session.sh"

readonly CLSID='{6643EE33-41DB-4BAE-A169-9DF0341D4AE0}'
readonly LIBID='{FD05400B-01C8-4E4E-9C30-29774AAFDE5F}'
readonly IID='{02AD0300-8F4A-4179-A667-E54F546F0402}'
readonly PROGID='OLQuivra.coOLQuivra'
readonly ADDIN_KEY='Software\Microsoft\Office\Outlook\AddIns\OLQuivra.coOLQuivra'
readonly SKIP=77

if [ "$QUIVRA_BITS" = 64 ]; then
  readonly ARCH=x64 VIEWS="64 32"
else
  readonly ARCH=x86 VIEWS="32"
fi
readonly PACKAGE="$QUIVRA_PACKAGE_DIR/OLQuivra-$QUIVRA_VERSION-$ARCH.msi"
readonly DIR32="$WINEPREFIX/drive_c/Program Files (x86)/QuivraOL"
readonly DIR64="$WINEPREFIX/drive_c/Program Files/QuivraOL"

# The DLL and the stand-in of each view: the own tree's for its bitness, the win32 tree's for
# the 32-bit view of the 64-bit tree.
dll_of() { if [ "$1" = "$QUIVRA_BITS" ]; then echo "$QUIVRA_DLL"; else echo "$QUIVRA_OTHER_DLL"; fi; }
olhost_of() { if [ "$1" = "$QUIVRA_BITS" ]; then echo "$QUIVRA_OLHOST"; else echo "$QUIVRA_OTHER_OLHOST"; fi; }
dir_of() { if [ "$1" = 64 ]; then echo "$DIR64"; else echo "$DIR32"; fi; }
regsvr32_of() {  # the regsvr32 of the view's bitness
  if [ "$1" = 64 ]; then echo 'C:\windows\system32\regsvr32.exe'; else echo 'C:\windows\syswow64\regsvr32.exe'; fi
}

msi() {  # msi <msiexec arguments...>: runs msiexec silently; its status is the result
  wine msiexec "$@" /qn >/dev/null 2>&1
}

check() {  # check <description> <command...>
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# Every key of the add-in in one registry view, as `reg query /s` prints them, with the values
# that are paths of the DLL or its folder replaced by <path>: the DLL's place is the one thing
# in which the package and regsvr32 of a copy elsewhere differ.
registry_of_view() {  # registry_of_view <32|64>
  local key
  for key in "HKCR\\CLSID\\$CLSID" "HKCR\\$PROGID" "HKCR\\TypeLib\\$LIBID" "HKCR\\Interface\\$IID" \
             "HKLM\\$ADDIN_KEY" "HKCU\\$ADDIN_KEY"; do
    wine reg query "$key" /s "/reg:$1" 2>/dev/null | tr -d '\r' | grep -v '^$'
  done | sed -E 's/(REG_SZ +)[A-Z]:\\.*$/\1<path>/'
}

# The prefix's registry files, saved: Wine writes them when its server ends.
flush_registry() {
  wineserver -w
}

# Every place in the registry files, of every root and view, that names the add-in: its class
# id, ProgID (also the add-in key's name) or LIBID. Prints "file: line".
add_in_traces() {  # add_in_traces [system|user]...
  local file
  flush_registry
  for file in "${@:-system user}"; do
    grep -n -i -F -e "$CLSID" -e "$PROGID" -e "$LIBID" -e "$IID" "$WINEPREFIX/$file.reg" |
      sed "s|^|$file.reg: |"
  done
}

nothing_left() {
  local traces
  traces=$(add_in_traces system user)
  [ -z "$traces" ] && [ ! -e "$DIR32/OLQuivra.dll" ] && [ ! -e "$DIR64/OLQuivra.dll" ] && return 0
  printf '%s\n' "$traces" | head -n 20 | sed 's/^/    left: /'
  ls "$DIR32" "$DIR64" 2>/dev/null | sed 's/^/    file: /'
  return 1
}

# Removes whatever an earlier case or run left: packages of any version and context, and
# registrations by regsvr32.
clean_slate() {
  local package view
  for package in "$QUIVRA_PACKAGE_DIR"/OLQuivra-*-"$ARCH".msi "$QUIVRA_PACKAGE_DIR"/upgrade/*-"$ARCH".msi; do
    [ -f "$package" ] || continue
    msi /x "$(winepath -w "$package" 2>/dev/null)"
    msi /x "$(winepath -w "$package" 2>/dev/null)" 'ALLUSERS=""'
  done
  for view in $VIEWS; do
    wine "$(regsvr32_of "$view")" /s /u "$(winepath -w "$(dir_of "$view")/OLQuivra.dll")" >/dev/null 2>&1
  done
  rm -rf "$DIR32" "$DIR64"
  # Keys of a package that is gone (an older build's, whose product code differs).
  local root key
  for root in HKLM HKCU; do
    for key in "CLSID\\$CLSID" "$PROGID" "TypeLib\\$LIBID" "Interface\\$IID"; do
      for view in 64 32; do
        wine reg delete "$root\\Software\\Classes\\$key" /f "/reg:$view" >/dev/null 2>&1
      done
    done
    wine reg delete "$root\\$ADDIN_KEY" /f >/dev/null 2>&1
  done
}

# The reference: each DLL copied to its Program Files folder and registered by regsvr32 of its
# bitness, with Outlook installed (registration writes the add-in key only then), both before
# either view is read, as the package installs both. Leaves reference_<view> files in $work.
reference_registry() {
  local view
  for view in $VIEWS; do
    mkdir -p "$(dir_of "$view")"
    cp "$(dll_of "$view")" "$(dir_of "$view")/OLQuivra.dll"
    wine "$(regsvr32_of "$view")" /s "$(winepath -w "$(dir_of "$view")/OLQuivra.dll")" >/dev/null 2>&1 ||
      fail "regsvr32 registered the $view-bit DLL for reference"
  done
  for view in $VIEWS; do
    registry_of_view "$view" >"$work/reference_$view"
  done
  for view in $VIEWS; do
    wine "$(regsvr32_of "$view")" /s /u "$(winepath -w "$(dir_of "$view")/OLQuivra.dll")" >/dev/null 2>&1
  done
  rm -rf "$DIR32" "$DIR64"
}

same_as_reference() {  # same_as_reference <view>
  registry_of_view "$1" >"$work/package_$1"
  [ -s "$work/reference_$1" ] || { echo "    no reference registry"; return 1; }
  diff -u "$work/reference_$1" "$work/package_$1" >"$work/diff_$1" && return 0
  sed 's/^/    /' "$work/diff_$1"
  return 1
}

# The class's server in a view is the installed DLL of that view's bitness.
server_is_installed_dll() {  # server_is_installed_dll <view>
  local server
  server=$(wine reg query "HKCR\\CLSID\\$CLSID\\InprocServer32" /ve "/reg:$1" 2>/dev/null |
    tr -d '\r' | sed -nE 's/^ +\(Default\) +REG_SZ +(.*)$/\1/p')
  [ -n "$server" ] && [ "$(winepath -u "$server" 2>/dev/null)" -ef "$(dir_of "$1")/OLQuivra.dll" ] &&
    cmp -s "$(dir_of "$1")/OLQuivra.dll" "$(dll_of "$1")"
}

# files_a_mail <view>: the stand-in of that bitness, playing Outlook 365, loads the add-in
# through the registry and files the selection with the Alpha button.
files_a_mail() {
  local view=$1 status
  cp "$(olhost_of "$view")" "$HOME_DIR/olhost$view.exe"
  cat >"$HOME_DIR/script.txt" <<SCRIPT
start
expect-connected $PROGID yes
select 1 6 2
ribbon-click $PROGID Alpha
expect-selected-in Mailbox\\Projects\\Alpha
quit
SCRIPT
  out=$(cd "$HOME_DIR" && timeout 60 wine "olhost$view.exe" --outlook 365 --script script.txt 2>&1)
  status=$?
  printf '%s\n' "$out" | tr -d '\r' | sed 's/^/    /'
  [ "$status" -eq 0 ]
}

install_outlook() {  # plays Outlook's installation in both views
  mkdir -p "$HOME_DIR"
  cp "$QUIVRA_OLHOST" "$HOME_DIR/olhost.exe"
  (cd "$HOME_DIR" && wine olhost.exe --outlook 365 --install >/dev/null 2>&1) ||
    fail "Outlook 365 installed"
}

timed_install() {  # timed_install <package> [properties...]: installs and reports the time
  local started ended
  started=$(date +%s%N)
  msi /i "$(winepath -w "$1")" "${@:2}"
  local status=$?
  ended=$(date +%s%N)
  echo "INFO: msiexec /i $(basename "$1")${2:+ ${*:2}} took $(( (ended - started) / 1000000 )) ms"
  return $status
}

need_packages() {
  [ -f "$PACKAGE" ] || { echo "SKIP: no package $PACKAGE (the build case did not make it)"; exit $SKIP; }
}

case_build() {
  local entries=$QUIVRA_SOURCE_DIR/build/native/tools/registry_entries/quivra_registry_entries
  local other=${QUIVRA_OTHER_DLL:-}
  [ -x "$entries" ] || { echo "SKIP: the native tool is not built ($entries)"; exit $SKIP; }
  if [ "$QUIVRA_BITS" = 64 ] && [ ! -f "$other" ]; then
    echo "SKIP: the 32-bit build is not there ($other)"
    exit $SKIP
  fi
  rm -rf "$QUIVRA_PACKAGE_DIR"
  local started ended
  started=$(date +%s%N)
  check "scripts/package builds the packages" \
    env QUIVRA_PACKAGE_NO_BUILD=1 "$QUIVRA_SOURCE_DIR/scripts/package" --out "$QUIVRA_PACKAGE_DIR"
  ended=$(date +%s%N)
  echo "INFO: packaging took $(( (ended - started) / 1000000 )) ms"
  ls -l "$QUIVRA_PACKAGE_DIR"/*.msi | awk '{print "INFO: " $NF " is " $5 " bytes"}'
  local major minor build
  IFS=. read -r major minor build <<<"$QUIVRA_VERSION"
  check "a package of a higher version builds" \
    env QUIVRA_PACKAGE_NO_BUILD=1 "$QUIVRA_SOURCE_DIR/scripts/package" \
    --version "$major.$minor.$((build + 1))" --out "$QUIVRA_PACKAGE_DIR/upgrade"

  # A throw-away self-signed certificate, as CI has no publisher's certificate.
  local keys=$QUIVRA_PACKAGE_DIR/keys
  mkdir -p "$keys"
  openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj '/CN=Quivra test signing' \
    -addext extendedKeyUsage=codeSigning \
    -keyout "$keys/key.pem" -out "$keys/cert.pem" >/dev/null 2>&1 ||
    fail "a throw-away certificate is made"
  check "a signed package builds" \
    env QUIVRA_PACKAGE_NO_BUILD=1 "$QUIVRA_SOURCE_DIR/scripts/package" \
    --out "$QUIVRA_PACKAGE_DIR/signed" --cert "$keys/cert.pem" --key "$keys/key.pem"
  check "the unsigned package is there too" test -s "$PACKAGE"
}

case_machine() {
  need_packages
  install_outlook
  reference_registry
  check "before the install, nothing of the add-in is in the registry" nothing_left
  check "msiexec /i /qn installs the $ARCH package for all users" timed_install "$PACKAGE"
  local view
  for view in $VIEWS; do
    check "the $view-bit view holds what regsvr32 of the $view-bit DLL writes" same_as_reference "$view"
    check "the $view-bit view's class is served by the installed $view-bit DLL" \
      server_is_installed_dll "$view"
  done
  write_alpha_configuration 3
  # The diagnostic log, switched on for the user, records the runs of both stand-ins.
  wine reg add 'HKCU\Software\QuivraOL' /v DiagnosticLog /t REG_DWORD /d 1 /f >/dev/null 2>&1
  for view in $VIEWS; do
    check "the $view-bit stand-in loads the add-in and files a mail" files_a_mail "$view"
  done
  wine reg delete 'HKCU\Software\QuivraOL' /f >/dev/null 2>&1
  local log=$CONFIG_DIR/QuivraOL.log
  sed 's/^/    log: /' "$log" 2>/dev/null | tr -d '\r' | head -n 12
  check "the diagnostic log shows the start-up" grep -q "start-up: QuivraOL $QUIVRA_VERSION" "$log"
  check "the diagnostic log shows the filing with its folders and counts" \
    grep -qF 'filing: 2 selected, 2 moved from "Mailbox\Inbox"' "$log"
  # What the add-in writes for the user at run time goes as well.
  wine reg add "HKCU\\$ADDIN_KEY" /v StartMode /d NORMAL /f >/dev/null 2>&1
  check "msiexec /x /qn removes the package" msi /x "$(winepath -w "$PACKAGE")"
  check "no file and no key of the add-in is left in any root or view" nothing_left
}

case_user() {
  need_packages
  install_outlook
  check "msiexec /i /qn ALLUSERS=\"\" installs the $ARCH package for the current user" \
    timed_install "$PACKAGE" 'ALLUSERS=""'
  local traces
  traces=$(add_in_traces system)
  check "nothing of the add-in is under HKEY_LOCAL_MACHINE" test -z "$traces"
  [ -z "$traces" ] || printf '%s\n' "$traces" | head -n 10 | sed 's/^/    /'
  check "the add-in key is under HKEY_CURRENT_USER" \
    bash -c "wine reg query 'HKCU\\$ADDIN_KEY' /v LoadBehavior 2>/dev/null | grep -q 0x3"
  write_alpha_configuration 3
  local view server
  server=$(wine reg query "HKCU\\Software\\Classes\\CLSID\\$CLSID\\InprocServer32" /ve 2>/dev/null |
    tr -d '\r' | sed -nE 's/^ +\(Default\) +REG_SZ +(.*)$/\1/p')
  for view in $VIEWS; do
    # Windows keeps the user's 32-bit classes apart (Software\Classes\Wow6432Node); Wine 8
    # keeps one key for both, so the DLL written last serves the stand-in of its bitness only.
    if [ "$VIEWS" != 32 ] && ! [ "$(winepath -u "$server" 2>/dev/null)" -ef "$(dir_of "$view")/OLQuivra.dll" ]; then
      echo "INFO: Wine's one per-user class key names the other DLL; the $view-bit stand-in is not run"
      continue
    fi
    check "the $view-bit stand-in loads the per-user add-in and files a mail" files_a_mail "$view"
  done
  check "msiexec /x /qn removes the per-user package" msi /x "$(winepath -w "$PACKAGE")" 'ALLUSERS=""'
  check "no file and no key of the add-in is left in any root or view" nothing_left
}

# The Programs and Features entries of products named QuivraOL, in every view, as
# "DisplayName DisplayVersion" lines.
programs_entries() {
  local view
  for view in 64 32; do
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s "/reg:$view" 2>/dev/null |
      tr -d '\r' | awk '/^HKEY/ { if (name != "") print name " " version; name = ""; version = "" }
        $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 }
        END { if (name != "") print name " " version }' | grep '^QuivraOL '
  done | sort -u
}

case_upgrade() {
  need_packages
  local newer
  newer=$(ls "$QUIVRA_PACKAGE_DIR"/upgrade/OLQuivra-*-"$ARCH".msi 2>/dev/null | head -n 1)
  [ -f "$newer" ] || { fail "no package of a higher version"; return; }
  local new_version
  new_version=$(basename "$newer" | sed -E "s/^OLQuivra-(.*)-$ARCH\.msi$/\1/")
  check "this version installs" msi /i "$(winepath -w "$PACKAGE")"
  check "Programs and Features lists it" test "$(programs_entries)" = "QuivraOL $QUIVRA_VERSION"
  check "the version $new_version installs over it" timed_install "$newer"
  local entries
  entries=$(programs_entries)
  check "Programs and Features has one entry, of $new_version ($(echo $entries))" \
    test "$entries" = "QuivraOL $new_version"
  local view
  for view in $VIEWS; do
    check "the new $view-bit DLL is in place and registered" server_is_installed_dll "$view"
  done
  check "the older version refuses to install over the newer one" \
    bash -c "! wine msiexec /i '$(winepath -w "$PACKAGE")' /qn >/dev/null 2>&1"
  check "Programs and Features still has the one entry of $new_version" \
    test "$(programs_entries)" = "QuivraOL $new_version"
  check "msiexec /x /qn removes the new version" msi /x "$(winepath -w "$newer")"
  check "no file and no key of the add-in is left in any root or view" nothing_left
  check "Programs and Features has no entry left" test -z "$(programs_entries)"
}

verifies() { osslsigncode verify -CAfile "$QUIVRA_PACKAGE_DIR/keys/cert.pem" -in "$1" >/dev/null 2>&1; }

case_signed() {
  need_packages
  local signed=$QUIVRA_PACKAGE_DIR/signed/$(basename "$PACKAGE")
  check "the signed package's signature verifies" verifies "$signed"
  local extracted=$work/extracted
  mkdir -p "$extracted"
  (cd "$extracted" && msiextract "$signed" >/dev/null 2>&1)
  local dll count=0
  while IFS= read -r dll; do
    check "the signature of ${dll#"$extracted"/} verifies" verifies "$dll"
    count=$((count + 1))
  done < <(find "$extracted" -iname OLQuivra.dll)
  local expected=1
  [ "$ARCH" = x64 ] && expected=2
  check "the package holds $expected signed DLL(s)" test "$count" -eq "$expected"
  check "the unsigned package carries no signature" bash -c "! osslsigncode verify -in '$PACKAGE' >/dev/null 2>&1"
}

name=${1:?usage: package_test.sh <case>}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [ "$name" != build ] && [ "$name" != signed ]; then
  ensure_prefix || { echo "FAIL: no Wine prefix"; exit 1; }
  clean_slate
fi
"case_$name"
if [ "$name" != build ] && [ "$name" != signed ]; then
  clean_slate
  rm -rf "$CONFIG_DIR"
fi
echo "$name: $failures failure(s)"
[ "$failures" -eq 0 ]
