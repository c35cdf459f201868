#!/usr/bin/env python3
"""Compares the path of converted RS274 files with LinuxCNC's reference.

For each RS274 FILE: LinuxCNC's standalone interpreter (rs274 -g, Debian
package linuxcnc-uspace) prints the source's path as canonical commands; the
file is converted (build/tests/rs274/rs274_umsetzen) and run through
`korvx-run --mode machine --trace` against korvx-ctlsim (fast line and
motion), with the workpiece zero point chosen so the path fits the default
work area; the moves' targets are added up from their step counts (100 steps
per mm). In the machine modes each move is corrected by the position the
controller reports, so the sum of the steps is where the machine stands;
`--mode sim` adds up the rounding of every move's steps instead. Reported per file: the largest distance of a
target from the source's path and of a source corner or arc point from the
executed path. A target counts from the first block on that has set every
axis the program moves (before it the machine stands where it stood); the
targets of rapids count only through the source's corners, since a rapid in
x/y and z is split on purpose.

Not part of the test command (it needs linuxcnc-uspace):

    scripts/rs274_referenz.py [--build build] [--tol 0.01] [--mode sim] FILE...

Exit status 0 when every compared file stays within the tolerance plus the
step rounding of the machine (0.005 mm per axis).
"""
import argparse
import math
import os
import re
import subprocess
import sys
import tempfile
import time

SCHRITTE_PRO_MM = 100.0
ARBEITSRAUM = (295.0, 205.0, 65.0)
SCHRITT_RUNDUNG = 0.005 * math.sqrt(3.0)


def kanonisch(datei, tmp):
    """The source path from rs274: a list of polylines' points (x, y, z) in mm,
    with the indexes of its corners (line ends, arc ends and arc points every
    five degrees)."""
    aus = os.path.join(tmp, "kanon.txt")
    env = dict(os.environ, HOME=tmp)
    # A tool table with the tools 1 … 99, so a tool change does not stop rs274.
    tabelle = os.path.join(tmp, "werkzeuge.tbl")
    with open(tabelle, "w") as f:
        for n in range(1, 100):
            f.write(f"T{n} P{n} D1.0\n")
    r = subprocess.run(["rs274", "-t", tabelle, "-g", datei, aus], stdin=subprocess.DEVNULL,
                       capture_output=True, text=True, env=env, check=False)
    # rs274 names the first error and echoes its line; a file without M2/M30
    # ends where its blocks end, which it only remarks upon in the same way.
    zeilen = [z for z in (r.stdout + r.stderr).replace("executing", "").splitlines() if z.strip()]
    if zeilen and "File ended with no percent sign" not in zeilen[0]:
        raise RuntimeError(f"rs274: {zeilen[0]}")
    punkte = [(0.0, 0.0, 0.0)]
    ecken = []
    skala = 1.0
    ebene = "XY"
    zahl = r"(-?\d+(?:\.\d*)?)"
    for zeile in open(aus, encoding="latin-1"):
        if "USE_LENGTH_UNITS" in zeile:
            skala = 25.4 if "INCHES" in zeile else 1.0
        elif "SELECT_PLANE" in zeile:
            ebene = zeile.split("CANON_PLANE_")[1][:2]
        elif "STRAIGHT_TRAVERSE(" in zeile or "STRAIGHT_FEED(" in zeile:
            w = [float(v) * skala for v in re.findall(zahl, zeile.split("(", 1)[1])[:3]]
            punkte.append(tuple(w))
            ecken.append(len(punkte) - 1)
        elif "ARC_FEED(" in zeile:
            w = [float(v) for v in re.findall(zahl, zeile.split("(", 1)[1])]
            e1, e2, m1, m2 = (v * skala for v in w[:4])
            drehung = int(w[4])
            achse_ende = w[5] * skala
            # Plane axes: first, second, linear axis as indexes into x, y, z.
            i1, i2, il = {"XY": (0, 1, 2), "XZ": (2, 0, 1), "YZ": (1, 2, 0)}[ebene]
            p0 = punkte[-1]
            a0, b0, l0 = p0[i1], p0[i2], p0[il]
            w0 = math.atan2(b0 - m2, a0 - m1)
            w1 = math.atan2(e2 - m2, e1 - m1)
            r0 = math.hypot(a0 - m1, b0 - m2)
            r1 = math.hypot(e1 - m1, e2 - m2)
            if drehung > 0:
                bogen = w1 - w0
                while bogen <= 1e-9:
                    bogen += 2 * math.pi
                bogen += 2 * math.pi * (drehung - 1)
            else:
                bogen = w1 - w0
                while bogen >= -1e-9:
                    bogen -= 2 * math.pi
                bogen -= 2 * math.pi * (-drehung - 1)
            r = max(r0, r1, 1e-6)
            schritt = 2 * math.acos(max(-1.0, 1 - 1e-4 / r)) if r > 1e-4 else math.pi / 8
            n = max(2, int(math.ceil(abs(bogen) / schritt)))
            fuenf = max(1, int(round(n / (abs(bogen) / math.radians(5)))))
            for k in range(1, n + 1):
                t = k / n
                ww = w0 + bogen * t
                rr = r0 + (r1 - r0) * t
                p = [0.0, 0.0, 0.0]
                p[i1] = m1 + rr * math.cos(ww)
                p[i2] = m2 + rr * math.sin(ww)
                p[il] = l0 + (achse_ende - l0) * t
                if k == n:
                    p[i1], p[i2], p[il] = e1, e2, achse_ende
                punkte.append(tuple(p))
                if k % fuenf == 0 or k == n:
                    ecken.append(len(punkte) - 1)
    return punkte, ecken


class Raster:
    """Segments of a polyline in a grid of cells, for nearest-distance
    queries."""

    def __init__(self, punkte, zelle=1.0):
        self.p = punkte
        self.z = zelle
        self.zellen = {}
        for i in range(len(punkte) - 1):
            a, b = punkte[i], punkte[i + 1]
            laenge = math.dist(a, b)
            n = max(1, int(laenge / zelle) + 1)
            gesehen = set()
            for k in range(n + 1):
                t = k / n
                q = tuple(a[j] + (b[j] - a[j]) * t for j in range(3))
                c = self.zelle(q)
                if c not in gesehen:
                    gesehen.add(c)
                    self.zellen.setdefault(c, []).append(i)

    def zelle(self, q):
        return tuple(int(math.floor(v / self.z)) for v in q)

    def abstand(self, q):
        c = self.zelle(q)
        bester = float("inf")
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                for dz in (-1, 0, 1):
                    for i in self.zellen.get((c[0] + dx, c[1] + dy, c[2] + dz), ()):
                        bester = min(bester, strecke(q, self.p[i], self.p[i + 1]))
        return bester


def strecke(q, a, b):
    d = [b[j] - a[j] for j in range(3)]
    l2 = sum(v * v for v in d)
    t = 0.0 if l2 == 0 else max(0.0, min(1.0, sum((q[j] - a[j]) * d[j] for j in range(3)) / l2))
    return math.dist(q, [a[j] + d[j] * t for j in range(3)])


def werkzeugdatei(ordner):
    """A tool list with tools 1 … 99, all of length 0, so a tool change does
    not move z."""
    zeilen = ["korvx-run - Werkzeugdatei"]
    for n in range(1, 100):
        zeilen += [f"Werkzeugnummer={n}", "          Werkzeugbenennung=Fr\xe4ser",
                   "          Werkzeugl\xe4nge=0,00", "          Werkzeugnutzl\xe4nge=10,00",
                   "          Werkzeugdurchmesser=1,00", "          Zeichenfarbe=1"]
    with open(os.path.join(ordner, "FraesWkz.DAT"), "w", encoding="cp1252", newline="\r\n") as f:
        f.write("\n".join(zeilen) + "\n")


def ausfuehren(bau, tmp, null, cnc, modus):
    """korvx-run's output, against korvx-ctlsim in the machine mode."""
    aufruf = [os.path.join(bau, "src/app/korvx-run"), "--start-dir", tmp, "--mode", modus,
              "--trace", "--zero", ",".join(f"{v:.3f}" for v in null), cnc]
    if modus == "sim":
        return subprocess.run(aufruf, capture_output=True, text=True, cwd=tmp).stdout
    sim = subprocess.Popen([os.path.join(bau, "src/ctlsim/korvx-ctlsim"), "--link", tmp,
                            "--time-scale", "0.01", "--baud", "115200", "--lifetime", "3600"],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, cwd=tmp)
    try:
        for _ in range(100):
            if os.path.exists(os.path.join(tmp, "COM1")):
                break
            time.sleep(0.05)
        return subprocess.run(aufruf, capture_output=True, text=True, cwd=tmp,
                              timeout=3000).stdout
    finally:
        sim.kill()
        sim.wait()


def pruefen(datei, bau, tol, modus):
    name = os.path.basename(datei)
    with tempfile.TemporaryDirectory() as tmp:
        try:
            quelle, ecken = kanonisch(datei, tmp)
        except RuntimeError as fehler:
            print(f"{name}: {fehler}")
            return False
        cnc = os.path.join(tmp, "P.CNC")
        r = subprocess.run([os.path.join(bau, "tests/rs274/rs274_umsetzen"), datei, cnc],
                           capture_output=True, text=True)
        if r.returncode != 0:
            print(f"{name}: abgelehnt: {r.stdout.strip().splitlines()[-1]}")
            return None
        m = re.search(r"extent: X (\S+)…(\S+) Y (\S+)…(\S+) Z (\S+)…(\S+) mm", r.stdout)
        xa, xe, ya, ye, za, ze = (float(v) for v in m.groups())
        if xe - xa > ARBEITSRAUM[0] or ye - ya > ARBEITSRAUM[1] or ze - za > ARBEITSRAUM[2] - 1:
            print(f"{name}: übersprungen, passt nicht in den Arbeitsraum")
            return None
        null = (ARBEITSRAUM[0] / 2 - (xa + xe) / 2, ARBEITSRAUM[1] / 2 - (ya + ye) / 2,
                ARBEITSRAUM[2] - 0.5 - ze)
        werkzeugdatei(tmp)
        ausgabe = ausfuehren(bau, tmp, null, cnc, modus)
        # Which axes the program writes at all, and from which block on all are set.
        text = open(cnc, encoding="cp1252").read()
        achsen = {a for a in "XYZ" if re.search(rf"^N\d+ .*{a}-?[\d.]", text, re.M)}
        gesetzt = set()
        m_pos = [0.0, 0.0, ARBEITSRAUM[2]]
        ziele = []
        vorschubziele = []
        eilgang = False
        ende = None
        for zeile in ausgabe.splitlines():
            if zeile.startswith("block: "):
                satz = re.sub(r"\(.*?\)", "", zeile[7:])
                gesetzt |= {a for a in "XYZ" if re.search(rf"{a}-?[\d.]", satz)}
                eilgang = " G00" in satz
            elif zeile.startswith("move: @0A "):
                v = [int(x) for x in zeile[10:].split(",")]
                m_pos[0] += v[0] / SCHRITTE_PRO_MM
                m_pos[1] += v[2] / SCHRITTE_PRO_MM
                m_pos[2] -= (v[4] + v[6]) / SCHRITTE_PRO_MM
                w = [m_pos[j] - null[j] for j in range(3)]
                for j, a in enumerate("XYZ"):
                    if a not in achsen:
                        w[j] = 0.0
                if achsen <= gesetzt:
                    ziele.append(tuple(w))
                    if not eilgang:
                        vorschubziele.append(tuple(w))
            elif zeile.startswith("end: "):
                ende = zeile
        if not ende or not ende.startswith(("end: normal", "end: m30")):
            print(f"{name}: Lauf nicht normal beendet: {ende}")
            return False
        if not ziele:
            print(f"{name}: keine Bewegung verglichen")
            return None
        quellraster = Raster(quelle)
        # A rapid in x/y and z is split on purpose (z first when it rises):
        # its corner is off the source's line, so only feed targets count here.
        weg = max((quellraster.abstand(z) for z in vorschubziele), default=0.0)
        # Source corners from where the comparison starts: the corner nearest
        # to the first compared target.
        erster = min(range(len(quelle)), key=lambda i: math.dist(quelle[i], ziele[0]))
        zielraster = Raster(ziele)
        eck = max((zielraster.abstand(quelle[i]) for i in ecken if i >= erster), default=0.0)
        grenze = tol + SCHRITT_RUNDUNG
        gut = weg <= grenze and eck <= grenze
        print(f"{name}: {'gut' if gut else 'ABWEICHUNG'}: {len(ziele)} Ziele, "
              f"Ziel–Quellbahn höchstens {weg:.4f} mm, Quellpunkt–Bahn höchstens {eck:.4f} mm")
        return gut


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--build", default="build")
    ap.add_argument("--tol", type=float, default=0.01)
    ap.add_argument("--mode", default="machine", choices=("machine", "sim"))
    ap.add_argument("dateien", nargs="+")
    a = ap.parse_args()
    bau = os.path.abspath(a.build)
    ergebnisse = [pruefen(os.path.abspath(d), bau, a.tol, a.mode) for d in a.dateien]
    sys.exit(1 if any(e is False for e in ergebnisse) else 0)


if __name__ == "__main__":
    main()
