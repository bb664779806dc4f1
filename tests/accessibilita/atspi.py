#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Gli autori di Tintar i Brindel
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the start of a game through the accessibility tree alone, as a
screen reader or a switch user would, and checks what that tree says.

Usage: atspi.py PROGRAM. Run inside its own D-Bus session with DISPLAY set;
starts PROGRAM itself. Exit status 0 when every check holds; otherwise the
first failed check is printed."""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

TITOLO = "Tintar i Brindel"


def pompa(secondi):
    """Delivers the accessibility events that came, for that long."""
    contesto = GLib.MainContext.default()
    fine = time.monotonic() + secondi
    while time.monotonic() < fine:
        if not contesto.iteration(False):
            time.sleep(0.01)


def aspetta(condizione, secondi=15.0, passo=0.1):
    fine = time.monotonic() + secondi
    while time.monotonic() < fine:
        valore = condizione()
        if valore:
            return valore
        pompa(passo)
    return condizione()


# Notifications as they appeared, by name: what a screen reader speaks of them.
annunci = []


def appare(evento):
    try:
        if evento.detail1 and evento.source.getRole() == pyatspi.ROLE_NOTIFICATION:
            annunci.append(evento.source.name)
    except Exception:
        pass


def nodi(radice):
    """Every accessible under radice, depth first."""
    pila = [radice]
    while pila:
        nodo = pila.pop()
        if nodo is None:
            continue
        yield nodo
        try:
            figli = [nodo.getChildAtIndex(i) for i in range(nodo.childCount)]
        except Exception:
            figli = []
        pila.extend(reversed(figli))


def applicazione(pid):
    for app in pyatspi.Registry.getDesktop(0):
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            pass
    return None


def trova(radice, ruolo, nome=None):
    for n in nodi(radice):
        try:
            if n.getRole() == ruolo and (nome is None or n.name == nome):
                return n
        except Exception:
            pass
    return None


def premi(nodo):
    azioni = nodo.queryAction()
    for i in range(azioni.nActions):
        if azioni.getName(i) in ("press", "Press", "click"):
            return azioni.doAction(i)
    raise AssertionError("%r has no press action" % nodo.name)


def controlla(condizione, messaggio):
    if not condizione:
        print("FAIL: " + messaggio)
        sys.exit(1)


def finestra(app, nome):
    for f in app:
        if f is not None and f.name == nome and f.getState().contains(pyatspi.STATE_SHOWING):
            return f
    return None


def main():
    # The registry must be there before the program looks for it.
    pyatspi.Registry.getDesktop(0)
    pyatspi.Registry.registerEventListener(appare, "object:state-changed:showing")
    time.sleep(0.5)
    ambiente = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    gioco = subprocess.Popen([sys.argv[1]], env=ambiente)
    try:
        app = aspetta(lambda: applicazione(gioco.pid))
        controlla(app is not None, "the program never showed up on the accessibility bus")

        avvio = aspetta(lambda: finestra(app, TITOLO))
        controlla(avvio is not None, "no start window named %r" % TITOLO)
        controlla(avvio.getRole() == pyatspi.ROLE_FRAME, "the start window is a %s" % avvio.getRoleName())
        bottone = aspetta(lambda: trova(avvio, pyatspi.ROLE_PUSH_BUTTON, "Avvio"))
        controlla(bottone is not None, "no button \"Avvio\" in the start window")
        premi(bottone)

        gioco_f = aspetta(lambda: (lambda f: f if f and trova(f, pyatspi.ROLE_MENU_BAR) else None)(finestra(app, TITOLO)))
        controlla(gioco_f is not None, "no game window named %r" % TITOLO)
        voci = [n.name for n in nodi(gioco_f) if n.getRole() == pyatspi.ROLE_MENU_ITEM]
        controlla(voci == ["Informazioni", "Esci"], "menu items %r" % voci)
        celle = ["%s%d" % (r, c) for r in "ABCDE" for c in range(1, 5)]
        # The swatches: every button but the covers and "avanti", each named by its colour.
        campioni = [n.name for n in nodi(gioco_f) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                    and n.name not in celle and n.name != "avanti"]
        controlla(len(set(campioni)) == 48 and {"bianco", "nero", "rosso", "azzurro chiaro", "verde"} <= set(campioni),
                  "swatches named %r" % campioni)
        campione = trova(gioco_f, pyatspi.ROLE_PUSH_BUTTON, "rosso")
        controlla(campione.queryAction().nActions > 0, "a swatch cannot be pressed")
        scelto = [n.name for n in nodi(gioco_f) if n.name.startswith("Colore scelto")]
        controlla(scelto == ["Colore scelto: nero"], "chosen colour named %r" % scelto)
        disegno = [n for n in nodi(gioco_f) if n.name == "Disegno"]
        controlla(len(disegno) == 1, "drawing box named \"Disegno\": %d found" % len(disegno))

        coperture = {n.name: n for n in nodi(gioco_f)
                     if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name in celle}
        controlla(sorted(coperture) == sorted(celle), "covers %r" % sorted(coperture))

        def cella_nominata():
            for n in nodi(gioco_f):
                if n.getRole() == pyatspi.ROLE_LABEL and n.name in celle:
                    return n.name
            return None

        nominata = aspetta(cella_nominata)
        controlla(nominata is not None, "no label names the cell to find")
        # The cell to find was told as the game began.
        controlla(aspetta(lambda: "Trova " + nominata in annunci), "%r never told: %r" % (nominata, annunci))
        # A wrong answer: the cover says so, and the same cell is told again.
        sbagliata = next(c for c in celle if c != nominata)
        del annunci[:]
        premi(coperture[sbagliata])
        controlla(aspetta(lambda: coperture[sbagliata].description == "sbagliata"),
                  "a red cover says %r" % coperture[sbagliata].description)
        controlla(aspetta(lambda: "Sbagliata. Trova " + nominata in annunci), "after a wrong answer: %r" % annunci)
        # A right answer names another cell, and tells it.
        del annunci[:]
        premi(coperture[nominata])
        dopo = aspetta(lambda: (lambda n: n if n and n != nominata else None)(cella_nominata()))
        controlla(dopo is not None, "the cell to find stayed %r after a right answer" % nominata)
        controlla(aspetta(lambda: "Trova " + dopo in annunci), "after a right answer: %r" % annunci)
        print("PASS: named %s, then %s; told %r" % (nominata, dopo, annunci))
    finally:
        gioco.kill()
        gioco.wait()


if __name__ == "__main__":
    main()
