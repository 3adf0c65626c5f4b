#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Veltrano.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=OFF
exec build/bin/veltrano
