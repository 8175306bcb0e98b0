// The start folder of a run: kept where the program was started for a build
// tree and for a folder prepared with a configuration; the user's own folder
// for an installed program started anywhere else, made once with the default
// configuration and never overwritten.
#include <QDir>
#include <QFile>
#include <QtTest>
#include <cstring>

#include "OutilsEssai.h"
#include "app/DossierDepart.h"
#include "study/Fichiers.h"
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
    void choice_data() {
        QTest::addColumn<QString>("contenu");  // "", "fichier" or "dossier" CFGOrvane.cfg
        QTest::addColumn<bool>("installe");
        QTest::addColumn<bool>("personnel");
        QTest::newRow("build tree, empty folder") << "" << false << false;
        QTest::newRow("build tree, configured folder") << "fichier" << false << false;
        QTest::newRow("installed, configured folder") << "fichier" << true << false;
        QTest::newRow("installed, any folder") << "" << true << true;
        QTest::newRow("installed, a folder named like the file") << "dossier" << true << true;
    }
    void choice() {
        QFETCH(QString, contenu);
        QFETCH(bool, installe);
        QFETCH(bool, personnel);
        const QString courant = Chemin(QStringLiteral("courant-") + QTest::currentDataTag());
        QVERIFY(QDir().mkpath(courant));
        const QString config = courant + QStringLiteral("/CFGOrvane.cfg");
        if (contenu == u"fichier") QVERIFY(Ecrire(config, QByteArray(76, '\0')));
        if (contenu == u"dossier") QVERIFY(QDir().mkpath(config));
        const QString attendu = personnel ? QStringLiteral("/perso") : courant;
        QCOMPARE(ChoisirDossierDepart(courant, installe, QStringLiteral("/perso")), attendu);
    }

    void personalFolder() {
        const QByteArray defauts(reinterpret_cast<const char*>(&ConfigDefaut), sizeof ConfigDefaut);
        // First start: made, with the default configuration.
        const QString neuf = Chemin(QStringLiteral("donnees/orvane"));
        QVERIFY(PreparerDossierPersonnel(neuf));
        QCOMPARE(Lire(neuf + QStringLiteral("/CFGOrvane.cfg")), defauts);
        // Later starts: the user's settings stay as they are, and a removed
        // file is not brought back (the program reports it as missing).
        QVERIFY(Ecrire(neuf + QStringLiteral("/CFGOrvane.cfg"), "reglages"));
        QVERIFY(PreparerDossierPersonnel(neuf));
        QCOMPARE(Lire(neuf + QStringLiteral("/CFGOrvane.cfg")), QByteArray("reglages"));
        QVERIFY(QFile::remove(neuf + QStringLiteral("/CFGOrvane.cfg")));
        QVERIFY(PreparerDossierPersonnel(neuf));
        QVERIFY(!QFile::exists(neuf + QStringLiteral("/CFGOrvane.cfg")));
        // A folder that cannot be made.
        QVERIFY(Ecrire(Chemin(QStringLiteral("fichier")), "x"));
        QVERIFY(!PreparerDossierPersonnel(Chemin(QStringLiteral("fichier/orvane"))));
    }

    void personalFolderFollowsTheUsersDataFolder() {
        qputenv("XDG_DATA_HOME", Chemin(QStringLiteral("xdg")).toLocal8Bit());
        QCOMPARE(DossierPersonnel(), Chemin(QStringLiteral("xdg/orvane")));
    }
};

QTEST_MAIN(TstDossierDepart)
#include "tst_dossierdepart.moc"
