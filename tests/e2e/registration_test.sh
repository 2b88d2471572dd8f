#!/usr/bin/env bash
# End-to-end registration tests of OLQuivra.dll under Wine: regsvr32 registers and removes the
# real DLL, and the registry is read back with Wine's own `reg`, never with the DLL's code.
#
# Usage: registration_test.sh <case>
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL (the built DLL), QUIVRA_BITS (32 or 64),
# QUIVRA_CLIENT (the COM client test program), QUIVRA_OBJDUMP.
set -u
source "$(dirname "$0")/wine_env.sh"

readonly CLSID='{6643EE33-41DB-4BAE-A169-9DF0341D4AE0}'
readonly LIBID='{FD05400B-01C8-4E4E-9C30-29774AAFDE5F}'
readonly IID='{02AD0300-8F4A-4179-A667-E54F546F0402}'
readonly PROGID='OLQuivra.coOLQuivra'
readonly ADDIN_KEY='Software\Microsoft\Office\Outlook\AddIns\OLQuivra.coOLQuivra'
readonly OUTLOOK_CLSID='{0006F03A-0000-0000-C000-000000000046}'
readonly VIEW="/reg:$QUIVRA_BITS"
if [ "$QUIVRA_BITS" = 64 ]; then readonly SYSKIND=win64; else readonly SYSKIND=win32; fi

failures=0
pass() { echo "PASS: $*"; }
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
check() {  # check <description> <command...>
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

# --- registry access through Wine's reg, in the DLL's registry view ---

reg_quiet() { wine reg "$@" "$VIEW" >/dev/null 2>&1; }
key_exists() { reg_quiet query "$1"; }
key_absent() { ! key_exists "$1"; }
# Prints "TYPE DATA" of a value; the name "" is the default value.
value_of() {
  local out
  if [ -z "$2" ]; then
    out=$(wine reg query "$1" /ve "$VIEW" 2>/dev/null) || return 1
    printf '%s\n' "$out" | tr -d '\r' | sed -nE 's/^ +\(Default\) +(REG_[A-Z_]+) *(.*)$/\1 \2/p'
  else
    out=$(wine reg query "$1" /v "$2" "$VIEW" 2>/dev/null) || return 1
    printf '%s\n' "$out" | tr -d '\r' | sed -nE "s/^ +$2 +(REG_[A-Z_]+) *(.*)\$/\\1 \\2/p"
  fi
}
value_is() {  # value_is <key> <name> <type> <data>
  local got
  got=$(value_of "$1" "$2")
  if [ "$got" = "$3 $4" ] || { [ -z "$4" ] && [ "$got" = "$3" ]; }; then return 0; fi
  echo "    $1 [${2:-(Default)}] is '$got', expected '$3 $4'"
  return 1
}

# --- the DLL and its surroundings ---

install_dll() {  # install_dll <folder below C:\>; prints the DLL's Windows path
  mkdir -p "$WINEPREFIX/drive_c/$1"
  cp "$QUIVRA_DLL" "$WINEPREFIX/drive_c/$1/OLQuivra.dll"
  printf 'C:\\%s\\OLQuivra.dll' "${1//\//\\}"
}
# On failure, shows regsvr32's exit status and what Wine printed, so that a fault on a fresh
# machine can be told from a fault of the DLL.
regsvr() {
  local out status
  out=$(WINEDEBUG=err+all wine regsvr32 /s "$@" 2>&1)
  status=$?
  [ "$status" -eq 0 ] && return 0
  echo "    regsvr32 $* exited with $status"
  printf '%s\n' "$out" | tr -d '\r' | tail -n 20 | sed 's/^/    | /'
  return "$status"
}

fake_outlook() { reg_quiet add "HKCR\\Outlook.Application\\CLSID" /ve /d "$OUTLOOK_CLSID" /f; }
click_to_run() {  # click_to_run <14.0|15.0>
  reg_quiet add "HKLM\\Software\\Microsoft\\Office\\$1\\Common\\InstallRoot\\Virtual" /f
}

# Every case starts from a prefix without the add-in and without any Outlook.
clean_slate() {
  local dll
  for dll in 'C:\Quivra\OLQuivra.dll' 'C:\Program Files\Quivra Add-in\OLQuivra.dll'; do
    wine regsvr32 /s /u "$dll" >/dev/null 2>&1
  done
  reg_quiet delete "HKCR\\Outlook.Application" /f
  reg_quiet delete 'HKLM\Software\Microsoft\Office\14.0' /f
  reg_quiet delete 'HKLM\Software\Microsoft\Office\15.0' /f
  reg_quiet delete "HKLM\\$ADDIN_KEY" /f
  reg_quiet delete "HKCU\\$ADDIN_KEY" /f
  reg_quiet delete "HKCR\\CLSID\\$CLSID" /f
  reg_quiet delete "HKCR\\$PROGID" /f
  reg_quiet delete "HKCR\\TypeLib\\$LIBID" /f
}

# --- expectations ---

com_entries_written() {  # com_entries_written <expected InprocServer32 path>
  local ok=0 clsid_key="HKCR\\CLSID\\$CLSID"
  value_is "$clsid_key" "" REG_SZ 'coOLQuivra Object' || ok=1
  value_is "$clsid_key\\InprocServer32" "" REG_SZ "$1" || ok=1
  value_is "$clsid_key\\InprocServer32" ThreadingModel REG_SZ Apartment || ok=1
  value_is "HKCR\\$PROGID" "" REG_SZ 'coOLQuivra Object' || ok=1
  value_is "HKCR\\$PROGID\\Clsid" "" REG_SZ "$CLSID" || ok=1
  value_is "$clsid_key\\ProgID" "" REG_SZ "$PROGID" || ok=1
  value_is "$clsid_key\\Version" "" REG_SZ 1.0 || ok=1
  value_is "$clsid_key\\TypeLib" "" REG_SZ "$LIBID" || ok=1
  return $ok
}

type_library_registered() {  # type_library_registered <DLL path> <help folder>
  local ok=0 lib_key="HKCR\\TypeLib\\$LIBID\\1.0"
  value_is "$lib_key" "" REG_SZ 'OLQuivra Library' || ok=1
  value_is "$lib_key\\0\\$SYSKIND" "" REG_SZ "$1" || ok=1
  value_is "$lib_key\\HELPDIR" "" REG_SZ "$2" || ok=1
  key_exists "HKCR\\Interface\\$IID" || { echo "    no HKCR\\Interface\\$IID"; ok=1; }
  return $ok
}

addin_entries_written() {
  local ok=0 key="HKLM\\$ADDIN_KEY"
  value_is "$key" FriendlyName REG_SZ QuivraOL || ok=1
  value_is "$key" Description REG_SZ "" || ok=1
  value_is "$key" LoadBehavior REG_DWORD 0x3 || ok=1
  value_is "$key" CommandLineSafe REG_DWORD 0x0 || ok=1
  return $ok
}

nothing_left() {
  local ok=0 key
  for key in "HKCR\\CLSID\\$CLSID" "HKCR\\$PROGID" "HKCR\\TypeLib\\$LIBID" \
             "HKCR\\Interface\\$IID" "HKLM\\$ADDIN_KEY" "HKCU\\$ADDIN_KEY"; do
    if key_exists "$key"; then
      echo "    $key is still there"
      ok=1
    fi
  done
  return $ok
}

# The keys are in the DLL's own registry view only: a 32-bit DLL serves 32-bit Outlook, which
# reads the 32-bit view.
only_in_own_view() {
  local other=/reg:64
  [ "$QUIVRA_BITS" = 64 ] && other=/reg:32
  ! wine reg query "HKLM\\$ADDIN_KEY" "$other" >/dev/null 2>&1 &&
    ! wine reg query "HKCR\\CLSID\\$CLSID" "$other" >/dev/null 2>&1
}

no_addin_key() { key_absent "HKLM\\$ADDIN_KEY" && key_absent "HKCU\\$ADDIN_KEY"; }

# --- cases ---

case_tables() {
  local dll
  dll=$(install_dll Quivra)
  fake_outlook
  check "regsvr32 registers the DLL" regsvr "$dll"
  check "the COM class entries are written" com_entries_written "$dll"
  check "the type library is registered with the DLL's folder as help folder" \
    type_library_registered "$dll" 'C:\Quivra'
  check "the Outlook add-in key is written under HKLM" addin_entries_written
  check "no add-in key is written under HKCU" key_absent "HKCU\\$ADDIN_KEY"
  check "the entries are in the $QUIVRA_BITS-bit registry view only" only_in_own_view
  # What the add-in writes at run time under the user's key goes as well.
  reg_quiet add "HKCU\\$ADDIN_KEY" /v StartMode /d NORMAL /f
  reg_quiet add "HKCU\\$ADDIN_KEY\\CommandBars\\QuivraOL" /v Position /t REG_DWORD /d 1 /f
  check "regsvr32 /u unregisters the DLL" regsvr /u "$dll"
  check "unregistration leaves no key of the add-in" nothing_left
}

case_blank_path() {
  local dll short
  dll=$(install_dll 'Program Files/Quivra Add-in')
  fake_outlook
  check "regsvr32 registers a DLL in a folder with a blank" regsvr "$dll"
  short=$(value_of "HKCR\\CLSID\\$CLSID\\InprocServer32" "" | sed 's/^REG_SZ //')
  check "InprocServer32 holds a path without a blank ($short)" \
    test -n "$short" -a "${short// /}" = "$short"
  check "the short path names the DLL" \
    test "$(winepath -u "$short" 2>/dev/null)" -ef "$WINEPREFIX/drive_c/Program Files/Quivra Add-in/OLQuivra.dll"
  check "the type library keeps the long path" \
    type_library_registered "$dll" 'C:\Program Files\Quivra Add-in'
  check "regsvr32 /u unregisters it" regsvr /u "$dll"
  check "unregistration leaves no key of the add-in" nothing_left
}

case_no_outlook() {
  local dll
  dll=$(install_dll Quivra)
  check "regsvr32 registers the DLL without Outlook" regsvr "$dll"
  check "the COM class entries are written" com_entries_written "$dll"
  check "no add-in key is written when Outlook is not installed" no_addin_key
  check "regsvr32 /u unregisters it" regsvr /u "$dll"
  check "unregistration leaves no key of the add-in" nothing_left
  local version
  for version in 14.0 15.0; do
    click_to_run "$version"
    check "with the click-to-run Office $version key, regsvr32 registers" regsvr "$dll"
    check "with the click-to-run Office $version key, the add-in key is written" \
      addin_entries_written
    check "regsvr32 /u unregisters it" regsvr /u "$dll"
    check "unregistration leaves no key of the add-in" nothing_left
    reg_quiet delete "HKLM\\Software\\Microsoft\\Office\\$version" /f
  done
}

case_twice() {
  local dll
  dll=$(install_dll Quivra)
  fake_outlook
  check "the first registration succeeds" regsvr "$dll"
  check "the second registration succeeds" regsvr "$dll"
  check "the COM class entries are as after one registration" com_entries_written "$dll"
  check "the add-in key is as after one registration" addin_entries_written
  check "one unregistration succeeds" regsvr /u "$dll"
  check "it leaves no key of the add-in" nothing_left
  check "a second unregistration succeeds too" regsvr /u "$dll"
}

case_com_object() {
  local dll
  dll=$(install_dll Quivra)
  fake_outlook
  check "regsvr32 registers the DLL" regsvr "$dll"
  # The client prints its own PASS and FAIL lines and exits with the number of failures.
  wine "$QUIVRA_CLIENT" 2>&1 | tr -d '\r'
  local status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ]; then
    fail "the COM client found $status fault(s)"
  fi
  check "regsvr32 /u unregisters the DLL" regsvr /u "$dll"
}

case_exports() {
  local dump exports imports
  dump=$("$QUIVRA_OBJDUMP" -p "$QUIVRA_DLL") || { fail "objdump cannot read the DLL"; return; }
  exports=$(printf '%s\n' "$dump" |
    sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | sed -nE 's/^\s+\[ *[0-9]+\] +//p' | sort |
    tr '\n' ' ')
  check "exactly the four exports, undecorated ($exports)" \
    test "$exports" = "DllCanUnloadNow DllGetClassObject DllRegisterServer DllUnregisterServer "
  imports=$(printf '%s\n' "$dump" | sed -nE 's/^\s+DLL Name: (.*)$/\1/p' | tr 'A-Z' 'a-z' |
    sort -u | tr '\n' ' ')
  local unexpected="" dll
  for dll in $imports; do
    case "$dll" in
      kernel32.dll | user32.dll | gdi32.dll | advapi32.dll | ole32.dll | oleaut32.dll | \
        shell32.dll | shlwapi.dll | comctl32.dll | comdlg32.dll | msvcrt.dll | uuid.dll | \
        oleacc.dll) ;;  # oleacc: Active Accessibility, for screen readers
      *) unexpected="$unexpected $dll" ;;
    esac
  done
  check "imports only Windows system DLLs ($imports)" test -z "$unexpected"
  # The version resource carries the build's version as text (UTF-16 in the resource).
  check "the version resource says $QUIVRA_VERSION" \
    bash -c "strings -e l '$QUIVRA_DLL' | grep -qxF '$QUIVRA_VERSION'"
  echo "INFO: $(basename "$QUIVRA_DLL") ($QUIVRA_BITS-bit) is $(stat -c %s "$QUIVRA_DLL") bytes"
}

name=${1:?usage: registration_test.sh <case>}
if [ "$name" != exports ]; then
  ensure_prefix || { echo "FAIL: no Wine prefix"; exit 1; }
  clean_slate
fi
"case_$name"
[ "$name" = exports ] || clean_slate
echo "$name: $failures failure(s)"
[ "$failures" -eq 0 ]
