#!/usr/bin/env bash
# Makes docs/opal-demo.png, the README's picture: the screen at the end of
# opalhost's demonstration, from a workspace begun afresh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset native >/dev/null
cmake --build --preset native --target opalhost -j2
workspace=$(mktemp -d)
trap 'rm -rf "$workspace"' EXIT
(cd docs && ../build/native/opalhost --workspace "$workspace/workspace" >/dev/null)
echo "wrote docs/opal-demo.png"
