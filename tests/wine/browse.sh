#!/usr/bin/env bash
# The pages of the panel menu reach the real shell of the Wine prefix, whose
# http handler (browse_recorder, registered when the prefix is made) records
# each call: opalhost's own lines and the handler's must both be there.
#
#   browse.sh RECORDER OPALHOST PLUGIN WORK_DIR -- RUN...
#
# RUN is the command that runs a Windows program (run-wine.sh BUILD_DIR).
set -u
usage="usage: browse.sh RECORDER OPALHOST PLUGIN WORK_DIR -- RUN..."
[ $# -ge 6 ] && [ "$5" = "--" ] || { echo "$usage" >&2; exit 2; }
recorder=$1 opalhost=$2 plugin=$3 work=$4
shift 5
here=$(cd "$(dirname "$0")" && pwd)

rm -rf "$work" && mkdir -p "$work" && cp "$here/browse.txt" "$work/" || exit 2
cd "$work" || exit 2
"$@" "$recorder" --expect 3 browse.log "$opalhost" --plugin "$plugin" \
    --workspace opal.workspace --script browse.txt > output 2>&1 < /dev/null
echo "exit $?" >> output
if ! cmp -s output "$here/browse.expected"; then
    diff -u "$here/browse.expected" output
    exit 1
fi
