// The settings window: address edits, language and frequency buttons, what
// OK stores and Cancel leaves, the link closed while shown, the spy log.
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

// The spy fed with chosen status words.
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
    void montrer(int page = -1) {
        f->show();
        if (page >= 0) f->PageControlCom->setCurrentIndex(page);
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

    // Typed or pasted, an address field keeps digits only, three at most, and
    // turns a number above 255 into 255 with a message; the others stay.
    void addressEditTakesDigitsUpTo255_data() {
        QTest::addColumn<QList<int>>("c");        // field, pasted, messages
        QTest::addColumn<QStringList>("textes");  // typed or pasted, shown
        QTest::newRow("letters discarded") << QList<int>{1, 0, 0} << QStringList{"a1b2c345", "123"};
        QTest::newRow("300 becomes 255") << QList<int>{2, 0, 1} << QStringList{"300", "255"};
        QTest::newRow("pasted 999") << QList<int>{1, 1, 1} << QStringList{"999", "255"};
    }
    void addressEditTakesDigitsUpTo255() {
        QFETCH(QList<int>, c);
        QFETCH(QStringList, textes);
        montrer(TFormCom::PageReseau);
        edit(c[0])->clear();
        if (c[1]) {
            QApplication::clipboard()->setText(textes[0]);
            edit(c[0])->paste();
        } else {
            QTest::keyClicks(edit(c[0]), textes[0]);
        }
        QCOMPARE(edit(c[0])->text(), textes[1]);
        QCOMPARE(rapport->messages,
                 std::vector<std::string>(c[2], "La valeur doit être comprise entre 0 et 255"));
        const QStringList avant = {"192", "168", "1", "100"};
        for (int i = 0; i < 4; ++i)
            if (i != c[0]) QCOMPARE(edit(i)->text(), avant[i]);
    }

    // A language shows at once, and stays on screen after Cancel, but is
    // stored (with the study's quantity names) only on OK.
    void languageFollowsAtOnceButIsStoredOnlyOnOk() {
        for (const bool ok : {false, true}) {
            const int langue = ok ? LangueAnglais : LangueEspagnol;
            const QString annuler = ok ? "Cancel" : "Anular";
            ChoixLangue(LangueFrancais);
            montrer();
            QTest::mouseClick(ok ? f->ButtonUK : f->ButtonSP, Qt::LeftButton);
            QCOMPARE(f->BoutonANNULER->text(), annuler);
            QTest::mouseClick(ok ? f->BoutonOK : f->BoutonANNULER, Qt::LeftButton);
            QCOMPARE(QString::fromUtf8(Textes.Texte(2).data()), annuler);
            QCOMPARE(ConfigGenerale.Langue, ok ? langue : LangueFrancais);
            QCOMPARE(trace.langues, ok ? 1 : 0);
            QCOMPARE(DepuisCp1252(Etude.Grandeurs[GVitesse].Nom.Lire()) == "Vitesse de rotation",
                     !ok);
        }
    }

    // The stored language, frequency, link type and address fields show (the
    // fields as they are, silently); a language other than 2 or 3 shows
    // Français and is stored as 1. OK stores the copy taken at the opening.
    void storedSettingsShowTheirButtons_data() {
        QTest::addColumn<QList<int>>("c");  // language, button, frequency, link type, page
        QTest::newRow("0, network") << QList<int>{0, 1, 50, 0, TFormCom::PageReseau};
        QTest::newRow("2, serial") << QList<int>{2, 2, 60, 1, TFormCom::PageSerie};
        QTest::newRow("3, bench") << QList<int>{3, 3, 50, 3, TFormCom::PageBanc};
        QTest::newRow("9, 55 Hz") << QList<int>{9, 1, 55, 3, TFormCom::PageBanc};
    }
    void storedSettingsShowTheirButtons() {
        QFETCH(QList<int>, c);
        const int langue = c[0], frequence = c[2];
        ConfigGenerale.Langue = langue;
        ConfigGenerale.FrequenceReseau = frequence;
        ConfigGenerale.TypeLiaison = c[3];
        ConfigGenerale.Couleurs = 5;
        ConfigGenerale.Adresse[2].Ecrire("300");
        ConfigGenerale.Adresse[3].Ecrire("");
        ChoixLangue(langue);
        montrer();
        QCOMPARE(f->GroupeLangue->checkedId(), c[1]);
        QVERIFY((frequence == 60 ? f->Button60Hz : f->Button50Hz)->isChecked());
        QCOMPARE(f->PageControlCom->currentIndex(), c[4]);
        QCOMPARE(QStringList({f->EditTC3->text(), f->EditTC4->text()}), QStringList({"300", ""}));
        QVERIFY(rapport->messages.empty());
        if (langue == 0) essai::Capturer(f, QStringLiteral("formcom-fr"));
        QTest::mouseClick(frequence == 60 ? f->Button50Hz : f->Button60Hz, Qt::LeftButton);
        f->PageControlCom->setCurrentIndex(TFormCom::PageBanc);  // nothing dialled
        ConfigGenerale.Couleurs = 6;                             // changed elsewhere while shown
        QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        QCOMPARE(QList<int>({ConfigGenerale.Langue, ConfigGenerale.FrequenceReseau,
                             int(ConfigGenerale.Couleurs)}),
                 QList<int>({c[1], frequence == 60 ? 50 : 60, 5}));
        TConfigGenerale verifiee = ConfigGenerale;
        CorrigerConfig(verifiee);
        QVERIFY(std::memcmp(&verifiee, &ConfigGenerale, sizeof verifiee) == 0);
    }

    // The serial page lists the ports and stores the one chosen (a vanished
    // one as an empty name); without ports it says so.
    void serialPage() {
        const std::tuple<const char*, int, const char*> cas[] = {{"ttyQ12", 0, "ttyQ7"},
                                                                 {"COM2", -1, ""}};
        for (const auto& [stocke, clic, attendu] : cas) {
            ConfigGenerale.PortSerie.Ecrire(stocke);
            montrer(TFormCom::PageSerie);
            QCOMPARE(f->ItemsCom.size(), 2);
            QVERIFY(f->TexteAucunPortCom->isHidden());
            if (clic >= 0) QTest::mouseClick(f->ItemsCom[clic], Qt::LeftButton, {}, QPoint(8, 8));
            QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
            QCOMPARE(ConfigGenerale.TypeLiaison, LiaisonSerie);
            QCOMPARE(ConfigGenerale.PortSerie.Lire(), std::string(attendu));
            QVERIFY(!f->LiaisonOuverte());  // no such device: the link error last
            QCOMPARE(rapport->messages.back(), std::string(Textes.Texte(168)));
        }
        essai::DossierTemporaire vide;
        const TComSelection avant = f->ComSelection;
        f->ComSelection = TComSelection(vide.racine.string());
        montrer();
        f->ComSelection = avant;
        QVERIFY(f->ItemsCom.isEmpty() && f->TexteAucunPortCom->isVisible());
        QCOMPARE(f->TexteAucunPortCom->text(),
                 QString::fromUtf8(Textes.Texte(TexteAucunPort).data()));
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
        for (int i = 0; i < 4; ++i) {
            edit(i)->clear();
            QTest::keyClicks(edit(i), QStringList{"127", "0", "0", "1"}[i]);
        }
        QTest::mouseClick(f->BoutonOK, Qt::LeftButton);
        QCOMPARE(AdresseReseau, std::string("(127.0.0.1)"));
        QVERIFY(f->LiaisonOuverte());
        QVERIFY(f->CalibreVariateur() == 1500 && ConfigGenerale.GammePuissance == 2);
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
            QVERIFY(f->PageControlCom->isVisible() && !f->LiaisonOuverte());
            QTest::mouseClick(f->BoutonANNULER, Qt::LeftButton);
            QVERIFY(f->PageControlCom->isHidden() && !f->LiaisonOuverte());
        }
    }

    // The dump: time, word, then its low 16 bits by nibbles; the log stops
    // growing at 100000 and the dump empties it.
    void spyDumpAndLimit() {
        int64_t maintenant = 0;
        const FonctionHorloge avant = DefinirHorloge([&maintenant] { return maintenant; });
        f->LiaisonPrete();
        for (const auto& [t, mot] : {std::pair{0, 0}, {7, 0x1A5C3}, {9, -1}}) {
            maintenant = t;
            f->StatutLu(mot);
        }
        DefinirHorloge(avant);
        f->Espion();
        QCOMPARE(QApplication::clipboard()->text(),
                 QStringLiteral("0\t0\t0000\t0000\t0000\t0000\r\n"
                                "7\t107971\t1010\t0101\t1100\t0011\r\n"
                                "9\t-1\t1111\t1111\t1111\t1111\r\n"));
        QCOMPARE(f->NbEspion(), 0);
        f->LiaisonPrete();
        for (int i = 0; i < TFormCom::NbEspionMax + 5; ++i) f->StatutLu(i);
        QVERIFY(f->NbEspion() == 100000 && f->JournalEspion().back()[1] == 99999);
    }

    // The save dialog adds the extension; cancelled, it gives no name.
    void saveDialogAddsTheExtension() {
        QString reponse, nom;
        const ChoixFichier avant = DefinirChoixFichier([&](bool, QString& n) {
            n = reponse;
            return !reponse.isEmpty();
        });
        reponse = "/ailleurs/copie";
        QVERIFY(f->ChoisirFichierEnregistrer(nom));
        QCOMPARE(nom, QStringLiteral("/ailleurs/copie.OVX2"));
        reponse.clear();
        QVERIFY(!f->ChoisirFichierEnregistrer(nom) && nom.isEmpty());
        DefinirChoixFichier(avant);
    }
};

QTEST_MAIN(TstFormCom)
#include "tst_formcom.moc"
