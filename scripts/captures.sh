#!/usr/bin/env bash
# Pictures of every window of the program, for people to look at before an
# issue is closed: in French, English and Spanish, on screens of 1280x800 and
# 1024x768, as the X server shows them (a virtual display, the xcb platform).
#   scripts/captures.sh [FOLDER]        (default: build/captures)
# The pictures are FOLDER/<language>-<W>x<H>-<window>.png; the virtual display
# has no window manager, so the window titles are listed in FOLDER/titres.txt.
# Environment:
#   TAILLES="1280x800 1024x768"   the screen sizes
#   LANGUES=fr,en,es              the languages
#   BUILD_DIR=build               the build folder (made by ./dev build)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
TAILLES=${TAILLES:-1280x800 1024x768}
LANGUES=${LANGUES:-fr,en,es}
dossier=$(realpath -m "${1:-$BUILD_DIR/captures}")

bash scripts/install-deps.sh ecran
if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
  echo "captures: no build in $BUILD_DIR (run ./dev build first)" >&2
  exit 1
fi
cmake --build "$BUILD_DIR" --target orvane-captures >/dev/null
programme=$BUILD_DIR/app/orvane-captures

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
mkdir -p "$dossier"
# The pictures of an earlier run go; anything else in the folder stays.
find "$dossier" -maxdepth 1 -type f -regextype posix-extended \
  -regex '.*/(fr|en|es)-[0-9]+x[0-9]+-[a-z-]+\.png' -delete
rm -f "$dossier/titres.txt"

statut=0
debut=$SECONDS
for taille in $TAILLES; do
  journal=$dossier/captures-$taille.log
  echo "captures: screen $taille"
  t0=$SECONDS
  # One display per size; a run that hangs is stopped after 4 minutes.
  if ! QT_QPA_PLATFORM=xcb timeout -k 5 240 \
    xvfb-run -a -s "-screen 0 ${taille}x24" "$programme" "$dossier" "$LANGUES" >"$journal" 2>&1; then
    echo "captures: the run at $taille failed; see $journal" >&2
    statut=1
  fi
  grep -v '\.png$' "$journal" | sed 's/^/  /' || true
  echo "  ($((SECONDS - t0)) s)"
done

echo "captures: in $dossier ($((SECONDS - debut)) s):"
(cd "$dossier" && ls -1 -- *.png 2>/dev/null) || true
exit $statut
