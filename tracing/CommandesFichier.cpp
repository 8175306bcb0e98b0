// The tracing window's file, print and copy commands: open, save, a new
// work, the printer, the exports, the copies of the values and the views.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>

#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"
#include "tracing/Exports.h"
#include "tracing/FormTraceCaract.h"
#include "tracing/Impression.h"
#include "tracing/TraceCommun.h"

namespace orvane {

using namespace trace;

bool TFormTraceCaract::Avertissement() {
    if (EtudeEnregistree) return true;
    switch (Demander(std::string(Textes.Texte(TexteFichierModifie)))) {
        case ReponseQuestion::Non: return true;
        case ReponseQuestion::Annuler: return false;
        case ReponseQuestion::Oui: break;
    }
    QString nom;
    if (FormCom == nullptr || !FormCom->ChoisirFichierEnregistrer(nom)) return false;
    // A failed save has been reported and the work is still only in memory:
    // the command that asked must not go on and lose it.
    return EnregistrerEtude(QFile::encodeName(nom).toStdString());
}

// --------------------------------------------------------- file commands --

void TFormTraceCaract::Fichier1Click() {
    const bool points = Caracts[1].Dernier() >= 0;
    Enregistrer1->setEnabled(points);
    Nouveautravail1->setEnabled(points);
    Imprimer1->setEnabled(points);
    Nouvellecourbe1->setEnabled(points);
}

void TFormTraceCaract::OuvrirClick() {
    if (Avertissement()) {
        QString nom;
        if (FormCom != nullptr && FormCom->ChoisirFichierOuvrir(nom)) {
            // The study is about to be replaced: no acquisition goes on into
            // it. One given up in the dialog goes on.
            ArreterAcquisition();
            OuvrirEtude(QFile::encodeName(nom).toStdString());
        }
    }
    Action();
}

void TFormTraceCaract::Enregistrer1Click() {
    if (!NomFichierEtude.empty())
        EnregistrerEtude(NomFichierEtude);
    else
        Enregistrersous1Click();
}

void TFormTraceCaract::Enregistrersous1Click() {
    QString nom;
    if (FormCom != nullptr && FormCom->ChoisirFichierEnregistrer(nom))
        EnregistrerEtude(QFile::encodeName(nom).toStdString());
}

void TFormTraceCaract::Nouveautravail1Click() {
    ArreterAcquisition();
    if (Avertissement()) {
        InitEtude();
        if (FormCom != nullptr) FormCom->OublierNomFichier();
    }
    close();
}

// Printing, the PDF and values exports and the picture copy are drawn by the
// report module.
void TFormTraceCaract::Configurationimprimante1Click() {
    if (FormCom != nullptr) FormCom->PrinterSetupDialog1();
}

// The views whose buttons are down (the shown byte of their slots), drawn
// through their frames.
VuesMontrees TFormTraceCaract::VuesImprimees() const { return VuesDeLEtude(); }

void TFormTraceCaract::Imprimer1Click() { Imprimer(VuesImprimees(), CaractMachine); }

void TFormTraceCaract::ExporterPdf1Click() { ExporterPdf(VuesImprimees(), CaractMachine); }

void TFormTraceCaract::CompteRendu1Click() { ExporterCompteRendu(VuesImprimees(), CaractMachine); }

void TFormTraceCaract::ExporterValeurs1Click() { ExporterValeurs(); }

void TFormTraceCaract::Copierlescaractristiques1Click() {
    CopierVues(96, VuesImprimees(), CaractMachine);
}

void TFormTraceCaract::Quitter1Click() { close(); }

void TFormTraceCaract::ButtonCloseClick() { close(); }

void TFormTraceCaract::Copierlesvaleurs1Click(QObject* sender) {
    const int r = sender == Copierlesvaleurs2 ? CaractCourante : -1;
    // The text is built in Windows-1252; the clipboard takes Unicode.
    QGuiApplication::clipboard()->setText(VersQString(DepuisCp1252(TexteValeurs(r))));
}

}  // namespace orvane
