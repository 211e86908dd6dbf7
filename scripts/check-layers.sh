#!/usr/bin/env bash
# Each folder of src/ is a layer and includes only its own and lower layers; this lists any
# include that reaches up and fails if there is one. From the ground up:
layers=(core config device input platform ui overview presenter mainwindow app)
set -euo pipefail
cd "$(dirname "$0")/../src"
rank() { local i; for i in "${!layers[@]}"; do [ "${layers[$i]}" = "$1" ] && { echo "$i"; return; }; done; echo -1; }
status=0
for layer in "${layers[@]}"; do
  mine=$(rank "$layer")
  while IFS=: read -r file line text; do
    target=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$text")
    theirs=$(rank "$target")
    [ "$theirs" -lt 0 ] && continue
    if [ "$theirs" -gt "$mine" ]; then
      echo "$file:$line: $layer includes the higher layer $target"
      status=1
    fi
  done < <(grep -rnE '^#include "[a-z_]+/' "$layer" || true)
done
for folder in */; do
  [ "$(rank "${folder%/}")" -ge 0 ] || { echo "src/$folder has no place in the layers of scripts/check-layers.sh"; status=1; }
done
exit $status
