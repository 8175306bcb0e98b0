// The industrial applications window on files written here (the program's
// own set is checked by the installation test), and where its description
// file is looked for.
#include <QtTest>
#include <QtWidgets>

#include "OutilsEssai.h"
#include "app/FormVisuApp.h"
#include "dialogs/Emplacements.h"
#include "dialogs/ImageJpeg.h"
#include "dialogs/LecteurAnimation.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

// A wheel turning once a second, its spoke painted white on black.
const std::string Roue =
    "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 200 200'><rect width='200' height='200'"
    " fill='black'/><g><rect x='95' y='20' width='10' height='80' fill='white'/><animateTransform"
    " attributeName='transform' type='rotate' from='0 100 100' to='360 100 100' dur='1s'"
    " repeatCount='indefinite'/></g></svg>";

void Entree(TableApplications& t, int g, int j, int genre, const std::string& titre,
            const std::string& fichier) {
    EntreeApplication& e = t.Groupes[g - 1].Applications[j - 1];
    e.Genre = genre, e.Titre.Ecrire(titre), e.Fichier.Ecrire(fichier);
    t.Groupes[g - 1].Nombre = std::max(t.Groupes[g - 1].Nombre, j);
}

// Mean difference of two pictures of the same size, 0..255.
double Ecart(const QImage& a, const QImage& b) {
    double s = 0;
    for (int l = 0; l < a.height(); ++l)
        for (int c = 0; c < a.width(); ++c)
            s += std::abs(qGray(a.pixel(c, l)) - qGray(b.pixel(c, l)));
    return s / (a.width() * a.height());
}

}  // namespace

class TstVisuApp : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;
    std::string repertoire;

private slots:
    void initTestCase() {
        repertoire = std::exchange(RepertoireDepart, dossier.racine.string());
        QVERIFY(QDir(QString::fromStdString(dossier.racine.string())).mkpath("anim"));
        QVERIFY(EcrireFichierEntier(dossier / "anim/roue.svg", Roue.data(), Roue.size()));
        QImage photo(320, 200, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        QVERIFY(EcrireJpeg(photo, QString::fromStdString(dossier / "atelier.jpg")));
        TableApplications fr{};
        Entree(fr, 1, 1, ApplicationAnimation, "Pont roulant", "anim/roue.svg");
        Entree(fr, 1, 2, ApplicationImage, "Atelier", "atelier.jpg");
        TableApplications en{};
        Entree(en, 1, 1, ApplicationAnimation, "Bridge crane", "anim\\roue.svg");
        QVERIFY(EcrireFichierEntier(dossier / "CFGAPPFR.cfg", &fr, sizeof fr));
        QVERIFY(EcrireFichierEntier(dossier / "CFGAPPUK.cfg", &en, sizeof en));
    }
    void cleanupTestCase() { RepertoireDepart = repertoire; }
    void cleanup() { ChoixLangue(LangueFrancais); }

    // Steps through a group (disabled at both ends), a picture hides the
    // player and "Répéter"; shown again, the file of the new language is read.
    void stepsPicturesAndLanguages() {
        TFormVisuApp w;
        w.DefinirGroupe(1), w.Montrer();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.StaticText1->text(), QStringLiteral("Pont roulant"));
        QVERIFY(w.Flash1->isVisible() && w.Repeter->isVisible() && !w.Image1->isVisible() &&
                w.Flash1->Chargee() && w.Flash1->EnLecture() && !w.APPMoins->isEnabled());
        QTest::mouseClick(w.APPPlus, Qt::LeftButton);
        QCOMPARE(w.StaticText1->text(), QStringLiteral("Atelier"));
        QVERIFY(w.Image1->isVisible() && !w.Flash1->isVisible() && !w.Repeter->isVisible() &&
                !w.Flash1->EnLecture() && !w.Image1->pixmap().isNull() && !w.APPPlus->isEnabled());
        w.APPPlusClick();
        QCOMPARE(w.Numero(), 2);
        QTest::mouseClick(w.ButtonClose, Qt::LeftButton);
        QVERIFY(!w.isVisible() && !w.Flash1->EnLecture());
        ChoixLangue(LangueAnglais), w.Montrer();  // the '\' separator taken as a folder separator
        QVERIFY(w.StaticText1->text() == "Bridge crane" && w.Flash1->Chargee());
    }

    // The first folder holding the file wins, whichever comes after it.
    void firstFolderHoldingTheDescription() {
        essai::DossierTemporaire d;
        const QStringList dossiers = {QString::fromStdString(d / "depart"),
                                      QString::fromStdString(d / "programme"),
                                      QString::fromStdString(d / "partage")};
        // Folders holding CFGAPPFR.cfg (a folder of that name does not count).
        const std::tuple<QString, int> cas[] = {{"011", 1}, {"101", 0},  {"001", 2},
                                                {"110", 0}, {"000", -1}, {"d00", -1}};
        for (const auto& [tient, attendu] : cas) {
            for (int i = 0; i < 3; ++i) {
                QDir(dossiers[i]).removeRecursively();
                QVERIFY(QDir().mkpath(dossiers[i]));
                const QString f = dossiers[i] + "/CFGAPPFR.cfg";
                if (tient[i] == u'1') QVERIFY(EcrireFichierEntier(f.toStdString(), "x", 1));
                if (tient[i] == u'd') QVERIFY(QDir().mkpath(f));
            }
            QCOMPARE(DossierContenant(dossiers, "CFGAPPFR.cfg"),
                     attendu < 0 ? QString() : dossiers[attendu]);
        }
    }

    // A start folder without its own file: the one beside the program (the
    // build's, with its animations beside it); none anywhere: the title says so.
    void descriptionBesideTheProgramOrNone() {
        TFormVisuApp w;
        w.DefinirGroupe(1), w.Montrer();
        QCOMPARE(w.DossierApplications(), QString::fromStdString(dossier.racine.string()));
        ChoixLangue(LangueEspagnol), w.Montrer();
        QCOMPARE(w.DossierApplications(), QCoreApplication::applicationDirPath());
        QCOMPARE(w.StaticText1->text(), QStringLiteral("Puente grúa"));
        QVERIFY(w.Flash1->isVisible() && w.Flash1->Chargee() && w.APPPlus->isEnabled());
        Textes.FichierApplications = "CFGAPPXX.cfg", w.Montrer();
        QCOMPARE(w.StaticText1->text(),
                 QStringLiteral("Ninguna aplicación encontrada: no se encuentran los archivos "
                                "CFGAPP*.cfg"));
        QVERIFY(w.DossierApplications().isEmpty() && !w.APPPlus->isEnabled() &&
                !w.APPMoins->isEnabled() && w.Flash1->isHidden() && w.Image1->isHidden());
    }

    // The player shows other pictures as time goes, holds its picture on
    // Stop, and starts again from the beginning on "Répéter".
    void playerFramesStopAndRestart() {
        TFormVisuApp w;
        w.DefinirGroupe(1), w.Montrer();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QSize taille(200, 200);
        const QImage debut = w.Flash1->Image(taille);
        QTest::qWait(250);  // a quarter turn
        const QImage ensuite = w.Flash1->Image(taille);
        QVERIFY2(Ecart(debut, ensuite) > 3, qPrintable(QString::number(Ecart(debut, ensuite))));
        w.Flash1->Stop();
        const QImage tenue = w.Flash1->Image(taille);
        QTest::qWait(150);
        QCOMPARE(w.Flash1->Image(taille), tenue);
        QTest::mouseClick(w.Repeter, Qt::LeftButton);
        QVERIFY2(w.Flash1->EnLecture() &&
                     Ecart(debut, w.Flash1->Image(taille)) < Ecart(debut, ensuite) / 4,
                 "not back near the first picture");
        // Squeezed to nothing (a window resized to a strip), then stopped:
        // no painter on an empty picture.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("[Pp]ainter")));
        w.Flash1->resize(300, 0), w.Flash1->Stop();
        QVERIFY(w.Flash1->Image(QSize(300, 0)).isNull() && !w.Flash1->EnLecture());
    }
};

QTEST_MAIN(TstVisuApp)
#include "tst_visuapp.moc"
