#!/usr/bin/env bash
# validate_custom_ui.sh <schema folder> <customUI file>...
# Validates each customUI file with xmllint against the schema of its namespace: customUI.xsd
# for Office 2007's (2006/01), customUI14.xsd for Office 2010's (2009/07). Every file is checked;
# exits 1 when any is missing, is in another namespace or does not validate.
set -uo pipefail

if [ "$#" -lt 2 ]; then
  echo "usage: $0 <schema folder> <customUI file>..." >&2
  exit 2
fi
schemas=$1
shift
if ! command -v xmllint >/dev/null; then
  echo "xmllint is missing (Debian package libxml2-utils; scripts/bootstrap installs it)" >&2
  exit 1
fi

failed=0
for file in "$@"; do
  if [ ! -s "$file" ]; then
    echo "$file: missing or empty" >&2
    failed=1
    continue
  fi
  namespace=$(xmllint --xpath 'namespace-uri(/*)' "$file" 2>/dev/null)
  case $namespace in
    http://schemas.microsoft.com/office/2006/01/customui) schema=$schemas/customUI.xsd ;;
    http://schemas.microsoft.com/office/2009/07/customui) schema=$schemas/customUI14.xsd ;;
    *)
      echo "$file: not a customUI document (namespace '${namespace}')" >&2
      failed=1
      continue
      ;;
  esac
  echo "$file: checked against $(basename "$schema")"
  xmllint --noout --schema "$schema" "$file" || failed=1
done
exit "$failed"
