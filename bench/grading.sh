#!/usr/bin/env bash
# bench/grading.sh [BUILD_DIR]: the costs of grading safely, side by side in
# one run:
#   - the sandbox: bubblewrap starting `true`, against `true` alone (20 each);
#   - the processor's netlist: -X -E, -X -N (the difference is writing it)
#     and korvax-run -X -E (reading and replaying it), 20 runs each;
#   - grading 20 small submissions with -j 2: CPU time (user + system of
#     korvax-check and everything it starts) of the korvax-check before the
#     sandbox (git revision f46a98b^, run from a scratch copy) and of this
#     one without and with the sandbox. The processes in a sandbox are not
#     children whose times reach korvax-check (bubblewrap's own process
#     reaps them), so with the sandbox the CPU time is the whole machine's,
#     from /proc/stat: on a shared machine it includes others' work.
set -eu
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
now() { date +%s.%N; }
per() { awk -v a="$1" -v b="$2" -v n="$3" 'BEGIN { printf "%.1f ms", (b - a) * 1000 / n }'; }

a=$(now); for _ in $(seq 20); do true; done; b=$(now)
c=$(now); for _ in $(seq 20); do bwrap --ro-bind /usr /usr --symlink usr/bin /bin --symlink usr/lib /lib \
  --symlink usr/lib64 /lib64 --proc /proc --dev /dev --tmpfs /tmp --unshare-all --die-with-parent \
  --new-session -- /bin/true; done; d=$(now)
echo "sandbox: true $(per "$a" "$b" 20), bwrap true $(per "$c" "$d" 20) per start"

cd "$t"
a=$(now); for _ in $(seq 20); do "$build/korvax" -X -E >/dev/null 2>&1; done; b=$(now)
c=$(now); for _ in $(seq 20); do "$build/korvax" -X -N p.knl >/dev/null 2>&1; done; d=$(now)
e=$(now); for _ in $(seq 20); do "$build/korvax-run" p.knl -X -E >/dev/null 2>&1; done; f=$(now)
echo "processor ($(wc -c <p.knl) bytes of netlist): -X -E $(per "$a" "$b" 20), -X -N $(per "$c" "$d" 20)," \
  "korvax-run -X -E $(per "$e" "$f" 20)"

mkdir subs
for k in 1 2 3 4; do
  for f in nand xor mux slow; do cp "$top/tests/grading/$f.cpp" "subs/$f$k.cpp"; done
  cp "$top/tests/grading/b/majority.cpp" "subs/wrong$k.cpp"
done
mkdir old && git -C "$top" archive f46a98b^ tools | tar -x -C old
ln -s "$top/sim" old/sim
cpu() {  # cpu COMMAND…: user + system seconds of COMMAND and its children
  /usr/bin/time -o "$t/time" -f '%U %S' "$@" >/dev/null 2>&1 || true
  tail -n1 "$t/time" | awk '{ printf "%.2f", $1 + $2 }'
}
export KORVAX_BUILD_DIR=$build
o=$(cpu old/tools/korvax-check -j 2 "$top/tests/grading/majority.vec" subs/*.cpp)
n=$(cpu "$top/tools/korvax-check" -j 2 --no-sandbox "$top/tests/grading/majority.vec" subs/*.cpp)
ticks() { awk '/^cpu / { print $2 + $3 + $4 }' /proc/stat; }
hz=$(getconf CLK_TCK)
t0=$(ticks)
"$top/tools/korvax-check" -j 2 "$top/tests/grading/majority.vec" subs/*.cpp >/dev/null 2>&1 || true
s=$(awk -v a="$t0" -v b="$(ticks)" -v hz="$hz" 'BEGIN { printf "%.2f", (b - a) / hz }')
awk -v o="$o" -v n="$n" -v s="$s" 'BEGIN { printf "grading 20 submissions, -j 2: CPU %.2f s before (%.3f s each); now %.2f s without the sandbox (%.2fx), %.2f s of the whole machine with it (%.2fx)\n", o, o / 20, n, n / o, s, s / o }'
