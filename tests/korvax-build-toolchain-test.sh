#!/usr/bin/env bash
# korvax-build-toolchain-test.sh SOURCE_DIR BUILD_DIR: the parts of the
# toolchain that only make tools/korvax-build faster never change what a
# student sees, and their absence never stops a build.
# 1. A circuit with a compiler warning, and one with a compile error:
#    korvax-build prints exactly what the compiler prints for the file
#    compiled alone without the precompiled korvax.h, and the error's status.
# 2. The precompiled header missing, older than the headers, or not a
#    precompiled header at all: the circuit still builds, silently, and runs.
# 3. The linker: lld when it is installed (its name is in the executable's
#    .comment section), the compiler's default one when it is not on the
#    PATH.
set -eu
src=$1 build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "korvax-build toolchain: $*"; exit 1; }
# shellcheck disable=SC1091
. "$build/korvax-build.env"
[ -f "$PCH/korvax.h.gch" ] || fail "the build has no precompiled korvax.h at $PCH"
kb() { KORVAX_BUILD_DIR=$1 "$src/tools/korvax-build" -n "${@:2}"; }

# 1. Messages as the compiler gives them for the file alone.
sed 's|^void simnet() {$|&\n    int unused = 3;|' "$src/examples/full-adder.cpp" >warn.cpp
sed 's|^void simnet() {$|&\n    in.noSuchMember();|' "$src/examples/full-adder.cpp" >error.cpp
for name in warn error; do
  set +e
  # shellcheck disable=SC2086
  "$CXX" $CXXFLAGS -I"$INCLUDE" -c $name.cpp -o alone.o 2>$name.alone
  want=$?
  kb "$build" -o bin/$name $name.cpp >/dev/null 2>$name.built
  got=$?
  set -e
  grep -q "^$name.cpp:13:" $name.alone || fail "$name.cpp: the compiler itself said no $name.cpp:13: $(cat $name.alone)"
  cmp -s $name.alone $name.built || fail "$name.cpp: korvax-build printed
$(cat $name.built)
where the compiler alone prints
$(cat $name.alone)"
  [ "$got" = "$want" ] || fail "$name.cpp: status $got, the compiler's is $want"
done
[ -x bin/warn ] && [ ! -e bin/error ] || fail "the warning's circuit was not built, or the error's was"
# What the adder prints for 1 + 1 + 1, built the usual way.
adds=$(bin/warn -X -k abc 2>&1 >/dev/null)
[ "$(printf '%s\n' "$adds" | tail -n 1)" = "Time = 110  Probe for sum at ad  Value = ONE" ] ||
  fail "the adder built the usual way ended with: $(printf '%s\n' "$adds" | tail -n 1)"

# 2. A build folder of its own whose precompiled header is elsewhere.
mkdir fake
sed "s|^PCH=.*|PCH='$work/pch'|" "$build/korvax-build.env" >fake/korvax-build.env
cp "$src/examples/full-adder.cpp" adder.cpp
for state in missing stale garbage; do
  case $state in
    stale) mkdir pch && cp "$PCH/korvax.h.gch" pch/ && touch -d 2000-01-01 pch/korvax.h.gch ;;
    garbage) echo "not a precompiled header" >pch/korvax.h.gch ;;
  esac
  out=$(kb fake -o bin/adder-$state adder.cpp 2>$state.err) || fail "precompiled header $state: $(cat $state.err)"
  [ ! -s $state.err ] || fail "precompiled header $state: the build said $(cat $state.err)"
  [ "$("$out" -X -k abc 2>&1 >/dev/null)" = "$adds" ] || fail "precompiled header $state: the adder does not add"
done

# 3. The linker.
linked() { readelf -p .comment "$1" | grep -q 'Linker: .*LLD'; }
if command -v ld.lld >/dev/null; then
  linked bin/warn || fail "ld.lld is installed, but the circuit was not linked with it"
fi
# A PATH of everything in /usr/bin but ld.lld (on a merged /usr, /bin is
# the same folder, so it stays off the PATH).
mkdir nolld
for f in /usr/bin/*; do [ "${f##*/}" = ld.lld ] || ln -s "$f" nolld/; done
out=$(PATH=$work/nolld kb "$build" -o bin/adder-nolld adder.cpp 2>nolld.err) || fail "without ld.lld: $(cat nolld.err)"
! linked "$out" || fail "without ld.lld on the PATH the circuit was still linked with lld"
[ "$("$out" -X -k abc 2>&1 >/dev/null)" = "$adds" ] || fail "the adder linked without lld does not add"
echo "korvax-build toolchain: ok"
