#!/bin/sh
# Builds the Debian package from a build folder and checks it: the package's
# name and version, the files it installs, its desktop entry, its launcher,
# and that every package it depends on exists in the machine's Debian release.
#   check_package.sh BUILD_FOLDER OUT_FOLDER VERSION
set -eu
build=$1
out=$2
version=$3

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || {
    cat "$out/cpack.log" >&2
    fail "cpack did not build the package"
}
deb=$out/kelvara_${version}_amd64.deb
[ -f "$deb" ] || fail "no $deb"
[ "$(dpkg-deb -f "$deb" Package)" = kelvara ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version"

dpkg-deb -c "$deb" >"$out/contents"
for f in usr/bin/kelvara usr/bin/kelvara-create-databases usr/lib/kelvara/kelvara \
    usr/lib/kelvara/kelvara-create-databases usr/share/applications/kelvara.desktop \
    usr/share/icons/hicolor/scalable/apps/kelvara.svg; do
    grep -q " \./$f\( \|$\)" "$out/contents" || fail "the package lacks /$f"
done

# The desktop entry is valid and starts a command the package installs,
# showing the icon it installs.
root=$out/root
dpkg-deb -x "$deb" "$root"
desktop=$root/usr/share/applications/kelvara.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects the desktop entry"
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
[ -x "$root/usr/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not an installed command"
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -f "$root/usr/share/icons/hicolor/scalable/apps/$icon.svg" ] || fail "Icon=$icon is not installed"
grep -q '^Categories=Office;Finance;$' "$desktop" || fail "desktop entry categories"

# The launcher, on stand-ins for the two programs that log their calls: the
# first start creates the databases in $HOME/Kelvara and runs the program
# there; a later start, or one with a database already there, creates none.
fake=$out/fake
mkdir -p "$fake" "$out/home"
cat >"$fake/kelvara-create-databases" <<'STANDIN'
#!/bin/sh
echo "create $*" >>"$LOG"
mkdir -p "$1"
touch "$1/qor.gdb" "$1/config.gdb"
STANDIN
cat >"$fake/kelvara" <<'STANDIN'
#!/bin/sh
echo "kelvara in $(pwd)" >>"$LOG"
STANDIN
chmod +x "$fake/kelvara" "$fake/kelvara-create-databases"
launch() {
    HOME=$out/home LOG=$out/launch.log KELVARA_PROGRAMS=$fake "$root/usr/bin/$@"
}
launch kelvara
launch kelvara
mkdir -p "$out/other"
touch "$out/other/config.gdb"
launch kelvara "$out/other"
launch kelvara-create-databases "$out/created"
! launch kelvara --help 2>/dev/null || fail "kelvara --help started the program"
printf '%s\n' "create $out/home/Kelvara" "kelvara in $out/home/Kelvara" \
    "kelvara in $out/home/Kelvara" "kelvara in $out/other" "create $out/created" >"$out/expected"
diff -u "$out/expected" "$out/launch.log" || fail "the launcher's calls"

# Without a session's runtime folder, the embedded engine's lock folder is
# under the user's home: one that another account made first in the shared
# temporary folder cannot stop the user from starting Kelvara. Tried as an
# ordinary user, from a folder that user can reach.
if [ "$(id -u)" -eq 0 ]; then
    user=nobody
    uid=$(id -u "$user")
    trial=$(mktemp -d)
    chmod 755 "$trial"
    cp "$root/usr/bin/kelvara" "$trial/launcher"
    mkdir -p "$trial/programs" "$trial/home"
    cat >"$trial/programs/kelvara" <<'STANDIN'
#!/bin/sh
echo "lock $FIREBIRD_LOCK" >>"$HOME/launch.log"
STANDIN
    cp "$fake/kelvara-create-databases" "$trial/programs/"
    chmod 755 "$trial/programs/kelvara" "$trial/programs/kelvara-create-databases"
    chown "$user" "$trial/home"
    taken=/tmp/kelvara-firebird-$uid
    created_here=
    if [ ! -e "$taken" ]; then
        mkdir -m 700 "$taken" && created_here=1
    fi
    runuser -u "$user" -- env -u XDG_RUNTIME_DIR -u XDG_CACHE_HOME HOME="$trial/home" \
        LOG="$trial/home/launch.log" KELVARA_PROGRAMS="$trial/programs" "$trial/launcher" ||
        fail "the launcher did not start for $user"
    [ -n "$created_here" ] && rmdir "$taken"
    grep -qx "lock $trial/home/.cache/kelvara-firebird-$uid" "$trial/home/launch.log" ||
        fail "the lock folder is not under the home folder: $(cat "$trial/home/launch.log")"
    [ "$(stat -c %a "$trial/home/.cache/kelvara-firebird-$uid")" = 700 ] ||
        fail "the lock folder is open to others"
    rm -rf "$trial"
fi

# Every dependency, and every alternative of one, names a package of this
# Debian release, and the whole set can be installed here.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for name in $(echo "$depends" | tr ',|' '\n\n' | sed 's/(.*)//; s/:any//' | tr -d ' '); do
    apt-cache show "$name" >/dev/null 2>&1 || fail "dependency $name is not a package of this release"
done
for name in libfbclient2 firebird3.0-server-core qt6-translations-l10n fonts-dejavu-core \
    libqt6widgets6 libqt6printsupport6 libqt6pdf6; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$name\( \|$\)" || fail "Depends lacks $name"
done
apt-get install --simulate -qq "$deb" >"$out/simulate.log" 2>&1 || {
    cat "$out/simulate.log" >&2
    fail "the package's dependencies cannot be installed"
}
echo "$deb"
