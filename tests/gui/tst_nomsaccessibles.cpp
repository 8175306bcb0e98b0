// Every control a user clicks has a name for screen readers and user-level
// tests: each window the program creates, shown in each language, with the
// plot frames of the tracing window and the load panels of the choice window.
#include <QtTest>
#include <QtWidgets>

#include "OutilsEssai.h"
#include "app/Demarrage.h"
#include "app/FormMachine2.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Aide.h"
#include "dialogs/Avertissements.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/DroiteCharge.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "dialogs/MesuresReponse.h"
#include "dialogs/NouvelCaract.h"
#include "dialogs/PremierDemarrage.h"
#include "dialogs/TrierPoints.h"
#include "load/ChoixCaract.h"
#include "load/Visualisation.h"
#include "sim/LiaisonSimulee.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

bool EstControle(const QWidget* w) {
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QAbstractSlider*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QAbstractSpinBox*>(w);
}

QString Designation(const QObject* o) {
    if (o == nullptr) return QStringLiteral("-");
    return QStringLiteral("%1 '%2'").arg(QString::fromLatin1(o->metaObject()->className()),
                                         o->objectName());
}

// The controls of `fenetre` (shown or hidden) that have no accessible name,
// each with its class, its hint and its parent.
QStringList SansNom(QWidget* fenetre) {
    QStringList fautes;
    for (QWidget* w : fenetre->findChildren<QWidget*>()) {
        if (!EstControle(w)) continue;
        QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
        if (i != nullptr && !i->text(QAccessible::Name).trimmed().isEmpty()) continue;
        fautes << QStringLiteral("%1 (hint '%2') in %3 of %4")
                      .arg(Designation(w), w->toolTip(), Designation(w->parent()),
                           Designation(fenetre));
    }
    return fautes;
}

}  // namespace

class TstNomsAccessibles : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;
    std::optional<essai::RapportEnregistre> rapport;
    QStringList fautes;

    // Shows `w` as its opener does, notes its unnamed controls, hides it.
    void Verifier(QWidget* w, const std::function<void()>& montrer = {}) {
        if (w == nullptr) return void(fautes << QStringLiteral("a window is missing"));
        montrer ? montrer() : w->show();
        QCoreApplication::processEvents();
        fautes << SansNom(w);
        w->hide();
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir::setCurrent(QString::fromStdString(dossier.racine.string())));
        rapport.emplace();
        sim::InstallerBancSimule(1, false);
        QVERIFY(EcrireFichierEntier(NomFichierConfig, &ConfigDefaut, sizeof ConfigDefaut));
        CreerFenetres();
        static_cast<TFormMachine2*>(FormMachine2)->FinProgramme = [] {};
    }
    void cleanupTestCase() { DetruireFenetres(), rapport.reset(); }

    void everyControlIsNamed_data() {
        QTest::addColumn<int>("langue");
        for (auto [n, l] :
             {std::pair{"fr", LangueFrancais}, {"en", LangueAnglais}, {"es", LangueEspagnol}})
            QTest::addRow("%s", n) << int(l);
    }
    void everyControlIsNamed() {
        QFETCH(int, langue);
        ChoixLangue(langue), InitEtude(), fautes.clear();
        // A study with a view, so that the tracing window shows its frames;
        // a synchronous machine, whose choices enable the most controls.
        ReglagesCourants[MotTypeMachine] = MsTriphasee, ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};

        Verifier(FormMachine2);
        // The language comes to an open tracing window from the settings.
        Verifier(dynamic_cast<QWidget*>(FormTraceCaract),
                 [] { FormTraceCaract->Montrer(), FormTraceCaract->Langue(); });
        Verifier(NouvelCaract);
        Verifier(FormCom);
        Verifier(FormVisualisation);
        for (int page = 0; page < 3; ++page) {
            ReglagesCourants[MotTypeCaract] = std::array{1, 6, 10}[page];
            Verifier(FormChoixCaract, [page] { FenetreChoix->Ouvrir(page); });
        }
        Verifier(FormTrierPoints);
        Verifier(FormCalibreCourant);
        Verifier(dynamic_cast<QWidget*>(FormVisuApp),
                 [] { FormVisuApp->DefinirGroupe(1), FormVisuApp->Montrer(); });
        Verifier(AboutBox);
        Avertissements->TypeCaract = 6;
        Verifier(Avertissements);
        OuvrirAide();
        Verifier(FenetreAide());
        TDroiteCharge droite(1);
        droite.ListeLois->setCurrentIndex(5);  // the break-away law: the most parameters
        Verifier(&droite);
        TMesuresReponse mesures(1);
        Verifier(&mesures);
        TPremierDemarrage premier(dossier.racine.string());  // a system without serial ports
        QRadioButton* langues[] = {premier.BoutonFrancais, premier.BoutonAnglais,
                                   premier.BoutonEspagnol};
        langues[langue - LangueFrancais]->click();
        Verifier(&premier);
        // Each one on its own line: a failure message is cut short.
        for (const QString& f : fautes) qWarning().noquote() << "no name:" << f;
        const QString bilan = QStringLiteral("%1 controls without a name, the first: %2");
        QVERIFY2(fautes.isEmpty(), qPrintable(bilan.arg(fautes.size()).arg(fautes.value(0))));
    }
};

QTEST_MAIN(TstNomsAccessibles)
#include "tst_nomsaccessibles.moc"
