#!/usr/bin/env bash
# Installs a build into a scratch prefix and checks what a user gets: every file in its place,
# the programs answering --help and --version, quorvel-sim playing from an empty folder with the
# installed database, the desktop start's per-user folder, the desktop files valid and the
# desktop's caches refreshed, the installed game started (on a virtual display) from a folder
# without players.dat, the uninstall target removing it all and, where the Debian tools are
# installed, the .deb without a lintian error or warning, installing into and removing from a
# scratch root.
# Usage: check-installed.sh BUILD_FOLDER VERSION
set -euo pipefail
build=$1
version=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
prefix=$scratch/prefix
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

here=$(cd "$(dirname "$0")" && pwd)
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" 2>&1 ||
    fail "cmake --install: $(tail -n 20 "$scratch/install.log")"
programs=(quorvel-sim quorvel-players)
bin=games
files=($bin/quorvel-sim $bin/quorvel-players share/quorvel/players.dat
    share/man/man6/quorvel-sim.6.gz share/man/man1/quorvel-players.1.gz
    share/bash-completion/completions/quorvel-sim share/bash-completion/completions/quorvel-players
    share/doc/quorvel/copyright share/doc/quorvel/changelog.gz)
app=io.github.quorvel.Quorvel
if [ -e "$prefix/$bin/quorvel" ]; then
    programs+=(quorvel)
    files+=(share/quorvel/help/quorvel.hhp share/man/man6/quorvel.6.gz
        share/applications/$app.desktop share/metainfo/$app.metainfo.xml
        share/mime/packages/quorvel-match.xml share/icons/hicolor/scalable/apps/quorvel.svg
        share/icons/hicolor/48x48/apps/quorvel.png share/icons/hicolor/256x256/apps/quorvel.png
        share/bash-completion/completions/quorvel)
fi
for file in "${files[@]}"; do
    [ -e "$prefix/$file" ] || fail "$file is not installed"
done

# --help on standard output, --version, and a usage error on standard error with status 2.
for program in "${programs[@]}"; do
    "$prefix/$bin/$program" --help >"$scratch/help"
    head -n 1 "$scratch/help" | grep -q "^Usage: $program" || fail "$program --help"
    ! grep -n '.\{81\}' "$scratch/help" || fail "$program --help runs past 80 columns"
    [ "$("$prefix/$bin/$program" --version)" = "$program $version" ] || fail "$program --version"
    status=0
    "$prefix/$bin/$program" --no-such-option >/dev/null 2>"$scratch/err" || status=$?
    [ $status -eq 2 ] && [ "$(cat "$scratch/err")" = "$program: unknown option '--no-such-option'
Try '$program --help'." ] ||
        fail "$program --no-such-option: status $status, $(cat "$scratch/err")"
done

# Completion of options' values given as --opt=VALUE as well as --opt VALUE.
completion=/usr/share/bash-completion/bash_completion
if [ -e "$completion" ]; then
    complete_line() { # prints the completions of the line's last word, as readline splits it
        bash -c '. "$1"; . "$2"; COMP_LINE=$3; COMP_POINT=${#3}
            read -ra COMP_WORDS <<<"${3//=/ = }"
            [[ $3 == *" " || $3 == *"=" ]] && COMP_WORDS+=("")
            COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _quorvel_sim quorvel-sim; echo "${COMPREPLY[*]}"' \
            _ "$completion" "$prefix/share/bash-completion/completions/quorvel-sim" "$1"
    }
    [ "$(complete_line "quorvel-sim --left=Ind")" = India ] || fail "completion of --left=Ind"
    [ "$(complete_line "quorvel-sim --format=c")" = csv ] || fail "completion of --format=c"
    [ "$(complete_line "quorvel-sim --call t")" = tails ] || fail "completion of --call t"
    [ "$(complete_line "quorvel-sim --shard")" = --shard-rows ] || fail "completion of --shard"
    touch "$scratch/shard-0.csv"
    [ "$(complete_line "quorvel-sim --aggregate $scratch/shard-")" = "$scratch/shard-0.csv" ] ||
        fail "completion of the files after --aggregate"
fi

# From an empty folder quorvel-sim plays with the installed database, writing nothing there.
mkdir "$scratch/empty"
(cd "$scratch/empty" && "$prefix/$bin/quorvel-sim" --seed 7 >"$scratch/installed.txt") ||
    fail "the installed quorvel-sim does not play from an empty folder"
"$build/quorvel-sim" --seed 7 --players "$prefix/share/quorvel/players.dat" >"$scratch/built.txt"
cmp -s "$scratch/installed.txt" "$scratch/built.txt" || fail "the installed quorvel-sim plays another match"
[ -z "$(ls -A "$scratch/empty")" ] || fail "quorvel-sim wrote into the current folder"

# The desktop start makes the user's folder with a copy of the database, and never replaces it.
# Without a display the game itself then stops; the folder is what is checked here.
if [ -e "$prefix/$bin/quorvel" ]; then
    user=$scratch/home/.local/share/quorvel
    start() { (cd "$scratch/empty" && env -i HOME="$scratch/home" PATH=/usr/bin:/bin \
        "$prefix/$bin/quorvel" --user-data >/dev/null 2>&1) || true; }
    start
    cmp -s "$user/players.dat" "$prefix/share/quorvel/players.dat" ||
        fail "--user-data did not copy the installed players.dat"
    echo "the user's own" >"$user/players.dat"
    start
    grep -qx "the user's own" "$user/players.dat" || fail "--user-data replaced the user's players.dat"
fi

# The desktop entry, the metainfo and the MIME type are valid where the checkers are installed.
if [ -e "$prefix/$bin/quorvel" ]; then
    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" >/dev/null ||
            fail "metainfo: $(appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml")"
    fi
    # The install refreshed the desktop's caches where their tools exist.
    if command -v update-mime-database >/dev/null; then
        grep -q "application/x-quorvel-match" "$prefix/share/mime/globs2" || fail "MIME cache"
    fi
    if command -v update-desktop-database >/dev/null; then
        grep -q "x-quorvel-match=$app.desktop" "$prefix/share/applications/mimeinfo.cache" ||
            fail "desktop entries' MIME cache"
    fi
    if command -v gtk-update-icon-cache >/dev/null; then
        [ -s "$prefix/share/icons/hicolor/icon-theme.cache" ] || fail "icon cache"
    fi
fi

# The installed game on a display (a virtual one when there is none).
if [ -e "$prefix/$bin/quorvel" ] && command -v xdotool >/dev/null &&
    { [ -n "${DISPLAY:-}" ] || command -v xvfb-run >/dev/null; }; then
    "$here/../gui/run-under-display.sh" "$here/check-started-game.sh" "$prefix" "$scratch" ||
        fail "the installed game"
fi

# The uninstall target removes every installed file and refreshes the caches again.
cmake --build "$build" --target uninstall >"$scratch/uninstall.log" 2>&1 ||
    fail "uninstall: $(tail -n 20 "$scratch/uninstall.log")"
while read -r file || [ -n "$file" ]; do
    [ ! -e "$file" ] || fail "uninstall left $file"
done <"$build/install_manifest.txt"
[ ! -e "$prefix/share/quorvel" ] || fail "uninstall left $prefix/share/quorvel"
if [ -e "$prefix/share/mime/globs2" ] && grep -q quorvel "$prefix/share/mime/globs2"; then
    fail "uninstall left the MIME type in the cache"
fi

# The Debian package: its dependencies found from the programs, its files under /usr.
if command -v dpkg-shlibdeps >/dev/null && command -v dpkg-deb >/dev/null; then
    (cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/package" \
        >"$scratch/cpack.log" 2>&1) || fail "cpack: $(tail -n 20 "$scratch/cpack.log")"
    deb=$(ls "$scratch"/package/*.deb)
    if command -v lintian >/dev/null; then
        lintian "$deb" >"$scratch/lintian.txt" 2>&1 || true
        ! grep -E "^[EW]: " "$scratch/lintian.txt" || fail "lintian finds errors or warnings"
    fi
    ! dpkg-deb -f "$deb" Description | grep -n '^ ;' || fail "a Description line begins with ';'"
    depends=$(dpkg-deb -f "$deb" Depends)
    case "$depends" in *libc6*) ;; *) fail "package depends on: $depends" ;; esac
    if [ -e "$prefix/$bin/quorvel" ]; then
        case "$depends" in *libwx*) ;; *) fail "package depends on: $depends" ;; esac
    fi
    # Installed and removed in a scratch root with its own package database.
    root=$scratch/root
    mkdir -p "$root/var/lib/dpkg/updates" "$root/var/lib/dpkg/info"
    touch "$root/var/lib/dpkg/status"
    dpkg --root="$root" --log=/dev/null --force-depends --force-not-root -i "$deb" >/dev/null 2>&1 ||
        fail "the package does not install"
    [ "$("$root/usr/games/quorvel-sim" --version)" = "quorvel-sim $version" ] ||
        fail "the packaged quorvel-sim"
    [ -e "$root/usr/share/quorvel/players.dat" ] || fail "the packaged players.dat"
    dpkg --root="$root" --log=/dev/null --force-not-root -r quorvel >/dev/null 2>&1 ||
        fail "the package does not remove"
    [ ! -e "$root/usr" ] || fail "removing the package left: $(find "$root/usr" -type f)"
fi
echo "installed layout: ok"
