// The first start: a start folder without a configuration file shows the
// first-start window before any exchange with a drive; OK writes the choices
// and the menu follows them; a folder where the file cannot be written says
// so and keeps the choices.
#include "BancEspion.h"
#include "app/Demarrage.h"
#include "app/FormMachine2.h"
#include "dialogs/Fenetres.h"
#include "dialogs/PremierDemarrage.h"
#include "study/Fichiers.h"

using namespace orvane;

class TstPremierDemarrage : public QObject {
    Q_OBJECT

    std::unique_ptr<essai::DossierTemporaire> dossier;
    std::unique_ptr<essai::BancEspion> banc;
    std::unique_ptr<essai::RapportEnregistre> rapport;
    int echangesAvantOK = -1;  // exchanges with the drive while the window was up

    int Echanges() const { return banc->lien ? int(banc->lien->journal.size()) : 0; }
    QString Chemin(const char* nom) const { return QString::fromStdString(*dossier / nom); }
    // Creates the windows; `choisir` runs in the first-start window, then OK.
    void Demarrer(const std::function<void(TPremierDemarrage*)>& choisir) {
        QTimer::singleShot(0, [this, choisir] {
            auto* f = qobject_cast<TPremierDemarrage*>(QApplication::activeModalWidget());
            QVERIFY(f != nullptr && FormCom == nullptr && rapport->messages.empty());
            choisir(f);
            echangesAvantOK = Echanges();
            QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        });
        CreerFenetres();
        static_cast<TFormMachine2*>(FormMachine2)->FinProgramme = [] {};
    }

private slots:
    void init() {
        dossier = std::make_unique<essai::DossierTemporaire>();
        QVERIFY(QDir::setCurrent(QString::fromStdString(dossier->racine.string())));
        banc = std::make_unique<essai::BancEspion>(), essai::EtudeVierge();
        rapport = std::make_unique<essai::RapportEnregistre>(), echangesAvantOK = -1;
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    }
    void cleanup() {
        DetruireFenetres(), rapport.reset(), banc.reset();
        QLocale::setDefault(QLocale::c()), ChoixLangue(LangueFrancais);
        QDir::setCurrent(QDir::tempPath()), dossier.reset();
    }

    // Spanish preselected from the locale; English chosen: the window's own
    // texts at once. The network link needs a whole address typed (none is
    // proposed). The simulated bench at 60 Hz: the file holds them, the menu
    // shows in English and its first display opens the bench without a word.
    void okWritesTheChoices() {
        Demarrer([](TPremierDemarrage* f) {
            QVERIFY(f->BoutonEspagnol->isChecked() && f->BoutonBanc->isChecked() &&
                    f->Bouton50Hz->isChecked() && f->BoutonOK->isEnabled());
            QCOMPARE(f->BoutonAnnuler->text(), QStringLiteral("Anular"));
            f->BoutonAnglais->click();
            QCOMPARE(f->windowTitle(), QStringLiteral("Orvane — First start"));
            QCOMPARE(f->BoutonAnnuler->text(), QStringLiteral("Cancel"));
            QCOMPARE(f->BoutonBanc->text(), QStringLiteral("Simulated bench"));
            QVERIFY(f->EditAdresse->text().isEmpty() &&
                    f->EditAdresse->placeholderText().isEmpty());
            f->BoutonReseau->click();
            QVERIFY(!f->BoutonOK->isEnabled());
            QTest::keyClicks(f->EditAdresse, "127.0.0");
            QVERIFY(f->BoutonReseau->isChecked() && !f->BoutonOK->isEnabled());
            QTest::keyClicks(f->EditAdresse, ".1");
            QVERIFY(f->BoutonOK->isEnabled());
            f->BoutonBanc->click();
            f->Bouton60Hz->click();
        });
        QCOMPARE(echangesAvantOK, 0);
        QVERIFY(rapport->messages.empty());
        QFile cfg(Chemin("CFGOrvane.cfg"));
        QVERIFY(cfg.open(QIODevice::ReadOnly));
        const QByteArray octets = cfg.readAll();
        QCOMPARE(octets.size(), 76);
        QCOMPARE(octets.mid(8, 4), QByteArray::fromHex("03000000"));   // simulated bench
        QCOMPARE(octets.mid(23, 4), QByteArray::fromHex("03313932"));  // "192" left as it was
        QCOMPARE(octets.mid(68, 8), QByteArray::fromHex("020000003c000000"));  // English, 60 Hz
        auto* menu = static_cast<TFormMachine2*>(FormMachine2);
        menu->show(), QCoreApplication::processEvents();
        QCOMPARE(menu->ButtonQuitter->text(), QStringLiteral("Quit"));
        QTRY_VERIFY(FormCom->LiaisonOuverte());
        QVERIFY(rapport->messages.empty() && Echanges() > 0);
    }

    // A start folder where the file cannot be written (its name leads into a
    // missing folder, whoever runs the test): said once, and the choices
    // stay in use for the run.
    void unwritableFolderKeepsTheChoices() {
        QVERIFY(QFile::link(Chemin("absent/CFGOrvane.cfg"), Chemin("CFGOrvane.cfg")));
        Demarrer([](TPremierDemarrage* f) {
            f->BoutonFrancais->click();
            f->Bouton60Hz->click();
        });
        QCOMPARE(rapport->messages, std::vector<std::string>{"Erreur d'ecriture du fichier"});
        QVERIFY(ConfigGenerale.TypeLiaison == LiaisonSimulation &&
                ConfigGenerale.FrequenceReseau == 60 && ConfigGenerale.Langue == LangueFrancais);
        QVERIFY(!QFileInfo::exists(Chemin("CFGOrvane.cfg")));
    }
};

QTEST_MAIN(TstPremierDemarrage)
#include "tst_premierdemarrage.moc"
