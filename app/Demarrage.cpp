#include "app/Demarrage.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <vector>

#include "app/FormMachine2.h"
#include "app/FormVisuApp.h"
#include "app/RapportBoites.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Avertissements.h"
#include "dialogs/BoutonAccessible.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "dialogs/NouvelCaract.h"
#include "dialogs/TrierPoints.h"
#include "load/ChoixCaract.h"
#include "load/Visualisation.h"
#include "sim/LiaisonSimulee.h"
#include "tracing/FormTraceCaract.h"

namespace orvane {

namespace {

// The windows in the order of their creation.
std::vector<QWidget*> fenetres;

template <class Fenetre>
Fenetre* Creer() {
    auto* f = new Fenetre;
    fenetres.push_back(f);
    return f;
}

}  // namespace

void PreparerApplication() {
    QApplication::setApplicationName(QString::fromLatin1(TitreApplication));
    InstallerBoutonsAccessibles();
    QApplication::setWindowIcon(QIcon(ImageProgramme(64)));
    // The desktop entry an installation provides ("orvane.desktop"): its name
    // and icon for the window on desktops that look them up by it.
    QApplication::setDesktopFileName(QStringLiteral("orvane"));
    QApplication::setQuitOnLastWindowClosed(false);
}

void CreerFenetres() {
    if (!fenetres.empty()) return;
    FormMachine2 = Creer<TFormMachine2>();
    FormTraceCaract = Creer<TFormTraceCaract>();
    NouvelCaract = Creer<TNouvelCaract>();
    FormCom = Creer<TFormCom>();
    FormVisualisation = Creer<TFormVisualisation>();
    FormChoixCaract = Creer<TFormChoixCaract>();
    FormChoixCaract->Avertissement = [](int type) {
        if (Avertissements == nullptr) return true;
        Avertissements->TypeCaract = type;
        return Avertissements->exec() == QDialog::Accepted;
    };
    FormTrierPoints = Creer<TFormTrierPoints>();
    FormCalibreCourant = Creer<TFormCalibreCourant>();
    FormVisuApp = Creer<TFormVisuApp>();
    AboutBox = Creer<TAboutBox>();
    Avertissements = Creer<TAvertissements>();
}

void DetruireFenetres() {
    while (!fenetres.empty()) {
        delete fenetres.back();
        fenetres.pop_back();
    }
    Avertissements = nullptr;
    AboutBox = nullptr;
    FormVisuApp = nullptr;
    FormCalibreCourant = nullptr;
    FormTrierPoints = nullptr;
    FenetreChoix = nullptr;
    FormChoixCaract = nullptr;
    FormVisualisation = nullptr;
    FormCom = nullptr;
    NouvelCaract = nullptr;
    FormTraceCaract = nullptr;
    FormMachine2 = nullptr;
}

int ExecuterProgramme(const QString& fichier, QObject* guet) {
    TRapportBoites rapport;
    DefinirRapport(&rapport);
    // Link type 3: the simulated bench, with a little measurement noise.
    const auto graine =
        static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    sim::InstallerBancSimule(graine, true);

    CreerFenetres();
    auto* menu = static_cast<TFormMachine2*>(FormMachine2);
    if (guet) menu->installEventFilter(guet);
    menu->show();
    if (!fichier.isEmpty())
        QTimer::singleShot(0, menu, [menu, fichier] { menu->OuvrirFichier(fichier); });
    const int statut = QApplication::exec();
    DetruireFenetres();
    DefinirRapport(nullptr);
    return statut;
}

}  // namespace orvane
