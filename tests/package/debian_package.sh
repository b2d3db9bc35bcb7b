#!/usr/bin/env bash
# debian_package.sh BUILD_DIR VERSION LINTIAN DESKTOP_FILE_VALIDATE
#
# Packs the built program with cpack, unpacks the package into a scratch root and starts the
# program from there as a user with a scratch home: it prints its version, creates and
# connects a database, and writes nothing but into that home.  The menu entry passes
# desktop-file-validate and the package passes lintian without errors.
set -euo pipefail

build=$(cd "$1" && pwd)
version=$2
lintian=$3
desktop_file_validate=$4

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "debian_package: $*" >&2
    exit 1
}

# The package is made from what the build has made: with Ninja, cpack builds nothing, so it
# cannot race the other tests that read the same build folder.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }

deb="$scratch/out/tallyra_${version}_amd64.deb"
[ -f "$deb" ] || { ls -R "$scratch/out"; fail "no package named ${deb##*/}"; }

control=$(dpkg-deb --field "$deb")
depends=$(sed -n 's/^Depends: //p' <<<"$control")
for needed in xdg-utils libqt6widgets6 libsqlite3-0 libhpdf; do
    [[ "$depends" == *"$needed"* ]] || fail "Depends lacks $needed: $depends"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
for file in usr/lib/tallyra/tallyra usr/lib/tallyra/libtallyra_dm.so \
    usr/lib/tallyra/libtallyra_mail.so usr/share/tallyra/tallyra.ini \
    usr/share/tallyra/tallyra.lng usr/share/tallyra/Lib/doc_1.frf \
    usr/share/tallyra/lib/index.html usr/share/applications/tallyra.desktop \
    usr/share/icons/hicolor/48x48/apps/tallyra.png usr/share/doc/tallyra/copyright \
    usr/share/man/man1/tallyra.1.gz; do
    [ -f "$root/$file" ] || fail "the package lacks /$file"
done
[ "$(readlink "$root/usr/bin/tallyra")" = ../lib/tallyra/tallyra ] ||
    fail "/usr/bin/tallyra does not lead to /usr/lib/tallyra/tallyra"

# The user owns nothing but the scratch home; everything else must stay as unpacked.
home="$scratch/home"
mkdir "$home"
listing() { (cd "$root" && find . -printf '%p %y %s %m %T@\n' | sort); }
listing >"$scratch/before"
run() {
    env -i PATH=/usr/bin:/bin HOME="$home" XDG_CONFIG_HOME="$home/.config" \
        XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" \
        XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=offscreen "$root/usr/bin/tallyra" "$@"
}
mkdir -m 700 "$home/run"

reported=$(run --version) || fail "tallyra --version failed"
[[ "$reported" == "Tallyra $version "* ]] || fail "tallyra --version says '$reported'"

database="$home/.local/share/tallyra/tallyra.db"
run --create-database "$database" --connect >"$scratch/create.log" 2>&1 ||
    { cat "$scratch/create.log"; fail "tallyra --create-database failed"; }
[ -f "$database" ] || fail "no database at $database"
[ "$(cat "$home/.config/tallyra/tallyra.cfg")" = "sqlite:$database" ] ||
    fail "the connection was not written into ~/.config/tallyra/tallyra.cfg"
cmp -s "$root/usr/share/tallyra/tallyra.ini" "$home/.config/tallyra/tallyra.ini" ||
    fail "the settings were not seeded into ~/.config/tallyra"

listing >"$scratch/after"
diff "$scratch/before" "$scratch/after" >&2 || fail "the program wrote outside the home folder"

"$desktop_file_validate" "$root/usr/share/applications/tallyra.desktop" ||
    fail "desktop-file-validate refuses the menu entry"

# Lintian's warnings are printed for the record; an error fails the test.
"$lintian" --fail-on error --tag-display-limit 0 "$deb" || fail "lintian finds errors"
echo "debian_package: ${deb##*/} installs, starts and writes only into the home folder"
