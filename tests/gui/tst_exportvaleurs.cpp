// "Exporter les valeurs" of the tracing window: the file type chosen in the
// dialog (its filter, or the extension typed) picks the CSV file or the
// workbook; a failure is reported and leaves no file.
#include <QtTest>

#include "LectureClasseur.h"
#include "OutilsEssai.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"
#include "tracing/Exports.h"

using namespace orvane;

class TstExportValeurs : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;

private slots:
    void init() {
        ChoixLangue(LangueFrancais), ConfigGenerale = ConfigDefaut, InitEtude();
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
        ReglagesCourants[MotTypeMachine] = 3, ReglagesCourants[MotTypeCaract] = 1;
        NouvelleCaract();
        ValeursCourantes = {0, 1450, 325, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        AjouterPoint();
    }

    void typeChoisi_data() {
        QTest::addColumn<QString>("filtre");  // extension of the filter chosen
        QTest::addColumn<QString>("nom");     // the name typed ("" cancels)
        QTest::addColumn<QString>("ecrit");   // the file written: .csv, .xlsx, or none
        QTest::newRow("workbook filter") << "xlsx"
                                         << "a"
                                         << "a.xlsx";
        QTest::newRow("CSV filter") << "csv"
                                    << "b"
                                    << "b.csv";
        QTest::newRow("typed .xlsx wins") << "csv"
                                          << "c.XLSX"
                                          << "c.XLSX";
        QTest::newRow("typed .csv wins") << "xlsx"
                                         << "d.csv"
                                         << "d.csv";
        QTest::newRow("other extension") << "xlsx"
                                         << "e.txt"
                                         << "e.txt.xlsx";
        QTest::newRow("unwritable") << "xlsx"
                                    << "plein/f"
                                    << "";
        QTest::newRow("cancelled") << "xlsx"
                                   << ""
                                   << "";
    }
    void typeChoisi() {
        QFETCH(QString, filtre);
        QFETCH(QString, nom);
        QFETCH(QString, ecrit);
        std::ofstream(dossier / "plein") << "x";
        const QString racine = QString::fromStdString(dossier.racine.string() + "/");
        QString offert, propose;
        const ChoixExport precedent =
            DefinirChoixExport([&](const QString& f, QString& extension, QString& choisi) {
                offert = f, propose = extension;
                extension = filtre, choisi = racine + nom;
                return !nom.isEmpty();
            });
        essai::RapportEnregistre rapport;
        const bool fait = ExporterValeurs();
        DefinirChoixExport(precedent);
        QCOMPARE(offert,
                 QStringLiteral("Valeurs pour tableur (*.csv);;Classeur de tableur (*.xlsx)"));
        QCOMPARE(propose, QStringLiteral("csv"));
        QCOMPARE(fait, !ecrit.isEmpty());
        const bool echec = nom.startsWith("plein/");
        QCOMPARE(rapport.messages.size(), size_t(echec));
        QVERIFY(!echec || rapport.messages[0].starts_with("Erreur d'ecriture du fichier"));
        QCOMPARE(std::distance(std::filesystem::directory_iterator(dossier.racine), {}),
                 ecrit.isEmpty() ? 1 : 2);
        if (ecrit.isEmpty()) return;
        const std::string chemin = (racine + ecrit).toStdString();
        if (ecrit.endsWith(".csv")) {
            QCOMPARE(essai::Contenu(chemin), "\xEF\xBB\xBF" + CsvValeurs(-1, true));
        } else {
            const essai::Classeur c(chemin);
            QCOMPARE(c.feuilles, (std::vector<std::string>{"Essai 1", "Vues", "Étude"}));
            QCOMPARE(c.Cellules(1)["C7"].valeur, std::string("3.25"));
        }
        std::filesystem::remove(chemin);
    }
};

QTEST_MAIN(TstExportValeurs)
#include "tst_exportvaleurs.moc"
