#!/usr/bin/env bash
# Runs one opalhost scenario and compares its transcript with the golden one.
#
#   run-scenario.sh [--update] [--golden FILE] --plugin FILE --work-dir DIR SCENARIO -- OPALHOST...
#
# SCENARIO is a path without extension (tests/scenarios/restart). OPALHOST is
# the command that starts the host, with any arguments of its own: the native
# build passes the opalhost program, the Windows build "wine opalhost.exe".
#
#  1. DIR is emptied. When SCENARIO.workspace.hex exists, its bytes become
#     DIR/opal.workspace: hexadecimal digits, whitespace and "#" comments.
#  2. SCENARIO.txt runs, then SCENARIO.2.txt, SCENARIO.3.txt, … if present,
#     each in a new process started in DIR as
#        OPALHOST --plugin FILE --workspace opal.workspace --script NAME.txt
#     so that every path the host prints is the same on every machine.
#  3. The transcript has, per run, "$ opalhost --script NAME.txt", the run's
#     standard output and standard error as they came, "exit STATUS", and
#     "$ ls" with each file then in DIR and its size ("same bytes as the
#     fixture" when it holds the fixture's bytes).
#  4. The transcript must equal SCENARIO.golden (or the --golden FILE) byte
#     for byte; --update writes it there instead. DIR/transcript keeps it for inspection.
set -u

usage() {
    echo "usage: run-scenario.sh [--update] [--golden FILE] --plugin FILE --work-dir DIR SCENARIO -- OPALHOST..." >&2
    exit 2
}

update=0 plugin= work= scenario= golden=
while [ $# -gt 0 ]; do
    case "$1" in
    --update) update=1; shift ;;
    --plugin) [ $# -ge 2 ] || usage; plugin=$2; shift 2 ;;
    --golden) [ $# -ge 2 ] || usage; golden=$2; shift 2 ;;
    --work-dir) [ $# -ge 2 ] || usage; work=$2; shift 2 ;;
    --) shift; break ;;
    -*) usage ;;
    *) [ -z "$scenario" ] || usage; scenario=$1; shift ;;
    esac
done
[ -n "$plugin" ] && [ -n "$work" ] && [ -n "$scenario" ] && [ $# -gt 0 ] || usage
[ -f "$scenario.txt" ] || { echo "no script $scenario.txt" >&2; exit 2; }
[ -n "${OPAL_UPDATE_GOLDEN:-}" ] && update=1
export LC_ALL=C

rm -rf "$work" && mkdir -p "$work" || exit 2
workspace=opal.workspace
fixture=
if [ -f "$scenario.workspace.hex" ]; then
    hex=$(sed 's/#.*//' "$scenario.workspace.hex" | tr -d ' \t\r\n')
    case "$hex" in *[!0-9a-fA-F]*) echo "$scenario.workspace.hex: not hexadecimal" >&2; exit 2 ;; esac
    [ $(( ${#hex} % 2 )) -eq 0 ] || { echo "$scenario.workspace.hex: odd number of digits" >&2; exit 2; }
    fixture="$work/fixture.bin"
    printf "$(printf '%s' "$hex" | sed 's/../\\x&/g')" > "$fixture"
    cp "$fixture" "$work/$workspace"
fi

scripts=("$scenario.txt")
for (( n = 2; ; n++ )); do
    [ -f "$scenario.$n.txt" ] || break
    scripts+=("$scenario.$n.txt")
done

# The files a run left in DIR, besides the runner's own.
list_files() {
    echo "\$ ls"
    cd "$work" || return
    for f in *; do
        case "$f" in transcript | fixture.bin | *.txt) continue ;; esac
        [ -e "$f" ] || continue
        line="$f $(wc -c < "$f" | tr -d ' ') bytes"
        if [ -n "$fixture" ] && cmp -s "$f" fixture.bin; then
            line="$line, same bytes as the fixture"
        fi
        echo "$line"
    done
}

transcript="$work/transcript"
: > "$transcript"
for script in "${scripts[@]}"; do
    name=$(basename "$script")
    cp "$script" "$work/$name"
    echo "\$ opalhost --script $name" >> "$transcript"
    (cd "$work" && "$@" --plugin "$plugin" --workspace "$workspace" --script "$name" \
        >> transcript 2>&1 < /dev/null)
    echo "exit $?" >> "$transcript"
    (list_files) >> "$transcript"
done

[ -n "$golden" ] || golden="$scenario.golden"
if [ "$update" = 1 ]; then
    cp "$transcript" "$golden"
    echo "wrote $golden"
    exit 0
fi
if ! cmp -s "$transcript" "$golden"; then
    echo "transcript differs from $golden:"
    diff -u "$golden" "$transcript" || true
    exit 1
fi
