#!/usr/bin/env bash
# bench/grading.sh [-r ROUNDS] [-b TREE] [BUILD_DIR]: the costs of grading
# safely, side by side in one run:
#   - the sandbox: bubblewrap starting `true`, against `true` alone (20 each);
#   - the processor's netlist: -X -E, -X -N (the difference is writing it)
#     and korvax-run -X -E (reading and replaying it), 20 runs each;
#   - grading 20 small submissions with -j 2, in turns ROUNDS times
#     (default 3): TREE's own tools/korvax-check with TREE's build/ (for
#     example a worktree of an older commit, before the sandbox), and this
#     one without and with the sandbox; CPU time per submission, the least
#     and the median.
# CPU time is user + system of korvax-check and of every process it starts,
# the sandbox's included. The processes in a sandbox are not children
# whose times reach korvax-check (with its own process namespace,
# bubblewrap's process 1 reaps them and their times reach no one), so the
# command runs in a control group of its own (cgroup v2 cpu.stat or v1
# cpuacct; needs the right to make one, as root) and the group's CPU time
# is read. Without that right the times are those of the whole machine,
# from /proc/stat, said so in the output: on a shared machine they include
# others' work. The time of korvax-check without the sandbox is also given
# as its children's (getrusage), which the control group's must match.
set -eu
rounds=3 before=
while getopts "r:b:" opt; do
  case $opt in
    r) rounds=$OPTARG ;;
    b) before=$(cd "$OPTARG" && pwd) ;;
    *) echo "usage: bench/grading.sh [-r ROUNDS] [-b TREE] [BUILD_DIR]" >&2; exit 2 ;;
  esac
done
shift $((OPTIND - 1))
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
vectors=$top/tests/grading/majority.vec

# The control group the measured commands run in, one at a time.
group= kind=
for root in /sys/fs/cgroup /sys/fs/cgroup/unified; do
  if [ -f "$root/cgroup.controllers" ] && mkdir "$root/korvax-bench.$$" 2>/dev/null; then
    group=$root/korvax-bench.$$ kind=v2; break
  fi
done
if [ -z "$group" ] && [ -f /sys/fs/cgroup/cpuacct/cpuacct.usage ] &&
   mkdir /sys/fs/cgroup/cpuacct/korvax-bench.$$ 2>/dev/null; then
  group=/sys/fs/cgroup/cpuacct/korvax-bench.$$ kind=v1
fi
# The group goes when the script ends; its last processes may take a
# moment to leave it.
unmake() {
  [ -n "$group" ] || return 0
  for _ in $(seq 50); do rmdir "$group" 2>/dev/null && return 0; sleep 0.1; done
  echo "bench/grading.sh: could not remove $group" >&2
}
trap 'unmake; rm -rf "$t"' EXIT
# usage: the CPU seconds used so far by the group's processes, or by the
# whole machine without a group.
usage() {
  case $kind in
    v2) awk '$1 == "usage_usec" { printf "%.6f", $2 / 1e6 }' "$group/cpu.stat" ;;
    v1) awk '{ printf "%.6f", $1 / 1e9 }' "$group/cpuacct.usage" ;;
    *) awk -v hz="$(getconf CLK_TCK)" '/^cpu / { printf "%.6f", ($2 + $3 + $4) / hz }' /proc/stat ;;
  esac
}
# cpu FILE COMMAND…: appends the CPU seconds of COMMAND and everything it
# starts to FILE; without a group, the whole machine's over its run.
cpu() {
  local file=$1; shift
  local a; a=$(usage)
  if [ -n "$group" ]; then
    sh -c 'echo $$ >"$1/cgroup.procs" && shift && exec "$@"' sh "$group" "$@" >/dev/null 2>&1 || true
  else
    "$@" >/dev/null 2>&1 || true
  fi
  awk -v a="$a" -v b="$(usage)" 'BEGIN { printf "%.3f\n", b - a }' >>"$file"
}
# children FILE COMMAND…: appends user + system seconds of COMMAND and the
# children it waited for (getrusage) to FILE.
children() {
  local file=$1; shift
  /usr/bin/time -o "$t/time" -f '%U %S' "$@" >/dev/null 2>&1 || true
  tail -n1 "$t/time" | awk '{ printf "%.3f\n", $1 + $2 }' >>"$file"
}

export KORVAX_BUILD_DIR=$build
for ((r = 1; r <= rounds; r++)); do
  if [ -n "$before" ]; then
    cpu "$t/before" env KORVAX_BUILD_DIR="$before/build" "$before/tools/korvax-check" -j 2 "$vectors" subs/*.cpp
  fi
  cpu "$t/bare" "$top/tools/korvax-check" -j 2 --no-sandbox "$vectors" subs/*.cpp
  children "$t/bare-rusage" "$top/tools/korvax-check" -j 2 --no-sandbox "$vectors" subs/*.cpp
  cpu "$t/sandbox" "$top/tools/korvax-check" -j 2 "$vectors" subs/*.cpp
done
# each FILE: the least and the median of the file's seconds, per submission.
each() {
  sort -n "$1" | awk '{ v[NR] = $1 / 20 } END { printf "least %.3f median %.3f", v[1], v[int((NR + 1) / 2)] }'
}
case $kind in
  v2|v1) how="its control group's CPU time (cgroup $kind)" ;;
  *) how="the whole machine's CPU time (no control group could be made)" ;;
esac
echo "grading 20 submissions, -j 2, $rounds rounds, CPU s per submission, $how:"
if [ -n "$before" ]; then
  echo "  before ($before/tools/korvax-check): $(each "$t/before")"
else
  echo "  before: not measured (no -b TREE)"
fi
echo "  now without the sandbox: $(each "$t/bare") (getrusage of its children: $(each "$t/bare-rusage"))"
echo "  now with the sandbox: $(each "$t/sandbox")"
