#!/usr/bin/env python3
"""Converts a Hershey font (.jhf, Debian package hershey-fonts-data) into the
stroke font format (.FNT) that Korvelantrix engraves and previews with.

    scripts/hershey_nach_fnt.py /usr/share/hershey-fonts/futural.jhf examples/FUTURAL.FNT

The .jhf file holds the glyphs of the codes 32 to 127, one per line: a 5-digit
number, a 3-digit count of coordinate pairs, then the pairs as letters ('R' is
0, y grows downwards); the first pair is the left and right bound, " R" lifts
the pen. The .FNT file covers the codes 32 to 255 of the DOS code page 850;
besides ASCII it gets the German umlauts, sharp s, the diameter sign and a few
other signs, composed from the Hershey glyphs. Codes without a glyph have width 0 and no strokes.
The output is the same for the same input, byte for byte.
"""
import struct
import sys

ERSTES = 32
ANZAHL = 224  # codes 32 ... 255


def jhf_lesen(pfad):
    """Glyphs of codes 32 ... as (left, right, strokes); strokes are lists of
    points (x, y) with y downwards, each list one pen-down polyline."""
    zeilen = open(pfad, encoding="ascii").read().split("\n")
    glyphen = []
    i = 0
    while i < len(zeilen):
        zeile = zeilen[i].rstrip("\r")
        i += 1
        if not zeile.strip():
            continue
        anzahl = int(zeile[5:8])
        daten = zeile[8:]
        while len(daten) < 2 * anzahl and i < len(zeilen):  # wrapped glyphs
            daten += zeilen[i].rstrip("\r")
            i += 1
        paare = [(daten[k], daten[k + 1]) for k in range(0, 2 * anzahl, 2)]
        links = ord(paare[0][0]) - ord("R")
        rechts = ord(paare[0][1]) - ord("R")
        striche, zug = [], []
        for a, b in paare[1:]:
            if a == " " and b == "R":
                if zug:
                    striche.append(zug)
                zug = []
            else:
                zug.append((ord(a) - ord("R"), ord(b) - ord("R")))
        if zug:
            striche.append(zug)
        glyphen.append((links, rechts, striche))
    return glyphen


class Glyphe:
    """A glyph in font units: origin at the left on the baseline, y upwards."""

    def __init__(self, breite, striche):
        self.breite = breite
        self.striche = striche  # lists of (x, y)

    def plus(self, striche):
        return Glyphe(self.breite, self.striche + striche)

    def links(self):
        return min(x for zug in self.striche for x, _ in zug)


def umrechnen(hershey, grundlinie):
    links, rechts, striche = hershey
    return Glyphe(rechts - links, [[(x - links, grundlinie - y) for x, y in zug] for zug in striche])


def punkt(x, y):
    """A dot as a small diamond."""
    return [(x, y + 1), (x - 1, y), (x, y - 1), (x + 1, y), (x, y + 1)]


def umlaut(g, hoehe):
    mitte = (min(x for zug in g.striche for x, _ in zug) + max(x for zug in g.striche for x, _ in zug)) // 2
    return g.plus([punkt(mitte - 3, hoehe), punkt(mitte + 3, hoehe)])


def verkleinert(g, hoch):
    """Half size, raised: superscript digits."""
    return Glyphe((g.breite + 1) // 2 + 2,
                  [[(x // 2 + 1, y // 2 + hoch) for x, y in zug] for zug in g.striche])


def zusammenstellen(ascii_glyphen, versal, mittel):
    g = dict(ascii_glyphen)
    # ß: a stem with a rounded top and two bows on the right.
    g[225] = Glyphe(19, [
        [(4, 0), (4, 16), (5, 19), (7, 21), (10, 21), (12, 20), (13, 18), (13, 16), (12, 14),
         (10, 13), (8, 13)],
        [(10, 13), (13, 12), (15, 10), (16, 7), (16, 5), (15, 2), (13, 0), (10, 0), (8, 1)],
    ])
    g[132] = umlaut(g[ord("a")], mittel + 3)
    g[148] = umlaut(g[ord("o")], mittel + 3)
    g[129] = umlaut(g[ord("u")], mittel + 3)
    g[142] = umlaut(g[ord("A")], versal + 3)
    g[153] = umlaut(g[ord("O")], versal + 3)
    g[154] = umlaut(g[ord("U")], versal + 3)
    # Ø and ø (the diameter sign on drawings): O and o struck through.
    gross_o, klein_o = g[ord("O")], g[ord("o")]
    g[157] = gross_o.plus([[(gross_o.links(), -1), (gross_o.breite - gross_o.links(), versal + 1)]])
    g[155] = klein_o.plus([[(klein_o.links(), -1), (klein_o.breite - klein_o.links(), mittel + 1)]])
    # °: a small circle at cap height.
    kreis = [(5, 21), (3, 20), (2, 18), (3, 16), (5, 15), (7, 16), (8, 18), (7, 20), (5, 21)]
    g[248] = Glyphe(10, [kreis])
    # ±
    g[241] = Glyphe(26, [[(13, 5), (13, 19)], [(5, 12), (21, 12)], [(5, 1), (21, 1)]])
    # µ: u with a stem down to the descender line.
    u = g[ord("u")]
    g[230] = u.plus([[(u.links(), mittel), (u.links(), -7)]])
    # ·
    g[250] = Glyphe(10, [punkt(5, 9)])
    g[253] = verkleinert(g[ord("2")], 11)
    g[252] = verkleinert(g[ord("3")], 11)
    return g


def strich(art, x, y):
    if not (-64 <= x <= 63 and -64 <= y <= 63):
        raise ValueError("Koordinate außerhalb von 7 Bit: %d, %d" % (x, y))
    return bytes([((art >> 1) << 7) | (x & 0x7F), ((art & 1) << 7) | (y & 0x7F)])


def fnt_bauen(glyphen, name, oben, unten, beschreibung):
    daten = bytearray()
    offsets, breiten = [], []
    leer = None
    for code in range(ERSTES, ERSTES + ANZAHL):
        g = glyphen.get(code)
        if g is None or not g.striche:
            if leer is None:
                leer = len(daten)
                daten += b"\x00\x00"
            offsets.append(leer)
            breiten.append(g.breite if g else 0)
            continue
        offsets.append(len(daten))
        breiten.append(g.breite)
        for zug in g.striche:
            daten += strich(2, *zug[0])
            for x, y in zug[1:]:
                daten += strich(3, x, y)
        daten += b"\x00\x00"
    kopf = struct.pack("<BHBBHBBBb5s", ord("+"), ANZAHL, 0, ERSTES, 16 + 3 * ANZAHL, 0,
                       oben, 0, unten, b"\x00" * 5)
    tabellen = b"".join(struct.pack("<H", o) for o in offsets) + bytes(breiten)
    hauptteil = kopf + tabellen + bytes(daten)
    text = b"PK\x08\x08BGI Stroked Font V1.1 - " + beschreibung + b"\r\n"
    assert len(text) < 128
    vorspann = text + b"\x1a"
    h = 0x80
    vorspann += struct.pack("<H4sHBBBB", h, name, len(hauptteil), 1, 0, 1, 0)
    vorspann += b"\x00" * (h - len(vorspann))
    return bytes(vorspann + hauptteil)


def main():
    if len(sys.argv) != 3:
        sys.exit("Aufruf: hershey_nach_fnt.py EINGABE.jhf AUSGABE.FNT")
    ein, aus = sys.argv[1], sys.argv[2]
    roh = jhf_lesen(ein)
    # Baseline and cap height from the letter H.
    h_striche = roh[ord("H") - ERSTES][2]
    ys = [y for zug in h_striche for _, y in zug]
    grundlinie = max(ys)
    versal = grundlinie - min(ys)
    x_striche = roh[ord("x") - ERSTES][2]
    mittel = grundlinie - min(y for zug in x_striche for _, y in zug)
    ascii_glyphen = {ERSTES + i: umrechnen(r, grundlinie) for i, r in enumerate(roh)}
    glyphen = zusammenstellen(ascii_glyphen, versal, mittel)
    unten = min(y for g in glyphen.values() for zug in g.striche for _, y in zug)
    stamm = ein.rsplit("/", 1)[-1].rsplit(".", 1)[0]
    name = stamm.upper()[:4].ljust(4).encode("ascii")
    beschreibung = ("Hershey %s (Dr. A. V. Hershey, James Hurt)" % stamm).encode("ascii")
    inhalt = fnt_bauen(glyphen, name, versal, unten, beschreibung)
    with open(aus, "wb") as f:
        f.write(inhalt)
    print("%s: %d Bytes, Versalhöhe %d, Unterlänge %d" % (aus, len(inhalt), versal, unten))


if __name__ == "__main__":
    main()
