#!/bin/bash
# The live monkey for longer: random clicks, drags, keys and typing over the
# live windows (tests/live/monkey.sh) on the live test desktop, for SECONDS
# from SEED (default: a new one, printed). A failure prints its seed, so the
# same run can be played again.
#
#   tools/wine/monkey.sh SECONDS [SEED] [BUILD_DIR]   (default build/windows)
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
case ${1-} in '' | -h | --help) sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;; esac
seconds=$1
seed=${2:-$(( $(date +%s) % 100000 ))}
build=${3:-$root/build/windows}
[[ $seconds =~ ^[0-9]+$ && $seed =~ ^[0-9]+$ ]] || { echo "monkey.sh: SECONDS and SEED are numbers" >&2; exit 2; }
[ -f "$build/bin/opalhost.exe" ] || { echo "monkey.sh: build the windows preset first" >&2; exit 2; }
echo "monkey.sh: $seconds s from seed $seed"
OPAL_WINE_TIMEOUT=$((seconds + 180)) "$root/tools/wine/run-live.sh" "$build" \
  bash "$root/tests/live/monkey.sh" "$build/bin/opalhost.exe" "$seconds" "$seed"
rc=$?
[ $rc = 0 ] || echo "monkey.sh: FAILED with seed $seed (status $rc)" >&2
exit $rc
