#!/usr/bin/env python3
"""Fault soak: korvx-run in the machine modes against korvx-ctlsim.

Runs the example programs and generated ones through a pseudo-terminal until
the given number of moves has been made, injecting faults at random points
(from the seed): error replies of every code, silence, garbled replies, slow
replies, hang-ups, the emergency stop (SIGINT) and the abort button (SIGUSR1)
in the middle of moves. Every run is checked; the last line says how many
checks failed.

    soak.py --build DIR [--moves N] [--seed S] [--verbose]
"""
import argparse
import os
import random
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

BEISPIELE = [
    ("KONTUR.CNC", ["--tool", "1"]),
    ("BEISPIEL.CNC", ["--zero", "0,0,40", "--tool", "1"]),
    ("ZYKLEN.CNC", ["--zero", "0,0,40", "--tool", "1", "--font", "FUTURAL.FNT"]),
]
# Lines the controller receives before a run's first block: setup0, @07,
# @0d, @0e0, @0R7 of the reference run and the run's plane command.
VOR_DEM_LAUF = 6
# Every error code the controller table knows, and one it does not.
FEHLERCODES = list("123456789ABCDEF=") + ["Q"]
SCHRITTE_PRO_MM = 100.0  # default settings: 400 steps a turn, 4 mm a turn
Z_OBEN = 65.0  # machine z of the top of the travel (counter 0)
KURZ = "N1 G00 X10 Y10 Z-2\nN2 G01 X20 Y15\nN3 G00 Z0\nN4 M30\n"


class Soak:
    def __init__(self, args):
        self.bau = os.path.abspath(args.build)
        self.lauf = os.path.join(self.bau, "src/app/korvx-run")
        self.sim = os.path.join(self.bau, "src/ctlsim/korvx-ctlsim")
        self.zufall = random.Random(args.seed)
        self.ziel = args.moves
        self.verbose = args.verbose
        self.laeufe = 0
        self.zuege = 0
        self.fehler = 0
        self.falsch = 0
        self.quelle = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
        self.arbeit = tempfile.mkdtemp(prefix="korvx-soak-")
        for name in os.listdir(os.path.join(self.quelle, "examples")):
            shutil.copy(os.path.join(self.quelle, "examples", name), self.arbeit)
        with open(os.path.join(self.arbeit, "KURZ.CNC"), "w") as f:
            f.write(KURZ)
        self.erwartet = {}
        self.simproc = None

    # --- helpers -------------------------------------------------------

    def pruefen(self, ok, was, fall):
        if not ok:
            self.falsch += 1
            print(f"WRONG: {fall}: {was}", flush=True)
            for name in ("lauf.out", "sim.log"):
                pfad = os.path.join(self.arbeit, name)
                if os.path.exists(pfad):
                    with open(pfad, encoding="utf-8", errors="replace") as f:
                        zeilen = f.readlines()
                    print(f"--- {name} (last 8 lines)")
                    sys.stdout.writelines(zeilen[-8:])
        return ok

    def sim_starten(self, extra):
        log = os.path.join(self.arbeit, "sim.log")
        if os.path.exists(log):
            os.remove(log)
        baud = self.zufall.choice(["115200", "115200", "57600"])
        cmd = [self.sim, "--link", self.arbeit, "--time-scale", "0.001", "--baud", baud,
               "--stay", "--lifetime", "900", "--log", log] + extra
        self.simproc = subprocess.Popen(cmd, stdout=subprocess.PIPE, text=True)
        self.geraet = self.simproc.stdout.readline().strip()
        for _ in range(200):
            if os.path.lexists(os.path.join(self.arbeit, "COM1")):
                break
            time.sleep(0.01)

    def sim_beenden(self):
        if self.simproc:
            self.simproc.send_signal(signal.SIGTERM)
            try:
                self.simproc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.simproc.kill()
                self.simproc.wait()
            self.simproc = None

    def empfangen(self):
        """Lines the simulator received, in order, with their times (ms)."""
        zeilen = []
        try:
            with open(os.path.join(self.arbeit, "sim.log"), encoding="utf-8", errors="replace") as f:
                for z in f:
                    teile = z.rstrip("\n").split(" ", 2)
                    if len(teile) >= 2 and teile[1] == "rx":
                        zeilen.append(teile[2] if len(teile) > 2 else "")
        except FileNotFoundError:
            pass
        return zeilen

    def gestoppt(self):
        try:
            with open(os.path.join(self.arbeit, "sim.log"), encoding="utf-8", errors="replace") as f:
                return any(z.split(" ", 1)[-1].strip() == "-- stop" for z in f)
        except FileNotFoundError:
            return False

    def position(self):
        """The controller's position in machine mm, asked directly."""
        try:
            fd = os.open(self.geraet, os.O_RDWR | os.O_NOCTTY)
        except OSError:
            return None
        try:
            os.write(fd, b"@0P\r")
            daten = b""
            ende = time.monotonic() + 3
            while len(daten) < 19 and time.monotonic() < ende:
                r, _, _ = select.select([fd], [], [], 0.1)
                if r:
                    daten += os.read(fd, 64)
        finally:
            os.close(fd)
        text = daten.decode("latin-1")
        if len(text) < 19 or text[0] != "0":
            return None
        c = [int(text[1 + 6 * i:7 + 6 * i], 16) for i in range(3)]
        c = [v - (1 << 24) if v >= (1 << 23) else v for v in c]
        return (c[0] / SCHRITTE_PRO_MM, c[1] / SCHRITTE_PRO_MM, Z_OBEN - c[2] / SCHRITTE_PRO_MM)

    def korvx(self, modus, programm, optionen, grenze_s, stopp=None):
        """Runs korvx-run; stopp = (signal, line count) sends the signal, again
        and again, once the simulator has received that many lines. Returns
        (exit status or None when it overran, output lines, seconds)."""
        aus_pfad = os.path.join(self.arbeit, "lauf.out")
        cmd = [self.lauf, "--mode", modus, "--trace"] + optionen + [programm]
        start = time.monotonic()
        with open(aus_pfad, "w") as aus:
            p = subprocess.Popen(cmd, cwd=self.arbeit, stdout=aus, stderr=subprocess.STDOUT)
            status = None
            while True:
                try:
                    status = p.wait(timeout=0.02)
                    break
                except subprocess.TimeoutExpired:
                    pass
                if time.monotonic() - start > grenze_s:
                    p.kill()
                    p.wait()
                    status = None
                    break
                if stopp and len(self.empfangen()) >= stopp[1]:
                    p.send_signal(stopp[0])
                    if stopp[0] == signal.SIGINT:
                        stopp = None  # one emergency stop
                    else:
                        with open(aus_pfad, encoding="utf-8", errors="replace") as f:
                            if "abbrechen? -> yes" in f.read():
                                stopp = None
        dauer = time.monotonic() - start
        with open(aus_pfad, encoding="utf-8", errors="replace") as f:
            # The end line's wall time differs from run to run; what is
            # compared is the rest.
            zeilen = [re.sub(r" wall_ms=\d+$", "", z) if z.startswith("end: ") else z
                      for z in f.read().splitlines()]
        self.laeufe += 1
        ende = [z for z in zeilen if z.startswith("end: ")]
        if ende and modus != "sim":
            teile = dict(t.split("=", 1) for t in ende[-1].split()[2:])
            self.zuege += int(teile.get("moves", "0"))
        return status, zeilen, dauer

    @staticmethod
    def endteile(zeile):
        teile = zeile.split()
        werte = dict(t.split("=", 1) for t in teile[2:])
        return teile[1], werte

    # --- the cases ---------------------------------------------------------

    def erwartung(self, programm, optionen):
        """The run in simulation and a fault-free one on the controller."""
        schluessel = (programm, tuple(optionen))
        if schluessel in self.erwartet:
            return self.erwartet[schluessel]
        status, zeilen, _ = self.korvx("sim", programm, optionen, 120)
        ende_sim = zeilen[-1] if zeilen else ""
        fall = f"{programm} fault-free"
        self.sim_starten([])
        status, zeilen, dauer = self.korvx("machine", programm, optionen, 600)
        empfangen = self.empfangen()
        ok = self.fehlerfrei_pruefen(fall, status, zeilen, ende_sim)
        self.sim_beenden()
        e = {"ende": ende_sim, "zeilen": len(empfangen), "dauer": dauer, "ok": ok,
             "meldungen": [z for z in zeilen if z.startswith(("message:", "question:"))]}
        self.erwartet[schluessel] = e
        return e

    def fehlerfrei_pruefen(self, fall, status, zeilen, ende_sim):
        ende = zeilen[-1] if zeilen else ""
        ok = self.pruefen(status == 0, f"exit status {status}", fall)
        ok &= self.pruefen(ende == ende_sim, f"end line {ende!r}, simulation {ende_sim!r}", fall)
        ok &= self.pruefen("reference: lost" not in zeilen, "reference lost", fall)
        if ende.startswith("end: "):
            _, werte = self.endteile(ende)
            soll = [float(v) for v in werte["M"].split(",")]
            ist = self.position()
            ok &= self.pruefen(ist is not None and all(abs(a - b) <= 0.5 / SCHRITTE_PRO_MM + 1e-9
                                                         for a, b in zip(ist, soll)),
                               f"controller at {ist}, programmed end {soll}", fall)
        return ok

    def neue_referenz(self, fall):
        """A new reference run and a short program after a fault."""
        kurz = self.erwartung("KURZ.CNC", [])
        status, zeilen, _ = self.korvx("machine", "KURZ.CNC", [], 60)
        self.fehlerfrei_pruefen(fall + ", then a new reference run", status, zeilen, kurz["ende"])

    def fehlerlauf(self, programm, optionen, e):
        art = self.zufall.choice(["error", "error", "silent", "garble", "slow", "hangup",
                                  "estop", "estop", "abort", "abort"])
        letzte = max(VOR_DEM_LAUF + 1, e["zeilen"])
        n = self.zufall.randint(VOR_DEM_LAUF + 1, letzte)
        extra, stopp, modus = [], None, "machine"
        if art == "error":
            code = self.zufall.choice(FEHLERCODES)
            extra = ["--error-at", f"{n}:{code}"]
            art += f" {code}"
        elif art == "silent":
            extra = ["--silent-from", str(n)]
        elif art == "garble":
            extra = ["--garble-at", str(n)]
        elif art == "slow":
            extra = ["--delay-at", f"{n}:{self.zufall.randint(20, 400)}",
                     "--delay", str(self.zufall.randint(0, 3))]
        elif art == "hangup":
            extra = ["--hangup-at", str(n)]
        elif art == "estop":
            n = self.zufall.randint(VOR_DEM_LAUF + 1, max(VOR_DEM_LAUF + 1, letzte - 3))
            stopp = (signal.SIGINT, n)
        else:
            n = self.zufall.randint(VOR_DEM_LAUF + 1, max(VOR_DEM_LAUF + 1, letzte - 3))
            stopp = (signal.SIGUSR1, n)
            modus = "parallel"
        fall = f"{programm} {art} at line {n}"
        if self.verbose:
            print(fall, flush=True)
        self.fehler += 1
        # Every wait is bounded: at most the whole expected machining time
        # once more (the longest single reply wait) on top of a normal run.
        _, werte = self.endteile(e["ende"])
        grenze = 2 * e["dauer"] + 1.5 * int(werte["time_ms"]) / 1000 + 15
        self.sim_starten(extra)
        status, zeilen, dauer = self.korvx(modus, programm, optionen, grenze, stopp)
        # The simulator logs a line once its last byte has arrived at line
        # speed, which may be after the run has ended.
        time.sleep(0.3)
        empfangen = self.empfangen()
        ok = self.pruefen(status is not None, f"still running after {grenze:.0f} s", fall)
        ende = zeilen[-1] if zeilen else ""
        erwarte_stopp = art != "slow" and not (art.startswith("error") and n == e["zeilen"])
        if art == "abort" and not any("abbrechen? -> yes" in z for z in zeilen):
            erwarte_stopp = False  # the run ended before the button was pressed
        if not erwarte_stopp:
            if art.startswith("error"):
                # The plane command at the end: its message, the run is over.
                ok &= self.pruefen(status == 1 and ende.startswith("end: error"),
                                   f"exit status {status}, {ende!r}", fall)
            else:
                self.fehlerfrei_pruefen(fall, status, zeilen, e["ende"])
        else:
            ok &= self.pruefen(status == 1, f"exit status {status}", fall)
            grund = ende.split()[1] if ende.startswith("end: ") else ""
            soll = "abort" if art in ("estop", "abort") else "error"
            ok &= self.pruefen(grund == soll, f"end reason {grund!r}, expected {soll}", fall)
            ok &= self.pruefen("reference: lost" in zeilen, "reference not marked lost", fall)
            neu = [z for z in zeilen if z.startswith("message:")]
            if art not in ("estop", "abort"):
                bekannt = set(e["meldungen"])
                ok &= self.pruefen(any(m not in bekannt for m in neu), "no message", fall)
            if art == "estop":
                # The stop byte is the last thing sent; the controller may
                # take it in while it still answers the line before.
                stopp_zeile = next((i for i, z in enumerate(zeilen)
                                    if z.startswith("send: \u00ff")), None)
                nach = [] if stopp_zeile is None else [
                    z for z in zeilen[stopp_zeile + 1:] if z.startswith("send:")]
                ok &= self.pruefen(stopp_zeile is not None and not nach,
                                   f"stop byte not sent last: {nach[:2]}", fall)
                time.sleep(0.2)
                empfangen = self.empfangen()
                ok &= self.pruefen(self.gestoppt() and empfangen[-1:] == ["\\xFF"],
                                   f"last line received {empfangen[-1:]}, not the stop byte",
                                   fall)
            elif art == "abort":
                frage = next(i for i, z in enumerate(zeilen) if "abbrechen? -> yes" in z)
                nach = [z for z in zeilen[frage:] if z.startswith("send:")]
                ok &= self.pruefen(not nach, f"sent after the abort: {nach[:2]}", fall)
                gesendet = len([z for z in zeilen if z.startswith("send:")])
                ok &= self.pruefen(len(empfangen) == gesendet,
                                   f"{len(empfangen)} lines received, {gesendet} sent", fall)
            else:
                ok &= self.pruefen(len(empfangen) == n,
                                   f"{len(empfangen)} lines received, stop at line {n}", fall)
        if art in ("silent", "hangup"):
            self.sim_beenden()
            self.sim_starten([])
        self.neue_referenz(fall)
        self.sim_beenden()

    def programme(self):
        nr = 0
        while True:
            for name, optionen in BEISPIELE:
                yield name, optionen
            for _ in range(3):
                nr += 1
                name = f"G{nr}.CNC"
                bloecke = self.zufall.randint(8, 60)
                subprocess.run([sys.executable, os.path.join(self.quelle,
                                                             "bench/programm_erzeugen.py"),
                                str(bloecke), os.path.join(self.arbeit, name),
                                str(self.zufall.randint(1, 10**6))], check=True)
                yield name, []

    def laufen(self):
        try:
            self.erwartung("KURZ.CNC", [])
            for programm, optionen in self.programme():
                if self.zuege >= self.ziel:
                    break
                e = self.erwartung(programm, optionen)
                # At least one fault for every program taken.
                for k in range(self.zufall.randint(1, 3)):
                    if k > 0 and self.zuege >= self.ziel:
                        break
                    self.fehlerlauf(programm, optionen, e)
                if self.verbose:
                    print(f"  {self.laeufe} runs, {self.zuege} moves", flush=True)
        finally:
            self.sim_beenden()
            shutil.rmtree(self.arbeit, ignore_errors=True)
        print(f"soak: {self.laeufe} runs, {self.zuege} moves, {self.fehler} faults, "
              f"{self.falsch} wrong")
        return 0 if self.falsch == 0 else 1


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--build", required=True)
    p.add_argument("--moves", type=int, default=10000)
    p.add_argument("--seed", type=int, default=1)
    p.add_argument("--verbose", action="store_true")
    sys.exit(Soak(p.parse_args()).laufen())


if __name__ == "__main__":
    main()
