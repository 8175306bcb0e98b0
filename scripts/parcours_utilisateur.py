#!/usr/bin/python3
"""A student's first study, through the program's accessibility tree only.

Run by scripts/parcours-utilisateur.sh, which starts the display, the buses,
the drive served on a pseudo-terminal and the program. This helper finds the
controls by role and accessible name, presses them with their actions, sets
the K scroll bar through its value, types the file name through the editable
text, and after each step checks what the student would look at. It prints
PASS or FAIL per step, keeps a picture of the screen per step, and stops at
the first failure (with --tout, it goes on past the checks that do not block
the path). Exit status: 0 when every step passed, 1 otherwise.
"""

import argparse
import json
import os
import re
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402
import pyatspi  # noqa: E402

DELAI = 20.0  # seconds, the longest wait of an ordinary step
DELAI_BALAYAGE = 90.0  # the automatic sweep, its time and the drive's
NOM_FICHIER = "parcours-etudiant"
NOMBRE = re.compile(r"^-?\d+(?:[.,]\d+)?\s*\S*$")


class Bloquant(Exception):
    """The path cannot go on."""


class Constat(Exception):
    """A check failed; the path can go on."""


def normaliser(texte):
    return " ".join((texte or "").replace("&", "").split())


def attendre(condition, delai=DELAI, pas=0.2):
    """The first true value of condition() within delai seconds, else None."""
    fin = time.monotonic() + delai
    while True:
        try:
            valeur = condition()
        except GLib.Error:
            valeur = None
        if valeur:
            return valeur
        if time.monotonic() >= fin:
            return None
        time.sleep(pas)


def enfants(acc):
    try:
        n = acc.childCount
    except GLib.Error:
        return []
    resultat = []
    for i in range(min(n, 500)):
        try:
            c = acc.getChildAtIndex(i)
        except GLib.Error:
            continue
        if c is not None:
            resultat.append(c)
    return resultat


def etats(acc):
    try:
        return acc.getState()
    except GLib.Error:
        return None


def visible(acc):
    s = etats(acc)
    return s is not None and s.contains(pyatspi.STATE_SHOWING)


def coche(acc):
    s = etats(acc)
    return s is not None and (
        s.contains(pyatspi.STATE_CHECKED) or s.contains(pyatspi.STATE_PRESSED)
    )


def actif(acc):
    s = etats(acc)
    return s is not None and s.contains(pyatspi.STATE_ENABLED)


def nom(acc):
    try:
        return normaliser(acc.name)
    except GLib.Error:
        return ""


def role(acc):
    try:
        return acc.getRole()
    except GLib.Error:
        return None


def parcourir(racine, profondeur=40):
    """Every accessible under racine, depth first (hidden ones included)."""
    pile = [(racine, 0)]
    while pile:
        acc, p = pile.pop()
        yield acc
        if p < profondeur:
            pile.extend((c, p + 1) for c in reversed(enfants(acc)))


def chercher(racine, roles, noms=None, motif=None, montres=True):
    """The controls under racine of one of the roles, named as one of noms
    (spaces and accelerators left aside) or matching motif."""
    if racine is None:
        return []
    try:
        racine.clearCache()
    except (GLib.Error, AttributeError):
        pass
    voulus = {normaliser(n) for n in noms} if noms else None
    trouves = []
    for acc in parcourir(racine):
        if role(acc) not in roles:
            continue
        n = nom(acc)
        if voulus is not None and n not in voulus:
            continue
        if motif is not None and not motif.search(n):
            continue
        if montres and not visible(acc):
            continue
        trouves.append(acc)
    return trouves


BOUTONS = (pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX,
           pyatspi.ROLE_RADIO_BUTTON)


def actionner(acc, voulue=("press", "click", "toggle", "showmenu"), sans_reponse=False):
    """Runs the control's action; returns its name. sans_reponse: the command
    opens a dialog with its own event loop, whose answer comes only when it
    closes; the call is given a second and its answer is not waited for."""
    action = acc.queryAction()
    noms = [action.getName(i).lower().replace(" ", "") for i in range(action.nActions)]
    index = next((noms.index(v) for v in voulue if v in noms), None)
    if index is None:
        raise Bloquant(f"\"{nom(acc)}\" offers none of the actions {list(voulue)} (it has {noms})")
    if not sans_reponse:
        action.doAction(index)
        return noms[index]
    Atspi.set_timeout(1000, 15000)
    try:
        action.doAction(index)
    except GLib.Error:
        pass
    finally:
        Atspi.set_timeout(-1, -1)
    return noms[index]


def cliquer(acc):
    """What a screen reader's click does: a click of the pointer at the
    middle of the control (an event made by the accessibility registry)."""
    e = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    Atspi.generate_mouse_event(e.x + e.width // 2, e.y + e.height // 2, "b1c")


class Parcours:
    def __init__(self, options):
        self.o = options
        self.resultats = []
        self.numero = 0
        self.app = None
        self.trace = None
        self.fichier = None
        self.points_sauves = None
        self.remarques = []  # failed checks found while a step goes on

    # ---- the program and its windows ----

    def fenetres(self):
        try:
            self.app.clearCache()
        except (GLib.Error, AttributeError):
            pass
        return [f for f in enfants(self.app) if visible(f)]

    def fenetre_avec(self, roles, noms):
        """The shown window that holds a shown control of that role and name."""
        for f in self.fenetres():
            if chercher(f, roles, noms):
                return f
        return None

    def bouton(self, racine, *noms, delai=DELAI):
        b = attendre(lambda: chercher(racine, BOUTONS, noms), delai)
        if not b:
            raise Bloquant(f"no button named {' or '.join(repr(n) for n in noms)}"
                           f" in \"{nom(racine)}\"")
        return b[0]

    def presser(self, racine, *noms, effet=None, sans_reponse=False, delai=5):
        """Presses the button with its action. effet: what the student then
        sees (within delai seconds). A toggle button offers only Toggle,
        which may put it down without running its command: that is noted,
        the button is put back, and a click at its place runs it."""
        return self.appuyer(self.bouton(racine, *noms), effet, sans_reponse, delai)

    def appuyer(self, b, effet=None, sans_reponse=False, delai=5):
        if not attendre(lambda: actif(b), 5):
            raise Bloquant(f"\"{nom(b)}\" stays disabled")
        avant = coche(b)
        action = actionner(b, sans_reponse=sans_reponse)
        if effet is None or attendre(effet, delai):
            return b
        if action != "toggle":
            raise Bloquant(f"\"{nom(b)}\" pressed ({action}): nothing happened")
        self.remarques.append(f"\"{nom(b)}\": its action, Toggle, "
                              f"{'puts it down' if coche(b) != avant else 'does nothing'}"
                              " without running its command (a click used instead)")
        if coche(b) != avant:
            actionner(b, voulue=("toggle",))
            attendre(lambda: coche(b) == avant, 2)
        cliquer(b)
        if not attendre(effet, delai):
            raise Bloquant(f"\"{nom(b)}\": neither its action nor a click run it")
        return b

    def boites_de_message(self):
        textes = []
        for f in self.fenetres():
            if role(f) == pyatspi.ROLE_ALERT:
                etiquettes = [nom(a) for a in chercher(f, (pyatspi.ROLE_LABEL,)) if nom(a)]
                textes.append(" / ".join(etiquettes) or nom(f))
        return textes

    def valeurs(self):
        """The measured values the tracing window shows: labels holding a
        number and its unit."""
        return [nom(a) for a in chercher(self.trace, (pyatspi.ROLE_LABEL,), motif=NOMBRE)]

    # ---- steps ----

    def capturer(self, etiquette):
        chemin = os.path.join(self.o.sortie, f"{self.numero:02d}-{etiquette}.png")
        try:
            subprocess.run(["import", "-window", "root", chemin], timeout=15, check=False,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except subprocess.TimeoutExpired:
            pass

    def etape(self, etiquette, titre, action):
        self.numero += 1
        self.remarques = []
        try:
            detail = action() or ""
            ok, bloque = True, False
            if self.remarques:
                detail = "; ".join(self.remarques) + (f" — {detail}" if detail else "")
                ok, bloque = False, not self.o.tout
        except Constat as e:
            detail, ok, bloque = str(e), False, not self.o.tout
        except Bloquant as e:
            detail, ok, bloque = str(e), False, True
        except GLib.Error as e:
            detail, ok, bloque = f"accessibility call failed: {e.message}", False, True
        except (NotImplementedError, AttributeError, LookupError, ValueError, OSError) as e:
            # An interface missing, a reply not as expected: said, not a crash.
            detail, ok, bloque = f"{type(e).__name__}: {e}", False, True
        if ok:
            boites = self.boites_de_message()
            if boites:
                detail, ok = "message box: " + " | ".join(boites), False
                bloque = not self.o.tout
        self.capturer(etiquette)
        self.resultats.append((titre, ok))
        print(f"{'PASS' if ok else 'FAIL'}  {self.numero:2d}. {titre}"
              + (f" — {detail}" if detail else ""), flush=True)
        if bloque:
            raise Bloquant(titre)

    def demarrage(self):
        def trouver():
            bureau = pyatspi.Registry.getDesktop(0)
            for a in enfants(bureau):
                try:
                    if a.get_process_id() == self.o.pid:
                        return a
                except GLib.Error:
                    pass
            return None

        self.app = attendre(trouver)
        if self.app is None:
            raise Bloquant(f"the program (pid {self.o.pid}) is not in the accessibility tree")
        menu = attendre(lambda: self.fenetre_avec(
            BOUTONS, ["Tracé des caractéristiques d'une machine"]))
        if menu is None:
            raise Bloquant("no main menu with \"Tracé des caractéristiques d'une machine\"")
        self.menu = menu
        n = len(chercher(menu, BOUTONS))
        return f"main menu \"{nom(menu)}\" with {n} buttons"

    def choix(self):
        self.presser(self.menu, "Tracé des caractéristiques d'une machine")
        f = attendre(lambda: self.fenetre_avec(BOUTONS, ["MCC Indépendante"]))
        if f is None:
            raise Bloquant("no choice window with \"MCC Indépendante\"")
        self.choix_f = f
        if attendre(lambda: self.fenetre_avec(
                BOUTONS, ["Tracé des caractéristiques d'une machine"]), 1):
            raise Constat("the main menu stays on screen")
        return f"choice window \"{nom(f)}\""

    def machine(self):
        b = self.bouton(self.choix_f, "MCC Indépendante")
        self.presser(self.choix_f, "MCC Indépendante", effet=lambda: coche(b))

    def loi(self):
        etude = self.bouton(self.choix_f, "ETUDE")
        b = self.presser(self.choix_f, "T = K", effet=lambda: actif(etude))
        if not coche(b):
            raise Constat("\"T = K\" does not stay down")

    def etude(self):
        self.presser(self.choix_f, "ETUDE")
        # The new-characteristic dialog: the two axis lists and OK.
        d = attendre(lambda: next(
            (f for f in self.fenetres() if role(f) == pyatspi.ROLE_DIALOG
             and chercher(f, BOUTONS, ["OK"])
             and chercher(f, (pyatspi.ROLE_RADIO_BUTTON,))), None))
        if d is None:
            raise Bloquant("no new-characteristic dialog with OK and the axis lists")
        self.nouvelle = d
        return f"dialog \"{nom(d)}\", {len(chercher(d, (pyatspi.ROLE_RADIO_BUTTON,)))} items"

    def ok_nouvelle(self):
        self.presser(self.nouvelle, "OK")
        t = attendre(lambda: self.fenetre_avec(BOUTONS, ["Manuel"]))
        if t is None:
            raise Bloquant("no tracing window with \"Manuel\"")
        self.trace = t
        restes = [nom(f) for f in self.fenetres() if f != t]
        if restes:
            raise Constat(f"still on screen beside the tracing window: {restes}")
        return f"tracing window \"{nom(t)}\""

    def manuel(self):
        b = self.presser(self.trace, "Manuel",
                         effet=lambda: chercher(self.trace, BOUTONS, ["Acqui."]))
        if not attendre(lambda: coche(b), 5):
            raise Constat("\"Manuel\" does not stay down")
        v = attendre(lambda: len(self.valeurs()) >= 3 and self.valeurs())
        if not v:
            raise Constat(f"the value boxes show no numbers: {self.valeurs()}")
        return "values " + ", ".join(v[:6])

    def barre_k(self):
        barres = chercher(self.trace, (pyatspi.ROLE_SCROLL_BAR,))
        for b in barres:
            try:
                v = b.queryValue()
                if v.maximumValue == 100 and nom(b).lower().startswith("k"):
                    return b
            except (GLib.Error, NotImplementedError):
                continue
        # Without an accessible name: the one shown scroll bar of 0..100.
        for b in barres:
            try:
                v = b.queryValue()
                if v.minimumValue == 0 and v.maximumValue == 100:
                    return b
            except (GLib.Error, NotImplementedError):
                continue
        return None

    def points(self):
        barre = self.barre_k()
        if barre is None:
            raise Bloquant("no K scroll bar (0..100) shown")
        remarques = []
        if not nom(barre):
            remarques.append("the K scroll bar has no accessible name")
        for k in range(0, 61, 10):
            barre.queryValue().currentValue = k
            if not attendre(lambda: chercher(self.trace, (pyatspi.ROLE_LABEL,),
                                             [f"K = {k}%"]), 5):
                raise Constat(f"no \"K = {k}%\" shown after moving the bar")
            time.sleep(0.8)  # the drive follows K; a fresh reading comes
            self.presser(self.trace, "Acqui.")
            time.sleep(0.3)
        if remarques:
            raise Constat("; ".join(remarques))
        return "K = 0, 10, ... 60 %, \"Acqui.\" each time; values " + ", ".join(
            self.valeurs()[:4])

    def stop(self):
        self.presser(self.trace, "Stop")
        manuel = self.bouton(self.trace, "Manuel")
        if not attendre(lambda: not coche(manuel), 5):
            raise Constat("\"Manuel\" stays down after Stop")

    def menu_fichier(self, article):
        fichier = attendre(lambda: chercher(self.trace, (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_MENU),
                                            ["Fichier"], montres=False))
        if not fichier:
            raise Bloquant("no menu \"Fichier\"")
        actionner(fichier[0], voulue=("showmenu", "press"))
        item = attendre(lambda: chercher(fichier[0], (pyatspi.ROLE_MENU_ITEM,), [article]))
        if not item:
            raise Bloquant(f"no item \"{article}\" in the menu \"Fichier\"")
        if not attendre(lambda: actif(item[0]), 5):
            raise Bloquant(f"\"{article}\" is disabled")
        actionner(item[0], sans_reponse=True)

    def enregistrer_sous(self):
        self.menu_fichier("Enregistrer sous")
        d = attendre(lambda: next(
            (f for f in self.fenetres() if f != self.trace
             and chercher(f, (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY))), None))
        if d is None:
            raise Bloquant("no save dialog with a file-name field")
        self.dialogue = d
        boutons = sorted({nom(b) for b in chercher(d, BOUTONS) if nom(b)})
        champs = chercher(d, (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY))
        self.champ = champs[-1]
        try:
            self.texte_champ = self.champ.queryText().getText(0, -1)
        except (GLib.Error, NotImplementedError):
            self.texte_champ = nom(self.champ)
        return f"dialog \"{nom(d)}\"; buttons {boutons}; file-name field \"{self.texte_champ}\""

    def annuler_present(self):
        boutons = {nom(b) for b in chercher(self.dialogue, BOUTONS)}
        if "Annuler" not in boutons:
            autres = sorted(b for b in boutons if b in ("Cancel", "Abbrechen", "Cancelar"))
            raise Constat(f"no \"Annuler\" button (found {autres or sorted(boutons)})")

    def champ_sans_dossier(self):
        texte = normaliser(self.texte_champ)
        dossiers = {"Fichiers", "Files", "Ficheros"}
        for racine, noms, _ in os.walk(self.o.depart):
            dossiers.update(noms)
        if texte in dossiers or (texte and os.path.isdir(os.path.join(self.o.depart, texte))):
            raise Constat(f"the file-name field holds the folder name \"{texte}\"")
        return f"\"{texte}\"" if texte else "empty"

    def taper_et_enregistrer(self):
        try:
            self.champ.queryEditableText().setTextContents(NOM_FICHIER)
        except (GLib.Error, NotImplementedError) as e:
            raise Bloquant(f"the file-name field takes no text: {e}")
        if not attendre(lambda: NOM_FICHIER in self.champ.queryText().getText(0, -1), 5):
            raise Bloquant("the file-name field does not show the typed name")
        self.presser(self.dialogue, "Enregistrer", "Save", "Guardar")

        def trouve():
            for racine, _, fichiers in os.walk(self.o.depart):
                for f in fichiers:
                    # The name typed, with the extension the program adds
                    # (not the temporary file of a save under way).
                    if f.lower() in (NOM_FICHIER, NOM_FICHIER + ".ovx2"):
                        return os.path.join(racine, f)
            return None

        self.fichier = attendre(trouve)
        if self.fichier is None:
            raise Bloquant(f"no file \"{NOM_FICHIER}*\" written under the start folder")
        if attendre(lambda: self.dialogue in self.fenetres(), 2, 0.2) and \
                visible(self.dialogue):
            raise Constat("the save dialog stays open")
        etude = self.montrer_etude()
        essais = etude.get("trials", [])
        self.points_sauves = sum(e["points"] for e in essais)
        if len(essais) != 1 or essais[0]["points"] < 7:
            raise Constat(f"saved: {len(essais)} trials, points "
                          f"{[e['points'] for e in essais]} (expected 1 trial of 7 or more)")
        return (f"{os.path.relpath(self.fichier, self.o.depart)}: 1 trial, "
                f"{essais[0]['points']} points ({essais[0]['machine_name']}, "
                f"{essais[0]['type_name']})")

    def montrer_etude(self):
        r = subprocess.run([self.o.orvanectl, "study", "show", self.fichier, "--json"],
                           capture_output=True, text=True, timeout=20, cwd=self.o.depart)
        if r.returncode != 0:
            raise Bloquant(f"orvanectl study show: {r.stderr.strip()}")
        return json.loads(r.stdout)

    def auto(self):
        b = self.presser(self.trace, "Auto", effet=lambda: chercher(
            self.trace, (pyatspi.ROLE_LABEL,), motif=re.compile(r"^T = \d+ s$")))
        if not attendre(lambda: coche(b), 5):
            raise Constat("\"Auto\" does not stay down")

    def croissant(self):
        nomme = chercher(self.trace, BOUTONS, ["K croissant"])
        fleche = nomme[0] if nomme else None
        if fleche is None:
            # Without its name the rising arrow is the first unnamed button
            # of the automatic panel, the one that shows "T = 5 s" (the
            # falling arrow follows it).
            t = chercher(self.trace, (pyatspi.ROLE_LABEL,), motif=re.compile(r"^T = \d+ s$"))
            panneau = t[0].parent if t else None
            sans_nom = [b for b in chercher(panneau, BOUTONS) if not nom(b) and actif(b)]
            if not sans_nom:
                raise Bloquant("no button named \"K croissant\", and no unnamed button"
                               " to fall back on")
            self.remarques.append(f"no button named \"K croissant\" ({len(sans_nom)} unnamed"
                                  " buttons shown; the first one pressed)")
            if not self.o.tout:
                return ""
            fleche = sans_nom[0]
        # The sweep under way: both arrows disabled until it ends.
        self.appuyer(fleche, effet=lambda: not actif(fleche))
        return f"\"{nom(fleche)}\" pressed, the sweep runs"

    def balayage(self):
        auto = self.bouton(self.trace, "Auto")
        debut = time.monotonic()
        if not attendre(lambda: not coche(auto), DELAI_BALAYAGE, 0.5):
            raise Bloquant(f"the sweep has not ended after {DELAI_BALAYAGE:.0f} s")
        return f"\"Auto\" up again after {time.monotonic() - debut:.0f} s"

    def enregistrer(self):
        avant = os.path.getmtime(self.fichier)
        self.menu_fichier("Enregistrer")
        if not attendre(lambda: os.path.getmtime(self.fichier) != avant):
            raise Bloquant("the file was not written again")
        etude = self.montrer_etude()
        essais = etude.get("trials", [])
        total = sum(e["points"] for e in essais)
        detail = ", ".join(f"trial {e['trial']}: {e['points']} points ({e['type_name']})"
                           for e in essais)
        if not essais or essais[0]["points"] < 7 or total <= (self.points_sauves or 0):
            raise Constat(f"no sweep points saved: {detail}")
        return detail

    def journal(self):
        try:
            with open(self.o.journal, encoding="utf-8") as f:
                lignes = [ligne.split() for ligne in f if ligne.strip()]
        except OSError as e:
            raise Constat(f"no journal: {e}")
        k = [int(v[1].split(",")[0]) for v in lignes if v[0] == "19.20"]
        controle = [int(v[1]) for v in lignes if v[0] == "20.29"]
        manquants = [x for x in range(0, 601, 100) if x not in k]
        problemes = []
        if manquants:
            problemes.append(f"K values missing (0.1 %): {manquants}")
        # Bits 0 and 2: the load runs; 0x4000: rising sweep; the law's
        # number rides in the bits between.
        if not any(c & 5 == 5 and not c & 0xC000 for c in controle):
            problemes.append("no control word of a running load (bits 0 and 2)")
        if not any(c & 5 == 5 and c & 0x4000 for c in controle):
            problemes.append("no control word of a running rising sweep (bits 0, 2, 0x4000)")
        if 1 not in controle:
            problemes.append("no control word 1 (rest)")
        resume = (f"{len(lignes)} writes; K {sorted(set(k))[:12]}; control words "
                  f"{[hex(c) for c in sorted(set(controle))]}")
        if problemes:
            raise Constat("; ".join(problemes) + " — " + resume)
        return resume

    def derouler(self):
        etapes = [
            ("demarrage", "the program starts on its main menu", self.demarrage),
            ("choix", "\"Tracé des caractéristiques d'une machine\" opens the choice window",
             self.choix),
            ("machine", "\"MCC Indépendante\" chosen", self.machine),
            ("loi", "\"T = K\" chosen, \"ETUDE\" enabled", self.loi),
            ("etude", "\"ETUDE\" opens the new-characteristic dialog", self.etude),
            ("trace", "OK opens the tracing window", self.ok_nouvelle),
            ("manuel", "\"Manuel\": the value boxes show numbers", self.manuel),
            ("points", "seven points, K stepped 0 to 60 %", self.points),
            ("stop", "\"Stop\" ends the acquisition", self.stop),
            ("enregistrer-sous", "\"Fichier\" > \"Enregistrer sous\" opens the save dialog",
             self.enregistrer_sous),
            ("annuler", "the save dialog says \"Annuler\"", self.annuler_present),
            ("nom-fichier", "the file-name field holds no folder name", self.champ_sans_dossier),
            ("sauve", "a name typed, saved: 1 trial of 7 or more points", self.taper_et_enregistrer),
            ("auto", "\"Auto\" pressed", self.auto),
            ("croissant", "the rising direction \"K croissant\" pressed", self.croissant),
            ("balayage", "the sweep ends", self.balayage),
            ("enregistrer", "\"Fichier\" > \"Enregistrer\": the sweep points saved",
             self.enregistrer),
            ("journal", "the drive's journal: control words and K values", self.journal),
        ]
        try:
            for etiquette, titre, action in etapes:
                self.etape(etiquette, titre, action)
        except Bloquant:
            pass
        reussies = sum(1 for _, ok in self.resultats if ok)
        reste = len(etapes) - len(self.resultats)
        print(f"{reussies} of {len(etapes)} steps passed"
              + (f", {reste} not run (stopped at the first failure"
                 + ("" if self.o.tout else "; --tout goes on past the checks that do not"
                    " block the path") + ")" if reste else ""), flush=True)
        return reussies == len(etapes)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--pid", type=int, required=True, help="the program's process")
    p.add_argument("--depart", required=True, help="its start folder")
    p.add_argument("--journal", required=True, help="the drive's journal of writes")
    p.add_argument("--orvanectl", required=True)
    p.add_argument("--sortie", required=True, help="folder of the pictures")
    p.add_argument("--tout", action="store_true", help="go on past failed checks")
    o = p.parse_args()
    o.depart, o.journal, o.sortie = (os.path.abspath(x) for x in (o.depart, o.journal, o.sortie))
    os.makedirs(o.sortie, exist_ok=True)
    return 0 if Parcours(o).derouler() else 1


if __name__ == "__main__":
    sys.exit(main())
