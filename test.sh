#!/usr/bin/env bash
# Installs what is missing, builds, starts a throwaway PostgreSQL server on
# loopback, runs every test with ctest and stops the server again.
# Extra arguments go to ctest, e.g. ./test.sh -R store
set -euo pipefail
cd "$(dirname "$0")"
ROOT=$(pwd)
scripts/deps.sh
scripts/build.sh

PGTMP=$(mktemp -d /tmp/lamira-pg.XXXXXX)
cleanup() {
    # The tests run from the build folder: stop the server by absolute path.
    "$ROOT/scripts/pg-test-server.sh" stop "$PGTMP" || true
    rm -rf "$PGTMP"
}
trap cleanup EXIT
LAMIRA_TEST_PG=$(scripts/pg-test-server.sh start "$PGTMP")
export LAMIRA_TEST_PG
echo "PostgreSQL test server: $LAMIRA_TEST_PG"

export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="$PGTMP/xdg"
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"

cd "${LAMIRA_BUILD_DIR:-build}"
ctest --output-on-failure --timeout 900 -j "$(nproc)" "$@"
