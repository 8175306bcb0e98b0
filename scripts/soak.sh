#!/usr/bin/env bash
# Endurance run (not part of the tests): the tracing window acquires without
# end, in every mode in turn, from the simulated drive served on a
# pseudo-terminal by `orvanectl bench --pty`; its memory (resident set) and
# open handles (/proc/PID/fd) are read at the start, every minute and at the
# end, and the growth is printed.
#   scripts/soak.sh [SECONDS]     (default 600; the first 10 s are warm-up)
# Uses the build in BUILD_DIR (default build): cmake --build build --target
# orvane-soak orvanectl
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
duree=${1:-600}
echauffement=10
if ! [[ "$duree" =~ ^[0-9]+$ ]] || [ "$duree" -le "$echauffement" ]; then
  echo "soak: the duration is a number of seconds above $echauffement" >&2
  exit 1
fi
banc="$BUILD_DIR/tools/orvanectl/orvanectl"
pilote="$BUILD_DIR/tools/soak/orvane-soak"
for b in "$banc" "$pilote"; do
  [ -x "$b" ] || { echo "soak: $b is missing (build it first)" >&2; exit 1; }
done

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/runtime-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
travail=$(mktemp -d)
pid_banc="" pid_pilote=""
finir() {
  [ -n "$pid_pilote" ] && kill "$pid_pilote" 2>/dev/null || true
  [ -n "$pid_banc" ] && kill "$pid_banc" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$travail"
}
trap finir EXIT

"$banc" bench --pty --machine 3 > "$travail/banc.out" 2> "$travail/banc.err" &
pid_banc=$!
for _ in $(seq 50); do
  [ -s "$travail/banc.out" ] && break
  sleep 0.1
done
port=$(head -n 1 "$travail/banc.out")
[ -n "$port" ] || { echo "soak: the drive did not start: $(cat "$travail/banc.err")" >&2; exit 1; }

# The driver runs a little longer than the measurement, so that the last
# reading is taken while it still acquires.
"$pilote" "$port" $((duree + 5)) "$travail" > "$travail/pilote.out" 2>&1 &
pid_pilote=$!

rss() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid_pilote/status"; }
fds() { ls "/proc/$pid_pilote/fd" | wc -l; }
mesurer() {
  kill -0 "$pid_pilote" 2>/dev/null || { echo "soak: the driver ended early:" >&2; cat "$travail/pilote.out" >&2; exit 1; }
  printf '%6s s  %8s kB  %4s handles  %s\n' "$1" "$(rss)" "$(fds)" "$(grep '^t=' "$travail/pilote.out" | tail -n 1)"
}

echo "soak: $duree s of acquisition from the drive on /dev/$port (driver pid $pid_pilote)"
sleep "$echauffement"
rss0=$(rss) fds0=$(fds)
mesurer "$echauffement"
t=$echauffement
while [ $((t + 60)) -lt "$duree" ]; do
  sleep 60
  t=$((t + 60))
  mesurer "$t"
done
sleep $((duree - t))
rss1=$(rss) fds1=$(fds)
mesurer "$duree"
wait "$pid_pilote" || { echo "soak: the driver failed:" >&2; cat "$travail/pilote.out" >&2; exit 1; }
pid_pilote=""
grep '^end' "$travail/pilote.out" || true
if grep -v '^t=\|^end\|^ready' "$travail/pilote.out" >/dev/null; then
  echo "driver messages:"
  grep -v '^t=\|^end\|^ready' "$travail/pilote.out" | sort | uniq -c
fi
echo
printf '%-22s %10s %10s %10s\n' "" "start" "end" "growth"
printf '%-22s %10s %10s %+10d\n' "resident memory (kB)" "$rss0" "$rss1" $((rss1 - rss0))
printf '%-22s %10s %10s %+10d\n' "open handles" "$fds0" "$fds1" $((fds1 - fds0))
