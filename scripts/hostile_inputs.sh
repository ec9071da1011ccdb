#!/usr/bin/env bash
# Runs kelvane-cli on the trees and files a shared library folder collects and prints, for
# each command, its exit status, time and peak memory:
#   scripts/hostile_inputs.sh [DEPTH]
# a web of 40 folders each linking twice to the next, a tree DEPTH levels deep (default
# 3,000, made with relative mkdir and chdir), a sparse function file announcing 100,000,000
# parameters, one at the load limit (64 MiB), folders nobody may read (as nobody, when run
# as root), names with control characters, and a function file linked out of the library.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${KELVANE_BUILD:-build}
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
[ -x /usr/bin/time ] || bash scripts/deps.sh
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j2 --target kelvane-cli >/dev/null
cli=$PWD/$build/bin/kelvane-cli
depth=${1:-3000}
work=$(mktemp -d)
trap 'chmod -R u+rwx "$work" 2>/dev/null; rm -rf "$work"' EXIT
lib=$work/FunctionLibrary

# A function file of 1372 bytes announcing the parameter count given as 4 bytes, little
# endian; sound when the count is 0.
header() { head -c 1368 /dev/zero; printf "$1"; }
function_in() { mkdir -p "$1/$2()"; header '\x00\x00\x00\x00' >"$1/$2()/$2().fdb"; }

# The store is inside Web, so that check (which follows no link out of the folder it is
# given) walks the web too.
store=$lib/Web/store
mkdir -p "$lib/Web/d00" "$store"
for i in $(seq 0 39); do
    d=$(printf 'd%02d' "$i")
    dir=$([ "$i" = 0 ] && echo "$lib/Web/$d" || echo "$store/$d")
    mkdir -p "$dir"
    function_in "$dir" "F${d#d}"
    if [ "$i" -lt 39 ]; then
        next=$(printf '%s/d%02d' "$store" $((i + 1)))
        ln -s "$next" "$dir/a"
        ln -s "$next" "$dir/b"
    fi
done

mkdir -p "$lib/Deep"
# Relative mkdir and chdir (perl's chdir keeps no path, unlike the shell's cd).
(cd "$lib/Deep" && perl -e 'for (1 .. $ARGV[0]) { mkdir "d" or die "$!"; chdir "d" or die "$!" }
    mkdir "Bottom()"; open(my $f, ">", "Bottom()/Bottom().fdb") or die "$!"; print $f "\0" x 1372' \
    "$depth")

mkdir -p "$lib/Huge/Big()" "$lib/Huge/Near()"
header '\x00\xe1\xf5\x05' >"$lib/Huge/Big()/Big().fdb"  # 100,000,000
truncate -s $((1372 + 4740 * 100000000)) "$lib/Huge/Big()/Big().fdb"
header '\x4d\x37\x00\x00' >"$lib/Huge/Near()/Near().fdb"  # 14,157
truncate -s $((1372 + 4740 * 14157)) "$lib/Huge/Near()/Near().fdb"
function_in "$lib/Huge" Ok

mkdir -p "$lib/Closed/Inner" "$lib/Open"
function_in "$lib/Open" Locked
chmod 000 "$lib/Closed" "$lib/Open/Locked()/Locked().fdb"

mkdir -p "$lib/Names/$(printf 'T\033[31mred')" "$lib/Names/$(printf 'N\n0 function folders checked')"
function_in "$lib/Names" "$(printf 'E\033]0;title\a')"

mkdir -p "$lib/Linked/Out()" "$work/outside"
header '\x00\x00\x00\x00' >"$work/outside/target.fdb"
ln -s "$work/outside/target.fdb" "$lib/Linked/Out()/Out().fdb"

as_nobody=()
if [ "$(id -u)" = 0 ] && [ -x /usr/bin/setpriv ]; then
    chmod 755 "$work"
    as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi

printf '%-14s %-44s %4s %8s %10s\n' input command exit seconds "peak KB"
run() {
    local input=$1 shown=$2
    shift 2
    /usr/bin/time -o "$work/stats" -f '%x %e %M' "$@" >/dev/null 2>&1 || true
    printf '%-14s %-44s %4s %8s %10s\n' "$input" "$shown" $(tail -1 "$work/stats")
}
k=("$cli" --lang en --home "$work")
run "link web" "tree Web" "${k[@]}" tree Web
run "link web" "check Web" "${k[@]}" check "$lib/Web"
run "deep $depth" "tree Deep" "${k[@]}" tree Deep
run "deep $depth" "check Deep" "${k[@]}" check "$lib/Deep"
run "sparse 474 GB" "show Big()" "${k[@]}" show "$lib/Huge/Big()"
run "sparse 474 GB" "add-param Big()" "${k[@]}" add-param "$lib/Huge/Big()"
run "sparse 474 GB" "check Huge" "${k[@]}" check "$lib/Huge"
run "sparse 474 GB" "list Huge" "${k[@]}" list "$lib/Huge"
run "64 MiB file" "show Near()" "${k[@]}" show "$lib/Huge/Near()"
run "64 MiB file" "show --json Near()" "${k[@]}" show --json "$lib/Huge/Near()"
run "64 MiB file" "edit Near() description" "${k[@]}" edit "$lib/Huge/Near()" \
    "Description(Max:1024 bytes)" x
run "unreadable" "check (${as_nobody[0]:-as this user})" "${as_nobody[@]}" "${k[@]}" check
run "unreadable" "tree Closed" "${as_nobody[@]}" "${k[@]}" tree Closed
run "unreadable" "list Closed" "${as_nobody[@]}" "${k[@]}" list "$lib/Closed"
run "unreadable" "show Locked()" "${as_nobody[@]}" "${k[@]}" show "$lib/Open/Locked()"
run "control names" "tree Names" "${k[@]}" tree Names
run "control names" "check Names" "${k[@]}" check "$lib/Names"
run "link outside" "add-param Out()" "${k[@]}" add-param "$lib/Linked/Out()"
run "link outside" "add-param --follow-links Out()" "${k[@]}" add-param --follow-links \
    "$lib/Linked/Out()"
run "whole library" "check" "${k[@]}" check
