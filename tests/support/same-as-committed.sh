#!/bin/sh
# same-as-committed.sh IMAGEGEN SOUNDGEN SOURCES: the images, icons and sounds
# the tools make now are, byte for byte, the ones committed under SOURCES/resources/.
set -eu
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
"$1" "$scratch/image" > /dev/null
"$2" "$scratch/sound" > /dev/null
for folder in image icon sound; do
  diff -r "$3/resources/$folder" "$scratch/$folder"
done
