# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by run.sh and test.sh: installs the Debian packages that are missing.
# quorvex_install_missing PACKAGE...
quorvex_install_missing() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}" >&2
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# What the program needs to build and run (libssl-dev: libcrypto's big numbers
# for the directory login's RSA arithmetic).
QUORVEX_BUILD_PACKAGES=(cmake ninja-build g++ ccache qt6-base-dev qt6-base-dev-tools
    libgl-dev libssl-dev fonts-liberation qt6-qpa-plugins)
# What the tests need besides (the install check validates the desktop entry,
# the AppStream metadata and the man pages, and builds the Debian package; the
# wire check captures and decodes NCP with tshark; the fuzz targets need clang
# with its libFuzzer runtime; lintian checks the Debian package).
QUORVEX_TEST_PACKAGES=(poppler-utils desktop-file-utils appstream groff-base dpkg-dev jq tshark
    clang libclang-rt-dev lintian)

# quorvex_build DIR [CMAKE ARGS...]: configure DIR once, then build it.
quorvex_build() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$QUORVEX_ROOT" -B "$dir" -G Ninja "$@"
    fi
    cmake --build "$dir"
}
