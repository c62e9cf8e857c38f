#!/usr/bin/env bash
# Installs what is missing, builds the sanitized test build and runs every test with ctest.
set -euo pipefail
cd "$(dirname "$0")"
. .ci/deps.sh
conf_install_deps
conf_ccache_env

jobs="$(nproc)"
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCONF_SANITIZE=ON -DCONF_TESTS=ON \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
cmake --build build-test -j "$jobs"

export QT_QPA_PLATFORM=offscreen
# Leak detection is off: Qt and fontconfig keep process-lifetime allocations that LeakSanitizer
# reports as leaks. Every other address or undefined-behaviour finding aborts the test.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1:halt_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
cd build-test
ctest --output-on-failure -j "$jobs" "$@"
