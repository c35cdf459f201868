#!/usr/bin/env python3
"""Writes an RS274/NGC program of about N lines (default 1,000,000) in the
style of CAM output: a header, a tool change, contour passes of straight
moves and arcs (I/J and R) in millimetres, ramps, and drilling cycles. For
the converter's benchmark:

    bench/rs274_erzeugen.py [LINES] > GROSS.ngc
"""
import math
import sys


def main():
    zeilen = int(sys.argv[1]) if len(sys.argv) > 1 else 1_000_000
    aus = sys.stdout
    n = 0

    def w(text):
        nonlocal n
        aus.write(text + "\n")
        n += 1

    w("%")
    w("(Benchmark: Konturen, Boegen, Bohrungen)")
    w("G90 G94 G17 G21 G91.1")
    w("T1 M6")
    w("S12000 M3")
    w("G0 Z5.000")
    durchgang = 0
    while n < zeilen - 4:
        durchgang += 1
        x0 = 10 + (durchgang % 20) * 5.123
        y0 = 10 + (durchgang // 20 % 20) * 4.567
        tiefe = -0.1 - (durchgang % 5) * 0.1
        w(f"G0 X{x0:.4f} Y{y0:.4f}")
        w(f"G1 Z{tiefe:.4f} F300")
        w("F800")
        # A rounded rectangle of straight moves and quarter arcs.
        b, h, r = 20.0, 12.0, 2.0
        w(f"X{x0 + b:.4f}")
        w(f"G3 X{x0 + b + r:.4f} Y{y0 + r:.4f} I0 J{r:.4f}")
        w(f"G1 Y{y0 + h:.4f}")
        w(f"G3 X{x0 + b:.4f} Y{y0 + h + r:.4f} R{r:.4f}")
        w(f"G1 X{x0:.4f}")
        w(f"G3 X{x0 - r:.4f} Y{y0 + h:.4f} I0 J{-r:.4f}")
        w(f"G1 Y{y0 + r:.4f}")
        w(f"G3 X{x0:.4f} Y{y0:.4f} I{r:.4f} J0")
        # A zigzag of short segments, as isolation milling writes them.
        for k in range(12):
            w(f"G1 X{x0 + k * 1.5:.4f} Y{y0 + 3 + math.sin(k) * 1.2:.4f}")
        # A ramp.
        w(f"G1 X{x0 + 5:.4f} Y{y0 + 6:.4f} Z{tiefe - 0.2:.4f}")
        w("G0 Z5.000")
        if durchgang % 10 == 0:
            w(f"G81 X{x0 + 2:.4f} Y{y0 + 8:.4f} Z-1.5 R1.0 F200")
            w(f"X{x0 + 4:.4f}")
            w("G80")
    w("G0 Z5.000")
    w("M5")
    w("M30")
    w("%")


if __name__ == "__main__":
    main()
