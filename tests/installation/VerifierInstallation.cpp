// Run from an installed tree (copied beside the installed program by
// Installation.cmake): the program finds what it reads there. Started in an
// empty folder, with the user's data folder ($XDG_DATA_HOME) empty, as from a
// desktop menu on a first start. Prints each fault; exit status 1 on any.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/Demarrage.h"
#include "app/DossierDepart.h"
#include "app/FormVisuApp.h"
#include "dialogs/Aide.h"
#include "dialogs/Emplacements.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "dialogs/ImageJpeg.h"
#include "dialogs/LecteurAnimation.h"
#include "dialogs/PremierDemarrage.h"
#include "study/Fichiers.h"
#include "study/Rapport.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

int fautes = 0;

struct Messages : Rapport {
    void Avertissement(const std::string& texte) override { lus.push_back(texte); }
    std::vector<std::string> lus;
};

void Verifier(bool condition, const QString& quoi) {
    if (condition) return;
    ++fautes;
    std::fprintf(stderr, "FAULT: %s\n", qPrintable(quoi));
}

bool Dans(const QString& chemin, const QString& dossier) {
    return QFileInfo(chemin).absoluteFilePath().startsWith(QDir(dossier).absolutePath() + u'/');
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString partage = DossierPartage();
    Verifier(ProgrammeInstalle(), QStringLiteral("no shared-data folder at ") + partage);

    // The start folder: the user's own, made with the default configuration.
    const QString attendu =
        QDir(qEnvironmentVariable("XDG_DATA_HOME")).absoluteFilePath(QStringLiteral("orvane"));
    const QString depart = EntrerDossierDepart();
    Verifier(depart == attendu && QDir::currentPath() == attendu,
             QStringLiteral("start folder %1, current %2, expected %3")
                 .arg(depart, QDir::currentPath(), attendu));
    // The first start: no configuration yet. Its window comes before any
    // other window, message or link; OK with the simulated bench writes it.
    const std::string config =
        QFile::encodeName(attendu + QStringLiteral("/CFGOrvane.cfg")).toStdString();
    Verifier(!QFileInfo::exists(QString::fromStdString(config)),
             QStringLiteral("a configuration before the first start"));
    Messages messages;
    Rapport* avant = DefinirRapport(&messages);
    bool premier = false;
    QTimer::singleShot(0, [&] {
        auto* f = qobject_cast<TPremierDemarrage*>(QApplication::activeModalWidget());
        premier = f != nullptr && FormCom == nullptr && messages.lus.empty();
        if (f) f->BoutonBanc->click(), f->BoutonOK->click();
    });
    CreerFenetres();
    Verifier(premier, QStringLiteral("no first-start window before the other windows"));
    Verifier(
        messages.lus.empty(),
        QStringLiteral("a message at the first start: ") +
            QString::fromStdString(messages.lus.empty() ? std::string() : messages.lus.front()));
    DetruireFenetres();
    DefinirRapport(avant);
    Verifier(ChargerConfig(config) && ConfigGenerale.TypeLiaison == LiaisonSimulation,
             QStringLiteral("the first start's choice not written"));

    // The windows' pictures and the help pages of each language.
    for (const char* nom : {ImageBanc, ImageFondTrace, ImageChoixMachine, ImageChoixStatique,
                            ImageChoixDynamique, ImageAPropos}) {
        const QString chemin = CheminImage(QString::fromLatin1(nom));
        Verifier(Dans(chemin, partage) && !LireJpeg(chemin).isNull(),
                 QStringLiteral("picture ") + chemin);
    }
    for (int langue : {LangueFrancais, LangueAnglais, LangueEspagnol}) {
        const QString page = PageAide(langue);
        Verifier(Dans(page, partage) && page.contains(u'/' + CodeLangueAide(langue) + u'/'),
                 QStringLiteral("help page of language %1: %2").arg(langue).arg(page));
    }

    // The industrial applications of each language, from a start folder that
    // holds none: every picture and animation of every group is shown.
    RepertoireDepart = QFile::encodeName(depart).toStdString();
    for (int langue : {LangueFrancais, LangueAnglais, LangueEspagnol}) {
        ChoixLangue(langue);
        TFormVisuApp w;
        int montrees = 0;
        for (int groupe = 1; groupe <= NbGroupesApplications; ++groupe) {
            w.DefinirGroupe(groupe);
            w.Montrer();
            for (int j = 1; j <= NbApplicationsMax; ++j) {
                const QString ici = QStringLiteral("language %1, group %2, application %3")
                                        .arg(langue)
                                        .arg(groupe)
                                        .arg(j);
                if (w.StaticText1->text().isEmpty()) break;  // a group without applications
                if (w.Flash1->isVisible())
                    Verifier(w.Flash1->Chargee(), QStringLiteral("animation, ") + ici);
                else
                    Verifier(!w.Image1->pixmap().isNull(), QStringLiteral("picture, ") + ici);
                ++montrees;
                if (!w.APPPlus->isEnabled()) break;
                w.APPPlusClick();
            }
            w.close();
        }
        Verifier(montrees > 0, QStringLiteral("no application in language %1").arg(langue));
        std::printf("language %d: %d applications shown\n", langue, montrees);
    }
    // A start folder's own description file comes before the installed one.
    const QString nom = QStringLiteral("CFGAPPFR.cfg");
    Verifier(DossierContenant(DossiersApplications(depart), nom) == partage &&
                 QFile::copy(partage + u'/' + nom, depart + u'/' + nom) &&
                 DossierContenant(DossiersApplications(depart), nom) == depart,
             QStringLiteral("the start folder's own description file is not preferred"));

    std::printf("%s\n", fautes ? "installation incomplete" : "installation complete");
    return fautes ? 1 : 0;
}
