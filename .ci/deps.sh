# Installs the Debian packages the build and tests need, only those missing.
# Sourced by test.sh and run.sh.
conf_install_deps() {
    local pkgs="g++ cmake ninja-build ccache pkg-config qt6-base-dev libpugixml-dev libjpeg62-turbo-dev
                libgtest-dev libgmock-dev xvfb xauth fonts-dejavu-core iproute2 libx11-dev poppler-utils $*"
    local missing=""
    for p in $pkgs; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "Installing:$missing"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq $missing
    fi
}

conf_ccache_env() {
    # Precompiled headers and ccache need these to share results between builds.
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
    export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-5G}"
    # Paths below the checkout are hashed relative to it, so a fresh clone reuses the cache.
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
    # The debug build would otherwise hash the build folder too, so a clone elsewhere never hits.
    export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
}
