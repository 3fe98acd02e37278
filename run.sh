#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lamira on the default database
# (Orders.mdb beside the program). Extra arguments go to the program, e.g.
#   ./run.sh --database /path/to/other.mdb
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
scripts/build.sh
exec "${LAMIRA_BUILD_DIR:-build}/bin/lamira" "$@"
