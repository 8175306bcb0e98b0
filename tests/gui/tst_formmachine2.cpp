// The program's start and its main menu: the configuration read before any
// window exists, the link attempted once, the seven commands with their
// captions in the three languages, the unsaved-work question in front of
// opening, a new study and quitting, and the configuration written at the end.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "Captures.h"
#include "OutilsEssai.h"
#include "app/Demarrage.h"
#include "app/FormMachine2.h"
#include "app/RapportBoites.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Avertissements.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "dialogs/NouvelCaract.h"
#include "dialogs/TrierPoints.h"
#include "load/Visualisation.h"
#include "sim/LiaisonSimulee.h"
#include "study/Cp1252.h"
#include "study/Fichiers.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/FormTraceCaract.h"

using namespace orvane;

namespace {

// Records like RapportEnregistre and notes, for each warning, whether the
// tracing window existed and the link flag was up; `pendant` runs inside the
// warning, as a message box's own event loop would run repaints.
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

struct ChoixEssai : IFenetreChoix {
    void Ouvrir(int page) override { pages.push_back(page); }
    std::vector<int> pages;
};

// Answers of the file dialogs: the next answers in turn, and the names the
// dialogs proposed.
struct Fichiers {
    struct Reponse {
        bool choisi;
        QString nom;
    };
    std::deque<Reponse> reponses;
    QStringList proposes;
    QList<bool> enregistrer;
    TFormCom::ChoixFichier Fonction() {
        return [this](bool e, QString& nom) {
            enregistrer.append(e);
            proposes.append(nom);
            if (reponses.empty()) return false;
            const Reponse r = reponses.front();
            reponses.pop_front();
            nom = r.nom;
            return r.choisi;
        };
    }
};

QString Texte(int n) { return QString::fromUtf8(std::string(Textes.Texte(n)).c_str()); }

std::string TitreEtude() { return DepuisCp1252(Etude.Titre.Lire()); }

}  // namespace

class TstFormMachine2 : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;
    RapportEssai* rapport = nullptr;
    TFormMachine2* menu = nullptr;
    Fichiers fichiers;
    int fins = 0;

    QString Chemin(const char* nom) const { return QString::fromStdString(dossier / nom); }
    QList<QPushButton*> Boutons() const {
        return {menu->ButtonTraceCarct, menu->ButtonChargeStatique, menu->ButtonChargeDynamique,
                menu->ButtonOuvrir,     menu->ButtonNouveauTravail, menu->ButtonConfigure,
                menu->ButtonQuitter};
    }
    void Montrer() {
        menu->show();
        QCoreApplication::processEvents();
    }
    // A study with one trial and a title, modified since its last save.
    void EtudeModifiee(const char* titre) {
        InitEtude();
        Etude.Titre.Ecrire(titre);
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        EtudeEnregistree = 0;
    }

private slots:
    void initTestCase() {
        QVERIFY(!dossier.racine.empty());
        QVERIFY(QDir::setCurrent(QString::fromStdString(dossier.racine.string())));
        rapport = new RapportEssai;
        sim::InstallerBancSimule(1, false);
        CreerFenetres();
        menu = static_cast<TFormMachine2*>(FormMachine2);
        menu->FinProgramme = [this] { ++fins; };
        FormCom->DefinirChoixFichier(fichiers.Fonction());
    }
    void cleanupTestCase() {
        DetruireFenetres();
        QVERIFY(FormMachine2 == nullptr && FormCom == nullptr && FormTraceCaract == nullptr);
        delete rapport;
    }
    void init() {
        rapport->messages.clear();
        rapport->questions.clear();
        rapport->reponses.clear();
        rapport->pendant = nullptr;
        fichiers.reponses.clear();
        fichiers.proposes.clear();
        fichiers.enregistrer.clear();
    }

    void firstStartWithoutConfiguration() {
        // Creation: the read error, while no other window existed yet.
        QCOMPARE(rapport->traceExistait.size(), size_t(1));
        QVERIFY(!rapport->traceExistait[0]);
        QCOMPARE(QDir::currentPath().toStdString(), RepertoireDepart);
        QCOMPARE(ConfigGenerale.TypeLiaison, LiaisonAucune);
        QCOMPARE(AdresseReseau,
                 "(" + ConfigDefaut.Adresse[0].Lire() + "." + ConfigDefaut.Adresse[1].Lire() + "." +
                     ConfigDefaut.Adresse[2].Lire() + "." + ConfigDefaut.Adresse[3].Lire() + ")");
        QCOMPARE(int(LiaisonInitialisee), 0);
        for (QWidget* w :
             {FormMachine2, static_cast<QWidget*>(FormCom), static_cast<QWidget*>(NouvelCaract),
              static_cast<QWidget*>(FormVisualisation), static_cast<QWidget*>(FormTrierPoints),
              static_cast<QWidget*>(FormCalibreCourant), static_cast<QWidget*>(AboutBox),
              static_cast<QWidget*>(Avertissements)}) {
            QVERIFY(w != nullptr);
            QVERIFY(!w->isVisible());
        }
        QVERIFY(FormTraceCaract != nullptr && FormVisuApp != nullptr);
        // Created once: a second call changes nothing.
        CreerFenetres();
        QCOMPARE(FormMachine2, static_cast<QWidget*>(menu));

        // First display: the menu in French, then the link error (type 2).
        Montrer();
        QCOMPARE(menu->windowTitle(), QStringLiteral("Orvane"));
        QCOMPARE(menu->ButtonTraceCarct->text(),
                 QStringLiteral("Tracé des caractéristiques d'une machine"));
        QCOMPARE(rapport->messages, std::vector<std::string>{"Erreur de liaison"});
        QCOMPARE(int(LiaisonInitialisee), 1);
        QVERIFY(!FormCom->LiaisonOuverte());
    }

    void theLinkIsAttemptedOnce() {
        // The flag is up while the link's message is on screen; repaints and
        // new displays then, and later, do not try again.
        LiaisonInitialisee = 0;
        int imbriques = 0;
        rapport->pendant = [&] {
            rapport->pendant = nullptr;
            ++imbriques;
            menu->repaint();
            menu->hide();
            menu->show();
            QCoreApplication::processEvents();
        };
        menu->hide();
        Montrer();
        QCOMPARE(imbriques, 1);
        QCOMPARE(rapport->drapeauLiaison.back(), 1);
        menu->repaint();
        menu->update();
        menu->hide();
        Montrer();
        QTest::qWait(20);
        QCOMPARE(rapport->messages, std::vector<std::string>{"Erreur de liaison"});
    }

    void simulatedBenchOpensWithoutMessage() {
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        LiaisonInitialisee = 0;
        menu->hide();
        Montrer();
        QVERIFY(rapport->messages.empty());
        QVERIFY(FormCom->LiaisonOuverte());
        FormCom->Ferme();
        ConfigGenerale.TypeLiaison = LiaisonAucune;
    }

    void layoutAndCaptions_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("premier");
        QTest::addColumn<QString>("dernier");
        QTest::addColumn<QString>("bulleConfigure");
        QTest::addRow("fr") << LangueFrancais << "fr"
                            << "Tracé des caractéristiques d'une machine"
                            << "Quitter"
                            << "Configuration de la communication avec la charge active";
        QTest::addRow("en") << LangueAnglais << "en"
                            << "Characteristics layout "
                            << "Quit"
                            << " communication with active load configuration";
        QTest::addRow("es") << LangueEspagnol << "es"
                            << "Trazado de las características de una maquina"
                            << "Cerrar el programa"
                            << "Configuración de la comunicacion con la carga activa";
    }
    void layoutAndCaptions() {
        QFETCH(int, langue);
        QFETCH(QString, nom);
        QFETCH(QString, premier);
        QFETCH(QString, dernier);
        QFETCH(QString, bulleConfigure);
        ChoixLangue(langue);
        menu->hide();
        Montrer();
        QCOMPARE(menu->size(), QSize(501, 544));
        QCOMPARE(menu->Image1->geometry(), QRect(0, 0, 501, 225));
        QVERIFY(!menu->Image1->pixmap().isNull());
        QCOMPARE(menu->Image1->toolTip(), QStringLiteral("Orvane"));
        const QList<QPushButton*> boutons = Boutons();
        for (int i = 0; i < boutons.size(); ++i) {
            QPushButton* b = boutons[i];
            QCOMPARE(b->size(), QSize(489, 45));
            QVERIFY(b->geometry().top() >= 225);
            if (i) QVERIFY(b->geometry().top() >= boutons[i - 1]->geometry().bottom());
            QVERIFY(b->geometry().bottom() < 544);
            QCOMPARE(b->text(), Texte(5 + 2 * i));
            QCOMPARE(b->toolTip(), Texte(6 + 2 * i));
            // No caption is clipped.
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) < b->width() - 8,
                     qPrintable(b->text()));
        }
        QCOMPARE(menu->ButtonTraceCarct->text(), premier);
        QCOMPARE(menu->ButtonQuitter->text(), dernier);
        QCOMPARE(menu->ButtonConfigure->toolTip(), bulleConfigure);
        essai::Capturer(menu, QStringLiteral("menu-") + nom);
        ChoixLangue(LangueFrancais);
    }

    void languageChangedInConfigurationWindow() {
        ChoixLangue(LangueFrancais);
        menu->hide();
        Montrer();
        QTimer::singleShot(0, FormCom, [] {
            ChoixLangue(LangueAnglais);
            FormCom->reject();
        });
        QTest::mouseClick(menu->ButtonConfigure, Qt::LeftButton);
        QCOMPARE(menu->ButtonOuvrir->text(), QStringLiteral("Open file"));
        ChoixLangue(LangueFrancais);
        menu->hide();
        Montrer();
        QCOMPARE(menu->ButtonOuvrir->text(), QStringLiteral("Ouvrir un fichier"));
    }

    void modeButtonsOpenTheChoiceWindow_data() {
        QTest::addColumn<int>("bouton");
        QTest::addColumn<int>("page");
        QTest::addRow("characteristics") << 0 << 0;
        QTest::addRow("static load") << 1 << 1;
        QTest::addRow("dynamic load") << 2 << 2;
    }
    void modeButtonsOpenTheChoiceWindow() {
        QFETCH(int, bouton);
        QFETCH(int, page);
        Montrer();
        IFenetreChoix* const programme = FenetreChoix;
        FenetreChoix = nullptr;
        // Without a choice window the menu stays.
        QTest::mouseClick(Boutons()[bouton], Qt::LeftButton);
        QVERIFY(menu->isVisible());
        ChoixEssai choix;
        FenetreChoix = &choix;
        QTest::mouseClick(Boutons()[bouton], Qt::LeftButton);
        FenetreChoix = programme;
        QCOMPARE(choix.pages, std::vector<int>{page});
        QVERIFY(!menu->isVisible());
        Montrer();
    }

    void openAnsweringCancelDoesNothing() {
        EtudeModifiee("Etude en cours");
        rapport->reponses = {ReponseQuestion::Annuler};
        Montrer();
        QTest::mouseClick(menu->ButtonOuvrir, Qt::LeftButton);
        QCOMPARE(rapport->questions,
                 std::vector<std::string>{"Fichier modifié. Voulez-vous l'enregistrer?"});
        QVERIFY(fichiers.enregistrer.isEmpty());  // no dialog ran
        QCOMPARE(TitreEtude(), std::string("Etude en cours"));
        QCOMPARE(int(EtudeEnregistree), 0);
        QVERIFY(menu->isVisible());
        QVERIFY(!FormTraceCaract->EstVisible());
    }

    void openAnsweringNoOpensWithoutSaving() {
        EtudeModifiee("Sur disque");
        const QString fichier = Chemin("sur-disque.OVX2");
        QVERIFY(EnregistrerEtude(fichier.toStdString()));
        EtudeModifiee("Etude en cours");
        rapport->reponses = {ReponseQuestion::Non};
        fichiers.reponses = {{true, fichier}};
        Montrer();
        QTest::mouseClick(menu->ButtonOuvrir, Qt::LeftButton);
        QCOMPARE(fichiers.enregistrer, QList<bool>{false});  // the open dialog only
        QCOMPARE(TitreEtude(), std::string("Sur disque"));
        QCOMPARE(int(EtudeEnregistree), 1);
        QVERIFY(FormTraceCaract->EstVisible());
        QVERIFY(!menu->isVisible());
        auto* trace = static_cast<TFormTraceCaract*>(FormTraceCaract);
        QVERIFY(trace->LabelEtude->text().contains(QStringLiteral("Sur disque")));
        // Closing the tracing window brings the menu back.
        trace->ButtonFermer->click();
        QVERIFY(menu->isVisible());
        QVERIFY(!FormTraceCaract->EstVisible());
    }

    void aFailedOpenKeepsTheMenu() {
        InitEtude();
        const QString abime = Chemin("abime.OVX2");
        QFile f(abime);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("MACHINE2 but nothing more");
        f.close();
        fichiers.reponses = {{true, abime}, {false, {}}};
        Montrer();
        QTest::mouseClick(menu->ButtonOuvrir, Qt::LeftButton);
        QCOMPARE(rapport->messages, std::vector<std::string>{"Erreur de lecture du fichier"});
        QVERIFY(menu->isVisible());
        QVERIFY(!FormTraceCaract->EstVisible());
        // The unreadable file is not what the next save proposes.
        QString nom;
        FormCom->ChoisirFichierEnregistrer(nom);
        QVERIFY(!fichiers.proposes.last().endsWith(".OVX2"));  // the folder, no name
    }

    void cancellingTheOpenDialogForgetsTheName() {
        InitEtude();
        fichiers.reponses = {{true, Chemin("retenu.OVX2")}, {false, {}}, {false, {}}};
        QString nom;
        QVERIFY(FormCom->ChoisirFichierEnregistrer(nom));
        Montrer();
        QTest::mouseClick(menu->ButtonOuvrir, Qt::LeftButton);  // cancelled
        QVERIFY(menu->isVisible());
        FormCom->ChoisirFichierEnregistrer(nom);
        QVERIFY(!fichiers.proposes.last().endsWith(".OVX2"));  // the folder, no name
    }

    void newWork_data() {
        QTest::addColumn<int>("reponse");
        QTest::addColumn<bool>("choisi");
        QTest::addColumn<bool>("remiseAZero");
        QTest::addColumn<bool>("enregistre");
        QTest::addRow("cancel") << int(ReponseQuestion::Annuler) << false << false << false;
        QTest::addRow("no") << int(ReponseQuestion::Non) << false << true << false;
        QTest::addRow("yes, saved") << int(ReponseQuestion::Oui) << true << true << true;
        QTest::addRow("yes, dialog cancelled")
            << int(ReponseQuestion::Oui) << false << false << false;
    }
    void newWork() {
        QFETCH(int, reponse);
        QFETCH(bool, choisi);
        QFETCH(bool, remiseAZero);
        QFETCH(bool, enregistre);
        const QString fichier = Chemin("nouveau.OVX2");
        QFile::remove(fichier);
        EtudeModifiee("Avant");
        rapport->reponses = {ReponseQuestion(reponse)};
        fichiers.reponses = {{choisi, fichier}, {false, {}}};
        Montrer();
        QTest::mouseClick(menu->ButtonNouveauTravail, Qt::LeftButton);
        QCOMPARE(rapport->questions.size(), size_t(1));
        QCOMPARE(TitreEtude(), remiseAZero ? std::string() : std::string("Avant"));
        QCOMPARE(Etude.NbCaract, remiseAZero ? 0 : 1);
        QCOMPARE(QFile::exists(fichier), enregistre);
        QVERIFY(menu->isVisible());
        if (remiseAZero) {
            // The new study has no name for the next save to propose.
            QString nom;
            FormCom->ChoisirFichierEnregistrer(nom);
            QVERIFY(!fichiers.proposes.last().endsWith(".OVX2"));  // the folder, no name
        }
        // A saved study is not asked about.
        rapport->questions.clear();
        EtudeEnregistree = 1;
        QTest::mouseClick(menu->ButtonNouveauTravail, Qt::LeftButton);
        QVERIFY(rapport->questions.empty());
        QCOMPARE(Etude.NbCaract, 0);
    }

    void quitYesThenCancelledSaveKeepsRunning() {
        EtudeModifiee("Precieuse");
        rapport->reponses = {ReponseQuestion::Oui};
        fichiers.reponses = {{false, {}}};
        Montrer();
        QTest::mouseClick(menu->ButtonQuitter, Qt::LeftButton);
        QCOMPARE(fichiers.enregistrer, QList<bool>{true});
        QCOMPARE(fins, 0);
        QVERIFY(menu->isVisible());
        QVERIFY(!QFile::exists(Chemin("CFGOrvane.cfg")));
        QCOMPARE(TitreEtude(), std::string("Precieuse"));
    }

    void quitWhenTheSaveFailsKeepsRunning() {
        EtudeModifiee("Precieuse");
        rapport->reponses = {ReponseQuestion::Oui};
        fichiers.reponses = {{true, Chemin("absent/etude.OVX2")}};
        Montrer();
        QTest::mouseClick(menu->ButtonQuitter, Qt::LeftButton);
        QCOMPARE(rapport->messages, std::vector<std::string>{"Erreur d'ecriture du fichier"});
        QCOMPARE(fins, 0);
        QVERIFY(menu->isVisible());
        QVERIFY(!QFile::exists(Chemin("CFGOrvane.cfg")));
    }

    void quitSavesTheConfigurationAndEnds() {
        // Another window open does not keep the program running.
        EtudeModifiee("Fin");
        ConfigGenerale.Langue = LangueEspagnol;
        rapport->reponses = {ReponseQuestion::Non};
        FormVisuApp->Montrer();
        Montrer();
        QTest::mouseClick(menu->ButtonQuitter, Qt::LeftButton);
        QCOMPARE(fins, 1);
        QVERIFY(!menu->isVisible());
        QCOMPARE(QFileInfo(Chemin("CFGOrvane.cfg")).size(), qint64(76));
        QVERIFY(ChargerConfig(QString(Chemin("CFGOrvane.cfg")).toStdString()));
        QCOMPARE(ConfigGenerale.Langue, LangueEspagnol);
        QCOMPARE(ConfigGenerale.TypeLiaison, LiaisonAucune);
        ChoixLangue(LangueFrancais);
    }

    void enterRunsTheCommandThatHasTheFocus() {
        Montrer();
        ChoixEssai choix;
        FenetreChoix = &choix;
        menu->ButtonChargeDynamique->setFocus();
        QTest::keyClick(menu, Qt::Key_Return);
        FenetreChoix = nullptr;
        QCOMPARE(choix.pages, std::vector<int>{2});
        Montrer();
    }

    void theApplication() {
        PreparerApplication();
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Orvane_FR_CTComs.exe"));
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
        QVERIFY(!QGuiApplication::windowIcon().isNull());
    }

    void messageBoxes_data() {
        QTest::addColumn<int>("bouton");  // QMessageBox::StandardButton, 0 = Escape
        QTest::addColumn<int>("reponse");
        QTest::addRow("Yes") << int(QMessageBox::Yes) << int(ReponseQuestion::Oui);
        QTest::addRow("No") << int(QMessageBox::No) << int(ReponseQuestion::Non);
        QTest::addRow("Cancel") << int(QMessageBox::Cancel) << int(ReponseQuestion::Annuler);
        QTest::addRow("Escape") << 0 << int(ReponseQuestion::Annuler);
    }
    void messageBoxes() {
        QFETCH(int, bouton);
        QFETCH(int, reponse);
        TRapportBoites boites;
        QString texte;
        QList<QMessageBox::StandardButton> boutons;
        int essais = 0;
        std::function<void()> repondre = [&] {
            auto* boite = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (boite == nullptr) {
                if (++essais < 100) QTimer::singleShot(10, repondre);
                return;
            }
            texte = boite->text();
            boutons.clear();
            for (QAbstractButton* b : boite->buttons()) boutons.append(boite->standardButton(b));
            QAbstractButton* b = boite->button(QMessageBox::StandardButton(bouton));
            if (b != nullptr)
                b->click();
            else
                QTest::keyClick(boite, Qt::Key_Escape);
        };
        QTimer::singleShot(0, repondre);
        QCOMPARE(int(boites.Question("Fichier modifié. Voulez-vous l'enregistrer?")), reponse);
        QCOMPARE(texte, QStringLiteral("Fichier modifié. Voulez-vous l'enregistrer?"));
        QCOMPARE(boutons.size(), 3);
        QVERIFY(boutons.contains(QMessageBox::Yes) && boutons.contains(QMessageBox::No) &&
                boutons.contains(QMessageBox::Cancel));

        // A warning has its OK button only.
        bouton = int(QMessageBox::Ok);
        essais = 0;
        QTimer::singleShot(0, repondre);
        boites.Avertissement("Erreur de liaison");
        QCOMPARE(texte, QStringLiteral("Erreur de liaison"));
        QCOMPARE(boutons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
    }

    void tracingWindowTakesTheChoice_data() {
        QTest::addColumn<int>("courante");
        QTest::addColumn<int>("typeAvant");  // type of trial 1, which holds points
        QTest::addColumn<int>("typeChoisi");
        QTest::addColumn<int>("nbCaract");
        QTest::addColumn<int>("typeEssai1");
        QTest::addRow("same law, new settings") << 1 << 6 << 6 << 1 << 6;
        QTest::addRow("other law") << 1 << 6 << 8 << 2 << 6;
        QTest::addRow("no current trial") << 0 << 6 << 6 << 2 << 6;
        QTest::addRow("machine study to machine study") << 1 << 1 << 3 << 1 << 3;
    }
    void tracingWindowTakesTheChoice() {
        QFETCH(int, courante);
        QFETCH(int, typeAvant);
        QFETCH(int, typeChoisi);
        QFETCH(int, nbCaract);
        QFETCH(int, typeEssai1);
        InitEtude();
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        ReglagesCourants[MotTypeCaract] = typeAvant;
        NouvelleCaract();
        ValeursCourantes[GVitesse] = 1400;
        QVERIFY(AjouterPoint());
        CaractCourante = courante;
        ReglagesCourants[MotTypeCaract] = typeChoisi;
        ReglagesCourants[MotInertie] = 77;
        FormTraceCaract->Setcourbe();
        QCOMPARE(Etude.NbCaract, nbCaract);
        QCOMPARE(Caracts[1].Entete[MotTypeCaract], typeEssai1);
        QCOMPARE(CaractCourante, nbCaract);
        QCOMPARE(Caracts[CaractCourante].Entete[MotInertie], 77);
        QCOMPARE(Caracts[CaractCourante].Entete[MotTypeCaract], typeChoisi);
    }

    void demonstrationConfigurationSelectsTheSimulatedBench() {
        const QString outil = QCoreApplication::applicationDirPath() +
                              QStringLiteral("/../../app/orvane-config-demo");
        QVERIFY(QFile::exists(outil));
        const QString demo = Chemin("demo");
        QVERIFY(QDir().mkpath(demo));
        QCOMPARE(QProcess::execute(outil, {demo}), 0);
        QVERIFY(ChargerConfig((demo + QStringLiteral("/CFGOrvane.cfg")).toStdString()));
        TConfigGenerale attendu = ConfigDefaut;
        attendu.TypeLiaison = LiaisonSimulation;
        QVERIFY(std::memcmp(&ConfigGenerale, &attendu, sizeof attendu) == 0);
        QCOMPARE(QProcess::execute(outil, {}), 1);
    }
};

QTEST_MAIN(TstFormMachine2)
#include "tst_formmachine2.moc"
