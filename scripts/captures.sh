#!/usr/bin/env bash
# Pictures of every window in the three languages, for people to look at:
# runs the window tests under a virtual X display with ORVANE_CAPTURES set.
#   scripts/captures.sh [folder]     (default: build/captures)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
dossier=$(realpath -m "${1:-$BUILD_DIR/captures}")
mkdir -p "$dossier"
export ORVANE_CAPTURES="$dossier"
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
for t in "$BUILD_DIR"/tests/gui/tst_*; do
  [ -f "$t" ] && [ -x "$t" ] || continue
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1920x1080x24" "$t" >/dev/null 2>&1 ||
    echo "captures: $(basename "$t") failed" >&2
done
ls "$dossier"
