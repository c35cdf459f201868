#!/usr/bin/env python3
"""Checks the layering of src/ against the module table of docs/ARCHITECTURE.md.

    scripts/schichten.py                 check the project's tree
    scripts/schichten.py --selbsttest    check the checker on a small made-up tree

The table "| folder | what | depends on |" names each folder (src/state,
src/graphics/qt, ...) and the folders it may include from, by their short name
(the path below src/). A row whose dependency column is "—" may include only
from itself; a row whose column is anything else than a comma list of known
short names ("the logic", "everything") is not restricted. Remarks in brackets
("tools (tool record)") and external libraries ("Qt6::Gui") in the list are
ignored.

Every #include "x/..." in src/**/*.h and *.cpp is mapped to the folder of the
included file: the longest folder of the table that holds it, so
"graphics/qt/X.h" belongs to graphics/qt and "graphics/X.h" to graphics. A
file belongs to its folder the same way. Folders named ui below a subsystem
(src/*/ui) are the Qt side of it: they are checked against the row "*/ui"
(its list names what every such folder may include besides itself), and
nothing of the logic may include them. Whatever that row says, a ui folder
of a subsystem never includes the main window's folder src/ui: the window
builds on the forms, not the other way round. A source file in a folder the
table does not know is reported too.

Every include from folder A into folder B, B neither A nor in A's list, is
printed as file:line with the include and A's list; the exit status is then
1 (2 when the table cannot be read).
"""
import os
import re
import sys
import tempfile

KOPF = ["folder", "what", "depends on"]
KEINE = {"—", "–", "-", ""}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


class TabellenFehler(Exception):
    pass


def zellen(zeile):
    """The cells of one markdown table line; "\\|" is a bar inside a cell."""
    teile = re.split(r"(?<!\\)\|", zeile.strip())
    if teile and teile[0] == "":
        teile = teile[1:]
    if teile and teile[-1] == "":
        teile = teile[:-1]
    return [t.replace("\\|", "|").replace("`", "").strip() for t in teile]


def tabelle_lesen(text):
    """Reads the module table: returns (ordner, muster) where ordner maps each
    folder's short name to its allowed set (None = unrestricted) and muster
    maps patterns like "*/ui" the same way."""
    zeilen = text.splitlines()
    start = None
    for i, zeile in enumerate(zeilen):
        if zeile.lstrip().startswith("|") and [z.lower() for z in zellen(zeile)] == KOPF:
            start = i + 1
            break
    if start is None:
        raise TabellenFehler("keine Tabelle \"| folder | what | depends on |\" gefunden")
    zeilen_daten = []
    for zeile in zeilen[start:]:
        if not zeile.lstrip().startswith("|"):
            break
        z = zellen(zeile)
        if all(re.fullmatch(r":?-+:?", c) for c in z):
            continue  # separator line
        if len(z) != 3:
            raise TabellenFehler("Zeile mit %d statt 3 Spalten: %s" % (len(z), zeile.strip()))
        zeilen_daten.append(z)

    namen = []  # (short name or pattern, is pattern, dependency cell)
    for ordnerzelle, _, abhaengig in zeilen_daten:
        for eintrag in ordnerzelle.split(","):
            eintrag = eintrag.strip().rstrip("/")
            if eintrag.startswith("src/"):
                namen.append((eintrag[len("src/"):], False, abhaengig))
            elif eintrag.startswith("*/"):
                namen.append((eintrag, True, abhaengig))
            else:
                raise TabellenFehler("unbekannte Ordnerangabe \"%s\"" % eintrag)
    bekannt = {n for n, muster, _ in namen if not muster}

    ordner, muster = {}, {}
    for name, ist_muster, abhaengig in namen:
        (muster if ist_muster else ordner)[name] = erlaubte(abhaengig, bekannt)
    return ordner, muster


def erlaubte(zelle, bekannt):
    """The allowed set of one dependency cell, None when not a plain list."""
    if zelle.strip() in KEINE:
        return set()
    menge = set()
    for teil in zelle.split(","):
        teil = re.sub(r"\([^)]*\)", "", teil).strip()
        if "::" in teil:
            continue  # an external library, not one of our folders
        if teil not in bekannt:
            return None
        menge.add(teil)
    return menge


def ui_ordner(teile):
    """Short name of the ui folder below a subsystem (["graphics", "ui", ...] →
    "graphics/ui"), or None."""
    for i in range(1, len(teile)):
        if teile[i] == "ui":
            return "/".join(teile[: i + 1])
    return None


def ordner_von(pfad, ordner):
    """Folder of a path below src/ (a file's or an include's): (short name,
    whether it is a ui subfolder); short name None when no folder holds it."""
    teile = pfad.split("/")[:-1]
    ui = ui_ordner(teile)
    if ui is not None:
        return ui, True
    for n in range(len(teile), 0, -1):
        kandidat = "/".join(teile[:n])
        if kandidat in ordner:
            return kandidat, False
    return None, False


def pruefen(quellen, ordner, muster):
    """All layering violations below the folder quellen, as text lines in
    file order, and the number of includes checked."""
    meldungen, anzahl = [], 0
    unbekannt_gemeldet = set()
    dateien = []
    for wurzel, verzeichnisse, namen in os.walk(quellen):
        verzeichnisse.sort()
        for name in sorted(namen):
            if name.endswith((".h", ".cpp")):
                dateien.append(os.path.join(wurzel, name))
    for datei in sorted(dateien):
        relativ = os.path.relpath(datei, quellen).replace(os.sep, "/")
        anzeige = "src/" + relativ
        eigen, eigen_ui = ordner_von(relativ, ordner)
        if eigen is None:
            verzeichnis = os.path.dirname(relativ) or "."
            if verzeichnis not in unbekannt_gemeldet:
                unbekannt_gemeldet.add(verzeichnis)
                meldungen.append("%s: der Ordner src/%s steht nicht in der Modultabelle"
                                 % (anzeige, verzeichnis))
            continue
        if eigen_ui:
            erlaubt = muster.get("*/ui")
        else:
            erlaubt = ordner[eigen]
        with open(datei, encoding="utf-8", errors="replace") as f:
            zeilen = f.read().splitlines()
        for nummer, zeile in enumerate(zeilen, 1):
            treffer = INCLUDE.match(zeile)
            if not treffer:
                continue
            anzahl += 1
            eingebunden = treffer.group(1)
            # Quoted includes are looked up next to the file first, then in src/.
            neben = os.path.normpath(os.path.join(os.path.dirname(relativ), eingebunden))
            if os.path.isfile(os.path.join(quellen, neben)):
                ziel_pfad = neben.replace(os.sep, "/")
            else:
                ziel_pfad = os.path.normpath(eingebunden).replace(os.sep, "/")
            if "/" not in ziel_pfad or ziel_pfad.startswith(".."):
                continue  # not a file of a source folder
            ziel, _ = ordner_von(ziel_pfad, ordner)
            if ziel is None:
                ziel = ziel_pfad.split("/")[0]
            if eigen_ui and ziel == "ui":
                meldungen.append('%s:%d: #include "%s": %s darf ui nicht einbinden '
                                 '(das Hauptfenster baut auf den Formularen auf)'
                                 % (anzeige, nummer, eingebunden, eigen))
                continue
            if ziel == eigen or erlaubt is None or ziel in erlaubt:
                continue
            liste = ", ".join(sorted(erlaubt)) if erlaubt else "—"
            meldungen.append('%s:%d: #include "%s": %s darf %s nicht einbinden (erlaubt: %s)'
                             % (anzeige, nummer, eingebunden, eigen, ziel, liste))
    return meldungen, anzahl


def selbsttest():
    """Runs the checker on a made-up table and tree with known violations."""
    tabelle = """# Test

| folder | what | depends on |
|---|---|---|
| src/a | base | — |
| src/b | middle | a (records) |
| src/b/qt | canvas | b, Qt6::Gui |
| src/kit | window kit | a, Qt6::Widgets |
| src/ui | windows | the logic |
| */ui | forms | a, b, b/qt, kit |
| src/app | programs | everything |

| other | table |
|---|---|
| src/c | x |
"""
    dateien = {
        "a/A.h": '#include "a/A2.h"\n#include <vector>\n#include "b/B.h"\n',
        "a/A2.h": "// #include \"b/B.h\" only a comment\n",
        "b/B.h": '#include "a/A.h"\n',
        "b/B.cpp": '#include "B.h"\n#include "b/qt/Q.h"\n#include "b/ui/F.h"\n'
                   '  #  include "a/A.h"\n',
        "b/qt/Q.cpp": '#include "b/B.h"\n#include "a/A.h"\n',
        "b/ui/F.cpp": '#include "a/A.h"\n#include "b/qt/Q.h"\n#include "ui/W.h"\n'
                      '#include "kit/K.h"\n#include "F.h"\n#include "b/ui/F.h"\n',
        "b/ui/F.h": '#include "kit/K.h"\n',
        "c/ui/G.cpp": '#include "b/ui/F.h"\n#include "app/P.h"\n',
        "kit/K.h": '#include "a/A.h"\n#include "ui/W.h"\n#include "b/ui/F.h"\n',
        "ui/W.h": '#include "b/ui/F.h"\n#include "app/P.h"\n#include "kit/K.h"\n',
        "app/P.cpp": '#include "b/qt/Q.h"\n#include "c/C.h"\n',
        "c/C.h": '#include "a/A.h"\n',
    }
    erwartet = [
        'src/a/A.h:3: #include "b/B.h": a darf b nicht einbinden (erlaubt: —)',
        'src/b/B.cpp:2: #include "b/qt/Q.h": b darf b/qt nicht einbinden (erlaubt: a)',
        'src/b/B.cpp:3: #include "b/ui/F.h": b darf b/ui nicht einbinden (erlaubt: a)',
        'src/b/qt/Q.cpp:2: #include "a/A.h": b/qt darf a nicht einbinden (erlaubt: b)',
        'src/b/ui/F.cpp:3: #include "ui/W.h": b/ui darf ui nicht einbinden '
        '(das Hauptfenster baut auf den Formularen auf)',
        "src/c/C.h: der Ordner src/c steht nicht in der Modultabelle",
        'src/c/ui/G.cpp:1: #include "b/ui/F.h": c/ui darf b/ui nicht einbinden '
        '(erlaubt: a, b, b/qt, kit)',
        'src/c/ui/G.cpp:2: #include "app/P.h": c/ui darf app nicht einbinden '
        '(erlaubt: a, b, b/qt, kit)',
        'src/kit/K.h:2: #include "ui/W.h": kit darf ui nicht einbinden (erlaubt: a)',
        'src/kit/K.h:3: #include "b/ui/F.h": kit darf b/ui nicht einbinden (erlaubt: a)',
    ]
    ordner, muster = tabelle_lesen(tabelle)
    fehler = []
    if ordner != {"a": set(), "b": {"a"}, "b/qt": {"b"}, "kit": {"a"}, "ui": None, "app": None}:
        fehler.append("Tabelle falsch gelesen: %r" % ordner)
    if muster != {"*/ui": {"a", "b", "b/qt", "kit"}}:
        fehler.append("Muster falsch gelesen: %r" % muster)
    with tempfile.TemporaryDirectory() as tmp:
        for name, inhalt in dateien.items():
            pfad = os.path.join(tmp, name)
            os.makedirs(os.path.dirname(pfad), exist_ok=True)
            with open(pfad, "w", encoding="utf-8") as f:
                f.write(inhalt)
        meldungen, anzahl = pruefen(tmp, ordner, muster)
    if meldungen != erwartet:
        fehler.append("Meldungen:\n  " + "\n  ".join(meldungen) +
                      "\nerwartet:\n  " + "\n  ".join(erwartet))
    if anzahl != 26:
        fehler.append("%d Einbindungen gezählt, erwartet 26" % anzahl)
    for kaputt in ["| folder | what |\n|---|---|\n", "| folder | what | depends on |\n|---|---|---|\n"
                   "| lib/x | y | — |\n"]:
        try:
            tabelle_lesen(kaputt)
            fehler.append("kein Fehler für die Tabelle %r" % kaputt)
        except TabellenFehler:
            pass
    for f in fehler:
        print("Selbsttest der Schichtenprüfung: " + f)
    if not fehler:
        print("Selbsttest der Schichtenprüfung: in Ordnung")
    return 1 if fehler else 0


def main(argumente):
    if argumente == ["--selbsttest"]:
        return selbsttest()
    if argumente:
        print("Aufruf: scripts/schichten.py [--selbsttest]", file=sys.stderr)
        return 2
    projekt = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    architektur = os.path.join(projekt, "docs", "ARCHITECTURE.md")
    try:
        with open(architektur, encoding="utf-8") as f:
            ordner, muster = tabelle_lesen(f.read())
    except (OSError, TabellenFehler) as e:
        print("Schichtenprüfung: docs/ARCHITECTURE.md: %s" % e, file=sys.stderr)
        return 2
    meldungen, anzahl = pruefen(os.path.join(projekt, "src"), ordner, muster)
    for m in meldungen:
        print(m)
    if meldungen:
        print("Schichtenprüfung: %d Verstöße gegen die Modultabelle in docs/ARCHITECTURE.md"
              % len(meldungen))
        return 1
    print("Schichtenprüfung: %d Einbindungen geprüft, in Ordnung" % anzahl)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
