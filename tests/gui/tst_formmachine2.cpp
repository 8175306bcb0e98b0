// The program's start and its main menu: the configuration read before any
// window exists, the link attempted once, the seven commands with their
// captions in the three languages, the unsaved-work question in front of
// opening, a new study and quitting, and the configuration written at the end.
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "Captures.h"
#include "OutilsEssai.h"
#include "app/Demarrage.h"
#include "app/FormMachine2.h"
#include "app/RapportBoites.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
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
    void Ouvrir(int page, QWidget* = nullptr) override { pages.push_back(page); }
    std::vector<int> pages;
};

// Answers of the file dialogs: the next answers in turn, and the names the
// dialogs proposed.
struct Fichiers {
    std::deque<std::pair<bool, QString>> reponses;  // chosen, name
    QStringList proposes;
    QList<bool> enregistrer;
    TFormCom::ChoixFichier Fonction() {
        return [this](bool e, QString& nom) {
            enregistrer.append(e);
            proposes.append(nom);
            if (reponses.empty()) return false;
            const auto [choisi, reponse] = reponses.front();
            reponses.pop_front();
            nom = reponse;
            return choisi;
        };
    }
};

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
        ChoixLangue(LangueFrancais);
        rapport->messages.clear();
        rapport->questions.clear();
        rapport->reponses.clear();
        rapport->pendant = nullptr;
        fichiers = {};
    }

    void firstStartWithoutConfiguration() {
        // Creation: the read error, while no other window existed yet.
        QCOMPARE(rapport->traceExistait.size(), size_t(1));
        QVERIFY(!rapport->traceExistait[0]);
        QCOMPARE(QDir::currentPath().toStdString(), RepertoireDepart);
        QCOMPARE(ConfigGenerale.TypeLiaison, LiaisonAucune);
        QCOMPARE(int(LiaisonInitialisee), 0);

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
        // The simulated bench opens without a message.
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        LiaisonInitialisee = 0;
        menu->hide();
        Montrer();
        QCOMPARE(rapport->messages.size(), size_t(1));
        QVERIFY(FormCom->LiaisonOuverte());
        FormCom->Ferme();
        ConfigGenerale.TypeLiaison = LiaisonAucune;
    }

    // A language chosen in the settings window (even cancelled) shows on the
    // menu at once, no caption clipped; French comes back with the next display.
    void captions_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QStringList>("textes");  // first command, Configure's hint, Open
        QTest::addRow("fr") << LangueFrancais
                            << QStringList{"Tracé des caractéristiques d'une machine",
                                           "Configuration de la communication avec la charge "
                                           "active",
                                           "Ouvrir un fichier"};
        QTest::addRow("en") << LangueAnglais
                            << QStringList{"Characteristics layout ",
                                           " communication with active load configuration",
                                           "Open file"};
        QTest::addRow("es") << LangueEspagnol
                            << QStringList{"Trazado de las características de una maquina",
                                           "Configuración de la comunicacion con la carga activa",
                                           "Abrir un fichero"};
    }
    void captions() {
        QFETCH(int, langue);
        QFETCH(QStringList, textes);
        menu->hide();
        Montrer();
        QCOMPARE(menu->ButtonOuvrir->text(), QStringLiteral("Ouvrir un fichier"));
        QTimer::singleShot(0, FormCom, [langue] {
            ChoixLangue(langue);
            FormCom->reject();
        });
        QTest::mouseClick(menu->ButtonConfigure, Qt::LeftButton);
        QCOMPARE(QStringList({menu->ButtonTraceCarct->text(), menu->ButtonConfigure->toolTip(),
                              menu->ButtonOuvrir->text()}),
                 textes);
        for (QPushButton* b : Boutons())
            QVERIFY2(b->fontMetrics().horizontalAdvance(b->text()) < b->width() - 8,
                     qPrintable(b->text()));
        essai::Capturer(menu, QStringLiteral("menu-") + QTest::currentDataTag());
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

    // Open or new work with a modified study: Cancel leaves everything; No
    // goes on without saving. A saved study is not asked about.
    void unsavedStudyQuestion_data() {
        QTest::addColumn<bool>("nouveau");
        QTest::addColumn<int>("reponse");
        QTest::addRow("open, Cancel") << false << int(ReponseQuestion::Annuler);
        QTest::addRow("open, No") << false << int(ReponseQuestion::Non);
        QTest::addRow("new, Cancel") << true << int(ReponseQuestion::Annuler);
        QTest::addRow("new, No") << true << int(ReponseQuestion::Non);
    }
    void unsavedStudyQuestion() {
        QFETCH(bool, nouveau);
        QFETCH(int, reponse);
        const bool non = reponse == int(ReponseQuestion::Non), ouvre = non && !nouveau;
        EtudeModifiee("Sur disque");
        const QString fichier = Chemin("sur-disque.OVX2");
        QVERIFY(EnregistrerEtude(fichier.toStdString()));
        EtudeModifiee("Etude en cours");
        rapport->reponses = {ReponseQuestion(reponse)};
        fichiers.reponses = {{true, fichier}};
        Montrer();
        QPushButton* bouton = nouveau ? menu->ButtonNouveauTravail : menu->ButtonOuvrir;
        QTest::mouseClick(bouton, Qt::LeftButton);
        QCOMPARE(rapport->questions,
                 std::vector<std::string>{"Fichier modifié. Voulez-vous l'enregistrer?"});
        QCOMPARE(fichiers.enregistrer, ouvre ? QList<bool>{false} : QList<bool>{});
        QCOMPARE(TitreEtude(), std::string(!non ? "Etude en cours" : nouveau ? "" : "Sur disque"));
        QCOMPARE(int(EtudeEnregistree), int(non));
        QCOMPARE(FormTraceCaract->EstVisible(), ouvre);
        QCOMPARE(menu->isVisible(), !ouvre);
        // Closing the tracing window brings the menu back.
        if (ouvre) static_cast<TFormTraceCaract*>(FormTraceCaract)->ButtonClose->click();
        QVERIFY(menu->isVisible());
        rapport->questions.clear();
        EtudeEnregistree = 1;
        QTest::mouseClick(bouton, Qt::LeftButton);
        QVERIFY(rapport->questions.empty());
    }

    // Opening from the dialog or from a name on the command line: a readable
    // file shows the tracing window and becomes the name the next save
    // proposes; an unreadable file (its message) or a cancelled dialog leaves
    // an empty study, the menu, and the next save proposing the folder.
    void opening_data() {
        QTest::addColumn<bool>("ligne");   // named on the command line, else from the dialog
        QTest::addColumn<int>("fichier");  // 0 readable, 1 unreadable, 2 dialog cancelled
        QTest::addRow("dialog, unreadable") << false << 1;
        QTest::addRow("dialog cancelled") << false << 2;
        QTest::addRow("command line, readable") << true << 0;
        QTest::addRow("command line, unreadable") << true << 1;
    }
    void opening() {
        QFETCH(bool, ligne);
        QFETCH(int, fichier);
        const bool lisible = fichier == 0;
        EtudeModifiee("Ouverte");
        const QString nom = Chemin("ouverte.OVX2");
        QVERIFY(EnregistrerEtude(nom.toStdString()));
        if (fichier == 1) QVERIFY(QFile::resize(nom, 100));
        InitEtude();
        QString retenu;
        fichiers.reponses = {{true, Chemin("retenu.OVX2")}, {fichier < 2, nom}, {false, {}}};
        QVERIFY(FormCom->ChoisirFichierEnregistrer(retenu));
        Montrer();
        rapport->messages.clear();  // the link attempt of a first display
        if (ligne)
            QCOMPARE(menu->OuvrirFichier(nom), lisible);
        else
            QTest::mouseClick(menu->ButtonOuvrir, Qt::LeftButton);
        QCOMPARE(TitreEtude(), std::string(lisible ? "Ouverte" : ""));
        QCOMPARE(rapport->messages, fichier == 1
                                        ? std::vector<std::string>{"Erreur de lecture du fichier"}
                                        : std::vector<std::string>{});
        QCOMPARE(FormTraceCaract->EstVisible(), lisible);
        QCOMPARE(menu->isVisible(), !lisible);
        FormCom->ChoisirFichierEnregistrer(retenu);
        const QString propose = fichiers.proposes.last();
        QVERIFY2(lisible ? propose == nom : !propose.endsWith(".OVX2"), qPrintable(propose));
        if (lisible) static_cast<TFormTraceCaract*>(FormTraceCaract)->ButtonClose->click();
        QVERIFY(menu->isVisible());
    }

    // Yes, then the save dialog cancelled or the save failing: still running.
    void quitWithoutTheSaveKeepsRunning_data() {
        QTest::addColumn<bool>("choisi");
        QTest::addColumn<QString>("message");
        QTest::addRow("save dialog cancelled") << false << "";
        QTest::addRow("save failed") << true << "Erreur d'ecriture du fichier";
    }
    void quitWithoutTheSaveKeepsRunning() {
        QFETCH(bool, choisi);
        QFETCH(QString, message);
        EtudeModifiee("Precieuse");
        rapport->reponses = {ReponseQuestion::Oui};
        fichiers.reponses = {{choisi, Chemin("absent/etude.OVX2")}};
        Montrer();
        QTest::mouseClick(menu->ButtonQuitter, Qt::LeftButton);
        QCOMPARE(fichiers.enregistrer, QList<bool>{true});
        QCOMPARE(rapport->messages.empty(), message.isEmpty());
        if (!message.isEmpty()) QCOMPARE(QString::fromStdString(rapport->messages[0]), message);
        QCOMPARE(fins, 0);
        QVERIFY(menu->isVisible());
        QVERIFY(!QFile::exists(Chemin("CFGOrvane.cfg")));
        QCOMPARE(TitreEtude(), std::string("Precieuse"));
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
    }

    // The program ends from its menu only, not when its last window closes.
    void theApplication() {
        PreparerApplication();
        QVERIFY(!QGuiApplication::quitOnLastWindowClosed());
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
        QCOMPARE(boutons.size(), 3);  // each row clicks one of them

        // A warning has its OK button only.
        bouton = int(QMessageBox::Ok);
        essais = 0;
        QTimer::singleShot(0, repondre);
        boites.Avertissement("Erreur de liaison");
        QCOMPARE(texte, QStringLiteral("Erreur de liaison"));
        QCOMPARE(boutons, QList<QMessageBox::StandardButton>{QMessageBox::Ok});
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
