#!/usr/bin/env python3
"""Writes a part program of N blocks with short moves for the estimate bench.

Moves of 0.2 ... 1.5 mm (75 % G01 at F 0.5 ... 3 m/min, 25 % G00; no arcs,
whose one-degree chords would make thousands of moves), so a run against korvx-ctlsim at 9600 baud and
time scale 1 takes a few minutes and the line's share is large. All inside the
default protection zone with the zero point 0,0,40.

    kurzwege_erzeugen.py BLOECKE DATEI [SAAT]
"""
import random
import sys


def main():
    bloecke = int(sys.argv[1])
    zufall = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 2)
    x, y = 50.0, 50.0
    zeilen = ["N1 G90 G00 X50.000 Y50.000 Z2.000", "N2 G01 Z-0.500 F0.5"]
    n = 2
    while len(zeilen) < bloecke - 1:
        n += 1
        wahl = zufall.random()
        dx = zufall.uniform(0.2, 1.5) * zufall.choice((-1, 1))
        dy = zufall.uniform(0.2, 1.5) * zufall.choice((-1, 1))
        x = min(90.0, max(10.0, x + dx))
        y = min(90.0, max(10.0, y + dy))
        if wahl < 0.75:
            f = zufall.choice((0.5, 1.0, 2.0, 3.0))
            zeilen.append(f"N{n} G01 X{x:.3f} Y{y:.3f} F{f}")
        else:
            zeilen.append(f"N{n} G00 X{x:.3f} Y{y:.3f}")
    zeilen.append(f"N{n + 1} G00 Z5")
    with open(sys.argv[2], "w", newline="\r\n") as f:
        f.write("\n".join(zeilen) + "\n")


if __name__ == "__main__":
    main()
