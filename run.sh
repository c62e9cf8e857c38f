#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts the configurator.
set -euo pipefail
cd "$(dirname "$0")"
. .ci/deps.sh
conf_install_deps
conf_ccache_env

cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCONF_TESTS=OFF >/dev/null
cmake --build build-release -j "$(nproc)" --target configurator

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != "offscreen" ]; then
    echo "No display found. Run it under a virtual X server instead:"
    echo "    xvfb-run -a -s '-screen 0 1280x1024x24' ./run.sh"
    exit 1
fi
exec ./build-release/configurator "$@"
