#!/usr/bin/env bash
# Fails on an include that points up: a product folder may include only itself and the folders
# below it. bench/ and tests/ sit above all of them and may include any of them; inside bench/,
# its rooms point one way too.
set -euo pipefail

cd "$(dirname "$0")/.."
# Top to bottom. host/, platform/ and pendant/ are the floor: each includes only itself.
layers=(check plugin display input device config settings platform host pendant)

rank() {
  local i
  for i in "${!layers[@]}"; do
    if [ "${layers[$i]}" = "$1" ]; then
      echo "$i"
      return
    fi
  done
  echo -1  # bench/, tests/ or anything else of the project: above every layer
}

failed=0
for folder in "${layers[@]}"; do
  own=$(rank "$folder")
  while IFS=: read -r file line target; do
    into=$(rank "${target%%/*}")
    allowed=1
    if [ "$folder" = host ] || [ "$folder" = platform ] || [ "$folder" = pendant ]; then
      [ "${target%%/*}" = "$folder" ] || allowed=0
    elif [ "$into" -lt "$own" ]; then
      allowed=0
    fi
    if [ "$allowed" = 0 ]; then
      echo "$file:$line: $folder/ includes $target"
      failed=1
    fi
  done < <(grep -rnoE '^#include "[a-z_]+/[^"]+"' "$folder" | sed -E 's/:#include "/:/; s/"$//')
done

# The bench's rooms, top to bottom: each includes only itself and the rooms below it (and any
# product folder).
rooms=(terminal script session host)
room_rank() {
  local i
  for i in "${!rooms[@]}"; do
    if [ "${rooms[$i]}" = "$1" ]; then
      echo "$i"
      return
    fi
  done
  echo -1
}
for room in "${rooms[@]}"; do
  own=$(room_rank "$room")
  while IFS=: read -r file line target; do
    if [ "$(room_rank "$target")" -lt "$own" ]; then
      echo "$file:$line: bench/$room/ includes bench/$target/"
      failed=1
    fi
  done < <(grep -rnoE '^#include "bench/[a-z_]+/' "bench/$room" |
    sed -E 's|:#include "bench/|:|; s|/$||')
done

if [ "$failed" = 0 ]; then
  echo "every include points down: ${layers[*]}; bench: ${rooms[*]}"
fi
exit "$failed"
