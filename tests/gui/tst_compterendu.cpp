// The lab report as a PDF file, read back with poppler's pdftotext and
// pdfinfo: the study's page, each trial's values paged under repeated
// headers, the operating points and step measurements, the footer of every
// page; a study without trials; the failures; the command-line companion.
#include <QDir>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QtTest>
#include <fstream>
#include <functional>

#include "OutilsEssai.h"
#include "study/Cp1252.h"
#include "study/PointFonctionnement.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"
#include "tracing/Exports.h"

using namespace orvane;

namespace {

QString Lancer(const QString& programme, const QStringList& args, int* statut = nullptr,
               const QString& dossier = {}) {
    QProcess p;
    if (!dossier.isEmpty()) p.setWorkingDirectory(dossier);
    p.start(programme, args);
    if (!p.waitForFinished(60000)) p.kill(), p.waitForFinished(5000);
    if (statut) *statut = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of each page, its blanks runs made single spaces, line by line.
QStringList Pages(const QString& pdf) {
    QStringList pages = Lancer("pdftotext", {"-layout", pdf, "-"}).split(u'\f');
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    for (QString& page : pages) {
        QStringList lignes = page.split(u'\n');
        for (QString& l : lignes) l = l.simplified();
        lignes.removeAll(QString());
        page = lignes.join(u'\n');
    }
    return pages;
}

// A row of twelve numbers: a point of a values table.
const QRegularExpression Rangee(QStringLiteral("^\\d+( -?\\d+(,\\d+)?){11}$"),
                                QRegularExpression::MultilineOption);
const QString Entete = QStringLiteral(
    "N° n Tu Pm U I Pe Ie Rd Fp Pertes t\n(tr/min) (Nm) (W) (V) "
    "(A) (W) (A) (W) (s)");

void Essai(int machine, int type, const char* commentaire, int nb,
           const std::function<void(int p, ValeursPoint& v)>& point) {
    ReglagesCourants[MotTypeMachine] = machine, ReglagesCourants[MotTypeCaract] = type;
    NouvelleCaract();
    Caracts[Etude.NbCaract].Entete.Commentaire.Ecrire(VersCp1252(commentaire));
    for (int p = 0; p < nb; ++p) ValeursCourantes = {}, point(p, ValeursCourantes), AjouterPoint();
}

}  // namespace

class TstCompteRendu : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;
    QString racine;

    QString Ecrire(const QString& nom, const QPageLayout& page = PageParDefaut()) {
        CompteRendu c;
        c.page = page, c.vues = VuesDeLEtude(), c.date = QDate(2025, 3, 14);
        QString raison;
        return EcrireCompteRendu(racine + nom, c, &raison) ? racine + nom : raison;
    }

private slots:
    void initTestCase() { racine = QString::fromStdString(dossier.racine.string() + "/"); }

    // Four views: torque against speed with the load line T = 6 N·m, current
    // against voltage, speed against time, current against speed. Trials 1
    // and 2 are DC machines on the lines T = 30 − 0.02·n and T = 20 − 0.01·n,
    // trial 3 stays above the load, trial 4 a capture of a step, trial 5 has
    // 150 points.
    void init() {
        ChoixLangue(LangueFrancais), ConfigGenerale = ConfigDefaut, InitEtude();
        Etude.Titre.Ecrire(VersCp1252("Banc 3 : moteur à courant continu"));
        const int axes[4][2] = {
            {GVitesse, GCouple}, {GTension, GCourant}, {GTemps, GVitesse}, {GVitesse, GCourant}};
        for (int v = 0; v < 4; ++v)
            Etude.Vues[v] = {1, 1, {0, 0}, axes[v][0], 18, {0, 0}, axes[v][1], 18, {0, 0}, 1};
        LoiCharge loi;
        loi.Genre = GenreLoi::CoupleConstant, loi.B = 6;
        EcrireLoiVue(Etude.Vues[0], loi);
        Essai(MccIndependante, 1, "à vide", 3, [](int p, ValeursPoint& v) {
            v[GVitesse] = 1000 + 250 * p, v[GCouple] = 1000 - 500 * p;
            v[GTension] = 2200 + 50 * p, v[GCourant] = 1500 * (p + 1);
        });
        Essai(MccIndependante, 1, "en charge", 3, [](int p, ValeursPoint& v) {
            const int n[] = {1000, 1600, 2000};
            v[GVitesse] = n[p], v[GCouple] = 2000 - n[p], v[GTension] = 2400, v[GCourant] = 2000;
        });
        Essai(MccIndependante, 1, "surcharge", 2, [](int p, ValeursPoint& v) {
            v[GVitesse] = 500 + 1000 * p, v[GCouple] = 1500 - 300 * p;
        });
        // 0 tr/min up to 0.5 s, 500 at 0.6 s, 1100 at 0.7 s, then 1000.
        Essai(MasTriphasee, 10, "échelon", 21, [](int p, ValeursPoint& v) {
            v[GTemps] = 10 * p, v[GVitesse] = p <= 5 ? 0 : p == 6 ? 500 : p == 7 ? 1100 : 1000;
        });
        Essai(MccIndependante, 1, "long", 150,
              [](int p, ValeursPoint& v) { v[GVitesse] = 10 * p, v[GCouple] = 2000 + p; });
    }

    // Every page ends with the title, the date and "page N / M"; page 1 is
    // the printed page; each trial's rows in order under its titles, the
    // headers on each page of a table; the operating points n* = 1200 and
    // 1400 tr/min (P* = n·T·π/30 = 754 and 880 W) and the step of trial 4.
    void rapportComplet() {
        const QString pdf = Ecrire("cr.pdf");
        const QStringList pages = Pages(pdf);
        const qsizetype M = pages.size();
        QVERIFY2(M >= 4, qPrintable(pdf));
        for (qsizetype i = 0; i < M; ++i)
            QVERIFY2(pages[i].endsWith(QStringLiteral("\nBanc 3 : moteur à courant continu "
                                                      "14/03/2025 page %1 / %2")
                                           .arg(i + 1)
                                           .arg(M)),
                     qPrintable(pages[i].right(120)));
        for (int k = 1; k <= 5; ++k) QVERIFY(pages[0].contains(QStringLiteral("Essai %1").arg(k)));
        QVERIFY(!Rangee.match(pages[0]).hasMatch());

        const QString corps = pages.mid(1).join(u'\n');
        const QString z = "0,0 0,000 0,000 0,000 0,0";  // Pe Ie Rd Fp Pertes
        const QStringList rangees = {
            "Essai 1\nCommentaire à vide\nMachine Machine courant continu : excitation "
            "indépendante\nCharge Charge mécanique : T = K\n" +
                Entete,
            "0 1000 10,00 0,0 220,0 1,500 " + z + " 0,00",
            "2 1500 0,00 0,0 230,0 4,500 " + z + " 0,00",
            "Essai 2\nCommentaire en charge",
            "0 1000 10,00 0,0 240,0 2,000 " + z + " 0,00",
            "2 2000 0,00 0,0 240,0 2,000 " + z + " 0,00",
            "Essai 3\nCommentaire surcharge",
            "0 500 15,00 0,0 0,0 0,000 " + z + " 0,00",
            "1 1500 12,00 0,0 0,0 0,000 " + z + " 0,00",
            "Essai 4\nCommentaire échelon\nMachine Machine asynchrone triphasée\nCharge Charge "
            "mécanique : T = cste",
            "0 0 0,00 0,0 0,0 0,000 " + z + " 0,00",
            "20 1000 0,00 0,0 0,0 0,000 " + z + " 2,00",
            "Essai 5\nCommentaire long",
            "0 0 20,00 0,0 0,0 0,000 " + z + " 0,00",
            "149 1490 21,49 0,0 0,0 0,000 " + z + " 0,00",
            "Points de fonctionnement\nTu = f(n) — Charge mécanique : T = cste\n"
            "Essai 1 n* = 1200,0 tr/min T* = 6,00 Nm P* = 754 W stable\n"
            "Essai 2 n* = 1400,0 tr/min T* = 6,00 Nm P* = 880 W stable",
            "Mesures de réponse\nVitesse de rotation (tr/min)\nEssai 4\nValeur initiale 0 tr/min\n"
            "Valeur finale 1000 tr/min\nDébut de l'échelon 0,500 s\nTemps de montée (10 à 90 %) "
            "0,147 s\nConstante de temps (63,2 %) 0,122 s\nDépassement 10,0 %\n"
            "Temps d'établissement (±5 %) 0,250 s"};
        qsizetype depuis = 0;
        for (const QString& r : rangees) {
            const qsizetype ici = corps.indexOf(r, depuis);
            QVERIFY2(ici >= depuis, qPrintable(r + "\n---\n" + corps.mid(depuis, 1500)));
            depuis = ici + r.size();
        }
        // 182 rows in all; every page that holds some begins its table with
        // the headers, the trial named again on a page it goes on to.
        qsizetype total = 0;
        for (qsizetype i = 1; i < M; ++i) {
            const qsizetype n = pages[i].count(Rangee);
            total += n;
            const qsizetype entete = pages[i].indexOf(Entete);
            QVERIFY2(n == 0 || (entete >= 0 && entete < Rangee.match(pages[i]).capturedStart()),
                     qPrintable(pages[i].left(400)));
        }
        QCOMPARE(total, 3 + 3 + 2 + 21 + 150);
        QVERIFY(pages[M - 2].startsWith("Essai 5\n" + Entete));
    }

    // The page follows the layout given (A4 by default, US letter in
    // landscape); no trial: a second page that says so.
    void papierEtEtudeVide() {
        QVERIFY(Lancer("pdfinfo", {Ecrire("a4.pdf")}).contains("595 x 842 pts (A4)"));
        const QPageLayout lettre(QPageSize(QPageSize::Letter), QPageLayout::Landscape,
                                 QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        QVERIFY(Lancer("pdfinfo", {Ecrire("lettre.pdf", lettre)}).contains("792 x 612 pts"));
        // Landscape: the views' square takes the page's height, the legend
        // stays above the footer.
        const QString page1 = Pages(racine + "lettre.pdf")[0];
        QVERIFY2(page1.contains("à vide en charge surcharge échelon long\nBanc 3 "),
                 qPrintable(page1.right(200)));

        InitEtude();
        Etude.Titre.Ecrire("vide");
        const QStringList pages = Pages(Ecrire("vide.pdf"));
        QCOMPARE(pages.size(), 2);
        QCOMPARE(pages[1],
                 QStringLiteral("Aucun essai dans cette étude\nvide 14/03/2025 page 2 / 2"));
        QVERIFY(pages[0].endsWith("vide 14/03/2025 page 1 / 2"));
    }

    // A file in place of a folder: false, the reason, one message, nothing
    // left in the folder; a cancelled dialog writes nothing, says nothing; a
    // name chosen in the dialog takes the extension.
    void echecsEtDialogue() {
        const QString plein = racine + "plein";
        std::ofstream(plein.toStdString()) << "x";
        QVERIFY(Ecrire("plein/r.pdf").contains("Not a directory"));
        essai::RapportEnregistre rapport;
        QVERIFY(!ExporterCompteRenduPdf(plein + "/r.pdf", VuesDeLEtude()));
        QCOMPARE(rapport.messages.size(), size_t(1));
        QVERIFY(rapport.messages[0].starts_with("Erreur d'ecriture du fichier " +
                                                plein.toStdString() + "/r.pdf ("));
        const auto avant = QDir(racine).entryList(QDir::Files | QDir::Hidden);

        bool choisir = false;
        const ChoixExport precedent =
            DefinirChoixExport([&](const QString& filtre, const QString& ext, QString& nom) {
                nom = racine + "depuis-menu";
                return filtre == "Document PDF (*.pdf)" && ext == "pdf" && choisir;
            });
        QVERIFY(!ExporterCompteRendu(VuesDeLEtude()));
        QCOMPARE(QDir(racine).entryList(QDir::Files | QDir::Hidden), avant);
        choisir = true;
        QVERIFY(ExporterCompteRendu(VuesDeLEtude()));
        DefinirChoixExport(precedent);
        QCOMPARE(rapport.messages.size(), size_t(1));
        QVERIFY(Pages(racine + "depuis-menu.pdf").size() >= 4);
    }

    // orvanectl writes the same pages from the work file; no output, or one
    // that is not a PDF, is a usage error.
    void commandeEnLigne() {
        const std::string etude = dossier / "etude.OVX2";
        QVERIFY(EnregistrerEtude(etude));
        int statut = -1;
        const QString ctl = QStringLiteral(ORVANECTL_CHEMIN), sortie = racine + "ctl.pdf";
        Lancer(ctl, {"study", "report", QString::fromStdString(etude), "-o", sortie}, &statut,
               racine);
        QCOMPARE(statut, 0);
        // The same but for the date of the footers.
        const auto sansPied = [](QStringList pages) {
            for (QString& p : pages) p.truncate(p.lastIndexOf(u'\n'));
            return pages;
        };
        QCOMPARE(sansPied(Pages(sortie)), sansPied(Pages(Ecrire("cr.pdf"))));
        for (const QStringList& a : {QStringList{"-o", racine + "x.png"}, QStringList{}}) {
            Lancer(ctl, QStringList{"study", "report", QString::fromStdString(etude)} + a, &statut);
            QCOMPARE(statut, 1);
        }
    }
};

QTEST_MAIN(TstCompteRendu)
#include "tst_compterendu.moc"
