#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite headless.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRANO_TESTS=ON
QT_QPA_PLATFORM=offscreen ctest --test-dir build-test --output-on-failure
