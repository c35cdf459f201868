#!/usr/bin/env bash
# Builds the Debian package build/korvelantrix_VERSION_ARCH.deb from a Release
# build: the four programs, desktop entry, icon, AppStream data, manual pages,
# the examples with the engraving font and its licence, the copyright notice.
# Depends comes from the shared libraries the programs really link
# (dpkg-shlibdeps); lintian must find no error.
#
#     ./scripts/package.sh [BUILD_DIR]     default build-release
#
# Prints the package's path on standard output, everything else on standard
# error.
#
# The build folder is configured for Release with Qt and only the programs are
# built in it, so the folder of the Release tests is reused as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
ordner=${1:-build-release}
./scripts/setup.sh >&2

cmake -S . -B "$ordner" -DCMAKE_BUILD_TYPE=Release -DKORVX_WERROR=ON -DKORVX_WITH_QT=ON \
    -DKORVX_BENCH=OFF >/dev/null
programme=(korvelantrix korvx-run korvx-ctlsim korvx-fontview)
# A fifth program joins here when it is built (the G-code import).
# (grep reads to the end: an early exit would fail the pipe under pipefail)
if cmake --build "$ordner" --target help | grep -w 'korvx-import' >/dev/null; then
    programme+=(korvx-import)
fi
cmake --build "$ordner" -j"$(nproc)" --target "${programme[@]}" >&2

# The version as the programs themselves say it.
version=$("$ordner"/src/app/korvx-run --version | cut -d' ' -f2)
arch=$(dpkg --print-architecture)
mkdir -p build
paket=build/korvelantrix_${version}_${arch}.deb

arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
# Staged where dpkg-shlibdeps expects a package's files: debian/PACKAGE.
wurzel=$arbeit/quelle/debian/korvelantrix
DESTDIR=$wurzel cmake --install "$ordner" --prefix /usr --strip >/dev/null
# As Debian's own packages: no compiler notes left in the programs.
strip --remove-section=.comment --remove-section=.note "$wurzel"/usr/bin/*
for p in "${programme[@]}"; do
    if [ ! -x "$wurzel/usr/bin/$p" ]; then
        echo "package.sh: $p wurde nicht installiert" >&2
        exit 1
    fi
done

doku=$wurzel/usr/share/doc/korvelantrix
gzip -9n "$wurzel"/usr/share/man/man1/*.1
datum=$(date -R -u -d "$(sed -n 's/^set(KORVX_DATUM \(.*\))$/\1/p' CMakeLists.txt) 12:00")
cat >"$arbeit/changelog" <<ENDE
korvelantrix ($version) unstable; urgency=medium

  * Release $version.

 -- Korvelantrix maintainers <maintainers@korvelantrix.example>  $datum
ENDE
gzip -9n -c "$arbeit/changelog" >"$doku/changelog.gz"

# dpkg-shlibdeps wants a source package's control file in the folder it runs
# in, and the package root marked by its DEBIAN folder.
mkdir -p "$wurzel/DEBIAN"
printf 'Source: korvelantrix\n\nPackage: korvelantrix\nArchitecture: any\n' \
    >"$arbeit/quelle/debian/control"
abhaengig=$(cd "$arbeit/quelle" &&
    dpkg-shlibdeps -O "${programme[@]/#/-edebian/korvelantrix/usr/bin/}" |
    sed -n 's/^shlibs:Depends=//p')

chmod -R u+rwX,go+rX,go-w "$wurzel"
groesse=$(du -sk --apparent-size "$wurzel/usr" | cut -f1)
(cd "$wurzel" && find usr -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum) \
    >"$wurzel/DEBIAN/md5sums"
# Qt's German translations give the standard buttons their German texts.
cat >"$wurzel/DEBIAN/control" <<ENDE
Package: korvelantrix
Version: $version
Architecture: $arch
Maintainer: Korvelantrix maintainers <maintainers@korvelantrix.example>
Installed-Size: $groesse
Depends: $abhaengig
Recommends: qt6-translations-l10n
Section: electronics
Priority: optional
Description: CNC milling, drilling and engraving with an isel controller
 Korvelantrix drives a small three-axis CNC machine with an isel step-motor
 controller over a serial line in DNC mode. It interprets part programs in
 a G-code dialect after DIN 66025 block by block, draws the tool path in a
 simulation graphic and sends every straight move to the controller.
 .
 The package holds the window program (German user interface), the
 command-line runner korvx-run, the controller simulator korvx-ctlsim, the
 font viewer korvx-fontview, example programs and an engraving font.
ENDE
dpkg-deb --root-owner-group -Zxz --build "$wurzel" "$paket" >/dev/null
echo "$paket"

# Lint: no error may remain; the warnings that stay are named in README.md.
als_root=()
[ "$(id -u)" -eq 0 ] && als_root=(--allow-root)
lintian "${als_root[@]}" --fail-on error "$paket" >&2 ||
    { echo "package.sh: lintian meldet Fehler" >&2; exit 1; }
