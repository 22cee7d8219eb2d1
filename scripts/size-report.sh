#!/usr/bin/env bash
# Where a release program's bytes go: its size against a ceiling, then the
# largest contributors by library and by object, read from the linker's map.
# Usage: size-report.sh PROGRAM.exe MAP CEILING_KB
set -euo pipefail
exe=$1 map=$2 ceiling_kb=$3
size=$(stat -c %s "$exe")
printf '%s: %d KB (ceiling %d KB)\n' "$(basename "$exe")" $(((size + 1023) / 1024)) "$ceiling_kb"
# Input sections after the memory map's heading: " .sect 0xADDR 0xSIZE file"
# on one line, or the name alone with address, size and file on the next.
awk '
  function hex(s,   i, v) {
    v = 0; s = tolower(substr(s, 3))
    for (i = 1; i <= length(s); i++) v = v * 16 + index("0123456789abcdef", substr(s, i, 1)) - 1
    return v
  }
  /^Linker script and memory map/ { on = 1; next }
  !on { next }
  /^ \.[^ ]+ *$/ { pending = 1; next }
  {
    if ($1 ~ /^\./ && $2 ~ /^0x/ && $3 ~ /^0x/) { size = hex($3); file = $4 }
    else if (pending && $1 ~ /^0x/ && $2 ~ /^0x/) { size = hex($2); file = $3 }
    else { pending = 0; next }
    pending = 0
    if (size == 0 || file == "") next
    n = split(file, part, "/"); name = part[n]
    lib = name; sub(/\(.*/, "", lib); if (lib == name) lib = "(program objects)"
    bylib[lib] += size; byobj[name] += size
  }
  END {
    for (l in bylib) printf "lib %8d %s\n", bylib[l], l
    for (o in byobj) printf "obj %8d %s\n", byobj[o], o
  }' "$map" > "$map.sizes"
# awk reads to the end, where head would leave sort writing into a closed
# pipe and fail the build under pipefail.
echo "  largest libraries:"
awk '$1 == "lib"' "$map.sizes" | sort -k2,2nr | awk 'NR <= 8 {n = $2; sub(/^[a-z]+ +[0-9]+ /, ""); printf "    %6d KB  %s\n", (n + 1023) / 1024, $0}'
echo "  largest objects:"
awk '$1 == "obj"' "$map.sizes" | sort -k2,2nr | awk 'NR <= 10 {n = $2; sub(/^[a-z]+ +[0-9]+ /, ""); printf "    %6d KB  %s\n", (n + 1023) / 1024, $0}'
if [ "$size" -gt $((ceiling_kb * 1024)) ]; then
  echo "$(basename "$exe") is larger than its ceiling of $ceiling_kb KB" >&2
  exit 1
fi
