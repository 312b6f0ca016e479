#!/usr/bin/env bash
# The resources the Windows host reads from the PE module with the Windows
# resource calls equal, byte for byte, those the native host reads from the
# native module: opalhost prints each of them (`print resource TYPE ID`, the
# list taken from the native module) on both builds, and the two transcripts
# must be the same.
#
#   same-as-native.sh --native OPALHOST PLUGIN --work-dir DIR -- PLUGIN OPALHOST...
#
# The first OPALHOST and PLUGIN are the native build's; after "--" come the
# module under test and the command that starts its host.
set -u
usage() {
    echo "usage: same-as-native.sh --native OPALHOST PLUGIN --work-dir DIR -- PLUGIN OPALHOST..." >&2
    exit 2
}
[ $# -ge 7 ] && [ "$1" = --native ] && [ "$4" = --work-dir ] && [ "$6" = -- ] || usage
native_host=$2 native_plugin=$3 work=$5 plugin=$7
shift 7
[ $# -gt 0 ] || usage
for f in "$native_host" "$native_plugin"; do
    [ -f "$f" ] || { echo "no $f: build the native preset first" >&2; exit 2; }
done

rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 2

# host PLUGIN SCRIPT OUT OPALHOST...: one session on the script, exit 0 expected.
host() {
    local plugin=$1 script=$2 out=$3
    shift 3
    "$@" --plugin "$plugin" --workspace opal.workspace --script "$script" > "$out" 2>&1 < /dev/null
    local status=$?
    if [ $status != 0 ]; then
        echo "$* --script $script: exit $status"
        cat "$out"
        exit 1
    fi
}

echo "print resources" > list.txt
host "$native_plugin" list.txt list "$native_host"
{
    echo "print resources"
    sed -n 's/^resource \([0-9]*\) \([0-9]*\) [0-9]*$/print resource \1 \2/p' list
} > dump.txt
[ "$(wc -l < dump.txt)" -gt 1 ] || { echo "the native module lists no resources:"; cat list; exit 1; }

host "$native_plugin" dump.txt native "$native_host"
host "$plugin" dump.txt windows "$@"
cmp -s native windows && exit 0

# Name what differs: the listing's lines come first, then one line of
# hexadecimal bytes per resource, in the order of dump.txt.
echo "the resources differ from the native module's:"
mapfile -t keys < <(sed -n 's/^print resource //p' dump.txt)
mapfile -t a < native
mapfile -t b < windows
n=${#keys[@]}
[ ${#a[@]} = $((2 * n)) ] && [ ${#b[@]} = $((2 * n)) ] || { diff -u native windows | cut -c 1-160; exit 1; }
for ((i = 0; i < n; i++)); do
    [ "${a[i]}" = "${b[i]}" ] || echo "listed natively as \"${a[i]}\", on Windows as \"${b[i]}\""
    x=${a[n + i]} y=${b[n + i]}
    [ "$x" = "$y" ] && continue
    for ((k = 0; k < ${#x} && k < ${#y}; k += 2)); do
        [ "${x:k:2}" = "${y:k:2}" ] || break
    done
    echo "resource ${keys[i]}: $((${#x} / 2)) bytes natively, $((${#y} / 2)) on Windows, first difference at byte $((k / 2))"
done
exit 1
