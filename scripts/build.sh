#!/usr/bin/env bash
# Configures (first time) and builds the project into build/ (incrementally afterwards).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${LAMIRA_BUILD_DIR:-build}
BUILD_TYPE=${LAMIRA_BUILD_TYPE:-RelWithDebInfo}
if [ ! -f "$BUILD_DIR/build.ninja" ]; then
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE="$BUILD_TYPE"
fi
cmake --build "$BUILD_DIR" --parallel "$(nproc)"
