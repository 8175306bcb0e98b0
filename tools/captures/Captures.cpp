// Pictures of every window of the program as a user meets them, for people
// to look at (scripts/captures.sh runs it under a virtual X display).
//
//   orvane-captures FOLDER [fr,en,es]
//
// The windows are created as the program creates them, in a fresh start
// folder whose configuration selects the simulated bench (link type 3). A
// study is made as a user makes it: a view, a trial of seven points taken by
// hand, a trial on a static load, one on a dynamic load. Then, in each
// language, every window is shown in turn (dialogs without their own event
// loop) and the screen under it is read back from the X server, into
// FOLDER/<language>-<W>x<H>-<window>.png, W x H being the screen's size; the
// window titles are appended to FOLDER/titres.txt.
//
// Prints one line per picture; the messages the program gave on the way and
// the windows larger than the screen are listed at the end. Exit status 0
// when every picture was written, 1 on a usage error, 2 otherwise.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/Demarrage.h"
#include "app/FormMachine2.h"
#include "app/FormVisuApp.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Avertissements.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/DroiteCharge.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "dialogs/MesuresReponse.h"
#include "dialogs/NouvelCaract.h"
#include "dialogs/PremierDemarrage.h"
#include "dialogs/TrierPoints.h"
#include "graph/Ajustement.h"
#include "graph/CaractMachine.h"
#include "load/ChoixCaract.h"
#include "load/Visualisation.h"
#include "sim/LiaisonSimulee.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

// The messages the program gives while the pictures are taken, with the
// picture being prepared: nothing may wait for a click.
class RapportNote : public Rapport {
public:
    void Avertissement(const std::string& texte) override {
        notes.push_back(scene + ": \"" + texte + "\"");
    }
    ReponseQuestion Question(const std::string& texte) override {
        notes.push_back(scene + ": question \"" + texte + "\" (answered No)");
        return ReponseQuestion::Non;
    }
    std::string scene = "start";
    std::vector<std::string> notes;
};

RapportNote rapport;

void Patienter(int ms) {
    QEventLoop boucle;
    QTimer::singleShot(ms, &boucle, &QEventLoop::quit);
    boucle.exec();
}

// Lets the event loop turn until `condition` holds, at most ms milliseconds.
bool Attendre(const std::function<bool()>& condition, int ms) {
    QElapsedTimer t;
    t.start();
    while (!condition() && t.elapsed() < ms) Patienter(20);
    return condition();
}

struct Langue {
    const char* code;
    int32_t valeur;
};
constexpr Langue Langues[] = {
    {"fr", LangueFrancais}, {"en", LangueAnglais}, {"es", LangueEspagnol}};

// What the settings window does on OK when only the language changed.
void ChoisirLangue(int32_t langue) {
    ConfigGenerale.Langue = langue;
    ChoixLangue(langue);
    if (FormTraceCaract) FormTraceCaract->Langue();
    for (int q = 0; q < NbGrandeurs; ++q) Etude.Grandeurs[q] = DescripteurTexte(q);
    QEvent changement(QEvent::LanguageChange);
    QApplication::sendEvent(FormMachine2, &changement);
}

class Photographe {
public:
    explicit Photographe(QString dossier) : dossier_(std::move(dossier)) {}

    QString prefixe;  // "<language>-<W>x<H>-"
    int ecrites = 0;
    int ratees = 0;
    std::vector<std::string> debordements;

    // Shows nothing itself: reads back the screen under the top-level
    // windows given (the first one names the extent, the others, such as an
    // open menu, are added to it) once they are on screen and painted.
    void Prendre(const QString& nom, std::initializer_list<QWidget*> fenetres) {
        QRect zone;
        QScreen* ecran = QGuiApplication::primaryScreen();
        for (QWidget* w : fenetres) {
            Attendre([w] { return w->windowHandle() && w->windowHandle()->isExposed(); }, 3000);
        }
        Patienter(300);  // the first paint, and the X server has it
        for (QWidget* w : fenetres) zone = zone.united(w->frameGeometry());
        const QRect visible = zone.intersected(ecran->geometry());
        const QString fichier =
            dossier_ + QLatin1Char('/') + prefixe + nom + QStringLiteral(".png");
        if (visible != zone)
            debordements.push_back(
                (prefixe + nom).toStdString() + ": " + std::to_string(zone.width()) + "x" +
                std::to_string(zone.height()) + " at " + std::to_string(zone.x()) + "," +
                std::to_string(zone.y()) + ", beyond the screen");
        const QPixmap image =
            ecran->grabWindow(0, visible.x(), visible.y(), visible.width(), visible.height());
        if (!image.isNull() && image.save(fichier)) {
            ++ecrites;
            std::printf("%s\n", qPrintable(fichier));
            // Without a window manager the pictures have no title bars: the
            // titles are listed beside them.
            QFile titres(dossier_ + QStringLiteral("/titres.txt"));
            if (titres.open(QIODevice::Append | QIODevice::Text))
                titres.write((prefixe + nom + QStringLiteral(".png\t") +
                              (*fenetres.begin())->windowTitle() + QLatin1Char('\n'))
                                 .toUtf8());
        } else {
            ++ratees;
            std::fprintf(stderr, "orvane-captures: %s not written\n", qPrintable(fichier));
        }
        std::fflush(stdout);
    }

private:
    QString dossier_;
};

// Every top-level window out of sight, without the closing handlers.
void ToutCacher() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible()) w->hide();
    QCoreApplication::processEvents();
}

// A click on a choice button that is not down yet (a click on one that is
// down would put it up).
void Enfoncer(QAbstractButton* b) {
    if (!b->isChecked()) b->click();
}

TFormTraceCaract* Trace() { return static_cast<TFormTraceCaract*>(FormTraceCaract); }

// The tracing window as a window manager shows it maximised: without one
// (the virtual display has none) the window fills the screen's work area.
void MontrerTrace() {
    TFormTraceCaract* t = Trace();
    t->Montrer();
    t->setGeometry(t->screen()->availableGeometry());
}

// The start of an acquisition: its button pressed, some fresh readings.
void Demarrer(QToolButton* bouton) {
    bouton->click();
    Attendre([] { return Trace()->MesureFraiche; }, 3000);
    Patienter(500);
}

// The study a user makes in the first minutes: a view of the DC machine
// (independent excitation), a trial "T = K" of seven points with K from 0 to
// 60 %, one point on a static load (constant torque), and an empty trial on
// a dynamic load (constant torque).
bool PreparerEtude() {
    rapport.scene = "study";
    InitEtude();
    ReglagesCourants = EnteteCaractDefaut;
    ReglagesCourants[MotTypeMachine] = MccIndependante;
    ReglagesCourants[MotTypeCaract] = 1;
    NouvelCaract->Mode = 0;
    NouvelCaract->NumeroVue = 1;
    NouvelCaract->show();
    QCoreApplication::processEvents();
    NouvelCaract->BtnOK->click();
    if (NbVuesGraphe() == 0 || !FormTraceCaract->Setcourbe()) return false;
    MontrerTrace();
    TFormTraceCaract* t = Trace();
    Demarrer(t->ButtonManu);
    for (int k = 0; k <= 60; k += 10) {
        t->ScrollBarK->setValue(k);
        Patienter(400);  // the drive follows K
        t->MesureFraiche = false;
        Attendre([t] { return t->MesureFraiche; }, 2000);
        t->ButtonAcquiPointCaract->click();
    }
    t->ArreterAcquisition();
    const int points = Caracts[CaractCourante].Dernier() + 1;

    ReglagesCourants[MotTypeCaract] = 6;  // static: constant torque
    if (!FormTraceCaract->Setcourbe()) return false;
    Demarrer(t->ButtonChargeManu);
    t->ButtonAcquiPointStatique->click();
    t->ArreterAcquisition();

    ReglagesCourants[MotTypeCaract] = 10;  // dynamic: constant torque
    if (!FormTraceCaract->Setcourbe()) return false;
    t->Buttoncourbe[0]->click();
    ToutCacher();
    std::printf("study: %d views, %d trials, %d points in trial 1\n", NbVuesGraphe(),
                static_cast<int>(Etude.NbCaract), points);
    return points >= 7;
}

void PhotographierTout(Photographe& p) {
    auto scene = [&p](const char* nom, const std::function<void()>& montrer,
                      std::initializer_list<QWidget*> fenetres,
                      const std::function<void()>& defaire = {}) {
        rapport.scene = (p.prefixe + QString::fromLatin1(nom)).toStdString();
        montrer();
        p.Prendre(QString::fromLatin1(nom), fenetres);
        if (defaire) defaire();
        ToutCacher();
    };

    scene("menu", [] { FormMachine2->show(); }, {FormMachine2});

    // The choice window on each page, a machine and a load chosen.
    const EnteteCaract reglages = ReglagesCourants;
    TFormChoixCaract* c = FormChoixCaract;
    const std::pair<const char*, std::function<void()>> pages[] = {
        {"choix-caracteristiques", [c] { Enfoncer(c->ButtonTcstC); }},
        {"choix-statique", [c] { Enfoncer(c->ButtonTcstS); }},
        {"choix-dynamique", [c] { Enfoncer(c->ButtonTcycle); }},
    };
    for (int page = 0; page < 3; ++page)
        scene(pages[page].first,
              [c, page, &pages] {
                  c->Ouvrir(page);
                  Enfoncer(c->ButtonMCCInd);
                  pages[page].second();
              },
              {c});
    ReglagesCourants = reglages;

    scene("nouvelle-caracteristique",
          [] {
              NouvelCaract->Mode = 0;
              NouvelCaract->NumeroVue = 2;
              NouvelCaract->show();
          },
          {NouvelCaract});

    // The tracing window, at rest, in each acquisition mode, with its menus.
    TFormTraceCaract* t = Trace();
    auto essai = [t](int k) {
        MontrerTrace();
        t->Buttoncourbe[static_cast<size_t>(k)]->click();
    };
    scene("trace", [&] { essai(0); }, {t});
    scene(
        "trace-manuel", [&] { essai(0), Demarrer(t->ButtonManu); }, {t},
        [t] { t->ArreterAcquisition(); });
    scene(
        "trace-auto", [&] { essai(0), Demarrer(t->ButtonAuto); }, {t},
        [t] { t->ArreterAcquisition(); });
    scene(
        "trace-statique-manuel", [&] { essai(1), Demarrer(t->ButtonChargeManu); }, {t},
        [t] { t->ArreterAcquisition(); });
    scene(
        "trace-statique-auto", [&] { essai(1), Demarrer(t->ButtonChargeAuto); }, {t},
        [t] { t->ArreterAcquisition(); });
    // The link lost under an acquisition: stopped, and the status bar says why.
    scene(
        "trace-liaison-perdue",
        [&] {
            essai(0), Demarrer(t->ButtonManu), FormCom->Liberer();
            Attendre([] { return AcquisitionEnCours == 0; }, 3000);
        },
        {t}, [] { FormCom->Initialise(); });
    scene(
        "trace-oscillo", [&] { essai(2), Demarrer(t->ButtonChargeDynamique); }, {t},
        [t, &essai] { t->ArreterAcquisition(), essai(0); });
    // The load line of the first view: a quadratic law through the middle
    // point of the DC machine's characteristic, the view fitted; its dialog.
    {
        const EnteteEtude avant = Etude;
        const Caracteristique& c = Caracts[1];
        const int m = c.Dernier() / 2;
        const double n = c.Point(GVitesse, m), couple = c.Point(GCouple, m) / 100.0;
        LoiCharge loi;
        loi.Genre = GenreLoi::Quadratique;
        loi.A = n != 0 ? couple / (n * n) : 0;
        loi.B = 0;
        Etude.Vues[0] = VueAjusteeDe(Etude.Vues[0]);
        EcrireLoiVue(Etude.Vues[0], loi);
        scene("trace-droite-charge", [&] { essai(0); }, {t});
        // The plot frame's own menu: fit, load line, cursors, measurements.
        TCaractMachine* cadre = t->CaractMachine[0];
        scene(
            "trace-menu-vue",
            [&] {
                essai(0);
                cadre->PopupMenu1Popup();
                cadre->PopupMenu1->popup(cadre->PaintBox1->mapToGlobal(QPoint(80, 60)));
                Attendre([cadre] { return cadre->PopupMenu1->isVisible(); }, 2000);
            },
            {t, cadre->PopupMenu1}, [cadre] { cadre->PopupMenu1->hide(); });
        TDroiteCharge dialogue(1, t);
        scene("droite-charge", [&] { dialogue.show(); }, {&dialogue});
        Etude = avant;
    }
    // A capture: a first-order start-up (τ = 0.4 s) in the empty dynamic
    // trial, a view of the speed against time with its two cursors, and the
    // step measurements.
    {
        const EnteteEtude avant = Etude;
        Caracteristique& c = Caracts[3];
        const Caracteristique ancien = c;
        const int dernier = c.Dernier();
        for (int i = 0; i <= 100; ++i) {
            const double temps = i * 0.05;
            const double v = temps <= 0.5 ? 0 : 1450 * (1 - std::exp(-(temps - 0.5) / 0.4));
            c.Point(GTemps, i) = static_cast<int32_t>(std::lround(temps * 100));
            c.Point(GVitesse, i) = static_cast<int32_t>(std::lround(v));
        }
        c.Entete[MotDernierPoint] = 100;
        const int vue = NbVuesGraphe() + 1;
        if (vue <= NbVues) {
            Etude.Vues[vue - 1] = {1, 1, {0, 0}, GTemps, 18, {0, 0}, GVitesse, 18, {0, 0}, 1};
            Etude.Vues[vue - 1] = VueAjusteeDe(Etude.Vues[vue - 1]);
            scene("trace-curseurs",
                  [&] {
                      essai(2);
                      TCaractMachine* cadre = t->CaractMachine[static_cast<size_t>(vue - 1)];
                      cadre->PopupMenu1Popup();
                      cadre->Curseurs1->setChecked(true), cadre->Curseurs1Click();
                      const TGraphe& g = cadre->GrapheEcran;
                      cadre->CurseurChoisi = 0, cadre->PlacerCurseur(pixelx(g, 50));
                      cadre->CurseurChoisi = 1, cadre->PlacerCurseur(pixelx(g, 90));
                      Patienter(200);
                  },
                  {t});
            CaractCourante = 3;
            TMesuresReponse mesures(vue, t);
            scene("mesures-reponse", [&] { mesures.show(); }, {&mesures});
        }
        c = ancien;
        c.Entete[MotDernierPoint] = dernier;
        Etude = avant;
    }
    const std::pair<const char*, QMenu*> menus[] = {
        {"trace-menu-fichier", t->Fichier1},
        {"trace-menu-edition", t->Edition1},
        {"trace-menu-configuration", t->Configuration1},
    };
    for (const auto& [nom, menu] : menus)
        scene(
            nom,
            [&, menu = menu] {
                essai(0);
                t->menuBar()->setActiveAction(menu->menuAction());
                Attendre([menu] { return menu->isVisible(); }, 2000);
            },
            {t, menu}, [menu = menu] { menu->hide(); });

    // The settings window on each tab.
    const std::pair<const char*, int> onglets[] = {{"configuration-serie", TFormCom::PageSerie},
                                                   {"configuration-reseau", TFormCom::PageReseau},
                                                   {"configuration-banc", TFormCom::PageBanc}};
    for (const auto& [nom, onglet] : onglets)
        scene(nom,
              [onglet = onglet] {
                  FormCom->show();
                  FormCom->PageControlCom->setCurrentIndex(onglet);
              },
              {FormCom});

    // The live display on "T = K", K at 40 %, values shown.
    scene(
        "visualisation",
        [] {
            ReglagesCourants[MotTypeMachine] = MccIndependante;
            ReglagesCourants[MotTypeCaract] = 1;
            FormVisualisation->FenetreAppelante = nullptr;
            FormVisualisation->show();
            FormVisualisation->ScrollBarK->setValue(40);
            Attendre([] { return FormVisualisation->ValeursValides(); }, 3000);
            Patienter(600);
        },
        {FormVisualisation}, [] { FormVisualisation->close(); });
    ReglagesCourants = reglages;

    scene("trier-points", [] { FormTrierPoints->show(); }, {FormTrierPoints});
    scene("calibre-courant", [] { FormCalibreCourant->show(); }, {FormCalibreCourant});
    auto* visuApp = static_cast<TFormVisuApp*>(FormVisuApp);
    scene("applications",
          [visuApp] {
              visuApp->DefinirGroupe(1);
              visuApp->Montrer();
              Patienter(700);  // the animation under way
          },
          {visuApp});
    scene("a-propos", [] { AboutBox->show(); }, {AboutBox});
    {
        // The first start's window, its language chosen in it.
        const int32_t langue = ConfigGenerale.Langue;
        TPremierDemarrage premier;
        QRadioButton* boutons[] = {premier.BoutonFrancais, premier.BoutonAnglais,
                                   premier.BoutonEspagnol};
        boutons[std::clamp(langue, LangueFrancais, LangueEspagnol) - LangueFrancais]->click();
        scene("premier-demarrage", [&premier] { premier.show(); }, {&premier});
        ChoisirLangue(langue);
    }
    scene("avertissement",
          [] {
              Avertissements->TypeCaract = 6;
              Avertissements->show();
          },
          {Avertissements});
}

// A fresh start folder: the configuration of the simulated bench, written by
// the program's own code, and the industrial applications beside it as the
// demonstration folder has them.
bool PreparerDossier(const QString& dossier) {
    const QString app = QCoreApplication::applicationDirPath();
    for (const QString& nom : QDir(app).entryList({QStringLiteral("CFGAPP*.cfg")}, QDir::Files))
        QFile::copy(app + QLatin1Char('/') + nom, dossier + QLatin1Char('/') + nom);
    const QDir applications(app + QStringLiteral("/applications"));
    QDir(dossier).mkdir(QStringLiteral("applications"));
    for (const QString& nom : applications.entryList(QDir::Files))
        QFile::copy(applications.filePath(nom), dossier + QStringLiteral("/applications/") + nom);
    RepertoireDepart = QFile::encodeName(dossier).toStdString();
    ConfigGenerale = ConfigDefaut;
    ConfigGenerale.TypeLiaison = LiaisonSimulation;
    return EcrireConfig() && QDir::setCurrent(dossier);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    PreparerApplication();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2 || arguments.size() > 3) {
        std::fprintf(stderr, "usage: orvane-captures FOLDER [fr,en,es]\n");
        return 1;
    }
    const QString sortie = QDir(arguments.at(1)).absolutePath();
    const QStringList voulues = arguments.size() > 2 ? arguments.at(2).split(QLatin1Char(','))
                                                     : QStringList{"fr", "en", "es"};
    QTemporaryDir depart;
    if (!QDir().mkpath(sortie) || !depart.isValid() || !PreparerDossier(depart.path())) {
        std::fprintf(stderr, "orvane-captures: cannot prepare %s or a start folder\n",
                     qPrintable(sortie));
        return 2;
    }

    DefinirRapport(&rapport);
    sim::InstallerBancSimule(1, true);
    CreerFenetres();
    auto* menu = static_cast<TFormMachine2*>(FormMachine2);
    menu->FinProgramme = [] {};
    // The menu's first display opens the link, as at the program's start.
    menu->show();
    Attendre([] { return FormCom->LiaisonOuverte(); }, 3000);
    ToutCacher();

    const bool etude = PreparerEtude();
    if (!etude) std::fprintf(stderr, "orvane-captures: the study was not made as planned\n");

    Photographe photographe(sortie);
    const QSize taille = QGuiApplication::primaryScreen()->size();
    for (const Langue& l : Langues) {
        if (!voulues.contains(QString::fromLatin1(l.code))) continue;
        ChoisirLangue(l.valeur);
        photographe.prefixe = QStringLiteral("%1-%2x%3-")
                                  .arg(QString::fromLatin1(l.code))
                                  .arg(taille.width())
                                  .arg(taille.height());
        PhotographierTout(photographe);
    }
    ChoisirLangue(LangueFrancais);

    for (const std::string& d : photographe.debordements)
        std::printf("larger than the screen: %s\n", d.c_str());
    for (const std::string& n : rapport.notes) std::printf("message: %s\n", n.c_str());
    std::printf("%d pictures written, %d failed\n", photographe.ecrites, photographe.ratees);

    FormCom->Ferme();
    DetruireFenetres();
    DefinirRapport(nullptr);
    return photographe.ratees == 0 && photographe.ecrites > 0 && etude ? 0 : 2;
}
