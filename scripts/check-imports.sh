#!/usr/bin/env bash
# Release programs must load on Windows 95: every function they import must
# be in the table of imports (scripts/imports.tsv) as an import whose oldest
# Windows is 95. A function that came later is looked up at run time, and
# its row says so; importing it fails here.
# Usage: check-imports.sh PROGRAM.exe...
set -euo pipefail
table="$(dirname "$0")/imports.tsv"
status=0
for exe in "$@"; do
  if ! dump=$(i686-w64-mingw32-objdump -p "$exe"); then
    echo "$exe: cannot read its imports" >&2
    status=1
    continue
  fi
  # One "dll<TAB>function" line per import; one imported by ordinal only is
  # named "#ordinal", which no row matches.
  imports=$(awk '
    /^\tDLL Name:/ { dll = tolower($3); listing = 1; next }
    listing && /^\tvma:/ { next }
    listing && NF == 0 { listing = 0; next }
    listing { print dll "\t" (NF >= 3 ? $3 : "#" $2) }' <<<"$dump")
  if [ -z "$imports" ]; then
    echo "$exe: no imports found; the check cannot vouch for it" >&2
    status=1
    continue
  fi
  verdicts=$(awk -F'\t' -v exe="$exe" '
    NR == FNR {
      if ($0 ~ /^#/ || NF == 0) next
      key = tolower($1) "\t" $2; oldest[key] = $3; how[key] = $4; next
    }
    {
      key = $1 "\t" $2; name = $1 "!" $2
      if (!(key in how))
        print exe " imports " name ", which is not in the table of imports"
      else if (how[key] != "import")
        print exe " imports " name ", which the table says is " how[key] " (oldest Windows: " oldest[key] ")"
      else if (oldest[key] != "95")
        print exe " imports " name ", which needs Windows " oldest[key]
    }' "$table" - <<<"$imports")
  if [ -n "$verdicts" ]; then
    echo "$verdicts" >&2
    status=1
  fi
done
exit $status
