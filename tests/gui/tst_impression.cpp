// The report of the tracing window (printer, PDF file), the copies of views
// and values to the clipboard and the CSV export, off screen.
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QtTest>
#include <filesystem>

#include "OutilsEssai.h"
#include "graph/CaractMachine.h"
#include "graph/Vue.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"
#include "tracing/Exports.h"
#include "tracing/Impression.h"

using namespace orvane;
using essai::RapportEnregistre;

namespace {

// A page of 210 x 297 mm at 254 dpi: 10 pixels a millimetre.
constexpr int LargeurPage = 2100, HauteurPage = 2970;

QImage PageBlanche(QSize taille = {LargeurPage, HauteurPage}, int dpi = 254) {
    QImage image(taille, QImage::Format_RGB32);
    image.setDotsPerMeterX(dpi * 10000 / 254);
    image.setDotsPerMeterY(dpi * 10000 / 254);
    image.fill(Qt::white);
    return image;
}

QImage PageRapport(const VuesMontrees& montrees, const CadresTrace& cadres = {}) {
    QImage image = PageBlanche();
    QPainter p(&image);
    DessinerRapport(p, image.width(), image.height(), montrees, cadres);
    p.end();
    return image;
}

// Pixels of the rectangle that satisfy a test of their colour.
template <class Test>
int Compter(const QImage& image, const QRect& r, Test test) {
    int n = 0;
    const QRect zone = r.intersected(image.rect());
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x) n += test(QColor(image.pixel(x, y)));
    return n;
}
int NonBlancs(const QImage& image, const QRect& r) {
    return Compter(image, r, [](const QColor& c) { return c != QColor(Qt::white); });
}
bool Rouge(const QColor& c) { return c.red() > 160 && c.green() < 90 && c.blue() < 90; }
bool Marine(const QColor& c) { return c.blue() > 70 && c.red() < 50 && c.green() < 50; }
bool Vert(const QColor& c) { return c.green() > 70 && c.red() < 50 && c.blue() < 50; }
bool Bordeaux(const QColor& c) {
    return c.red() > 70 && c.green() < 50 && c.blue() < 50 && c.red() < 160;
}

void Point(int n, int t, int u, int i) {
    ValeursCourantes[GVitesse] = n;
    ValeursCourantes[GCouple] = t;
    ValeursCourantes[GTension] = u;
    ValeursCourantes[GCourant] = i;
    AjouterPoint();
}

}  // namespace

class TstImpression : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;

private slots:
    // Four views, four trials; only trials 2 and 4 hold points.
    void init() {
        ChoixLangue(LangueFrancais);
        ConfigGenerale = ConfigDefaut;
        InitEtude();
        Etude.Titre.Ecrire(VersCp1252("Banc n°2 : moteur asynchrone"));
        Etude.Vues[0] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCouple, 18, {0, 0}, 1};
        Etude.Vues[1] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GCourant, 18, {0, 0}, 1};
        Etude.Vues[2] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GTension, 18, {0, 0}, 1};
        Etude.Vues[3] = {1, 1, {0, 0}, GTension, 18, {0, 0}, GCourant, 18, {0, 0}, 1};
        ReglagesCourants[MotTypeMachine] = 3;
        ReglagesCourants[MotTypeCaract] = 1;
        for (int k = 1; k <= 4; ++k) {
            NouvelleCaract();
            Caracts[k].Entete.Commentaire.Ecrire(VersCp1252("essai à " + std::to_string(k)));
            if (k % 2) continue;
            Point(300 * k, 400, 2200, 1500);
            Point(500 * k, 900, 2250, 3000);
            Point(700 * k, 1300, 2300, 4500);
        }
        ValeursCourantes[0] = -1;
    }

    // ---- placing of the views ----

    void positionsVues_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QList<QRect>>("attendu");
        // Zone (10, 20, 101, 51): halves of 50 and 25, the odd pixel lost.
        QTest::newRow("0") << 0 << QList<QRect>{};
        QTest::newRow("1") << 1 << QList<QRect>{{10, 20, 101, 51}};
        QTest::newRow("2") << 2 << QList<QRect>{{10, 20, 50, 51}, {60, 20, 50, 51}};
        QTest::newRow("3") << 3
                           << QList<QRect>{{10, 20, 50, 25}, {10, 45, 50, 25}, {60, 20, 50, 51}};
        QTest::newRow("4") << 4
                           << QList<QRect>{{10, 20, 50, 25},
                                           {10, 45, 50, 25},
                                           {60, 20, 50, 25},
                                           {60, 45, 50, 25}};
    }
    void positionsVues() {
        QFETCH(int, n);
        QFETCH(QList<QRect>, attendu);
        const auto r = PositionsVues(10, 20, 101, 51, n);
        for (int j = 0; j < 4; ++j) QCOMPARE(r[j], j < attendu.size() ? attendu[j] : QRect());
    }

    void mesuresPage_data() {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<int>("W");
        QTest::addColumn<int>("M");
        QTest::addColumn<int>("H");
        QTest::newRow("portrait: H limited to W") << QSize(2100, 2970) << 1960 << 70 << 1960;
        QTest::newRow("landscape") << QSize(2970, 2100) << 2772 << 99 << 2100;
    }
    void mesuresPage() {
        QFETCH(QSize, page);
        QFETCH(int, W);
        QFETCH(int, M);
        QFETCH(int, H);
        const MesuresPage m = MesurerPage(page.width(), page.height());
        QCOMPARE(QList<int>({m.W, m.M, m.H}), QList<int>({W, M, H}));
    }

    // ---- the report ----

    // Title at the top, legend in the print colours of the trials, views in
    // the square area, and nothing below it on a portrait page.
    void rapportDessineTitreLegendeEtVues() {
        const QImage page = PageRapport({true, true, false, true});
        const auto [W, M, H] = MesurerPage(LargeurPage, HauteurPage);

        // The title, centred on W.
        const QRect bandeTitre(0, 0, LargeurPage, H / 20);
        QVERIFY(NonBlancs(page, bandeTitre) > 200);
        QCOMPARE(NonBlancs(page, QRect(0, 0, W / 4, H / 20)), 0);
        QCOMPARE(NonBlancs(page, QRect(W * 3 / 4, 0, LargeurPage, H / 20)), 0);

        // The legend: trial k in column k, in red, navy, green, maroon.
        const int yLegende = H * 37 / 40;
        const auto colonne = [&](int k) {
            return QRect((k - 1) * W / 5 + M, yLegende, W / 5 - 10, H - yLegende + 60);
        };
        QVERIFY(Compter(page, colonne(1), Rouge) > 50);
        QVERIFY(Compter(page, colonne(2), Marine) > 50);
        QVERIFY(Compter(page, colonne(3), Vert) > 50);
        QVERIFY(Compter(page, colonne(4), Bordeaux) > 50);
        QCOMPARE(NonBlancs(page, colonne(5)), 0);  // four trials only

        // Three views: two in the left column, one on the whole right one.
        const auto places = PositionsVues(M, H / 20, W, H * 17 / 20, 3);
        for (int j = 0; j < 3; ++j)
            QVERIFY2(NonBlancs(page, places[j]) > 1000, qPrintable(QString::number(j)));
        // Curves of trial 2 (navy) in every view; nothing of the empty trials.
        for (int j = 0; j < 3; ++j) QVERIFY(Compter(page, places[j], Marine) > 20);

        // Below the square area of W x W the page stays blank.
        QCOMPARE(NonBlancs(page, QRect(0, H + 80, LargeurPage, HauteurPage)), 0);

        // Without a view: the title alone.
        const QImage vide = PageRapport({false, false, false, false});
        QVERIFY(NonBlancs(vide, bandeTitre) > 0);
        QCOMPARE(NonBlancs(vide, QRect(0, H / 20 + 60, LargeurPage, H * 17 / 20 - 120)), 0);
        if (qEnvironmentVariableIsSet("ORVANE_CAPTURES"))
            PageRapport(VuesDeLEtude())
                .save(qEnvironmentVariable("ORVANE_CAPTURES") + "/rapport.png");
    }

    // The frames' print graphs draw the same page as graphs of their own.
    void rapportParLesCadres() {
        std::array<std::unique_ptr<TCaractMachine>, 4> cadres;
        CadresTrace pointeurs{};
        for (int k = 0; k < 4; ++k) {
            cadres[k] = std::make_unique<TCaractMachine>();
            cadres[k]->NumeroVue = k + 1;
            pointeurs[k] = cadres[k].get();
        }
        const VuesMontrees toutes{true, true, true, true};
        const uint8_t enregistree = EtudeEnregistree;
        QCOMPARE(PageRapport(toutes, pointeurs), PageRapport(toutes));
        QCOMPARE(EtudeEnregistree, enregistree);  // printing changes nothing
    }

    // The report's views of current (20,000 A, three decimals) and of power
    // (3000,0 W, both signs) keep their vertical labels whole: each view,
    // drawn at its place and size on the page without the clip of the
    // report, draws nothing outside its place.
    void rapportLibellesVerticauxEntiers_data() {
        QTest::addColumn<QSize>("page");
        QTest::addColumn<int>("dpi");
        QTest::newRow("794 x 1123 at 96 dpi") << QSize(794, 1123) << 96;
        QTest::newRow("2100 x 2970 at 254 dpi") << QSize(LargeurPage, HauteurPage) << 254;
    }
    void rapportLibellesVerticauxEntiers() {
        QFETCH(QSize, page);
        QFETCH(int, dpi);
        Etude.Vues[2] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, GPuissanceElec, 18, {0, 0}, 2};
        const auto [W, M, H] = MesurerPage(page.width(), page.height());
        const auto places = PositionsVues(M, H / 20, W, H * 17 / 20, 4);
        for (int k = 1; k <= 4; ++k) {
            QImage vue = PageBlanche(page, dpi);
            {
                QPainter p(&vue);
                TGraphe g;
                auto courbe = std::make_unique<TCourbeGraphe>();
                const SurfaceGraphe surface(g, p);
                const QRect r = places[k - 1];
                g.Gauche = r.left();
                g.Haut = r.top();
                g.Droite = r.left() + r.width();
                g.Bas = r.top() + r.height();
                AppliquerPalette(g, 1);
                g.TaillePolice = 8;
                DessinerVue(g, *courbe, k);
                QVERIFY(g.Pret);
            }
            QCOMPARE(NonBlancs(vue, QRect(0, 0, places[k - 1].left(), page.height())), 0);
            QVERIFY(NonBlancs(vue, places[k - 1]) > 500);
        }
        if (qEnvironmentVariableIsSet("ORVANE_CAPTURES")) {
            QImage rapport = PageBlanche(page, dpi);
            QPainter p(&rapport);
            DessinerRapport(p, page.width(), page.height(), {true, true, true, true});
            p.end();
            rapport.save(qEnvironmentVariable("ORVANE_CAPTURES") + "/rapport-" +
                         QString::number(dpi) + "dpi.png");
        }
    }

    // ---- copies to the clipboard ----

    // The values as Unicode text: the 8-bit record strings are converted, so
    // "N°" and the comments' accents paste as they are.
    void copierValeurs_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("debut");
        QTest::addColumn<QStringList>("absents");
        QTest::addColumn<int>("lignes");
        const QString entetes =
            "N°\tn\tTu\tPm\tU\tI\tPe\tIe\tRd\tFp\tPertes\tt\r\n"
            "\t(tr/min)\t(Nm)\t(W)\t(V)\t(A)\t(W)\t(A)\t\t\t(W)\t(s)\r\n";
        // All trials: only 2 and 4 hold points, each after its title line.
        QTest::newRow("all, French")
            << int{LangueFrancais} << -1 << "Essai 2\tessai à 2\r\n" + entetes + "0\t600\t4,00\t"
            << QStringList{"Essai 1", "Essai 3"} << 2 * (3 + 2 + 1);
        QTest::newRow("all, English") << int{LangueAnglais} << 0 << "Test 2\tessai à 2\r\nN°\t"
                                      << QStringList{"Test 1", "Test 3"} << 2 * (3 + 2 + 1);
        QTest::newRow("all, Spanish") << int{LangueEspagnol} << -1 << "prueba 2\tessai à 2\r\nN°\t"
                                      << QStringList{"prueba 1"} << 2 * (3 + 2 + 1);
        // The selected trial: its block alone; an empty one: the two headings.
        QTest::newRow("trial 4") << int{LangueFrancais} << 4 << entetes + "0\t1200\t4,00\t"
                                 << QStringList{"Essai"} << 3 + 2;
        QTest::newRow("empty trial 3")
            << int{LangueFrancais} << 3 << entetes << QStringList{"Essai"} << 2;
    }
    void copierValeurs() {
        QFETCH(int, langue);
        QFETCH(int, r);
        QFETCH(QString, debut);
        QFETCH(QStringList, absents);
        QFETCH(int, lignes);
        ChoixLangue(langue);
        CopierValeurs(r);
        const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
        QVERIFY(donnees && donnees->hasText());
        const QString texte = donnees->text();
        QVERIFY2(texte.startsWith(debut), qPrintable(texte.left(200)));
        for (const QString& a : absents) QVERIFY2(!texte.contains(a), qPrintable(a));
        QCOMPARE(texte.count(QStringLiteral("\r\n")), lignes);
        // The bytes other programs read: UTF-8, never Windows-1252.
        const QByteArray octets = donnees->data(QStringLiteral("text/plain"));
        QVERIFY(octets.contains("N\xC2\xB0\t"));
        QVERIFY(!octets.contains("N\xB0\t"));
    }

    // The shown views, placed as on screen, as an SVG picture and a PNG image
    // of 190 x 140 mm.
    void copierVues() {
        QGuiApplication::clipboard()->clear();
        CopierVues(96, {true, false, false, true});
        const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
        QVERIFY(donnees);
        const QByteArray svg = donnees->data(QStringLiteral("image/svg+xml"));
        QVERIFY(svg.contains("<svg") && svg.contains("viewBox=\"0 0 718 529\""));
        QVERIFY(svg.contains(">Tu<") || svg.contains(">Tu <"));  // vertical name of view 1
        QVERIFY(svg.contains(">I<") || svg.contains(">I <"));    // and of view 4
        QVERIFY(donnees->hasImage());
        const QImage image = qvariant_cast<QImage>(donnees->imageData());
        QCOMPARE(image.size(), QSize(718, 529));
        // Two views side by side: something drawn in each half.
        QVERIFY(NonBlancs(image, QRect(0, 0, 359, 529)) > 500);
        QVERIFY(NonBlancs(image, QRect(359, 0, 359, 529)) > 500);
    }

    // ---- values as a CSV file ----

    // Every trial in the separators of the current language, with a UTF-8
    // byte-order mark; a dialog name without extension gets ".csv".
    void exporterValeurs_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("debut");
        QTest::newRow("French") << int{LangueFrancais} << "Essai;N°;n (tr/min);";
        QTest::newRow("English") << int{LangueAnglais} << "Test,N°,n (tr/min),";
        QTest::newRow("Spanish") << int{LangueEspagnol} << "prueba;N°;n (tr/min);";
    }
    void exporterValeurs() {
        QFETCH(int, langue);
        QFETCH(QString, debut);
        ConfigGenerale.Langue = langue;
        ChoixLangue(langue);
        RapportEnregistre rapport;
        const ChoixExport precedent =
            DefinirChoixExport([&](const QString&, const QString&, QString& nom) {
                nom = QString::fromStdString(dossier / "valeurs");
                return true;
            });
        QVERIFY(ExporterValeurs());
        DefinirChoixExport(precedent);
        QVERIFY(rapport.messages.empty());
        const std::string contenu = essai::Contenu(dossier / "valeurs.csv");
        QVERIFY2(contenu.starts_with("\xEF\xBB\xBF" + debut.toStdString()),
                 contenu.substr(0, 60).c_str());
        QCOMPARE(contenu, "\xEF\xBB\xBF" + CsvValeursLangue(-1, langue));
    }

    // A file that cannot be written is reported; a cancelled dialog writes
    // nothing and says nothing.
    void exporterValeursRefuse() {
        RapportEnregistre rapport;
        const std::string fichier = dossier / "plein";
        std::ofstream(fichier) << "x";
        QVERIFY(!ExporterValeursCsv(QString::fromStdString(fichier + "/valeurs.csv")));
        QCOMPARE(rapport.messages.size(), size_t{1});
        QVERIFY(rapport.messages[0].starts_with(Textes.Texte(TexteErreurEcriture)));
        const ChoixExport precedent =
            DefinirChoixExport([](const QString&, const QString&, QString&) { return false; });
        QVERIFY(!ExporterValeurs());
        DefinirChoixExport(precedent);
        QCOMPARE(rapport.messages.size(), size_t{1});
    }

    // ---- printer and PDF file ----

    // The report to a printer or a PDF file: a valid document that is not
    // blank, or, where the job cannot start or the file cannot be written
    // (a plain file stands where the folder should be), one message and
    // never a success.
    void imprimerOuPdf_data() {
        QTest::addColumn<bool>("imprimante");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<int>("erreur");  // text reported, 0 none
        QTest::newRow("printer") << true << "imprime.pdf" << 0;
        QTest::newRow("printer that cannot start")
            << true << "absent/imprime.pdf" << int(TexteImpressionImpossible);
        QTest::newRow("PDF") << false << "rapport.pdf" << 0;
        QTest::newRow("PDF unwritable") << false << "plein/rapport.pdf" << int(TexteErreurEcriture);
    }
    void imprimerOuPdf() {
        QFETCH(bool, imprimante);
        QFETCH(QString, nom);
        QFETCH(int, erreur);
        std::ofstream(dossier / "plein") << "x";
        RapportEnregistre rapport;
        const QString chemin = QString::fromStdString(dossier.racine.string()) + "/" + nom;
        bool fait;
        if (imprimante) {
            QPrinter p(QPrinter::HighResolution);
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(chemin);
            if (erreur) QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
            fait = ImprimerRapport(p, VuesDeLEtude());
        } else {
            fait = ExporterRapportPdf(chemin, VuesDeLEtude());
        }
        QCOMPARE(fait, erreur == 0);
        if (erreur) {
            QCOMPARE(rapport.messages.size(), size_t{1});
            QVERIFY(rapport.messages[0].starts_with(Textes.Texte(erreur)));
            QCOMPARE(essai::Contenu(dossier / "plein"), std::string("x"));
            return;
        }
        QVERIFY(rapport.messages.empty());
        QFile f(chemin);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray octets = f.readAll();
        QVERIFY(octets.startsWith("%PDF-") && octets.trimmed().endsWith("%%EOF"));
        QVERIFY(octets.size() > (imprimante ? 2000 : 5000));  // fonts and drawings, not blank
    }

    // The dialog's name gets its extension; a cancelled dialog writes nothing.
    void commandeExporterEnPdf_data() {
        QTest::addColumn<QString>("choisi");
        QTest::addColumn<bool>("confirme");
        QTest::addColumn<QString>("ecrit");
        QTest::newRow("with extension") << "a.pdf" << true << "a.pdf";
        QTest::newRow("without extension") << "b" << true << "b.pdf";
        QTest::newRow("cancelled") << "c.pdf" << false << "";
    }
    void commandeExporterEnPdf() {
        QFETCH(QString, choisi);
        QFETCH(bool, confirme);
        QFETCH(QString, ecrit);
        const QString racine = QString::fromStdString(dossier.racine.string()) + "/";
        const ChoixExport precedent =
            DefinirChoixExport([&](const QString&, const QString&, QString& nom) {
                nom = racine + choisi;
                return confirme;
            });
        QCOMPARE(ExporterPdf(VuesDeLEtude()), confirme);
        DefinirChoixExport(precedent);
        if (!ecrit.isEmpty())
            QVERIFY(QFile::exists(racine + ecrit));
        else
            QVERIFY(!QFile::exists(racine + choisi));
    }
};

QTEST_MAIN(TstImpression)
#include "tst_impression.moc"
