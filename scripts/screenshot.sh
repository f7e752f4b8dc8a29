#!/usr/bin/env bash
# Pictures of the window for the README: the window on a virtual screen, filled
# with the demo's example drawings, tab 0, tab 2 and the preview written to docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
PLANDOCK_SETUP=--screenshots scripts/build.sh --target plandock-gui plandock_make_examples
bin=build/release
# A folder with a Japanese name, as the users' drawings have.
drawings=/tmp/plandock-screenshots/図面
pictures=/tmp/plandock-screenshots/png
rm -rf /tmp/plandock-screenshots
mkdir -p "$drawings" docs
"$bin/plandock_make_examples" "$drawings" >/dev/null
PLANDOCK_SCREENSHOTS="$pictures" xvfb-run -a -s "-screen 0 1280x800x24" \
  "$bin/plandock-gui" "$drawings/base_plan.jww" "$drawings/plumbing_overlay.jww" \
  "$drawings/electrical_overlay.jww"
cp "$pictures/window-files.png" "$pictures/window-batch.png" "$pictures/window-preview.png" docs/
echo "Wrote docs/window-files.png, docs/window-batch.png and docs/window-preview.png"
