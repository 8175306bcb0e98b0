// The start folder: where the program was started for a build tree or a
// prepared folder, else the user's own folder, made once with the default
// configuration and never overwritten. The work-file folder under it.
#include <QtTest>

#include "OutilsEssai.h"
#include "app/DossierDepart.h"
#include "study/Study.h"

using namespace orvane;

class TstDossierDepart : public QObject {
    Q_OBJECT
    essai::DossierTemporaire dossier;
    QString Chemin(const char* nom) const { return QString::fromStdString(dossier / nom); }
    std::string Lire(const char* nom) const { return essai::Contenu(dossier / nom); }
    bool Ecrire(const char* nom, const std::string& octets) const {
        return EcrireFichierEntier(dossier / nom, octets.data(), octets.size());
    }

private slots:
    void choiceAndPersonalFolder() {
        // CFGOrvane.cfg absent, a file or a folder; installed; personal folder taken.
        const std::tuple<const char*, bool, bool> cas[] = {{"", false, false},
                                                           {"fichier", true, false},
                                                           {"", true, true},
                                                           {"dossier", true, true}};
        int n = 0;
        for (const auto& [contenu, installe, personnel] : cas) {
            const QString courant = Chemin("courant-") + QString::number(++n);
            const QString config = courant + "/CFGOrvane.cfg";
            QVERIFY(QDir().mkpath(std::string(contenu) == "dossier" ? config : courant));
            if (std::string(contenu) == "fichier")
                QVERIFY(EcrireFichierEntier(config.toStdString(), std::string(76, 0).data(), 76));
            QCOMPARE(ChoisirDossierDepart(courant, installe, "/perso"),
                     personnel ? QString("/perso") : courant);
        }
        // Made empty (the first start writes the configuration); the user's
        // file then kept, a removed one not brought back.
        const char* cfg = "donnees/orvane/CFGOrvane.cfg";
        QVERIFY(PreparerDossierPersonnel(Chemin("donnees/orvane")));
        QVERIFY(QFileInfo(Chemin("donnees/orvane")).isDir() && !QFile::exists(Chemin(cfg)));
        QVERIFY(Ecrire(cfg, "reglages") && PreparerDossierPersonnel(Chemin("donnees/orvane")));
        QCOMPARE(Lire(cfg), std::string("reglages"));
        QVERIFY(QFile::remove(Chemin(cfg)) && PreparerDossierPersonnel(Chemin("donnees/orvane")) &&
                !QFile::exists(Chemin(cfg)));
        QVERIFY(Ecrire("fichier", "x") && !PreparerDossierPersonnel(Chemin("fichier/orvane")));
    }

    // Made when missing; an existing one kept with what it holds; the start
    // folder itself where it cannot be made (a file of that name, no start
    // folder), with nothing made.
    void workFileFolder() {
        QVERIFY(QDir().mkpath(Chemin("depart")) && Ecrire("depart/Files", "notes"));
        const QString depart = Chemin("depart");
        QCOMPARE(PreparerDossierFichiers(depart, "Fichiers"), depart + "/Fichiers");
        QVERIFY(QFileInfo(depart + "/Fichiers").isDir());
        QVERIFY(Ecrire("depart/Fichiers/etude.OVX2", "etude"));
        QCOMPARE(PreparerDossierFichiers(depart, "Fichiers"), depart + "/Fichiers");
        QCOMPARE(Lire("depart/Fichiers/etude.OVX2"), std::string("etude"));
        QCOMPARE(PreparerDossierFichiers(depart, "Files"), depart);
        QCOMPARE(Lire("depart/Files"), std::string("notes"));
        QCOMPARE(PreparerDossierFichiers(Chemin("absent"), "Ficheros"), Chemin("absent"));
        QVERIFY(!QFileInfo::exists(Chemin("absent")));
    }
};

QTEST_MAIN(TstDossierDepart)
#include "tst_dossierdepart.moc"
