#!/usr/bin/python3
"""Random input on the program's windows, for scripts/monkey.sh.

The shell script starts the virtual display and the session bus and prepares
the start folder; this driver starts the program in its sandbox (bubblewrap:
read-only file system but for the start folder, no network), then clicks,
drags, turns the wheel and presses keys on its visible windows, each choice
drawn from a random generator seeded with the given seed. Every action is
written to actions.log with its time. A normal exit of the program (its main
menu closed) starts it again; a sanitizer report, a death by a signal, an
abnormal exit status or a hang ends the run. The report (rapport.txt) gives
the counts and the program's resident memory over the run.

Exit status: 0 when the run ended without a failure, 1 otherwise.
"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
import time

from Xlib import X, Xatom, display, error, protocol

PAS_MEMOIRE = 10.0  # seconds between two readings of the resident memory
PAS_PING = 5.0  # seconds between two checks that the program answers
SANS_FENETRE = 3.0  # seconds without a visible window before Escape is sent
BLOCAGE = 60.0  # seconds without an answer (or without a window): a hang
DEMARRAGE = 90.0  # seconds for a start to show its first window
FERMETURE = 15.0  # seconds given to the program to close at the end
DERNIERES = 40  # actions shown with a failure

RAPPORT_SANITIZER = re.compile(
    r"(AddressSanitizer|LeakSanitizer|UndefinedBehaviorSanitizer|runtime error:)")

# Keys drawn for a key press: the ones that drive dialogs count four times.
TOUCHES = (
    ["Escape", "Return", "space", "Tab", "shift+Tab", "Up", "Down", "Left", "Right"] * 4
    + ["KP_Enter", "BackSpace", "Delete", "Page_Up", "Page_Down", "Home", "End", "F1",
       "minus", "period", "comma", "plus", "ctrl+c", "ctrl+v", "ctrl+x", "ctrl+a",
       "ctrl+z", "ctrl+s", "ctrl+o", "ctrl+p", "ctrl+n", "ctrl+w", "ctrl+q"]
    + [chr(c) for c in range(ord("a"), ord("z") + 1)]
    + [str(d) for d in range(10)]
    + ["alt+" + chr(c) for c in range(ord("a"), ord("z") + 1)]
    + ["shift+" + c for c in "aeiouxyz"]
)

# The kinds of action with their share (out of 1000).
GENRES = [
    ("click", 400),
    ("double-click", 40),
    ("right-click", 40),
    ("drag", 90),
    ("wheel", 80),
    ("hover", 30),
    ("key", 295),
    ("close", 15),
    ("resize", 10),
]


def genre(u):
    seuil = u * sum(p for _, p in GENRES)
    for nom, part in GENRES:
        if seuil < part:
            return nom
        seuil -= part
    return GENRES[-1][0]


class Echec(Exception):
    """The run ends with a failure."""


class Interruption(Exception):
    """The run was stopped from outside (Ctrl+C, SIGTERM)."""


class Programme:
    """One start of the program in its sandbox."""

    def __init__(self, numero, commande, env, journal, exe):
        self.numero = numero
        self.exe = os.path.realpath(exe)
        self.journal = journal
        self.fichier = open(journal, "wb")
        self.debut = time.monotonic()
        self.processus = subprocess.Popen(commande, env=env, stdin=subprocess.DEVNULL,
                                          stdout=self.fichier, stderr=subprocess.STDOUT,
                                          start_new_session=True)
        self.pid = None  # the program's pid seen from here
        self.pid_interne = None  # its pid in the sandbox, in its windows' _NET_WM_PID
        self.fenetre_vue = False
        self.lu = 0

    def trouver(self):
        """The program's pid: the process below the sandbox's first process
        that runs the program's file."""
        if self.pid is not None:
            return self.pid
        attente = [self.processus.pid]
        vus = 0
        while attente and vus < 50:
            p = attente.pop()
            vus += 1
            for fils in enfants(p):
                if lien(f"/proc/{fils}/exe") == self.exe:
                    self.pid = fils
                    for ligne in lire(f"/proc/{fils}/status").splitlines():
                        if ligne.startswith("NSpid:"):
                            self.pid_interne = int(ligne.split()[-1])
                    return fils
                attente.append(fils)
        return None

    def vivant(self):
        return self.processus.poll() is None

    def texte(self):
        try:
            with open(self.journal, "rb") as f:
                return f.read().decode("utf-8", "replace")
        except OSError:
            return ""

    def nouveau_texte(self):
        try:
            with open(self.journal, "rb") as f:
                f.seek(self.lu)
                t = f.read()
        except OSError:
            return ""
        self.lu += len(t)
        return t.decode("utf-8", "replace")

    def arreter(self):
        """Ends the sandbox and everything in it (its first process dies with
        bubblewrap, and the others with it)."""
        if self.vivant():
            try:
                os.kill(self.processus.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        try:
            self.processus.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pass
        self.fichier.close()


def enfants(pid):
    try:
        taches = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return []
    resultat = []
    for t in taches:
        resultat += [int(x) for x in lire(f"/proc/{pid}/task/{t}/children").split()]
    return resultat


def lire(chemin):
    try:
        with open(chemin) as f:
            return f.read()
    except OSError:
        return ""


def lien(chemin):
    try:
        return os.readlink(chemin)
    except OSError:
        return ""


def rss(pid):
    for ligne in lire(f"/proc/{pid}/status").splitlines():
        if ligne.startswith("VmRSS:"):
            return int(ligne.split()[1])
    return None


class Singe:
    def __init__(self, o):
        self.o = o
        self.rng = random.Random(o.graine)
        self.t0 = time.monotonic()
        self.actions = 0
        self.par_genre = {nom: 0 for nom, _ in GENRES}
        self.demarrages = 0
        self.relances = 0
        self.memoire = []  # (t, start number, kB)
        self.programme = None
        self.derniere_reponse = None
        self.dernier_changement = None
        self.empreinte = None
        self.sans_fenetre_depuis = None
        self.dernier_secours = 0.0
        self.prochain_ping = 0.0
        self.prochaine_mesure = 0.0
        self.log = open(os.path.join(o.dossier, "actions.log"), "w", buffering=1)
        self.recentes = []
        self.d = display.Display()
        self.d.set_error_handler(lambda *a: None)  # windows go away under our feet
        self.racine = self.d.screen().root
        # Qt answers a ping by a message to the root window with this mask.
        self.racine.change_attributes(event_mask=X.StructureNotifyMask)
        self.atomes = {n: self.d.intern_atom(n) for n in (
            "WM_PROTOCOLS", "WM_DELETE_WINDOW", "WM_TAKE_FOCUS", "_NET_WM_PING", "_NET_WM_NAME",
            "UTF8_STRING")}
        self.d.sync()

    # ---- the journal ----

    def t(self):
        return time.monotonic() - self.t0

    def ecrire(self, texte):
        ligne = f"{self.t():9.3f}  {texte}"
        self.log.write(ligne + "\n")
        self.recentes.append(ligne)
        del self.recentes[:-DERNIERES]

    # ---- the program ----

    def demarrer(self):
        self.demarrages += 1
        journal = os.path.join(self.o.dossier, f"orvane-{self.demarrages}.log")
        self.programme = Programme(self.demarrages, self.o.commande, self.env(), journal,
                                   self.o.programme)
        self.ecrire(f"start {self.demarrages} (sandbox pid {self.programme.processus.pid}, "
                    f"output in {os.path.basename(journal)})")
        maintenant = time.monotonic()
        self.derniere_reponse = maintenant
        self.dernier_changement = maintenant
        self.empreinte = None
        self.sans_fenetre_depuis = None

    def env(self):
        env = {
            "PATH": "/usr/local/bin:/usr/bin:/bin",
            "LANG": os.environ.get("LANG") or "C.UTF-8",
            "DISPLAY": os.environ["DISPLAY"],
            "QT_QPA_PLATFORM": "xcb",
            "XDG_RUNTIME_DIR": "/tmp/runtime",
            "HOME": "/tmp/home",
            "DBUS_SESSION_BUS_ADDRESS": "unix:path=/tmp/bus/socket",
        }
        for nom in ("ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"):
            if nom in os.environ:
                env[nom] = os.environ[nom]
        return env

    def fin_du_programme(self, pendant_la_course=True):
        """The program ended: a normal exit starts it again (during the
        run), anything else is a failure."""
        p = self.programme
        p.arreter()
        statut = p.processus.returncode
        texte = p.texte()
        if RAPPORT_SANITIZER.search(texte):
            raise Echec(f"sanitizer report (start {p.numero}, exit status {statut})",
                        extrait_sanitizer(texte))
        if statut is not None and statut >= 128:
            try:
                nom = signal.Signals(statut - 128).name
            except ValueError:
                nom = "?"
            raise Echec(f"the program died of signal {statut - 128} ({nom}) (start {p.numero})",
                        texte[-4000:])
        if statut != 0:
            raise Echec(f"the program exited with status {statut} (start {p.numero})", texte[-4000:])
        self.ecrire(f"start {p.numero} ended normally")
        if pendant_la_course:
            self.relances += 1
            self.demarrer()

    # ---- windows ----

    def fenetres(self):
        """The program's visible windows, in a fixed order."""
        p = self.programme
        if p.trouver() is None or p.pid_interne is None:
            return []
        try:
            r = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(p.pid_interne)],
                               capture_output=True, text=True, timeout=10)
        except subprocess.TimeoutExpired:
            return []
        ids = {int(x) for x in r.stdout.split() if x.isdigit()}
        try:
            pile = [w.id for w in self.racine.query_tree().children]
        except error.XError:
            pile = []
        # Bottom to top, as the windows are stacked.
        ids = sorted(ids, key=lambda i: (pile.index(i) if i in pile else -1, i))
        resultat = []
        for wid in ids:
            w = self.d.create_resource_object("window", wid)
            try:
                g = w.get_geometry()
                pos = self.racine.translate_coords(w, 0, 0)
                attributs = w.get_attributes()
            except (error.XError, error.BadWindow, error.BadDrawable):
                continue
            if g.width < 2 or g.height < 2:
                continue
            resultat.append({
                "id": wid, "x": pos.x, "y": pos.y, "w": g.width, "h": g.height,
                "popup": bool(attributs.override_redirect), "titre": self.titre(w),
                "objet": w,
            })
        return resultat

    def titre(self, w):
        try:
            v = w.get_full_property(self.atomes["_NET_WM_NAME"], self.atomes["UTF8_STRING"])
            if v is not None:
                return v.value.decode("utf-8", "replace")
            v = w.get_full_property(Xatom.WM_NAME, X.AnyPropertyType)
            return v.value.decode("latin-1") if v is not None else ""
        except (error.XError, AttributeError):
            return ""

    def message(self, w, protocole, *donnees):
        ev = protocol.event.ClientMessage(
            window=w, client_type=self.atomes["WM_PROTOCOLS"],
            data=(32, [self.atomes[protocole], *donnees] + [0] * (4 - len(donnees))))
        w.send_event(ev, event_mask=0)
        self.d.flush()

    def repond(self, fenetre):
        """Whether the program answers a ping (_NET_WM_PING) within 2 s."""
        jeton = int(time.monotonic() * 1000) & 0x7FFFFFFF
        for _ in range(self.d.pending_events()):
            self.d.next_event()
        self.message(fenetre["objet"], "_NET_WM_PING", jeton, fenetre["id"])
        fin = time.monotonic() + 2.0
        while time.monotonic() < fin:
            while self.d.pending_events():
                e = self.d.next_event()
                if (e.type == X.ClientMessage and e.client_type == self.atomes["WM_PROTOCOLS"]
                        and e.data[1][1] == jeton):
                    return True
            time.sleep(0.02)
        return False

    def focaliser(self, f):
        """What a click-to-focus window manager does: the keyboard to the
        clicked window, which is told so (WM_TAKE_FOCUS)."""
        if f["popup"]:
            return
        try:
            courante = self.d.get_input_focus().focus
            if getattr(courante, "id", None) == f["id"]:
                return
            f["objet"].set_input_focus(X.RevertToParent, X.CurrentTime)
            self.message(f["objet"], "WM_TAKE_FOCUS", X.CurrentTime)
        except error.XError:
            pass

    # ---- actions ----

    def xdotool(self, *args):
        try:
            subprocess.run(["xdotool", *map(str, args)], capture_output=True, timeout=10)
        except subprocess.TimeoutExpired:
            self.ecrire("  (xdotool took more than 10 s)")

    def agir(self, fenetres):
        # Always the same number of draws per action, so that a seed gives
        # the same sequence of choices whatever the windows were.
        u = [self.rng.random() for _ in range(9)]
        g = genre(u[0])
        # Mostly the window on top (the last opened, the dialog that waits),
        # else any of them.
        if u[1] < 0.6:
            f = fenetres[-1]
        else:
            f = fenetres[int((u[1] - 0.6) / 0.4 * len(fenetres))]
        x = f["x"] + int(u[2] * f["w"])
        y = f["y"] + int(u[3] * f["h"])
        x2 = f["x"] + int(u[4] * f["w"])
        y2 = f["y"] + int(u[5] * f["h"])
        touche = TOUCHES[int(u[6] * len(TOUCHES))]
        n = 1 + int(u[7] * 5)
        pause = 0.05 + 0.35 * u[8]
        cible = f"window 0x{f['id']:x} \"{f['titre']}\" {f['w']}x{f['h']}+{f['x']}+{f['y']}"
        self.actions += 1
        self.par_genre[g] += 1
        numero = f"#{self.actions}"
        if g in ("click", "double-click", "right-click"):
            bouton = 3 if g == "right-click" else 1
            repeter = 2 if g == "double-click" else 1
            self.ecrire(f"{numero} {g} at {x},{y} on {cible}")
            self.focaliser(f)
            self.xdotool("mousemove", x, y, "click", "--repeat", repeter, "--delay", 60, bouton)
        elif g == "drag":
            self.ecrire(f"{numero} drag {x},{y} -> {x2},{y2} on {cible}")
            self.focaliser(f)
            etapes = []
            for i in range(1, n + 1):
                etapes += ["mousemove", x + (x2 - x) * i // n, y + (y2 - y) * i // n, "sleep", "0.03"]
            self.xdotool("mousemove", x, y, "mousedown", 1, *etapes, "mouseup", 1)
        elif g == "wheel":
            bouton = 4 if u[7] * 5 % 1 < 0.5 else 5
            self.ecrire(f"{numero} wheel {'up' if bouton == 4 else 'down'} x{n} at {x},{y} on {cible}")
            self.xdotool("mousemove", x, y, "click", "--repeat", n, "--delay", 30, bouton)
        elif g == "hover":
            self.ecrire(f"{numero} hover at {x},{y} on {cible}")
            self.xdotool("mousemove", x, y)
        elif g == "key":
            # Half of the time to the window that has the keyboard, half of
            # the time to the chosen window, given the keyboard first.
            if u[7] < 0.5:
                self.ecrire(f"{numero} key {touche} (to the focused window)")
            else:
                self.ecrire(f"{numero} key {touche} on {cible}")
                self.focaliser(f)
            self.xdotool("key", "--clearmodifiers", touche)
        elif g == "close":
            # The close button of a window's title bar.
            self.ecrire(f"{numero} close (WM_DELETE_WINDOW) {cible}")
            self.message(f["objet"], "WM_DELETE_WINDOW", X.CurrentTime)
        elif g == "resize":
            largeur = 40 + int(u[4] * 1240)
            hauteur = 30 + int(u[5] * 770)
            self.ecrire(f"{numero} resize to {largeur}x{hauteur} {cible}")
            self.xdotool("windowsize", f["id"], largeur, hauteur)
        return pause

    def noter_sortie(self, sortie):
        """What the program printed since the last action, in the journal
        (its first lines; all of it is in orvane-N.log)."""
        lignes = [l for l in sortie.splitlines() if l.strip()]
        if not lignes:
            return
        for l in lignes[:3]:
            self.ecrire(f"  program: {l[:200]}")
        if len(lignes) > 3:
            self.ecrire(f"  program: ... {len(lignes) - 3} more lines")

    def secours(self):
        """No visible window while the program lives: Escape, and a close
        request to whatever window has the keyboard."""
        self.ecrire("no visible window: Escape and close to the focused window")
        self.xdotool("key", "Escape")
        try:
            focus = self.d.get_input_focus().focus
            if hasattr(focus, "id") and focus.id != self.racine.id:
                self.message(focus, "WM_DELETE_WINDOW", X.CurrentTime)
        except error.XError:
            pass

    # ---- the run ----

    def mesurer(self, maintenant):
        p = self.programme
        if maintenant < self.prochaine_mesure or p.pid is None or not p.fenetre_vue:
            return
        kb = rss(p.pid)
        if kb is not None:
            self.memoire.append((self.t(), p.numero, kb))
        self.prochaine_mesure = maintenant + PAS_MEMOIRE

    def surveiller(self, fenetres, maintenant):
        """Hang checks: an answer to a ping now and then, and a window seen."""
        p = self.programme
        empreinte = tuple((f["id"], f["x"], f["y"], f["w"], f["h"], f["titre"]) for f in fenetres)
        if empreinte != self.empreinte:
            self.empreinte = empreinte
            self.dernier_changement = maintenant
        if fenetres:
            p.fenetre_vue = True
            self.sans_fenetre_depuis = None
            if maintenant >= self.prochain_ping:
                self.prochain_ping = maintenant + PAS_PING
                if self.repond(fenetres[0]):
                    self.derniere_reponse = maintenant
            muet = maintenant - max(self.derniere_reponse, p.debut)
            if muet > BLOCAGE and maintenant - self.dernier_changement > BLOCAGE:
                raise Echec(f"hang: no answer to a ping for {muet:.0f} s and no window change "
                            f"(start {p.numero})", self.piles())
            return
        if not p.fenetre_vue:
            if maintenant - p.debut > DEMARRAGE:
                raise Echec(f"hang: no window {DEMARRAGE:.0f} s after start {p.numero}", self.piles())
            return
        if self.sans_fenetre_depuis is None:
            self.sans_fenetre_depuis = maintenant
        duree = maintenant - self.sans_fenetre_depuis
        if duree > BLOCAGE:
            raise Echec(f"hang: no visible window for {duree:.0f} s while the program lives "
                        f"(start {p.numero})", self.piles())
        if duree > SANS_FENETRE and maintenant - self.dernier_secours > SANS_FENETRE:
            self.dernier_secours = maintenant
            self.secours()

    def piles(self):
        """The threads' stacks of a hung program (gdb, when there is one)."""
        p = self.programme
        image = os.path.join(self.o.dossier, "blocage.png")
        subprocess.run(["import", "-window", "root", image], capture_output=True, timeout=30)
        if p.pid is None:
            return ""
        try:
            r = subprocess.run(["gdb", "-p", str(p.pid), "-batch", "-nx", "-ex", "thread apply all bt"],
                               capture_output=True, text=True, timeout=120)
            return r.stdout[-20000:]
        except (OSError, subprocess.TimeoutExpired):
            return "(no stack: gdb is missing or did not answer)"

    def courir(self):
        fin = self.t0 + self.o.duree
        self.demarrer()
        while time.monotonic() < fin:
            p = self.programme
            if not p.vivant():
                self.fin_du_programme()
                continue
            sortie = p.nouveau_texte()
            self.noter_sortie(sortie)
            if RAPPORT_SANITIZER.search(sortie):
                # The sanitizer ends the program after its report.
                try:
                    p.processus.wait(timeout=30)
                except subprocess.TimeoutExpired:
                    pass
                self.fin_du_programme()
                continue
            maintenant = time.monotonic()
            fenetres = self.fenetres() if p.trouver() is not None else []
            self.surveiller(fenetres, maintenant)
            self.mesurer(maintenant)
            if fenetres:
                pause = self.agir(fenetres)
            else:
                pause = 0.3
            time.sleep(max(0.0, min(pause, fin - time.monotonic())))
        # The end: the last reading, then the program is asked to close
        # (its leaks are checked at exit) and is ended if it does not.
        p = self.programme
        if p.pid is not None and p.vivant():
            self.prochaine_mesure = 0
            self.mesurer(time.monotonic())
        self.ecrire("time is up: closing the program")
        limite = time.monotonic() + FERMETURE
        while p.vivant() and time.monotonic() < limite:
            for f in self.fenetres():
                self.message(f["objet"], "WM_DELETE_WINDOW", X.CurrentTime)
            time.sleep(1.0)
            if p.vivant():
                self.xdotool("key", "Escape")
        if p.vivant():
            self.ecrire(f"the program did not close within {FERMETURE:.0f} s: ended")
            p.arreter()
            return
        self.fin_du_programme(pendant_la_course=False)


def extrait_sanitizer(texte):
    lignes = texte.splitlines()
    debut = next((i for i, l in enumerate(lignes) if RAPPORT_SANITIZER.search(l)), 0)
    return "\n".join(lignes[max(0, debut - 5):debut + 200])


def kb(x):
    return f"{x:,} kB".replace(",", " ")


def rapport(s, o, echec):
    lignes = []
    duree = s.t()
    lignes.append(f"monkey: {duree:.0f} s of random input (asked: {o.duree} s), seed {o.graine}")
    lignes.append(f"program: {o.programme} ({'sanitized: AddressSanitizer, UndefinedBehaviorSanitizer' if o.sanitise else 'not sanitized'})")
    detail = ", ".join(f"{n} {nom}" for nom, n in s.par_genre.items() if n)
    lignes.append(f"actions: {s.actions} ({detail})")
    lignes.append(f"starts: {s.demarrages} (restarts after a normal exit: {s.relances})")
    lignes.append(f"crashes: {'1: ' + echec.args[0] if echec else 0}")
    if s.memoire:
        milieu = min(s.memoire, key=lambda m: abs(m[0] - duree / 2))
        maxi = max(s.memoire, key=lambda m: m[2])
        lignes.append(f"resident memory of the program (VmRSS, every {PAS_MEMOIRE:.0f} s, "
                      f"{len(s.memoire)} readings{'; AddressSanitizer inflates it' if o.sanitise else ''}):")
        for nom, m in (("start", s.memoire[0]), ("middle", milieu), ("end", s.memoire[-1]),
                       ("max", maxi)):
            lignes.append(f"  {nom:<7} {m[0]:7.0f} s  {kb(m[2]):>12}  (start {m[1]})")
    else:
        lignes.append("resident memory: no reading")
    lignes.append(f"folder: {o.dossier} (actions.log, orvane-N.log per start, memoire.tsv)")
    lignes.append(f"replay: scripts/monkey.sh {o.duree} {o.graine}")
    return "\n".join(lignes)


def principal():
    a = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    a.add_argument("--duree", type=int, required=True)
    a.add_argument("--graine", type=int, required=True)
    a.add_argument("--dossier", required=True)
    a.add_argument("--programme", required=True)
    a.add_argument("--sanitise", action="store_true")
    a.add_argument("commande", nargs="+", help="the sandboxed command line of the program")
    o = a.parse_args()

    s = Singe(o)
    echec = None
    interrompu = None

    def interrompre(signum, _frame):
        raise Interruption(signum)

    signal.signal(signal.SIGTERM, interrompre)
    signal.signal(signal.SIGINT, interrompre)
    try:
        s.courir()
    except Echec as e:
        echec = e
        s.ecrire(f"FAILURE: {e.args[0]}")
    except Interruption as e:
        interrompu = e.args[0]
        s.ecrire(f"interrupted by signal {interrompu}")
    finally:
        if s.programme is not None:
            s.programme.arreter()
        with open(os.path.join(o.dossier, "memoire.tsv"), "w") as f:
            f.write("seconds\tstart\tVmRSS_kB\n")
            for t, n, k in s.memoire:
                f.write(f"{t:.1f}\t{n}\t{k}\n")
    texte = rapport(s, o, echec)
    if interrompu:
        texte += f"\n(interrupted by signal {interrompu} before the end)"
    if echec is not None:
        texte += "\n\nFAILURE: " + echec.args[0]
        texte += f"\nreplay with the same seed: scripts/monkey.sh {o.duree} {o.graine}"
        texte += f"\n\nlast actions (all in {os.path.join(o.dossier, 'actions.log')}):\n"
        texte += "\n".join(s.recentes)
        if len(echec.args) > 1 and echec.args[1]:
            texte += "\n\nreport / output of the program:\n" + echec.args[1]
    with open(os.path.join(o.dossier, "rapport.txt"), "w") as f:
        f.write(texte + "\n")
    print(texte)
    if echec is not None:
        return 1
    return 128 + interrompu if interrompu else 0


if __name__ == "__main__":
    sys.exit(principal())
