// The settings window: address edits, language and frequency buttons, what
// OK stores and Cancel leaves, the link closed while shown.
#include <QtTest>
#include <QtWidgets>

#include "OutilsEssai.h"
#include "dialogs/Fenetres.h"
#include "dialogs/FormCom.h"
#include "sim/LiaisonSimulee.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {
class TraceFactice : public IFenetreTrace {
public:
    bool Setcourbe() override { return true; }
    void Montrer() override {}
    bool EstVisible() const override { return false; }
    void Langue() override { ++langues; }
    bool Avertissement() override { return true; }
    int langues = 0;
};
}  // namespace

class TstFormCom : public QObject {
    Q_OBJECT

    TFormCom* f = nullptr;
    TraceFactice trace;
    essai::DossierTemporaire sysfs;
    std::optional<essai::RapportEnregistre> rapport;
    FonctionPause pause_;

    QLineEdit* edit(int i) const {
        return QList<QLineEdit*>{f->EditTC1, f->EditTC2, f->EditTC3, f->EditTC4}[i];
    }
    void montrer(int page = -1) {
        f->show();
        if (page >= 0) f->PageControlCom->setCurrentIndex(page);
    }

private slots:
    void initTestCase() {
        sim::InstallerBancSimule(1, false);
        pause_ = DefinirPause([](int) {});
        for (const char* port : {"ttyQ7", "ttyQ12"})  // as the tty class shows them
            std::filesystem::create_directories(sysfs.racine / port / "device");
        f = new TFormCom;
        QCOMPARE(FormCom, f);
        f->ComSelection = TComSelection(sysfs.racine.string());
        FormTraceCaract = &trace;
    }
    void cleanupTestCase() { FormTraceCaract = nullptr, delete f, DefinirPause(pause_); }
    void init() {
        ConfigGenerale = ConfigDefaut;
        ConfigGenerale.TypeLiaison = LiaisonSimulation;
        ChoixLangue(LangueFrancais), InitEtude();
        trace.langues = 0, rapport.emplace();
    }
    void cleanup() { f->hide(), f->Ferme(), rapport.reset(); }

    // An address field keeps digits only, three at most, and turns a number
    // above 255 into 255 with a message; the others stay.
    void addressEditTakesDigitsUpTo255() {
        for (const auto& [champ, tape, montre] :
             {std::tuple{1, "a1b2c345", "123"}, std::tuple{2, "300", "255"}}) {
            cleanup(), init(), montrer(TFormCom::PageReseau), edit(champ)->clear();
            QTest::keyClicks(edit(champ), tape);
            QCOMPARE(edit(champ)->text(), QString(montre));
            QCOMPARE(
                rapport->messages,
                std::vector<std::string>(champ - 1, "La valeur doit être comprise entre 0 et 255"));
            QCOMPARE(edit(3 - champ)->text(), QStringList({"192", "168", "1", "100"})[3 - champ]);
        }
    }

    // A language shows at once, and stays on screen after Cancel, but is
    // stored (with the study's quantity names) only on OK. The link is closed
    // while the window is shown (at each opening) and stays closed after Cancel.
    void languageFollowsAtOnceButIsStoredOnlyOnOk() {
        for (const bool ok : {false, true}) {
            const QString annuler = ok ? "Cancel" : "Anular";
            ChoixLangue(LangueFrancais), f->Initialise();
            QVERIFY(f->LiaisonOuverte());
            montrer();
            QVERIFY(f->PageControlCom->isVisible() && !f->LiaisonOuverte());
            QTest::mouseClick(ok ? f->ButtonUK : f->ButtonSP, Qt::LeftButton);
            QCOMPARE(f->BoutonANNULER->text(), annuler);
            QTest::mouseClick(ok ? f->BoutonOK : f->BoutonANNULER, Qt::LeftButton);
            QCOMPARE(QString::fromUtf8(Textes.Texte(2).data()), annuler);
            QVERIFY(ConfigGenerale.Langue == (ok ? LangueAnglais : LangueFrancais) &&
                    trace.langues == int(ok));
            QCOMPARE(DepuisCp1252(Etude.Grandeurs[GVitesse].Nom.Lire()) == "Vitesse de rotation",
                     !ok);
            QVERIFY(f->PageControlCom->isHidden() && (ok || !f->LiaisonOuverte()));
        }
    }

    // The stored settings show their buttons and page (the address fields as they are,
    // silently); language 0 shows Français, stored as 1. OK stores the opening's copy.
    void storedSettingsShowTheirButtons() {
        ConfigGenerale.Langue = ConfigGenerale.TypeLiaison = 0;
        ConfigGenerale.FrequenceReseau = 60;
        ConfigGenerale.Couleurs = 5;
        ConfigGenerale.Adresse[2].Ecrire("300"), ConfigGenerale.Adresse[3].Ecrire("");
        ChoixLangue(0), montrer();
        QVERIFY(f->GroupeLangue->checkedId() == 1 && f->Button60Hz->isChecked() &&
                f->PageControlCom->currentIndex() == TFormCom::PageReseau &&
                f->EditTC3->text() == "300" && f->EditTC4->text().isEmpty() &&
                rapport->messages.empty());
        QTest::mouseClick(f->Button50Hz, Qt::LeftButton);
        f->PageControlCom->setCurrentIndex(TFormCom::PageBanc);  // nothing dialled
        ConfigGenerale.Couleurs = 6;                             // changed elsewhere while shown
        QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        QCOMPARE(QList<int>({ConfigGenerale.Langue, ConfigGenerale.FrequenceReseau,
                             int(ConfigGenerale.Couleurs)}),
                 QList<int>({1, 50, 5}));
    }

    // The serial page lists the ports and stores the one chosen (a vanished
    // one as an empty name).
    void serialPage() {
        for (const auto& [stocke, clic, attendu] :
             {std::tuple{"ttyQ12", 0, "ttyQ7"}, std::tuple{"COM2", -1, ""}}) {
            ConfigGenerale.PortSerie.Ecrire(stocke);
            montrer(TFormCom::PageSerie);
            QVERIFY(f->ItemsCom.size() == 2 && f->TexteAucunPortCom->isHidden());
            if (clic >= 0) QTest::mouseClick(f->ItemsCom[clic], Qt::LeftButton, {}, QPoint(8, 8));
            QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
            QVERIFY(ConfigGenerale.TypeLiaison == LiaisonSerie &&
                    ConfigGenerale.PortSerie.Lire() == attendu);
            QVERIFY(!f->LiaisonOuverte());  // no such device: the link error last
            QCOMPARE(rapport->messages.back(), std::string(Textes.Texte(168)));
        }
    }

    // The network page on a drive this test serves on the loopback address.
    void networkPageReachesTheDriveAtTheAddress() {
        essai::ServeurEnFond drive;
        QVERIFY(drive.Tcp());
        const int32_t portAvant = f->Reseau().PortTcp;
        f->Reseau().PortTcp = drive.serveur.Port();
        ConfigGenerale.TypeLiaison = LiaisonReseau, ConfigGenerale.GammePuissance = 0;
        montrer();
        for (int i = 0; i < 4; ++i) {
            edit(i)->clear();
            QTest::keyClicks(edit(i), QStringList{"127", "0", "0", "1"}[i]);
        }
        QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        QCOMPARE(AdresseReseau, std::string("(127.0.0.1)"));
        QVERIFY(f->LiaisonOuverte() && rapport->messages.empty() && f->CalibreVariateur() == 1500 &&
                ConfigGenerale.GammePuissance == 2);
        f->Ferme(), f->Reseau().PortTcp = portAvant;
    }
};

QTEST_MAIN(TstFormCom)
#include "tst_formcom.moc"
