#!/usr/bin/env python3
"""Writes a part program of N blocks for the dry-run benchmark.

60 % G01, 20 % G00, 20 % G02/G03 quarter and half arcs of radius 1 … 20 mm,
all inside the default protection zone after a reference run (workpiece
x 0 … 295, y 0 … 205, z −65 … 0). The file is plain DIN 66025 G-code that
LinuxCNC's standalone interpreter reads too.

    programm_erzeugen.py BLOECKE DATEI [SAAT]
"""
import random
import sys

XMIN, XMAX, YMIN, YMAX = 40.0, 255.0, 40.0, 165.0


def main():
    bloecke = int(sys.argv[1])
    datei = sys.argv[2]
    zufall = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    x, y = 100.0, 100.0
    zeilen = ["N1 G00 X100.000 Y100.000 Z-1.000 F1.0"]
    n = 1
    while len(zeilen) < bloecke - 1:
        n += 1
        wahl = zufall.random()
        if wahl < 0.8:
            g = "G01" if wahl < 0.6 else "G00"
            x = min(XMAX, max(XMIN, x + zufall.uniform(-20.0, 20.0)))
            y = min(YMAX, max(YMIN, y + zufall.uniform(-20.0, 20.0)))
            zeilen.append(f"N{n} {g} X{x:.3f} Y{y:.3f}")
            continue
        # An arc whose centre lies on an axis through the start, so its end
        # lies exactly on the circle.
        r = float(zufall.randint(1, 20))
        g = zufall.choice(("G02", "G03"))
        i, j = zufall.choice(((r, 0.0), (-r, 0.0), (0.0, r), (0.0, -r)))
        mx, my = x + i, y + j
        if not (XMIN <= mx - r and mx + r <= XMAX and YMIN <= my - r and my + r <= YMAX):
            n -= 1
            continue
        # Start angle seen from the centre, then a quarter or a half turn.
        sx, sy = -i, -j
        schritte = zufall.choice((1, 2))
        richtung = -1 if g == "G02" else 1
        for _ in range(schritte):
            sx, sy = -richtung * sy, richtung * sx
        x, y = mx + sx, my + sy
        zeilen.append(f"N{n} {g} X{x:.3f} Y{y:.3f} I{i:.3f} J{j:.3f}")
    zeilen.append(f"N{n + 1} M30")
    with open(datei, "w", encoding="ascii", newline="\r\n") as f:
        f.write("\n".join(zeilen) + "\n")


if __name__ == "__main__":
    main()
