# Shared by the scripts: package installation and the build.
# shellcheck shell=bash

KELVARA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KELVARA_BUILD=${KELVARA_BUILD:-$KELVARA_ROOT/build}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# need_packages PKG...: installs with apt-get whatever is not installed yet.
need_packages() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Qt's own dialogs and menus speak Portuguese through qt6-translations-l10n;
# qt6-pdf-dev shows a saved report again in the preview; reports print their
# data in DejaVu Sans Mono; libxlsxwriter-dev writes the Excel workbooks that
# reports and grids export; libminizip-dev opens the workbooks the import reads.
BUILD_PACKAGES=(cmake make g++ qt6-base-dev qt6-translations-l10n qt6-pdf-dev fonts-dejavu-core
    libcups2-dev firebird-dev libfbclient2 firebird3.0-server-core libxlsxwriter-dev
    libminizip-dev)

# cpack's Debian packages read the programs' library needs with
# dpkg-shlibdeps, which wants file.
PACKAGING_PACKAGES=(dpkg-dev file)

# build_kelvara [TARGET...]: configures and builds (everything by default).
build_kelvara() {
    local targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake -S "$KELVARA_ROOT" -B "$KELVARA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$KELVARA_BUILD" -j "$(nproc)" "${targets[@]}"
}
