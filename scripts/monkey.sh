#!/usr/bin/env bash
# Random input on the program (not part of the tests): for SECONDS, clicks,
# drags, wheel turns and keys (Escape, Return, Space, Tab, letters, digits,
# Alt+letter menus, arrows...) on its visible windows, on a virtual display
# (the xcb platform), every choice drawn from a generator seeded with SEED so
# that a run can be replayed. The program is the sanitized build (build-asan,
# made as ./dev asan makes it, the program only): a sanitizer report, a death
# by a signal, an abnormal exit status or a hang ends the run with status 1
# and the seed to replay; a normal exit (its main menu closed) starts it again.
#   scripts/monkey.sh SECONDS [SEED]      (default SEED: drawn, and printed)
# The program runs in bubblewrap: the file system read-only but for its start
# folder (a fresh folder prepared as ./dev run prepares demo/, the simulated
# bench), a private /tmp, /proc and /dev, no network but its own loopback;
# whatever it is made to do (settings, file and print dialogs) can neither
# write elsewhere nor reach any address.
# The run's folder (printed; MONKEY_DIR to choose it) holds actions.log (every
# action with its time), orvane-N.log (the output of each start), memoire.tsv
# (the resident memory every 10 s) and rapport.txt (the report, also printed).
# Environment:
#   MONKEY_ASAN=0          the plain build in BUILD_DIR (default build) instead
#   ASAN_BUILD_DIR         the sanitized build folder (default build-asan)
set -euo pipefail
racine=$(cd "$(dirname "$0")/.." && pwd)
cd "$racine"

usage() { echo "usage: scripts/monkey.sh SECONDS [SEED]" >&2; exit 2; }
[ $# -ge 1 ] && [ $# -le 2 ] || usage
duree=$1
graine=${2:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
[[ "$duree" =~ ^[0-9]+$ ]] && [ "$duree" -ge 1 ] || usage
[[ "$graine" =~ ^[0-9]+$ ]] || usage

bash scripts/install-deps.sh ecran monkey

if [ "${MONKEY_ASAN:-1}" = 0 ]; then
  build=${BUILD_DIR:-build}
  sanitise=()
  if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "monkey: no build in $build (run ./dev build first)" >&2
    exit 2
  fi
else
  build=${ASAN_BUILD_DIR:-build-asan}
  sanitise=(--sanitise)
  if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DORVANE_SANITIZE=ON -DORVANE_BENCH=OFF
  fi
fi
# The program and the tool that writes its demonstration configuration only.
cmake --build "$build" -j"${JOBS:-2}" --target orvane orvane-config-demo
build=$(cd "$build" && pwd)
programme=$build/app/orvane

# The sandbox must work before anything is clicked.
if ! erreur=$(bwrap --unshare-all --die-with-parent --ro-bind / / --proc /proc --dev /dev true 2>&1); then
  echo "monkey: bubblewrap cannot make its sandbox here: $erreur" >&2
  exit 2
fi

dossier=${MONKEY_DIR:-$(mktemp -d /tmp/orvane-monkey.XXXXXX)}
mkdir -p "$dossier"
dossier=$(cd "$dossier" && pwd)
rm -rf "$dossier/depart" "$dossier/.bus" "$dossier/.runtime"
mkdir -m 700 "$dossier/.bus" "$dossier/.runtime"

pids=()
fin() {
  local statut=$?
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
    kill "${pids[i]}" 2>/dev/null || true
  done
  for p in "${pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$p" 2>/dev/null || true
  done
  rm -rf "$dossier/.bus" "$dossier/.runtime"
  exit "$statut"
}
trap fin EXIT
trap 'exit 130' INT TERM

# attendre SECONDS COMMAND...: until COMMAND succeeds, at most SECONDS.
attendre() {
  local limite=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$limite" ] || return 1
    sleep 0.2
  done
}

# The start folder, as ./dev run prepares demo/: a configuration selecting
# the simulated bench (link type 3), the industrial applications beside it.
depart=$dossier/depart
mkdir "$depart"
"$build/app/orvane-config-demo" "$depart" >/dev/null
cp "$build"/app/CFGAPP*.cfg "$depart"/ 2>/dev/null || true
[ -d "$build/app/applications" ] && cp -r "$build/app/applications" "$depart/"

# The virtual display, on the first free number; its socket in /tmp/.X11-unix
# is what the sandbox reaches (abstract sockets stay in the host's network).
export XDG_RUNTIME_DIR=$dossier/.runtime
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$dossier/.runtime/ecran" \
  >"$dossier/xvfb.log" 2>&1 &
pids+=($!)
attendre 10 test -s "$dossier/.runtime/ecran" || { echo "monkey: Xvfb did not start" >&2; exit 2; }
ecran=$(head -n1 "$dossier/.runtime/ecran")
export DISPLAY=:$ecran
attendre 10 xdpyinfo >/dev/null 2>&1 || { echo "monkey: display $DISPLAY does not answer" >&2; exit 2; }

# A private session bus on a socket file, bound into the sandbox. It starts
# no service on request: a service started by the bus would run outside the
# sandbox (dconf, for one, writes in the home folder).
cat >"$dossier/.runtime/bus.conf" <<FIN
<busconfig>
  <type>session</type>
  <listen>unix:path=$dossier/.bus/socket</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
FIN
dbus-daemon --config-file="$dossier/.runtime/bus.conf" --nofork \
  >"$dossier/.runtime/bus.out" 2>&1 &
pids+=($!)
attendre 10 test -S "$dossier/.bus/socket" || { echo "monkey: the session bus did not start" >&2; exit 2; }

# Every finding ends the program with its report (as ./dev asan runs the
# tests); an abort prints its stack too.
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1:handle_abort=1
export LSAN_OPTIONS=suppressions=$racine/tests/sanitizers/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

bac=(
  bwrap --unshare-all --die-with-parent --new-session
  --ro-bind / / --proc /proc --dev /dev --tmpfs /tmp
  --ro-bind /tmp/.X11-unix /tmp/.X11-unix
  --ro-bind "$dossier/.bus" /tmp/bus
  --dir /tmp/runtime --chmod 0700 /tmp/runtime --dir /tmp/home
  --bind "$depart" "$depart" --chdir "$depart"
  "$programme"
)

echo "monkey: $duree s, seed $graine, display $DISPLAY, folder $dossier"
# In the background, so that an interruption reaches it at once (it then
# writes its report and ends the sandbox).
/usr/bin/python3 -B scripts/monkey.py --duree "$duree" --graine "$graine" --dossier "$dossier" \
  --programme "$programme" "${sanitise[@]}" -- "${bac[@]}" &
pids+=($!)
statut=0
wait "${pids[-1]}" || statut=$?
exit "$statut"
