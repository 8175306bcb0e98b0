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

#include "OutilsEssai.h"
#include "graph/CaractMachine.h"
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

QImage PageRapport(const VuesMontrees& montrees, const CadresTrace& cadres = {}) {
    QImage image(LargeurPage, HauteurPage, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000);
    image.setDotsPerMeterY(10000);
    image.fill(Qt::white);
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
            for (int p = 0; p < 3; ++p) {
                ValeursCourantes[GVitesse] = (300 + 200 * p) * k;
                ValeursCourantes[GCouple] = 400 + 450 * p;
                ValeursCourantes[GTension] = 2200 + 50 * p;
                ValeursCourantes[GCourant] = 1500 * (p + 1);
                AjouterPoint();
            }
        }
        ValeursCourantes[0] = -1;
    }

    // The page's measures (H limited to W) and the places of 0 to 4 views.
    void layoutOfThePage() {
        const MesuresPage portrait = MesurerPage(2100, 2970), paysage = MesurerPage(2970, 2100);
        QCOMPARE(QList<int>({portrait.W, portrait.M, portrait.H, paysage.W, paysage.M, paysage.H}),
                 QList<int>({1960, 70, 1960, 2772, 99, 2100}));
        // Zone (10, 20, 101, 51): halves of 50 and 25, the odd pixel lost.
        const QRect g(10, 20, 50, 25), gb(10, 45, 50, 25), d(60, 20, 50, 51);
        const QList<QList<QRect>> attendu = {{},
                                             {{10, 20, 101, 51}},
                                             {{10, 20, 50, 51}, d},
                                             {g, gb, d},
                                             {g, gb, {60, 20, 50, 25}, {60, 45, 50, 25}}};
        for (int n = 0; n <= 4; ++n) {
            const auto r = PositionsVues(10, 20, 101, 51, n);
            for (int j = 0; j < 4; ++j)
                QCOMPARE(r[j], j < attendu[n].size() ? attendu[n][j] : QRect());
        }
    }

    // Title centred at the top, legend in the print colours of the trials,
    // views in the square area, nothing below it on a portrait page.
    void rapportDessineTitreLegendeEtVues() {
        const QImage page = PageRapport({true, true, false, true});
        const auto [W, M, H] = MesurerPage(LargeurPage, HauteurPage);
        const QRect bandeTitre(0, 0, LargeurPage, H / 20);
        QVERIFY(NonBlancs(page, bandeTitre) > 200);
        QCOMPARE(NonBlancs(page, QRect(0, 0, W / 4, H / 20)), 0);
        QCOMPARE(NonBlancs(page, QRect(W * 3 / 4, 0, LargeurPage, H / 20)), 0);
        // Trial k in column k, in red, navy, green, maroon; four trials only.
        const int yLegende = H * 37 / 40;
        const auto colonne = [&](int k) {
            return QRect((k - 1) * W / 5 + M, yLegende, W / 5 - 10, H - yLegende + 60);
        };
        const std::array<bool (*)(const QColor&), 4> couleurs = {Rouge, Marine, Vert, Bordeaux};
        for (int k = 1; k <= 4; ++k) QVERIFY(Compter(page, colonne(k), couleurs[k - 1]) > 50);
        QCOMPARE(NonBlancs(page, colonne(5)), 0);
        // Three views, each with the navy curves of trial 2.
        const auto places = PositionsVues(M, H / 20, W, H * 17 / 20, 3);
        for (int j = 0; j < 3; ++j) {
            QVERIFY2(NonBlancs(page, places[j]) > 1000, qPrintable(QString::number(j)));
            QVERIFY(Compter(page, places[j], Marine) > 20);
        }
        QCOMPARE(NonBlancs(page, QRect(0, H + 80, LargeurPage, HauteurPage)), 0);
        // Without a view: the title alone.
        const QImage vide = PageRapport({false, false, false, false});
        QVERIFY(NonBlancs(vide, bandeTitre) > 0);
        QCOMPARE(NonBlancs(vide, QRect(0, H / 20 + 60, LargeurPage, H * 17 / 20 - 120)), 0);
        if (qEnvironmentVariableIsSet("ORVANE_CAPTURES"))
            PageRapport(VuesDeLEtude())
                .save(qEnvironmentVariable("ORVANE_CAPTURES") + "/rapport.png");
    }

    // The frames' print graphs draw the same page as graphs of their own,
    // and printing leaves the study unmodified.
    void rapportParLesCadres() {
        std::array<std::unique_ptr<TCaractMachine>, 4> cadres;
        CadresTrace pointeurs{};
        for (int k = 0; k < 4; ++k) {
            cadres[k] = std::make_unique<TCaractMachine>();
            cadres[k]->NumeroVue = k + 1;
            pointeurs[k] = cadres[k].get();
        }
        const uint8_t enregistree = EtudeEnregistree;
        QCOMPARE(PageRapport({true, true, true, true}, pointeurs),
                 PageRapport({true, true, true, true}));
        QCOMPARE(EtudeEnregistree, enregistree);
    }

    // The values as Unicode text ("N°" and the comments' accents as they
    // are): all trials (only 2 and 4 hold points, each after its title
    // line), a selected trial alone, an empty one as its two headings.
    void copierValeurs_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<int>("r");
        QTest::addColumn<QString>("debut");
        QTest::addColumn<QString>("absent");
        QTest::addColumn<int>("lignes");
        const QString entetes =
            "N°\tn\tTu\tPm\tU\tI\tPe\tIe\tRd\tFp\tPertes\tt\r\n"
            "\t(tr/min)\t(Nm)\t(W)\t(V)\t(A)\t(W)\t(A)\t\t\t(W)\t(s)\r\n";
        const int fr = LangueFrancais;
        QTest::newRow("all, French")
            << fr << -1 << "Essai 2\tessai à 2\r\n" + entetes + "0\t600\t4,00\t"
            << "Essai 3" << 12;
        QTest::newRow("all, English") << int{LangueAnglais} << 0 << "Test 2\tessai à 2\r\nN°\t"
                                      << "Test 1" << 12;
        QTest::newRow("trial 4") << fr << 4 << entetes + "0\t1200\t4,00\t"
                                 << "Essai" << 5;
        QTest::newRow("empty trial 3") << fr << 3 << entetes << "Essai" << 2;
    }
    void copierValeurs() {
        QFETCH(int, langue);
        QFETCH(int, r);
        QFETCH(QString, debut);
        QFETCH(QString, absent);
        QFETCH(int, lignes);
        ChoixLangue(langue);
        CopierValeurs(r);
        const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
        QVERIFY(donnees && donnees->hasText());
        const QString texte = donnees->text();
        QVERIFY2(texte.startsWith(debut) && !texte.contains(absent), qPrintable(texte.left(200)));
        QCOMPARE(texte.count(QStringLiteral("\r\n")), lignes);
        // The bytes other programs read: UTF-8, never Windows-1252.
        const QByteArray octets = donnees->data(QStringLiteral("text/plain"));
        QVERIFY(octets.contains("N\xC2\xB0\t") && !octets.contains("N\xB0\t"));
    }

    // The shown views, placed as on screen, as SVG and as a PNG image of
    // 190 x 140 mm.
    void copierVues() {
        QGuiApplication::clipboard()->clear();
        CopierVues(96, {true, false, false, true});
        const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
        QVERIFY(donnees && donnees->hasImage());
        const QByteArray svg = donnees->data(QStringLiteral("image/svg+xml"));
        QVERIFY(svg.contains("<svg") && svg.contains("viewBox=\"0 0 718 529\""));
        // The vertical names of views 1 and 4.
        QVERIFY(svg.contains(">Tu<") || svg.contains(">Tu <"));
        QVERIFY(svg.contains(">I<") || svg.contains(">I <"));
        const QImage image = qvariant_cast<QImage>(donnees->imageData());
        QCOMPARE(image.size(), QSize(718, 529));
        QVERIFY(NonBlancs(image, QRect(0, 0, 359, 529)) > 500);
        QVERIFY(NonBlancs(image, QRect(359, 0, 359, 529)) > 500);
    }

    // The report to a printer, the report and the values to files, directly
    // or through the file dialog, whose name gets its extension. Written: a
    // valid document that is not blank, or the values after a UTF-8
    // byte-order mark in the separators of the language. Failed (a job that
    // cannot start, a plain file where the folder should be): one message
    // and never a success. Cancelled: nothing written, nothing said.
    void sorties_data() {
        // kind (0 printer, 1 PDF, 2 CSV, 3 PDF dialog, 4 CSV dialog), language,
        // text reported (0 none), dialog confirmed
        QTest::addColumn<QList<int>>("c");
        QTest::addColumn<QString>("nom");
        QTest::addColumn<QString>("ecrit");  // the file written, "" none
        const int fr = LangueFrancais, impossible = TexteImpressionImpossible,
                  ecriture = TexteErreurEcriture;
        QTest::newRow("printer") << QList{0, fr, 0, 1} << "imprime.pdf"
                                 << "imprime.pdf";
        QTest::newRow("printer that cannot start")
            << QList{0, fr, impossible, 1} << "absent/imprime.pdf"
            << "";
        QTest::newRow("PDF") << QList{1, fr, 0, 1} << "rapport.pdf"
                             << "rapport.pdf";
        QTest::newRow("PDF unwritable") << QList{1, fr, ecriture, 1} << "plein/rapport.pdf"
                                        << "";
        QTest::newRow("CSV unwritable") << QList{2, fr, ecriture, 1} << "plein/valeurs.csv"
                                        << "";
        QTest::newRow("PDF dialog") << QList{3, fr, 0, 1} << "a.pdf"
                                    << "a.pdf";
        QTest::newRow("PDF dialog, no extension") << QList{3, fr, 0, 1} << "b"
                                                  << "b.pdf";
        QTest::newRow("PDF dialog cancelled") << QList{3, fr, 0, 0} << "c.pdf"
                                              << "";
        QTest::newRow("CSV dialog, French") << QList{4, fr, 0, 1} << "v"
                                            << "v.csv";
        QTest::newRow("CSV dialog, English") << QList{4, int{LangueAnglais}, 0, 1} << "w"
                                             << "w.csv";
        QTest::newRow("CSV dialog cancelled") << QList{4, fr, 0, 0} << "x.csv"
                                              << "";
    }
    void sorties() {
        QFETCH(QList<int>, c);
        QFETCH(QString, nom);
        QFETCH(QString, ecrit);
        ConfigGenerale.Langue = c[1];
        ChoixLangue(c[1]);
        std::ofstream(dossier / "plein") << "x";
        RapportEnregistre rapport;
        const QString racine = QString::fromStdString(dossier.racine.string()) + "/";
        const ChoixExport precedent =
            DefinirChoixExport([&](const QString&, const QString&, QString& choisi) {
                choisi = racine + nom;
                return c[3] != 0;
            });
        bool fait;
        if (c[0] == 0) {
            QPrinter p(QPrinter::HighResolution);
            p.setOutputFormat(QPrinter::PdfFormat);
            p.setOutputFileName(racine + nom);
            if (c[2]) QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
            fait = ImprimerRapport(p, VuesDeLEtude());
        } else {
            fait = c[0] == 1   ? ExporterRapportPdf(racine + nom, VuesDeLEtude())
                   : c[0] == 2 ? ExporterValeursCsv(racine + nom)
                   : c[0] == 3 ? ExporterPdf(VuesDeLEtude())
                               : ExporterValeurs();
        }
        DefinirChoixExport(precedent);
        QCOMPARE(fait, !ecrit.isEmpty());
        if (c[2]) {
            QCOMPARE(rapport.messages.size(), size_t{1});
            QVERIFY(rapport.messages[0].starts_with(Textes.Texte(c[2])));
            QCOMPARE(essai::Contenu(dossier / "plein"), std::string("x"));
            return;
        }
        QVERIFY(rapport.messages.empty());
        if (ecrit.isEmpty()) {
            QVERIFY(!QFile::exists(racine + nom));
            return;
        }
        const std::string octets = essai::Contenu((racine + ecrit).toStdString());
        if (c[0] == 2 || c[0] == 4) {
            QCOMPARE(octets, "\xEF\xBB\xBF" + CsvValeursLangue(-1, c[1]));
        } else {
            QVERIFY(octets.starts_with("%PDF-") &&
                    QByteArray::fromStdString(octets).trimmed().endsWith("%%EOF"));
            QVERIFY(octets.size() > (c[0] == 0 ? 2000u : 5000u));  // not blank
        }
    }
};

QTEST_MAIN(TstImpression)
#include "tst_impression.moc"
