// The tracing window as a user sees it, in each language: the arrows of the
// sweep direction buttons.
#include "BancEspion.h"
#include "Captures.h"

using namespace orvane;

namespace {

// Where the dark drawing on `image` (a button, its border left out) comes to
// a point: 1 at its top, -1 at its bottom, 0 for no drawing or no point.
int Pointe(const QImage& image) {
    QList<int> largeurs;  // dark pixels of each row that has some
    for (int y = 4; y < image.height() - 4; ++y) {
        int n = 0;
        for (int x = 4; x < image.width() - 4; ++x) n += qGray(image.pixel(x, y)) < 90;
        if (n > 0) largeurs << n;
    }
    if (largeurs.size() < 6) return 0;
    const int haut = largeurs[0] + largeurs[1] + largeurs[2];
    const int bas = largeurs.last() + largeurs[largeurs.size() - 2] + largeurs[largeurs.size() - 3];
    return haut < bas ? 1 : bas < haut ? -1 : 0;
}

}  // namespace

class TstApparence : public essai::FenetreSurBanc {
    Q_OBJECT

    // A study of one empty trial of this machine and law in four views, the
    // window at its smallest.
    void Ouvrir(int langue, int machine, int type) {
        ChoixLangue(langue);
        const int32_t y[NbVues] = {GCouple, GPuissanceElec, GFacteurPuissance, GRendement};
        for (int k = 0; k < NbVues; ++k)
            Etude.Vues[k] = {1, 1, {0, 0}, GVitesse, 18, {0, 0}, y[k], 18, {0, 0}, 1};
        ReglagesCourants = EnteteCaractDefaut, ReglagesCourants[MotTypeMachine] = machine;
        ReglagesCourants[MotTypeCaract] = type;
        NouvelleCaract(), OuvrirFenetre();
        F().resize(F().minimumSize());
        QVERIFY(QTest::qWaitForWindowExposed(fenetre.get()));
    }

private slots:
    void initTestCase() { Installer(); }
    void cleanupTestCase() { Desinstaller(); }
    void init() { NouvelleEtude(); }
    void cleanup() { FermerFenetre(); }

    // "Auto": the direction buttons show an arrow, up for a rising K, with
    // the hint and the name of their direction.
    void sweepButtonsShowTheirArrows_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QStringList>("textes");  // hint and name, rising then falling
        QTest::newRow("fr") << int(LangueFrancais)
                            << QStringList{"Début de l'acquisition avec K croissant", "K croissant",
                                           "Début de l'acquisition avec K décroissant",
                                           "K décroissant"};
        QTest::newRow("en") << int(LangueAnglais)
                            << QStringList{"Start the acquisition with K rising", "K rising",
                                           "Start the acquisition with K falling", "K falling"};
        QTest::newRow("es") << int(LangueEspagnol)
                            << QStringList{
                                   "Inicio de la adquisición con K creciente", "K creciente",
                                   "Inicio de la adquisición con K decreciente", "K decreciente"};
    }
    void sweepButtonsShowTheirArrows() {
        QFETCH(int, langue);
        QFETCH(QStringList, textes);
        Ouvrir(LangueFrancais, MasTriphasee, 1);
        ChoixLangue(langue), F().Langue(), F().ButtonAuto->click();
        QVERIFY(F().PanelAcquiAuto->isVisible());
        QToolButton* const boutons[2] = {F().ButtonAutoCroissant, F().ButtonAutoDecroissant};
        for (int i = 0; i < 2; ++i) {
            QToolButton* b = boutons[i];
            QCOMPARE(QStringList({b->toolTip(), b->accessibleName()}), textes.mid(2 * i, 2));
            QCOMPARE(Pointe(b->grab().toImage()), i == 0 ? 1 : -1);
        }
        essai::Capturer(F().PanelAcquiAuto, QStringLiteral("sens-") + QTest::currentDataTag());
    }
};

QTEST_MAIN(TstApparence)
#include "tst_apparence.moc"
