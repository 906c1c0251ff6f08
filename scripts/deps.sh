# Sourced by the other scripts: installs the Debian packages that are missing, quietly.
# Usage: need_packages NAME...

need_packages() {
    local missing=()
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    local run_as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1; then
            run_as_root=(sudo)
        else
            echo "Missing packages: ${missing[*]}. Install them as root and run this again." >&2
            return 1
        fi
    fi
    echo "Installing ${missing[*]} ..."
    "${run_as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq &&
        "${run_as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
            apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# To build and play the game: a compiler, the build tools and the windowing library.
GAME_PACKAGES=(g++ make cmake pkg-config libwxgtk3.2-dev libgtk-3-dev nlohmann-json3-dev)
# To build and run the test suites and benchmarks.
CORE_PACKAGES=(g++ make cmake nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev parallel)
GUI_PACKAGES=(pkg-config libwxgtk3.2-dev libgtk-3-dev xvfb xauth openbox x11-utils xdotool)
# What a screen reader reads (the accessibility tree over AT-SPI), for the GUI test that reads it.
ACCESSIBILITY_PACKAGES=(at-spi2-core python3-pyatspi dbus-x11)
# The checks of an installation (desktop entry, metainfo, MIME type and the caches, completion,
# the Debian package and lintian) and of the source layout and include graph.
CHECK_PACKAGES=(desktop-file-utils appstream shared-mime-info gtk-update-icon-cache dpkg-dev file
    lintian bash-completion clang-format python3)
