#!/usr/bin/env bash
# Builds the tool, writes the example drawings and merges the two overlays
# into the floor plan, then shows what the merged drawing holds.
set -euo pipefail
cd "$(dirname "$0")/.."
echo "== Building (output in build/demo-build.log, shown only if the build fails)"
mkdir -p build
scripts/build.sh --target plandock plandock_make_examples >build/demo-build.log 2>&1 ||
  { cat build/demo-build.log; echo "demo: the build failed (log above)" >&2; exit 1; }
bin=build/release
out=out/examples
mkdir -p "$out"
rm -f "$out/merged.jww" "$out/merged.BAK" "$out/preview.svg"

echo "== Example drawings"
"$bin/plandock_make_examples" "$out"

echo
echo "== Merging: the 1:50 plumbing plan onto layer group C, the 1:200 electrical"
echo "   plan onto layer group D, both scaled to the 1:100 plan (--real-size) and"
echo "   placed by their reference texts 【基準点】"
"$bin/plandock" merge --base "$out/base_plan.jww" --out "$out/merged.jww" \
  --real-size --check-ref --layer-state merged \
  "$out/plumbing_overlay.jww" --group C \
  "$out/electrical_overlay.jww" --group D \
  --preview "$out/preview.svg"

echo
echo "== What the merged drawing holds"
"$bin/plandock" info "$out/merged.jww"
echo
echo "The merged drawing is $(pwd)/$out/merged.jww"
echo "A picture of it, each overlay in its own colour: $(pwd)/$out/preview.svg"
