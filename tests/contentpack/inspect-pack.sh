#!/usr/bin/env bash
# inspect-pack.sh DAPPLE CONTENT_FOLDER
# `dapple inspect`, which reads every layer and every tile, accepts every
# file of the default content pack.
set -euo pipefail
dapple=${1:?usage: inspect-pack.sh DAPPLE CONTENT_FOLDER}
pack=${2:?}

count=0
while IFS= read -r -d '' file; do
  if ! "$dapple" inspect "$file" >/dev/null; then
    echo "inspect-pack: dapple inspect refuses $file" >&2
    exit 1
  fi
  count=$((count + 1))
done < <(find "$pack" -type f -print0)
[ "$count" -ge 13 ] || { echo "inspect-pack: only $count files in $pack" >&2; exit 1; }
echo "inspect-pack: $count files inspected"
