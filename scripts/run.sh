#!/usr/bin/env bash
# Sets up, builds and starts the calculator (scripts/setup.sh installs what that needs).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build"
"$here/scripts/setup.sh" "$build"
exec "$build/src/app/zanvoro"
