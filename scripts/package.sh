#!/usr/bin/env bash
# Builds the Debian package and checks it with lintian:
#   scripts/package.sh   -> build-package/veltrano_<version>_<arch>.deb
# A release build with Debian's hardening flags, installed under /usr by
# CPack, with its dependencies computed by dpkg-shlibdeps. Install it with
# `sudo apt install ./build-package/veltrano_*.deb`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh dpkg-dev file lintian

# Debian's compiler and linker flags, all hardening included; given on the
# command line so that they reach an existing build folder too.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
scripts/build.sh build-package -DCMAKE_BUILD_TYPE=Release -DVELTRANO_TESTS=OFF -DVELTRANO_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
rm -f build-package/veltrano_*.deb
(cd build-package && cpack -G DEB >/dev/null)
deb=$(ls build-package/veltrano_*.deb)
echo "Built $deb"
# lintian fails on any error; its warnings and notes are printed.
lintian --info --display-info "$deb"
echo "lintian passed."
