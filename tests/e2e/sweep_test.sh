#!/usr/bin/env bash
# The fault sweep through the real DLL in the Outlook stand-in, for a sample of the calls: the
# session's calls into Outlook and Office are counted (N), then `sample` runs fail calls spread
# evenly from the first to the last. Every run must end without a crash, with the configuration
# file either the old one or a whole new one, and with an add-in that files at the next start.
# The runs are shared by SWEEP_WORKERS (one a processor, at least 2, unless set) stand-ins at a time, each in a Wine prefix
# of its own (the others are hard-linked copies of the first, with their own registry and files).
#
# Usage: sweep_test.sh <outlook year> <sample>   (sample 0: every call, as scripts/sweep runs it)
#        sweep_test.sh --worker <outlook year> <k>...   (one worker's runs, in WINEPREFIX)
# Environment: QUIVRA_E2E_PREFIX, QUIVRA_DLL, QUIVRA_OLHOST (the stand-in of the same bitness),
# QUIVRA_BITS; SWEEP_SHIFT (optional) shifts a sample along the session.
set -u
here=$(dirname "$0")

if [ "${1:-}" = --worker ]; then
  shift
  outlook=$1
  shift
  export QUIVRA_E2E_PREFIX=$WORKER_PREFIX
  source "$here/wine_env.sh"
  source "$here/stand_in_session.sh"
  source "$here/sweep_session.sh"
  # One Wine server and its system processes for all of this worker's runs: each run then
  # starts in a fraction of a second instead of bringing Wine's services up again. Both are
  # started in a session of their own with no link to this script's output, so that neither
  # the capture of a run's output nor the test runner waits for them; the server ends itself
  # a few seconds after its last program should this script be killed.
  setsid wineserver -p5 </dev/null >/dev/null 2>&1 &
  setsid wine cmd /c exit </dev/null >/dev/null 2>&1
  for k in "$@"; do
    sweep_run "$outlook" "$k"
  done
  wineserver -k 2>/dev/null
  echo "TALLY $SWEEP_RUNS $SWEEP_HRESULTS $SWEEP_DIALOGS $SWEEP_CRASHES $SWEEP_BAD_FILES" \
    "$SWEEP_DEAD $SWEEP_NOT_STRUCK $SWEEP_BOXES"
  exit 0
fi

source "$here/wine_env.sh"
source "$here/stand_in_session.sh"
source "$here/sweep_session.sh"

readonly OUTLOOK=${1:?outlook year}
readonly SAMPLE=${2:?sample size}
cores=$(nproc 2>/dev/null || echo 2)
readonly WORKERS=${SWEEP_WORKERS:-$((cores > 2 ? cores : 2))}
began=$(date +%s)

sweep_prepare "$OUTLOOK"
if ! sweep_count "$OUTLOOK" || [ "$SWEEP_N" -le 0 ]; then
  fail "the session without a fault ran and counted its calls"
  finish
fi
pass "the session without a fault makes $SWEEP_N calls into Outlook and Office"

runs=$SAMPLE
if [ "$runs" -le 0 ] || [ "$runs" -gt "$SWEEP_N" ]; then
  runs=$SWEEP_N
fi
# The calls to fail, spread evenly over the session and dealt to the workers in turn. A sample
# smaller than the session is shifted along it by SWEEP_SHIFT calls, by default the day of the
# year, so that the daily runs fail different calls between them while any one run can be made
# again with its shift.
shift_by=0
if [ "$runs" -lt "$SWEEP_N" ]; then
  shift_by=${SWEEP_SHIFT:-$((10#$(date +%j)))}
  echo "INFO: the sample is shifted by $shift_by calls (SWEEP_SHIFT=$shift_by makes it again)"
fi
declare -a share
declare -A chosen
dealt=0
for ((i = 0; i < runs; i++)); do
  k=$([ "$runs" -eq 1 ] && echo 1 || echo $((1 + i * (SWEEP_N - 1) / (runs - 1))))
  k=$((1 + (k - 1 + shift_by) % SWEEP_N))
  [ -n "${chosen[$k]:-}" ] && continue
  chosen[$k]=1
  share[$((dealt % WORKERS))]+=" $k"
  dealt=$((dealt + 1))
done

wineserver -k 2>/dev/null
wineserver -w 2>/dev/null
tallies=$(mktemp -d)
for ((w = 0; w < WORKERS; w++)); do
  prefix=$WINEPREFIX
  if [ "$w" -gt 0 ]; then
    prefix=$WINEPREFIX-sweep$w
    rm -rf "$prefix"
    cp -al "$WINEPREFIX" "$prefix"
    # What the runs write is the worker's own: the registry, the add-in's folder, the profile.
    for file in "$prefix"/*.reg; do cp --remove-destination "$WINEPREFIX/$(basename "$file")" "$file"; done
    rm -rf "$prefix/drive_c/Quivra" "$prefix/drive_c/users"
    cp -a "$WINEPREFIX/drive_c/Quivra" "$WINEPREFIX/drive_c/users" "$prefix/drive_c/"
  fi
  WORKER_PREFIX=$prefix bash "$0" --worker "$OUTLOOK" ${share[$w]:-} >"$tallies/$w" 2>&1 &
done
wait
for ((w = 0; w < WORKERS; w++)); do
  grep -v '^TALLY ' "$tallies/$w"
  read -r _ r h d c b x s m < <(grep '^TALLY ' "$tallies/$w" || echo "TALLY 0 0 0 1 0 0 0 0")
  SWEEP_RUNS=$((SWEEP_RUNS + r)) SWEEP_HRESULTS=$((SWEEP_HRESULTS + h))
  SWEEP_DIALOGS=$((SWEEP_DIALOGS + d)) SWEEP_CRASHES=$((SWEEP_CRASHES + c))
  SWEEP_BAD_FILES=$((SWEEP_BAD_FILES + b)) SWEEP_DEAD=$((SWEEP_DEAD + x))
  SWEEP_NOT_STRUCK=$((SWEEP_NOT_STRUCK + s)) SWEEP_BOXES=$((SWEEP_BOXES + m))
  [ "$w" -gt 0 ] && rm -rf "$WINEPREFIX-sweep$w"
done
rm -rf "$tallies"

sweep_report "$QUIVRA_BITS-bit, Outlook $OUTLOOK" $(($(date +%s) - began))
[ "$SWEEP_RUNS" -eq "$dealt" ] && pass "$dealt runs made" || fail "$SWEEP_RUNS of $dealt runs made"
[ "$SWEEP_CRASHES" -eq 0 ] && pass "no crash" || fail "$SWEEP_CRASHES crashes"
[ "$SWEEP_BAD_FILES" -eq 0 ] && pass "every configuration file old or new" ||
  fail "$SWEEP_BAD_FILES configuration files neither old nor new"
[ "$SWEEP_DEAD" -eq 0 ] && pass "the add-in filed at the next start after every fault" ||
  fail "$SWEEP_DEAD runs after which the add-in did not file"
[ "$SWEEP_NOT_STRUCK" -eq 0 ] && pass "every failed call was made" ||
  fail "$SWEEP_NOT_STRUCK runs whose call was never made"
finish
