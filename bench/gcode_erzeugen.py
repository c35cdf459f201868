#!/usr/bin/env python3
"""Writes an RS274/NGC file of N lines, as CAM programs write it, for the
G-code part of the dry-run benchmark.

A header (G17 G21 G90 G94, a tool change, spindle on), then 60 % G1, 20 % G0
and 20 % G2/G3 quarter and half arcs of radius 1 … 20 mm with I/J (not modal
in RS274, so every arc states both), feeds in mm/min, a comment now and then,
all at one depth inside the default protection zone after a reference run
with the zero point at the top of the z travel; M30 at the end.

    gcode_erzeugen.py ZEILEN DATEI [SAAT]
"""
import random
import sys

XMIN, XMAX, YMIN, YMAX = 40.0, 255.0, 40.0, 165.0


def main():
    zeilenzahl = int(sys.argv[1])
    datei = sys.argv[2]
    zufall = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 1)
    x, y = 100.0, 100.0
    zeilen = [
        "%",
        "(Benchmark-Programm)",
        "G17 G21 G90 G94",
        "T1 M6",
        "S10000 M3",
        "G0 X100.000 Y100.000",
        "G1 Z-1.000 F300",
    ]
    while len(zeilen) < zeilenzahl - 2:
        wahl = zufall.random()
        if wahl < 0.01:
            zeilen.append("(Abschnitt)")
            continue
        if wahl < 0.8:
            x = min(XMAX, max(XMIN, x + zufall.uniform(-20.0, 20.0)))
            y = min(YMAX, max(YMIN, y + zufall.uniform(-20.0, 20.0)))
            if wahl < 0.6:
                zeilen.append(f"G1 X{x:.3f} Y{y:.3f} F{zufall.choice((600, 800, 1000))}")
            else:
                zeilen.append(f"G0 X{x:.3f} Y{y:.3f}")
            continue
        # The centre on an axis through the start, so the end lies exactly
        # on the circle.
        r = float(zufall.randint(1, 20))
        g = zufall.choice(("G2", "G3"))
        i, j = zufall.choice(((r, 0.0), (-r, 0.0), (0.0, r), (0.0, -r)))
        mx, my = x + i, y + j
        if not (XMIN <= mx - r and mx + r <= XMAX and YMIN <= my - r and my + r <= YMAX):
            continue
        sx, sy = -i, -j
        richtung = -1 if g == "G2" else 1
        for _ in range(zufall.choice((1, 2))):
            sx, sy = -richtung * sy, richtung * sx
        x, y = mx + sx, my + sy
        zeilen.append(f"{g} X{x:.3f} Y{y:.3f} I{i:.3f} J{j:.3f}")
    zeilen += ["M5", "M30"]
    with open(datei, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(zeilen) + "\n")


if __name__ == "__main__":
    main()
