#!/usr/bin/env bash
# Checks a built package as a user would meet it: its data validate, it
# installs into a fresh root, its dependencies are there to be had, and the
# installed programs answer --version and run the example headless with
# nothing but their own lines; a menu start on a fresh account gets its start
# folder with the examples.
#
#     tests/paket/pruefen.sh build/korvelantrix_VERSION_ARCH.deb
set -euo pipefail
paket=$(realpath "$1")
arbeit=$(mktemp -d)
trap 'rm -rf "$arbeit"' EXIT
fehler() {
    echo "paket: $*" >&2
    exit 1
}

# Into a fresh root, as dpkg installs it (no maintainer scripts to run).
wurzel=$arbeit/wurzel
mkdir -p "$wurzel/var/lib/dpkg/info" "$wurzel/var/lib/dpkg/updates"
touch "$wurzel/var/lib/dpkg/status"
# The libraries are the machine's, so the root is told to go without them.
dpkg --root="$wurzel" --log=/dev/null --force-depends -i "$paket" >"$arbeit/dpkg.txt" 2>&1 || {
    cat "$arbeit/dpkg.txt" >&2
    fehler "dpkg -i schlägt fehl"
}
dpkg --root="$wurzel" -s korvelantrix | grep '^Status: install ok installed' >/dev/null ||
    fehler "nicht installiert"

# Every dependency can be satisfied from the machine's packages.
apt-get install -s -q "$paket" >"$arbeit/apt.txt" 2>&1 || {
    cat "$arbeit/apt.txt" >&2
    fehler "Abhängigkeiten nicht erfüllbar"
}
dpkg-deb -f "$paket" Depends | grep 'libqt6widgets6' >/dev/null || fehler "Depends ohne Qt"

bin=$wurzel/usr/bin
daten=$wurzel/usr/share
appstreamcli validate --no-net "$daten"/metainfo/*.metainfo.xml >/dev/null ||
    fehler "AppStream-Daten ungültig"
desktop-file-validate "$daten/applications/korvelantrix.desktop" ||
    fehler "Desktop-Eintrag ungültig"
grep -q '^Exec=korvelantrix --aus-menue$' "$daten/applications/korvelantrix.desktop" ||
    fehler "Desktop-Eintrag startet nicht im eigenen Startordner"
for f in copyright changelog.gz; do
    [ -f "$daten/doc/korvelantrix/$f" ] || fehler "$f fehlt"
done

version=$(dpkg-deb -f "$paket" Version)
programme=(korvelantrix korvx-run korvx-ctlsim korvx-fontview)
[ -x "$bin/korvx-import" ] && programme+=(korvx-import)
for p in "${programme[@]}"; do
    [ -f "$daten/man/man1/$p.1.gz" ] || fehler "Handbuchseite $p.1 fehlt"
    [ "$("$bin/$p" --version)" = "$p $version" ] || fehler "$p --version"
    "$bin/$p" --help | grep -- '--version' >/dev/null || fehler "$p --help"
done

# The headless example from the installed files, without a runtime folder,
# so Qt would have something to complain about: only the run's own lines.
beispiel=$arbeit/beispiel
cp -r "$daten/korvelantrix/examples" "$beispiel"
(cd "$beispiel" && env -u XDG_RUNTIME_DIR -u DISPLAY "$bin/korvx-run" --mode sim --tool 1 \
    --image "$arbeit/KONTUR.png" KONTUR.CNC >"$arbeit/aus.txt" 2>"$arbeit/err.txt") ||
    fehler "Beispiel endet mit Status $?"
printf '%s\n' "message: M30: Programmende!" \
    "end: m30 blocks=65 moves=227 time_ms=117060 W=0.000,0.000,0.000 M=0.000,0.000,65.000" |
    diff - "$arbeit/aus.txt" || fehler "Beispiel gibt anderes aus"
[ ! -s "$arbeit/err.txt" ] || {
    cat "$arbeit/err.txt" >&2
    fehler "korvx-run schreibt auf die Fehlerausgabe"
}
[ -s "$arbeit/KONTUR.png" ] || fehler "keine Grafik"

# A menu start on a fresh account: the start folder is made with the
# examples and the font (it appears whole, by a rename); the window, still
# running then, is ended.
heim=$arbeit/heim
mkdir -p "$heim"
(cd "$heim" && HOME=$heim QT_QPA_PLATFORM=offscreen exec "$bin/korvelantrix" --aus-menue \
    >/dev/null 2>&1) &
fenster=$!
for _ in $(seq 300); do
    [ -d "$heim/Korvelantrix" ] && break
    kill -0 "$fenster" 2>/dev/null || break
    sleep 0.1
done
sleep 0.5
kill -0 "$fenster" 2>/dev/null || fehler "korvelantrix --aus-menue endet von selbst"
kill "$fenster"
wait "$fenster" 2>/dev/null || true
for f in KONTUR.CNC FUTURAL.FNT FraesWkz.DAT; do
    [ -f "$heim/Korvelantrix/$f" ] || fehler "Startordner ohne $f"
done
echo "paket: $(basename "$paket") geprüft"
