// The start and the main menu: the configuration read before any window, the
// link attempted once, the commands and their captions, the unsaved-work
// question, quitting and the configuration written at the end; the work-file
// folder, Qt's own texts and the captions following the settings window.
#include <QtTest>
#include <QtWidgets>

#include "OutilsEssai.h"
#include "app/Demarrage.h"
#include "app/FormMachine2.h"
#include "app/RapportBoites.h"
#include "dialogs/FormCom.h"
#include "dialogs/PremierDemarrage.h"
#include "dialogs/TraductionQt.h"
#include "load/Visualisation.h"
#include "sim/LiaisonSimulee.h"
#include "study/Cp1252.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

// Notes, for each warning, whether the tracing window existed and the link
// flag was up; `pendant` runs inside it, as a message box's own loop would.
struct RapportEssai : essai::RapportEnregistre {
    void Avertissement(const std::string& t) override {
        essai::RapportEnregistre::Avertissement(t);
        traceExistait.push_back(FormTraceCaract != nullptr);
        drapeauLiaison.push_back(LiaisonInitialisee);
        if (pendant) pendant();
    }
    std::vector<bool> traceExistait;
    std::vector<int> drapeauLiaison;
    std::function<void()> pendant;
};

// The file dialogs' next answers (empty: cancelled), and the names they proposed.
struct Fichiers {
    QStringList reponses, proposes;
    QList<bool> enregistrer;
};

std::string TitreEtude() { return DepuisCp1252(Etude.Titre.Lire()); }

// Counts the language change events a window receives.
struct CompteLangue : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        n += e->type() == QEvent::LanguageChange;
        return false;
    }
    int n = 0;
};

QString SansRaccourci(QString texte) { return texte.remove(u'&'); }

}  // namespace

class TstFormMachine2 : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;
    essai::DossierTemporaire sysfs;  // declares no serial port
    RapportEssai* rapport = nullptr;
    TFormMachine2* menu = nullptr;
    Fichiers fichiers;
    int fins = 0;
    bool premier = false;  // the first-start window came first

    QString Chemin(const char* nom) const { return QString::fromStdString(dossier / nom); }
    void Montrer() { menu->show(), QCoreApplication::processEvents(); }
    // A study with one trial and a title, modified since its last save.
    void EtudeModifiee(const char* titre) {
        InitEtude(), Etude.Titre.Ecrire(titre);
        ReglagesCourants[MotTypeMachine] = MasTriphasee, ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract(), EtudeEnregistree = 0;
    }
    // The settings window from the menu: `choisir` clicks in it, then OK.
    void Reglages(const std::function<void()>& choisir) {
        QTimer::singleShot(0, FormCom, [choisir] {
            choisir(), QTest::mouseClick(FormCom->BoutonOK, Qt::LeftButton);
        });
        QTest::mouseClick(menu->ButtonConfigure, Qt::LeftButton);
        QCoreApplication::processEvents();
    }
    // Runs the save dialog itself and cancels it: its folder, the name it
    // proposed and its Cancel button.
    QStringList DialogueEnregistrer() {
        QStringList vu;
        const TFormCom::ChoixFichier crochet = FormCom->DefinirChoixFichier({});
        int essais = 0;
        std::function<void()> regarder = [&] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (d == nullptr && ++essais < 200) QTimer::singleShot(10, regarder);
            if (d == nullptr) return;
            auto* boutons = d->findChild<QDialogButtonBox*>("buttonBox");
            vu = QStringList({d->directory().absolutePath(),
                              d->findChild<QLineEdit*>("fileNameEdit")->text(),
                              SansRaccourci(boutons->button(QDialogButtonBox::Cancel)->text())});
            d->reject();
        };
        QTimer::singleShot(0, regarder);
        QString nom;
        const bool choisi = FormCom->ChoisirFichierEnregistrer(nom);
        FormCom->DefinirChoixFichier(crochet);
        return choisi ? QStringList() : vu;
    }

private slots:
    void initTestCase() {
        QVERIFY(QDir::setCurrent(QString::fromStdString(dossier.racine.string())));
        sim::InstallerBancSimule(1, false);
        // No configuration file: the first-start window, before any other
        // window or message, then cancelled.
        QTimer::singleShot(0, [this] {
            auto* f = qobject_cast<TPremierDemarrage*>(QApplication::activeModalWidget());
            premier = f != nullptr && FormCom == nullptr && rapport->messages.empty() &&
                      !QFile::exists(Chemin("CFGOrvane.cfg"));
            if (f) f->BoutonFrancais->click(), QTest::mouseClick(f->BoutonAnnuler, Qt::LeftButton);
        });
        rapport = new RapportEssai, CreerFenetres();
        FormCom->ComSelection = TComSelection(sysfs.racine.string());
        (menu = static_cast<TFormMachine2*>(FormMachine2))->FinProgramme = [this] { ++fins; };
        FormCom->DefinirChoixFichier([this](bool e, QString& nom) {
            fichiers.enregistrer.append(e), fichiers.proposes.append(nom);
            nom = fichiers.reponses.isEmpty() ? QString() : fichiers.reponses.takeFirst();
            return !nom.isEmpty();
        });
    }
    void cleanupTestCase() {
        DetruireFenetres();
        QVERIFY(FormMachine2 == nullptr && FormCom == nullptr && FormTraceCaract == nullptr);
        delete rapport;
    }
    void init() {
        ChoixLangue(LangueFrancais);
        rapport->messages.clear(), rapport->questions.clear(), rapport->reponses.clear();
        rapport->pendant = nullptr, fichiers = {};
    }

    void firstStartWithoutConfiguration() {
        // Creation: the first-start window cancelled writes the default
        // record as it is, and says nothing.
        QVERIFY(premier && rapport->messages.empty());
        QFile cfg(Chemin("CFGOrvane.cfg"));
        QVERIFY(cfg.open(QIODevice::ReadOnly));
        QCOMPARE(cfg.readAll(), QByteArray::fromHex("02000000"
                                                    "00010000"
                                                    "02000000"
                                                    "04434f4d32000000000000"
                                                    "0331393200000000000000"
                                                    "0331363800000000000000"
                                                    "0131000000000000000000"
                                                    "0331303000000000000000"
                                                    "00"
                                                    "01000000"
                                                    "32000000"));
        QVERIFY(ConfigGenerale.TypeLiaison == LiaisonAucune && !LiaisonInitialisee);

        // Qt's own texts in the language read (French by default).
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"),
                 QStringLiteral("Annuler"));
        // First display: the menu in French, its work-file folder made, then
        // the link error (type 2).
        QVERIFY(!QFileInfo::exists(Chemin("Fichiers")));
        Montrer();
        QCOMPARE(menu->ButtonTraceCarct->text(),
                 QStringLiteral("Tracé des caractéristiques d'une machine"));
        QVERIFY(QFileInfo(Chemin("Fichiers")).isDir());
        QCOMPARE(rapport->messages, std::vector<std::string>{"Erreur de liaison"});
        QVERIFY(LiaisonInitialisee == 1 && !FormCom->LiaisonOuverte());
        // The flag is up while the link's message is on screen; repaints and
        // new displays then, and later, do not try again.
        int imbriques = 0;
        rapport->messages.clear(), LiaisonInitialisee = 0;
        rapport->pendant = [&] {
            rapport->pendant = nullptr, ++imbriques;
            menu->repaint(), menu->hide(), Montrer();
        };
        menu->hide(), Montrer();
        QVERIFY(imbriques == 1 && rapport->drapeauLiaison.back() == 1);
        menu->repaint(), menu->hide(), Montrer();
        QTest::qWait(20);
        QCOMPARE(rapport->messages, std::vector<std::string>{"Erreur de liaison"});
        // A language chosen in the settings window, even cancelled, shows at once.
        QTimer::singleShot(0, FormCom, [] { ChoixLangue(LangueEspagnol), FormCom->reject(); });
        QTest::mouseClick(menu->ButtonConfigure, Qt::LeftButton);
        QCOMPARE(menu->ButtonOuvrir->text(), QStringLiteral("Abrir un fichero"));
    }

    // Open or new work with a modified study: Cancel leaves everything; No
    // goes on without saving. A saved study is not asked about.
    void unsavedStudyQuestion_data() {
        QTest::addColumn<bool>("nouveau");
        QTest::addColumn<int>("reponse");
        QTest::addRow("open, Cancel") << false << int(ReponseQuestion::Annuler);
        QTest::addRow("open, No") << false << int(ReponseQuestion::Non);
        QTest::addRow("new, No") << true << int(ReponseQuestion::Non);
    }
    void unsavedStudyQuestion() {
        QFETCH(bool, nouveau);
        QFETCH(int, reponse);
        const bool non = reponse == int(ReponseQuestion::Non), ouvre = non && !nouveau;
        EtudeModifiee("Sur disque");
        const QString fichier = Chemin("sur-disque.OVX2");
        QVERIFY(EnregistrerEtude(fichier.toStdString()));
        EtudeModifiee("Etude en cours"), Montrer();
        QPushButton* bouton = nouveau ? menu->ButtonNouveauTravail : menu->ButtonOuvrir;
        rapport->reponses = {ReponseQuestion(reponse)}, fichiers.reponses = {fichier},
        bouton->click();
        QCOMPARE(rapport->questions,
                 std::vector<std::string>{"Fichier modifié. Voulez-vous l'enregistrer?"});
        QCOMPARE(fichiers.enregistrer, ouvre ? QList<bool>{false} : QList<bool>{});
        QCOMPARE(TitreEtude(), std::string(!non ? "Etude en cours" : nouveau ? "" : "Sur disque"));
        QVERIFY(EtudeEnregistree == non && FormTraceCaract->EstVisible() == ouvre);
        // Closing the tracing window brings the menu back.
        if (ouvre) static_cast<TFormTraceCaract*>(FormTraceCaract)->ButtonClose->click();
        QVERIFY(menu->isVisible());
        rapport->questions.clear(), EtudeEnregistree = 1, bouton->click();
        QVERIFY(rapport->questions.empty());
    }

    // A readable file named on the command line shows the tracing window and
    // is the name the next save proposes; an unreadable one from the dialog
    // (its message) leaves an empty study, the menu, and the folder proposed.
    void opening() {
        for (const bool lisible : {false, true}) {
            EtudeModifiee("Ouverte");
            const QString nom = Chemin("ouverte.OVX2");
            QVERIFY(EnregistrerEtude(nom.toStdString()));
            if (!lisible) QVERIFY(QFile::resize(nom, 100));
            QString retenu;
            InitEtude(), fichiers.reponses = {Chemin("retenu.OVX2"), nom, {}};
            QVERIFY(FormCom->ChoisirFichierEnregistrer(retenu));
            Montrer(), rapport->messages.clear();
            QVERIFY(lisible ? menu->OuvrirFichier(nom) : (menu->ButtonOuvrir->click(), true));
            QCOMPARE(TitreEtude(), std::string(lisible ? "Ouverte" : ""));
            QCOMPARE(rapport->messages,
                     std::vector<std::string>(lisible ? 0 : 1, "Erreur de lecture du fichier"));
            QVERIFY(FormTraceCaract->EstVisible() == lisible && menu->isVisible() == !lisible);
            FormCom->ChoisirFichierEnregistrer(retenu);
            const QString propose = fichiers.proposes.last();
            QVERIFY2(lisible ? propose == nom : propose.isEmpty(), qPrintable(propose));
            if (lisible) static_cast<TFormTraceCaract*>(FormTraceCaract)->ButtonClose->click();
            QVERIFY(menu->isVisible());
        }
    }

    // Yes, then the save dialog cancelled or the save failing: still running.
    void quitWithoutTheSaveKeepsRunning() {
        QVERIFY(QFile::remove(Chemin("CFGOrvane.cfg")));  // not written again: not quitting
        for (const bool choisi : {false, true}) {
            EtudeModifiee("Precieuse");
            rapport->messages.clear(), rapport->reponses = {ReponseQuestion::Oui}, fichiers = {};
            fichiers.reponses = {choisi ? Chemin("absent/etude.OVX2") : QString()}, Montrer();
            QTest::mouseClick(menu->ButtonQuitter, Qt::LeftButton);
            QCOMPARE(fichiers.enregistrer, QList<bool>{true});
            QCOMPARE(rapport->messages,
                     std::vector<std::string>(choisi, "Erreur d'ecriture du fichier"));
            QVERIFY(fins == 0 && menu->isVisible() && !QFile::exists(Chemin("CFGOrvane.cfg")));
            QCOMPARE(TitreEtude(), std::string("Precieuse"));
        }
    }

    // The settings window's OK: its language reaches Qt's own texts (message
    // box buttons, the save dialog) and the work-file folder, made for it; the
    // captions of the menu, the tracing window (its own, or its trial's) and
    // the live display end with the simulated bench's mention, or lose it, at
    // once. An OK that keeps the language sends no language change.
    void settingsReachQtTextsFolderAndCaptions_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<bool>("versBanc");
        QTest::addColumn<bool>("essai");
        QTest::addColumn<QString>("trace");  // the tracing window's caption
        QTest::addColumn<QString>("liste");  // Cancel|No|work-file folder|live display|bench
        QTest::addRow("fr, none to bench, trial")
            << int(LangueFrancais) << true << true
            << "Tracé des caractéristiques d'une machine :  Machine asynchrone triphasée Charge "
               "mécanique : T = K"
            << "Annuler|Non|Fichiers|Visualisation|(banc simulé)";
        QTest::addRow("fr, bench to serial")
            << int(LangueFrancais) << false << false << "Tracé des caractéristiques d'une machine"
            << "Annuler|Non|Fichiers|Visualisation|(banc simulé)";
        QTest::addRow("en from Spanish, bench to serial, trial")
            << int(LangueAnglais) << false << true
            << "Characteristics layout  :  Three-phase asynchronous machine Mechanical load: T = K"
            << "Cancel|No|Files|Display|(simulated bench)";
        QTest::addRow("es, none to bench") << int(LangueEspagnol) << true << false
                                           << "Trazado de las características de una maquina"
                                           << "Cancelar|No|Ficheros|Visualización|(banco simulado)";
    }
    void settingsReachQtTextsFolderAndCaptions() {
        QFETCH(int, langue);
        QFETCH(bool, versBanc);
        QFETCH(bool, essai);
        QFETCH(QString, trace);
        QFETCH(QString, liste);
        const QStringList textes = liste.split(u'|');
        auto* f = static_cast<TFormTraceCaract*>(FormTraceCaract);
        // The texts already in the row's language (chosen, then cancelled):
        // Qt's and the configuration's still in another.
        const int32_t avant = langue == LangueAnglais ? LangueEspagnol : LangueAnglais;
        ChoixLangue(langue), ConfigGenerale.Langue = avant, TraduireQt(avant);
        ConfigGenerale.TypeLiaison = versBanc ? LiaisonAucune : LiaisonSimulation;
        InitEtude();
        if (essai) EtudeModifiee("Banc"), EtudeEnregistree = 1;
        FormVisualisation->close(), menu->hide(), f->hide();
        Montrer(), f->Montrer(), FormVisualisation->show();
        const auto titres = [&] {
            return QStringList(
                {menu->windowTitle(), f->windowTitle(), FormVisualisation->windowTitle()});
        };
        const auto attendus = [&](bool surBanc) {
            const QString fin = surBanc ? " " + textes[4] : QString();
            return QStringList({"Orvane" + fin, trace + fin, textes[3] + fin});
        };
        QCOMPARE(titres(), attendus(!versBanc));
        const QString dossierLangue = Chemin(qPrintable(textes[2]));
        QVERIFY(QDir(dossierLangue).removeRecursively());
        CompteLangue compte;
        menu->installEventFilter(&compte);
        QToolButton* bouton =
            QList{FormCom->ButtonFR, FormCom->ButtonUK, FormCom->ButtonSP}[langue - 1];
        Reglages([bouton, versBanc] {
            QTest::mouseClick(bouton, Qt::LeftButton);
            FormCom->PageControlCom->setCurrentIndex(versBanc ? TFormCom::PageBanc
                                                              : TFormCom::PageSerie);
        });
        QCOMPARE(titres(), attendus(versBanc));
        QMessageBox boite;
        boite.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(QStringList({QCoreApplication::translate("QPlatformTheme", "Cancel"),
                              SansRaccourci(boite.button(QMessageBox::No)->text())}),
                 textes.mid(0, 2));
        QVERIFY(compte.n > 0 && QFileInfo(dossierLangue).isDir());
        // The save dialog starts in that folder with no name, or with the study's.
        FormCom->OublierNomFichier();
        QCOMPARE(DialogueEnregistrer(), QStringList({dossierLangue, "", textes[0]}));
        FormCom->RetenirNomFichier(dossierLangue + "/banc.OVX2");
        QCOMPARE(DialogueEnregistrer(), QStringList({dossierLangue, "banc.OVX2", textes[0]}));
        compte.n = 0, Reglages([] {});
        QCOMPARE(compte.n, 0);
        FormVisualisation->close(), f->hide(), FormCom->Ferme(), FormCom->OublierNomFichier();
        ConfigGenerale.TypeLiaison = LiaisonAucune, InitEtude();
    }

    // Another window open does not keep the program running; it does not end
    // when its last window closes, only from its menu.
    void quitSavesTheConfigurationAndEnds() {
        EtudeModifiee("Fin");
        ConfigGenerale.Langue = LangueEspagnol, rapport->reponses = {ReponseQuestion::Non};
        FormVisuApp->Montrer(), Montrer(), menu->ButtonQuitter->click();
        QVERIFY(fins == 1 && !menu->isVisible());
        QCOMPARE(QFileInfo(Chemin("CFGOrvane.cfg")).size(), qint64(76));
        ConfigGenerale.Langue = LangueFrancais;
        QVERIFY(ChargerConfig(QString(Chemin("CFGOrvane.cfg")).toStdString()));
        QCOMPARE(ConfigGenerale.Langue, LangueEspagnol);
        PreparerApplication();
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
    }

    // The question box has three buttons and Escape is Cancel.
    void questionBoxEscapeIsCancel() {
        TRapportBoites boites;
        int boutons = 0, essais = 0;
        std::function<void()> repondre = [&] {
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (boite == nullptr && ++essais < 100) QTimer::singleShot(10, repondre);
            if (boite)
                boutons = int(boite->buttons().size()), QTest::keyClick(boite, Qt::Key_Escape);
        };
        QTimer::singleShot(0, repondre);
        QCOMPARE(boites.Question("Fichier modifié ?"), ReponseQuestion::Annuler);
        QCOMPARE(boutons, 3);
    }
};

QTEST_MAIN(TstFormMachine2)
#include "tst_formmachine2.moc"
