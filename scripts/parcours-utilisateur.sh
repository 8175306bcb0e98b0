#!/usr/bin/env bash
# A student's first study, as the student meets the program: the program
# started as the README starts it, on a drive served over a pseudo-terminal
# (the serial link), and driven through its accessibility tree only by
# scripts/parcours_utilisateur.py (main menu, choice, new view, seven manual
# points, save as, automatic sweep, save). PASS or FAIL per step; a picture
# of the screen per step; stops at the first failure.
#   scripts/parcours-utilisateur.sh [--tout] [FOLDER]   (default: build/parcours)
# --tout goes on past the failed checks that do not block the path.
# Exit status: 0 when every step passed, 1 when one failed, 2 when the
# display, the buses, the drive or the program could not be started.
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-build}
case "$BUILD_DIR" in /*) ;; *) BUILD_DIR=$racine/$BUILD_DIR ;; esac

tout=()
sortie=""
for a in "$@"; do
  case "$a" in
    --tout) tout=(--tout) ;;
    -*) echo "usage: scripts/parcours-utilisateur.sh [--tout] [FOLDER]" >&2; exit 2 ;;
    *) sortie=$a ;;
  esac
done
sortie=$(realpath -m "${sortie:-$BUILD_DIR/parcours}")

# The rest runs on a private session bus, which ends with it.
if [ -z "${ORVANE_PARCOURS_BUS:-}" ]; then
  bash "$racine/scripts/install-deps.sh" ecran
  if [ ! -f "$BUILD_DIR/CMakeCache.txt" ]; then
    echo "parcours: no build in $BUILD_DIR (run ./dev build first)" >&2
    exit 2
  fi
  cmake --build "$BUILD_DIR" --target orvane orvanectl orvane-config-demo >/dev/null
  export ORVANE_PARCOURS_BUS=1
  # (The notices of the buses and of the registry losing its display at the
  # end are left out of the standard error.)
  exec timeout -k 10 600 dbus-run-session -- bash "$0" "$@" > >(
    grep --line-buffered -v '^SpiRegistry daemon'
  ) 2> >(
    grep --line-buffered -v -e '^dbus-daemon\[' -e '^X connection to .* broken' >&2
  )
fi

travail=$(mktemp -d /tmp/orvane-parcours.XXXXXX)
pids=()
fin() {
  local statut=$?
  # Ours only, the last started first.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
  done
  for p in "${pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$p" 2>/dev/null || true
  done
  rm -rf "$travail"
  exit "$statut"
}
trap fin EXIT
trap 'exit 130' INT TERM

# attendre SECONDS COMMAND...: until COMMAND succeeds, at most SECONDS.
attendre() {
  local fin=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$fin" ] || return 1
    sleep 0.2
  done
}
echec() { echo "parcours: $*" >&2; exit 2; }

rm -rf "$sortie"
mkdir -p "$sortie"
export XDG_RUNTIME_DIR=$travail/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# The virtual display, on the first free number.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$travail/ecran" \
  >"$travail/xvfb.log" 2>&1 &
pids+=($!)
attendre 10 test -s "$travail/ecran" || echec "Xvfb did not start (see its log)"
export DISPLAY=:$(head -n1 "$travail/ecran")
attendre 10 xdpyinfo >/dev/null 2>&1 || echec "display $DISPLAY does not answer"

# The accessibility bus, started by the session bus on the first request
# (and ended with it), where the program and the helper find it. Its
# registry makes the helper's pointer events: it needs the display.
dbus-update-activation-environment DISPLAY XDG_RUNTIME_DIR >/dev/null 2>&1 ||
  echec "the session bus does not take the display's name"
attendre 10 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.a11y.Bus.GetAddress >/dev/null 2>&1 || echec "the accessibility bus did not start"

# The drive, served on a pseudo-terminal at the line time of 19200 baud.
journal=$travail/journal.txt
"$BUILD_DIR/tools/orvanectl/orvanectl" bench --pty --baud 19200 --machine 1 \
  --journal "$journal" >"$travail/banc.out" 2>"$travail/banc.err" &
pids+=($!)
attendre 10 grep -qs '^pts/' "$travail/banc.out" || echec "the drive did not start: $(cat "$travail/banc.err")"
pty=$(grep -m1 '^pts/' "$travail/banc.out")
echo "parcours: drive on /dev/$pty, display $DISPLAY, pictures in $sortie"

# A fresh start folder whose configuration selects the serial link on that
# port, with the industrial applications beside it (as ./dev run has them).
depart=$travail/depart
mkdir "$depart"
"$BUILD_DIR/app/orvane-config-demo" "$depart" --serial "$pty" || echec "no configuration written"
cp "$BUILD_DIR"/app/CFGAPP*.cfg "$depart"/ 2>/dev/null || true
[ -d "$BUILD_DIR/app/applications" ] && cp -r "$BUILD_DIR/app/applications" "$depart/"

# The program, as the README starts it, with its accessibility on.
(cd "$depart" && QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  exec "$BUILD_DIR/app/orvane") >"$sortie/orvane.log" 2>&1 &
programme=$!
pids+=("$programme")

statut=0
timeout -k 5 400 /usr/bin/python3 -B "$racine/scripts/parcours_utilisateur.py" \
  --pid "$programme" --depart "$depart" --journal "$journal" \
  --orvanectl "$BUILD_DIR/tools/orvanectl/orvanectl" --sortie "$sortie" "${tout[@]}" ||
  statut=$?
cp "$journal" "$sortie/journal-variateur.txt" 2>/dev/null || true
find "$depart" -name 'parcours-etudiant*' -exec cp {} "$sortie/" \; 2>/dev/null || true
kill -0 "$programme" 2>/dev/null || echo "parcours: the program is no longer running" >&2
[ "$statut" -eq 124 ] && echo "parcours: the walk took too long (400 s)" >&2
exit "$statut"
