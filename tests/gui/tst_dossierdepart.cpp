// The start folder: where the program was started for a build tree or a
// prepared folder, else the user's own folder, made once with the default
// configuration and never overwritten.
#include <QDir>
#include <QFile>
#include <QtTest>

#include "OutilsEssai.h"
#include "app/DossierDepart.h"
#include "study/Study.h"

using namespace orvane;

class TstDossierDepart : public QObject {
    Q_OBJECT
    essai::DossierTemporaire dossier;
    QString Chemin(const QString& nom) const {
        return QString::fromStdString(dossier.racine.string()) + u'/' + nom;
    }
    static bool Ecrire(const QString& chemin, const QByteArray& octets) {
        QFile f(chemin);
        return f.open(QIODevice::WriteOnly) && f.write(octets) == octets.size();
    }
    static QByteArray Lire(const QString& chemin) {
        QFile f(chemin);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(absent)");
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
            const QString courant = Chemin(QStringLiteral("courant-%1").arg(++n));
            const QString config = courant + QStringLiteral("/CFGOrvane.cfg");
            QVERIFY(QDir().mkpath(contenu == QStringLiteral("dossier") ? config : courant));
            if (contenu == QStringLiteral("fichier")) QVERIFY(Ecrire(config, QByteArray(76, '\0')));
            QCOMPARE(ChoisirDossierDepart(courant, installe, QStringLiteral("/perso")),
                     personnel ? QStringLiteral("/perso") : courant);
        }
        // Made with the defaults; the user's file then kept, a removed one not brought back.
        const QString cfg = Chemin(QStringLiteral("donnees/orvane/CFGOrvane.cfg"));
        QVERIFY(PreparerDossierPersonnel(Chemin(QStringLiteral("donnees/orvane"))));
        QCOMPARE(Lire(cfg),
                 QByteArray(reinterpret_cast<const char*>(&ConfigDefaut), sizeof ConfigDefaut));
        QVERIFY(Ecrire(cfg, "reglages") && PreparerDossierPersonnel(Chemin("donnees/orvane")));
        QCOMPARE(Lire(cfg), QByteArray("reglages"));
        QVERIFY(QFile::remove(cfg) && PreparerDossierPersonnel(Chemin("donnees/orvane")) &&
                !QFile::exists(cfg));
        QVERIFY(Ecrire(Chemin(QStringLiteral("fichier")), "x") &&
                !PreparerDossierPersonnel(Chemin(QStringLiteral("fichier/orvane"))));
        qputenv("XDG_DATA_HOME", Chemin(QStringLiteral("xdg")).toLocal8Bit());
        QCOMPARE(DossierPersonnel(), Chemin(QStringLiteral("xdg/orvane")));
    }
};

QTEST_MAIN(TstDossierDepart)
#include "tst_dossierdepart.moc"
