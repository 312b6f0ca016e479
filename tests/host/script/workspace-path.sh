#!/usr/bin/env bash
# What opalhost does with workspace paths that are no plain, writable file:
# refused in one line with status 2 and left alone, or, when the save at the
# end fails, status 3 with nothing left behind.
#
#   workspace-path.sh PLUGIN WORK_DIR -- OPALHOST...
set -u
[ $# -ge 4 ] && [ "$3" = "--" ] || { echo "usage: workspace-path.sh PLUGIN WORK_DIR -- OPALHOST..." >&2; exit 2; }
plugin=$1 work=$2
shift 3
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 2
printf 'do add-alpha 7\n' > script.txt
failed=0

# expect NAME STATUS OUTPUT WORKSPACE [opalhost runs under "ulimit -f 0" when LIMIT=1]
expect() {
    local name=$1 status=$2 expected=$3 workspace=$4 got
    if [ "${LIMIT:-0}" = 1 ]; then
        got=$( (ulimit -f 0; "${host[@]}" --plugin "$plugin" --workspace "$workspace" --script script.txt) 2>&1 < /dev/null; echo "exit $?")
    else
        got=$(timeout 20 "${host[@]}" --plugin "$plugin" --workspace "$workspace" --script script.txt 2>&1 < /dev/null; echo "exit $?")
    fi
    [ -n "$expected" ] && expected+=$'\n'
    if [ "$got" != "${expected}exit $status" ]; then
        echo "$name: expected:"; echo "${expected}exit $status"; echo "got:"; echo "$got"
        failed=1
    fi
}
host=("$@")

mkfifo fifo
expect fifo 2 "error: workspace fifo is a FIFO, not a file" fifo
[ -p fifo ] || { echo "the FIFO was replaced"; failed=1; }
expect device 2 "error: workspace /dev/null is a character device, not a file" /dev/null
[ -c /dev/null ] || { echo "/dev/null was replaced"; failed=1; }
mkdir folder
expect folder 2 "error: workspace folder is a directory, not a file" folder

mkdir locked
chmod 0555 locked
if [ "$(id -u)" -ne 0 ]; then
    expect locked-folder 3 "warning: workspace not saved: cannot write locked/ws.tmp: Permission denied" locked/ws
fi
expect read-only-first 0 "" readonly
cp readonly saved
chmod 0444 readonly
expect read-only 3 "warning: workspace not saved: readonly is read-only (mode 0444); not saved over" readonly
cmp -s readonly saved || { echo "the read-only workspace was written"; failed=1; }
# Damaged and read-only: kept in place.
printf 'x' > damaged && chmod 0444 damaged
expect read-only-damaged 3 "warning: workspace damaged is damaged: bad header; kept in place (damaged is read-only (mode 0444)), and not saved over
warning: workspace not saved: workspace damaged could not be read at start, so it is not saved over" damaged
[ "$(cat damaged)" = x ] || { echo "the damaged read-only workspace was moved or written"; failed=1; }

LIMIT=1 expect size-limit 3 "warning: workspace not saved: cannot write limited.tmp: File too large" limited
[ ! -e limited.tmp ] || { echo "limited.tmp was left behind"; failed=1; }
ls limited* >/dev/null 2>&1 && { echo "a limited workspace was written"; failed=1; }

expect plain 0 "" plain
[ -s plain ] || { echo "the plain workspace was not written"; failed=1; }
exit $failed
