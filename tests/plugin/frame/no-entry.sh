#!/usr/bin/env bash
# A module without GetPlugIn is refused in one line naming the file, exit 1,
# before the session touches the workspace.
#
#   no-entry.sh MODULE WORK_DIR -- OPALHOST...
#
# MODULE is copied into the emptied WORK_DIR as NoEntry.pln; OPALHOST (the
# program with any arguments of its own) runs there on it.
set -u
[ $# -ge 4 ] && [ "$3" = "--" ] || { echo "usage: no-entry.sh MODULE WORK_DIR -- OPALHOST..." >&2; exit 2; }
module=$1 work=$2
shift 3

rm -rf "$work" && mkdir -p "$work" && cp "$module" "$work/NoEntry.pln" || exit 2
cd "$work" || exit 2
"$@" --plugin NoEntry.pln --workspace opal.workspace > output 2>&1 < /dev/null
echo "exit $?" >> output
printf '%s\n' "error: NoEntry.pln: no GetPlugIn export" "exit 1" > expected
if ! cmp -s output expected; then
    diff -u expected output
    exit 1
fi
if [ -e opal.workspace ]; then
    echo "the refused session wrote opal.workspace"
    exit 1
fi
