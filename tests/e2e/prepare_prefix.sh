#!/usr/bin/env bash
# Test fixture: makes sure the build tree's private Wine prefix exists and is ready.
set -u
source "$(dirname "$0")/wine_env.sh"
started=$(date +%s)
if ensure_prefix; then
  echo "PASS: Wine prefix ready in $WINEPREFIX ($(( $(date +%s) - started )) s)"
else
  echo "FAIL: could not make the Wine prefix $WINEPREFIX"
  exit 1
fi
