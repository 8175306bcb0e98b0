// The settings window: address edits (digits only, range message, silent
// filling), language and frequency buttons, what OK stores and what Cancel
// leaves, the link closed while shown and reopened on OK, the spy log and
// its dump, the work-file dialogs' remembered name.
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>
#include <cstring>
#include <filesystem>
#include <optional>

#include "Captures.h"
#include "OutilsEssai.h"
#include "comm/Horloge.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "sim/LiaisonSimulee.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

// The settings window with its gateway hooks reachable, so that the spy can
// be fed chosen status words.
class FormComEssai : public TFormCom {
public:
    using TFormCom::LiaisonPrete;
    using TFormCom::StatutLu;
};

class TraceFactice : public IFenetreTrace {
public:
    bool Setcourbe() override { return true; }
    void Montrer() override {}
    bool EstVisible() const override { return false; }
    void Langue() override { ++langues; }
    bool Avertissement() override { return true; }
    int langues = 0;
};

QString Texte(int n) {
    const std::string_view s = Textes.Texte(n);
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::string Adresse(int i) { return ConfigGenerale.Adresse[i].Lire(); }

}  // namespace

class TstFormCom : public QObject {
    Q_OBJECT

    FormComEssai* f = nullptr;
    TraceFactice trace;
    essai::DossierTemporaire sysfs;
    std::optional<essai::RapportEnregistre> rapport;
    FonctionPause pause_;

    QLineEdit* edit(int i) const {
        return QList<QLineEdit*>{f->EditTC1, f->EditTC2, f->EditTC3, f->EditTC4}[i];
    }
    QToolButton* boutonLangue(int code) const {
        return code == LangueAnglais    ? f->ButtonUK
               : code == LangueEspagnol ? f->ButtonSP
                                        : f->ButtonFR;
    }
    void montrer() {
        f->show();
        QVERIFY(f->isVisible());
    }
    void taperAdresse(const QStringList& champs) {
        for (int i = 0; i < 4; ++i) {
            edit(i)->clear();
            QTest::keyClicks(edit(i), champs[i]);
        }
    }

private slots:
    void initTestCase() {
        sim::InstallerBancSimule(1, false);
        pause_ = DefinirPause([](int) {});
        // Two serial device folders as the tty class shows them.
        for (const char* port : {"ttyQ7", "ttyQ12"})
            std::filesystem::create_directories(sysfs.racine / port / "device");
        f = new FormComEssai;
        QCOMPARE(FormCom, f);
        f->ComSelection = TComSelection(sysfs.racine.string());
        FormTraceCaract = &trace;
    }
    void cleanupTestCase() {
        FormTraceCaract = nullptr;
        delete f;
        DefinirPause(pause_);
    }
    void init() {
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        ChoixLangue(LangueFrancais);
        InitEtude();
        trace.langues = 0;
        rapport.emplace();
    }
    void cleanup() {
        f->hide();
        f->Ferme();
        rapport.reset();
    }

    // ---- address edits ----

    // Typed or pasted, an address field keeps digits only, three at most, and
    // turns a number above 255 into 255 with a message; the others stay.
    void addressEditTakesDigitsUpTo255_data() {
        QTest::addColumn<QList<int>>("c");        // field, pasted, messages
        QTest::addColumn<QStringList>("textes");  // typed or pasted, shown
        QTest::newRow("letters discarded") << QList<int>{1, 0, 0} << QStringList{"a1b2", "12"};
        QTest::newRow("signs discarded") << QList<int>{3, 0, 0} << QStringList{"-7+.", "7"};
        QTest::newRow("255 kept") << QList<int>{2, 0, 0} << QStringList{"255", "255"};
        QTest::newRow("300 becomes 255") << QList<int>{2, 0, 1} << QStringList{"300", "255"};
        QTest::newRow("three digits at most") << QList<int>{3, 0, 0} << QStringList{"1234", "123"};
        QTest::newRow("pasted letters") << QList<int>{1, 1, 0} << QStringList{"4x5", ""};
        QTest::newRow("pasted digits") << QList<int>{1, 1, 0} << QStringList{"42", "42"};
        QTest::newRow("pasted 999") << QList<int>{1, 1, 1} << QStringList{"999", "255"};
    }
    void addressEditTakesDigitsUpTo255() {
        QFETCH(QList<int>, c);
        QFETCH(QStringList, textes);
        const int champ = c[0], messages = c[2];
        montrer();
        f->PageControlCom->setCurrentIndex(TFormCom::PageReseau);
        edit(champ)->clear();
        if (c[1]) {
            QApplication::clipboard()->setText(textes[0]);
            edit(champ)->paste();
        } else {
            QTest::keyClicks(edit(champ), textes[0]);
        }
        QCOMPARE(edit(champ)->text(), textes[1]);
        QCOMPARE(static_cast<int>(rapport->messages.size()), messages);
        if (messages)
            QCOMPARE(QString::fromStdString(rapport->messages[0]),
                     QStringLiteral("La valeur doit être comprise entre 0 et 255"));
        const QStringList avant = {"192", "168", "1", "100"};
        for (int i = 0; i < 4; ++i)
            if (i != champ) QCOMPARE(edit(i)->text(), avant[i]);
    }

    // Enter confirms and Escape cancels, even from an address edit. Fields
    // typed on the network page travel with any page (the bench page keeps
    // this test from dialling); an emptied edit is stored empty.
    void enterConfirmsEscapeCancels_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<int>("resultat");
        QTest::addColumn<QString>("adresse");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted) << "(10..0.7)";
        QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected) << "";
    }
    void enterConfirmsEscapeCancels() {
        QFETCH(int, touche);
        QFETCH(int, resultat);
        QFETCH(QString, adresse);
        const bool ok = resultat == QDialog::Accepted;
        AdresseReseau.clear();
        montrer();
        f->PageControlCom->setCurrentIndex(TFormCom::PageReseau);
        taperAdresse({"10", "", "0", "7"});
        f->PageControlCom->setCurrentIndex(TFormCom::PageBanc);
        QTest::keyClick(f->EditTC2, static_cast<Qt::Key>(touche));
        QTRY_VERIFY(!f->isVisible());
        QCOMPARE(f->result(), resultat);
        QCOMPARE(QString::fromStdString(AdresseReseau), adresse);
        QCOMPARE(Adresse(1), std::string(ok ? "" : "168"));
        QCOMPARE(Adresse(3), std::string(ok ? "7" : "100"));
        QCOMPARE(f->LiaisonOuverte(), ok);
        QVERIFY(rapport->messages.empty());
    }

    // ---- languages ----

    void languageFollowsAtOnceButIsStoredOnlyOnOk_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("annuler");
        QTest::newRow("Spanish, Cancel") << int(LangueEspagnol) << false << "Configuración"
                                         << "Anular";
        QTest::newRow("English, OK") << int(LangueAnglais) << true << "Configuration"
                                     << "Cancel";
    }
    void languageFollowsAtOnceButIsStoredOnlyOnOk() {
        QFETCH(int, langue);
        QFETCH(bool, ok);
        QFETCH(QString, titre);
        QFETCH(QString, annuler);
        montrer();
        QVERIFY(f->ButtonFR->isChecked());
        QTest::mouseClick(boutonLangue(langue), Qt::LeftButton);
        QCOMPARE(f->windowTitle(), titre);
        QCOMPARE(f->BoutonANNULER->text(), annuler);
        QCOMPARE(f->PageControlCom->tabText(TFormCom::PageBanc), Texte(TexteBancSimule));
        QTest::mouseClick(ok ? f->BoutonOK : f->BoutonANNULER, Qt::LeftButton);
        QVERIFY(!f->isVisible());
        // The program stays in the chosen language either way.
        QCOMPARE(QString::fromUtf8(Textes.Texte(2).data()), annuler);
        QCOMPARE(ConfigGenerale.Langue, ok ? langue : LangueFrancais);
        QCOMPARE(trace.langues, ok ? 1 : 0);
        // The study takes the quantity names of the language only on OK.
        const std::string vitesse = DepuisCp1252(Etude.Grandeurs[GVitesse].Nom.Lire());
        QCOMPARE(vitesse == "Vitesse de rotation", !ok);
    }

    // The stored language, frequency, link type and address fields show
    // (the fields as they are, silently), no caption cut; a language other
    // than 2 or 3 shows Français and is stored as 1.
    void storedSettingsShowTheirButtons_data() {
        QTest::addColumn<QList<int>>("c");  // language, button, frequency, link type, page
        const int reseau = TFormCom::PageReseau, serie = TFormCom::PageSerie;
        QTest::newRow("0, network") << QList<int>{0, 1, 50, 0, reseau};
        QTest::newRow("2, serial") << QList<int>{2, 2, 60, 1, serie};
        QTest::newRow("3, bench") << QList<int>{3, 3, 50, 3, TFormCom::PageBanc};
        QTest::newRow("4, negative type") << QList<int>{4, 1, 60, -4, reseau};
        QTest::newRow("-1") << QList<int>{-1, 1, 50, 3, TFormCom::PageBanc};
        QTest::newRow("9, 55 Hz") << QList<int>{9, 1, 55, 3, TFormCom::PageBanc};
    }
    void storedSettingsShowTheirButtons() {
        QFETCH(QList<int>, c);
        const int langue = c[0], bouton = c[1], frequence = c[2];
        ConfigGenerale.Langue = langue;
        ConfigGenerale.FrequenceReseau = frequence;
        ConfigGenerale.TypeLiaison = c[3];
        ConfigGenerale.Couleurs = 5;
        ConfigGenerale.Adresse[2].Ecrire("300");
        ConfigGenerale.Adresse[3].Ecrire("");
        ChoixLangue(langue);
        montrer();
        QCOMPARE(f->GroupeLangue->checkedId(), bouton);
        QVERIFY(boutonLangue(bouton)->isChecked());
        QVERIFY((frequence == 60 ? f->Button60Hz : f->Button50Hz)->isChecked());
        QCOMPARE(f->PageControlCom->currentIndex(), c[4]);
        QCOMPARE(f->EditTC3->text(), QStringLiteral("300"));
        QCOMPARE(f->EditTC4->text(), QString());
        QVERIFY(rapport->messages.empty());
        // No caption is cut: every button's text fits its button.
        for (QAbstractButton* b : f->findChildren<QAbstractButton*>())
            if (!b->text().isEmpty() && b->isVisible())
                QVERIFY2(b->sizeHint().width() <= b->width() + 1, qPrintable(b->text()));
        if (langue >= 0 && langue <= 3)
            essai::Capturer(f, QStringLiteral("formcom-") + (langue < 2    ? "fr"
                                                             : langue == 2 ? "en"
                                                                           : "es"));
        // The other frequency, on the bench page (nothing dialled). OK stores
        // the copy taken at the opening, checked as the configuration file is.
        QTest::mouseClick(frequence == 60 ? f->Button50Hz : f->Button60Hz, Qt::LeftButton);
        f->PageControlCom->setCurrentIndex(TFormCom::PageBanc);
        ConfigGenerale.Couleurs = 6;  // changed elsewhere while shown
        QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        QCOMPARE(ConfigGenerale.Langue, bouton);
        QCOMPARE(ConfigGenerale.FrequenceReseau, frequence == 60 ? 50 : 60);
        QCOMPARE(int(ConfigGenerale.Couleurs), 5);
        TConfigGenerale verifiee = ConfigGenerale;
        CorrigerConfig(verifiee);
        QVERIFY(std::memcmp(&verifiee, &ConfigGenerale, sizeof verifiee) == 0);
    }

    // ---- pages, link ----

    void serialPageListsPortsAndStoresTheChosenOne_data() {
        QTest::addColumn<QString>("stocke");
        QTest::addColumn<int>("clic");  // item clicked, -1 none
        QTest::addColumn<QString>("attendu");
        QTest::newRow("stored port selected") << "ttyQ12" << -1 << "ttyQ12";
        QTest::newRow("another port clicked") << "ttyQ12" << 0 << "ttyQ7";
        QTest::newRow("vanished port: empty name") << "COM2" << -1 << "";
    }
    void serialPageListsPortsAndStoresTheChosenOne() {
        QFETCH(QString, stocke);
        QFETCH(int, clic);
        QFETCH(QString, attendu);
        ConfigGenerale.PortSerie.Ecrire(stocke.toStdString());
        montrer();
        f->PageControlCom->setCurrentIndex(TFormCom::PageSerie);
        QCOMPARE(f->ItemsCom.size(), 2);
        QCOMPARE(f->ItemsCom[0]->text(), QStringLiteral("ttyQ7"));
        QVERIFY(f->TexteAucunPortCom->isHidden());
        if (clic >= 0) QTest::mouseClick(f->ItemsCom[clic], Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        QCOMPARE(ConfigGenerale.TypeLiaison, LiaisonSerie);
        QCOMPARE(QString::fromStdString(ConfigGenerale.PortSerie.Lire()), attendu);
        // No such device here: the port error, then the link error.
        QVERIFY(!f->LiaisonOuverte());
        QCOMPARE(rapport->messages.back(), std::string(Textes.Texte(168)));
    }

    void noPortSaysSo() {
        essai::DossierTemporaire vide;
        const TComSelection avant = f->ComSelection;
        f->ComSelection = TComSelection(vide.racine.string());
        ConfigGenerale.TypeLiaison = LiaisonSerie;
        montrer();
        f->ComSelection = avant;
        QVERIFY(f->ItemsCom.isEmpty());
        QVERIFY(f->TexteAucunPortCom->isVisible());
        QCOMPARE(f->TexteAucunPortCom->text(), Texte(TexteAucunPort));
    }

    // The network page on a drive this test serves on the loopback address.
    void networkPageReachesTheDriveAtTheAddress() {
        essai::ServeurEnFond drive;
        QVERIFY(drive.Tcp());
        const int32_t portAvant = f->Reseau().PortTcp;
        f->Reseau().PortTcp = drive.serveur.Port();
        ConfigGenerale.TypeLiaison = LiaisonReseau;
        ConfigGenerale.GammePuissance = 0;
        montrer();
        taperAdresse({"127", "0", "0", "1"});
        QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        QCOMPARE(ConfigGenerale.TypeLiaison, LiaisonReseau);
        QCOMPARE(AdresseReseau, std::string("(127.0.0.1)"));
        QVERIFY(f->LiaisonOuverte());
        QCOMPARE(f->CalibreVariateur(), 1500);
        QCOMPARE(ConfigGenerale.GammePuissance, 2);
        QVERIFY(rapport->messages.empty());
        f->Ferme();
        f->Reseau().PortTcp = portAvant;
    }

    // The page control shows at each opening; the link is closed while the
    // window is shown and stays closed after Cancel.
    void linkClosedWhileShownAndAfterCancel() {
        for (int fois = 0; fois < 2; ++fois) {
            f->Initialise();
            QVERIFY(f->LiaisonOuverte());
            montrer();
            QVERIFY(f->PageControlCom->isVisible());
            QVERIFY(!f->LiaisonOuverte());
            QTest::mouseClick(f->BoutonANNULER, Qt::LeftButton);
            QVERIFY(f->PageControlCom->isHidden());
            QVERIFY(!f->LiaisonOuverte());
            QCOMPARE(ConfigGenerale.TypeLiaison, LiaisonSimulation);
        }
    }

    // ---- spy ----

    void spyDumpFormat_data() {
        QTest::addColumn<QList<int>>("mots");  // pairs: number, word
        QTest::addColumn<QString>("texte");
        QTest::newRow("two") << QList<int>{0, 0, 1234, 0xFFFF}
                             << "0\t0\t0000\t0000\t0000\t0000\r\n"
                                "1234\t65535\t1111\t1111\t1111\t1111\r\n";
        QTest::newRow("high bits not shown")
            << QList<int>{7, 0x1A5C3} << "7\t107971\t1010\t0101\t1100\t0011\r\n";
        QTest::newRow("negative word") << QList<int>{9, -1} << "9\t-1\t1111\t1111\t1111\t1111\r\n";
    }
    void spyDumpFormat() {
        QFETCH(QList<int>, mots);
        QFETCH(QString, texte);
        int64_t maintenant = 0;
        const FonctionHorloge avant = DefinirHorloge([&maintenant] { return maintenant; });
        f->LiaisonPrete();
        for (qsizetype i = 0; i + 1 < mots.size(); i += 2) {
            maintenant = mots[i];
            f->StatutLu(mots[i + 1]);
        }
        DefinirHorloge(avant);
        QApplication::clipboard()->setText(QStringLiteral("before"));
        f->Espion();
        QCOMPARE(QApplication::clipboard()->text(), texte);
        QCOMPARE(f->NbEspion(), 0);
    }

    void spyLogStopsGrowingAt100000() {
        f->LiaisonPrete();
        for (int i = 0; i < TFormCom::NbEspionMax + 5; ++i) f->StatutLu(i);
        QCOMPARE(f->NbEspion(), 100000);
        QCOMPARE(f->JournalEspion().back()[1], 99999);
        f->Espion();
        QCOMPARE(QApplication::clipboard()->text().count(QStringLiteral("\r\n")), 100000);
        QCOMPARE(f->NbEspion(), 0);
    }

    // On the simulated bench: each step logs the word the drive sent,
    // numbered from the opening of the link, which empties the log.
    void spyLogsEachMeasurementStep() {
        int64_t maintenant = 5000;
        const FonctionHorloge avant = DefinirHorloge([&maintenant] { return maintenant; });
        f->StatutLu(1);  // left over from before: gone at the opening
        f->Initialise();
        QCOMPARE(f->NbEspion(), 0);
        for (int pas = 1; pas <= 3; ++pas) {
            maintenant += 50;
            f->LectureValeurs();
            QVERIFY(f->LectureValide());
            QCOMPARE(f->JournalEspion().back()[0], 50 * pas);
            QCOMPARE(f->JournalEspion().back()[1], f->StatusCopie());
        }
        f->Ferme();
        f->LectureValeurs();  // closed link: no step
        QCOMPARE(f->NbEspion(), 3);
        DefinirHorloge(avant);
    }

    // ---- work-file dialogs ----

    void workFileNameIsRememberedBetweenOpenAndSave() {
        f->OublierNomFichier();
        f->DefinirDossierFichiers(QStringLiteral("/depart/Fichiers"));
        QStringList propositions;
        QString reponse;
        const ChoixFichier avant = DefinirChoixFichier([&](bool enregistrer, QString& nom) {
            propositions << (enregistrer ? "S:" : "O:") + nom;
            nom = reponse;
            return !reponse.isEmpty();
        });
        QString nom;
        reponse = "/depart/Fichiers/essai.OVX2";
        QVERIFY(f->ChoisirFichierOuvrir(nom));
        QCOMPARE(nom, reponse);
        reponse = "/ailleurs/copie";
        QVERIFY(f->ChoisirFichierEnregistrer(nom));
        QCOMPARE(nom, QStringLiteral("/ailleurs/copie.OVX2"));  // default extension
        reponse.clear();
        QVERIFY(!f->ChoisirFichierEnregistrer(nom));
        QVERIFY(nom.isEmpty());
        f->OublierNomFichier();
        reponse = "/x/y.OVX2";
        QVERIFY(f->ChoisirFichierEnregistrer(nom));
        QCOMPARE(propositions, QStringList({"O:/depart/Fichiers", "S:/depart/Fichiers/essai.OVX2",
                                            "S:/ailleurs/copie.OVX2", "S:/depart/Fichiers"}));
        QVERIFY(static_cast<bool>(DefinirChoixFichier(avant)));
    }
};

QTEST_MAIN(TstFormCom)
#include "tst_formcom.moc"
