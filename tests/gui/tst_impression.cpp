// The report of the tracing window (printer, PDF file), the copy of the
// values to the clipboard and the CSV export, off screen.
#include <QPrinter>
#include <QtGui>
#include <QtTest>

#include "OutilsEssai.h"
#include "graph/CaractMachine.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "study/TexteValeurs.h"
#include "texts/TextesOrvane.h"
#include "tracing/Exports.h"

using namespace orvane;
using essai::RapportEnregistre;

namespace {

// A page of 210 x 297 mm at 254 dpi: 10 pixels a millimetre.
constexpr int LargeurPage = 2100, HauteurPage = 2970;

QImage PageRapport(const VuesMontrees& montrees, const CadresTrace& cadres = {}) {
    QImage image(LargeurPage, HauteurPage, QImage::Format_RGB32);
    image.setDotsPerMeterX(10000), image.setDotsPerMeterY(10000), image.fill(Qt::white);
    QPainter p(&image);
    DessinerRapport(p, image.width(), image.height(), montrees, cadres);
    return p.end(), image;
}

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
// Red, navy, green, maroon: the print colours of trials 1 to 4.
bool Couleur(const QColor& c, int k) {
    const int r = c.red(), g = c.green(), b = c.blue();
    return k == 1   ? r > 160 && g < 90 && b < 90
           : k == 2 ? b > 70 && r < 50 && g < 50
           : k == 3 ? g > 70 && r < 50 && b < 50
                    : r > 70 && g < 50 && b < 50 && r < 160;
}

}  // namespace

class TstImpression : public QObject {
    Q_OBJECT

    essai::DossierTemporaire dossier;

private slots:
    // Four views, four trials; only trials 2 and 4 hold points.
    void init() {
        ChoixLangue(LangueFrancais), ConfigGenerale = ConfigDefaut, InitEtude();
        Etude.Titre.Ecrire(VersCp1252("Banc n°2 : moteur asynchrone"));
        const int axes[4][2] = {
            {GVitesse, GCouple}, {GVitesse, GCourant}, {GVitesse, GTension}, {GTension, GCourant}};
        for (int v = 0; v < 4; ++v)
            Etude.Vues[v] = {1, 1, {0, 0}, axes[v][0], 18, {0, 0}, axes[v][1], 18, {0, 0}, 1};
        ReglagesCourants[MotTypeMachine] = 3, ReglagesCourants[MotTypeCaract] = 1;
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

    // The page's measures (H limited to W); title, legend in the trials'
    // print colours, views in the square area, nothing below it on a
    // portrait page. The frames' print graphs draw the same page, and
    // printing leaves the study unmodified.
    void rapportDessineTitreLegendeEtVues() {
        const MesuresPage portrait = MesurerPage(2100, 2970), paysage = MesurerPage(2970, 2100);
        QCOMPARE(QList<int>({portrait.W, portrait.M, portrait.H, paysage.W, paysage.M, paysage.H}),
                 QList<int>({1960, 70, 1960, 2772, 99, 2100}));
        const QImage page = PageRapport({true, true, false, true});
        const auto [W, M, H] = portrait;
        QVERIFY(NonBlancs(page, QRect(0, 0, LargeurPage, H / 20)) > 200);  // the title
        // Trial k in column k, in red, navy, green, maroon; four trials only.
        const int yLegende = H * 37 / 40;
        const auto colonne = [&](int k) {
            return QRect((k - 1) * W / 5 + M, yLegende, W / 5 - 10, H - yLegende + 60);
        };
        for (int k = 1; k <= 4; ++k)
            QVERIFY(Compter(page, colonne(k), [k](const QColor& c) { return Couleur(c, k); }) > 50);
        QCOMPARE(NonBlancs(page, colonne(5)), 0);
        // Three views, each with the navy curves of trial 2.
        const auto places = PositionsVues(M, H / 20, W, H * 17 / 20, 3);
        for (int j = 0; j < 3; ++j)
            QVERIFY(Compter(page, places[j], [](const QColor& c) { return Couleur(c, 2); }) > 20);
        QCOMPARE(NonBlancs(page, QRect(0, H + 80, LargeurPage, HauteurPage)), 0);
        std::array<TCaractMachine, 4> cadres;
        CadresTrace pointeurs{};
        for (int k = 0; k < 4; ++k) (pointeurs[k] = &cadres[k])->NumeroVue = k + 1;
        const uint8_t enregistree = EtudeEnregistree;
        QVERIFY(PageRapport({true, true, true, true}, pointeurs) ==
                    PageRapport({true, true, true, true}) &&
                EtudeEnregistree == enregistree);
    }

    // The values as Unicode text ("N°" and accents as they are, UTF-8 bytes):
    // each trial holding points after its title line, the empty ones left out.
    void copierValeurs() {
        CopierValeurs(-1);
        const QMimeData* donnees = QGuiApplication::clipboard()->mimeData();
        const QString texte = donnees->text();
        QVERIFY2(texte.startsWith("Essai 2\tessai à 2\r\nN°\tn\tTu\t") &&
                     !texte.contains("Essai 3") && texte.count("\r\n") == 12,
                 qPrintable(texte.left(200)));
        const QByteArray octets = donnees->data(QStringLiteral("text/plain"));
        QVERIFY(octets.contains("N\xC2\xB0\t") && !octets.contains("N\xB0\t"));
    }

    // Report to a printer, report and values to files, directly or through
    // the dialog (extension added). Written: a PDF that is not blank, or the
    // values after a UTF-8 BOM. Failed: one message, never a success.
    void sorties_data() {
        QTest::addColumn<QList<int>>("c");   // kind, language, text reported (0 none)
        QTest::addColumn<QStringList>("f");  // the name given, the file written ("" none)
        // kind: 0 printer, 1 PDF, 3 PDF dialog, 4 CSV dialog
        const int fr = LangueFrancais, en = LangueAnglais, imp = TexteImpressionImpossible;
        QTest::newRow("printer") << QList{0, fr, 0} << QStringList{"imprime.pdf", "imprime.pdf"};
        QTest::newRow("no printer") << QList{0, fr, imp} << QStringList{"absent/i.pdf", ""};
        QTest::newRow("PDF unwritable")
            << QList{1, fr, int(TexteErreurEcriture)} << QStringList{"plein/r.pdf", ""};
        QTest::newRow("PDF dialog") << QList{3, fr, 0} << QStringList{"b", "b.pdf"};
        QTest::newRow("CSV dialog, English") << QList{4, en, 0} << QStringList{"w", "w.csv"};
    }
    void sorties() {
        QFETCH(QList<int>, c);
        QFETCH(QStringList, f);
        const QString nom = f[0], ecrit = f[1];
        ConfigGenerale.Langue = c[1], ChoixLangue(c[1]);
        std::ofstream(dossier / "plein") << "x";
        RapportEnregistre rapport;
        const QString racine = QString::fromStdString(dossier.racine.string() + "/");
        const ChoixExport precedent =
            DefinirChoixExport([&](const QString&, const QString&, QString& choisi) {
                choisi = racine + nom;
                return true;
            });
        QPrinter p(QPrinter::HighResolution);
        p.setOutputFormat(QPrinter::PdfFormat), p.setOutputFileName(racine + nom);
        if (c[0] == 0 && c[2]) QTest::ignoreMessage(QtWarningMsg, QRegularExpression(".*"));
        const bool fait = c[0] == 0   ? ImprimerRapport(p, VuesDeLEtude())
                          : c[0] == 1 ? ExporterRapportPdf(racine + nom, VuesDeLEtude())
                          : c[0] == 3 ? ExporterPdf(VuesDeLEtude())
                                      : ExporterValeurs();
        DefinirChoixExport(precedent);
        QVERIFY(fait == !ecrit.isEmpty() && rapport.messages.size() == size_t(c[2] ? 1 : 0));
        QVERIFY(!c[2] || (rapport.messages[0].starts_with(Textes.Texte(c[2])) &&
                          essai::Contenu(dossier / "plein") == "x"));
        QVERIFY(!ecrit.isEmpty() || !QFile::exists(racine + nom));
        if (ecrit.isEmpty()) return;
        const auto octets =
            QByteArray::fromStdString(essai::Contenu((racine + ecrit).toStdString()));
        QVERIFY(c[0] == 4 ? octets.toStdString() == "\xEF\xBB\xBF" + CsvValeursLangue(-1, c[1])
                          : octets.startsWith("%PDF-") && octets.trimmed().endsWith("%%EOF") &&
                                octets.size() > (c[0] ? 5000 : 2000));  // not blank
    }
};

QTEST_MAIN(TstImpression)
#include "tst_impression.moc"
