// The tracing window as a user sees it, in each language: the arrows of the
// sweep direction buttons, and every text whole (or cut with "…" and whole in
// its hint) at the window's smallest size, with the panel of each acquisition
// and four views.
#include "BancEspion.h"

using namespace orvane;

namespace {

using Entiers = QList<int>;

// "needs N, has M" when N > M, else nothing.
QString Manque(int besoin, int place) {
    return besoin > place ? QStringLiteral("needs %1, has %2").arg(besoin).arg(place) : QString();
}

// What is wrong with the text of `w` as shown, or nothing. A layout pressed
// below its minimum size cuts what it holds.
QString TexteCoupe(QWidget* w) {
    if (w->layout() != nullptr && !w->layout()->hasHeightForWidth()) {
        const QSize minimum = w->layout()->minimumSize();
        return Manque(minimum.width(), w->width()) + Manque(minimum.height(), w->height());
    }
    if (auto* l = qobject_cast<QLabel*>(w); l && !l->text().isEmpty()) {
        if (l->wordWrap()) return Manque(l->heightForWidth(l->width()), l->height());
        if (l->text().endsWith(QChar(0x2026)))  // the whole text in the hint
            return l->toolTip().contains(l->text().chopped(1)) ? QString() : l->toolTip();
        return Manque(l->fontMetrics().horizontalAdvance(l->text()),
                      l->contentsRect().width() - 2 * l->margin() - std::max(l->indent(), 0));
    }
    if (auto* b = qobject_cast<QAbstractButton*>(w); b && !b->text().isEmpty())
        return Manque(b->sizeHint().width(), b->width());
    return {};
}

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
    }

    // At 800 x 600, each acquisition started through its button.
    void textsShownWhole_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<Entiers>("essai");  // machine, law, acquisition button (0..4)
        const std::array<std::pair<const char*, int>, 3> langues = {
            {{"fr", LangueFrancais}, {"en", LangueAnglais}, {"es", LangueEspagnol}}};
        for (auto [nom, langue] : langues) {
            QTest::addRow("%s manual", nom) << langue << Entiers{VariateurTriphase, 4, 0};
            QTest::addRow("%s auto", nom) << langue << Entiers{MccIndependante, 2, 1};
            QTest::addRow("%s static manual", nom) << langue << Entiers{VariateurMonophase, 8, 2};
            QTest::addRow("%s static auto", nom) << langue << Entiers{MasTriphasee, 17, 3};
            QTest::addRow("%s oscillo", nom) << langue << Entiers{MsTriphasee, 18, 4};
        }
    }
    void textsShownWhole() {
        QFETCH(int, langue);
        QFETCH(Entiers, essai);
        Ouvrir(langue, essai[0], essai[1]);
        F().ButtonTitre->click();
        QToolButton* const acquisitions[5] = {F().ButtonManu, F().ButtonAuto, F().ButtonChargeManu,
                                              F().ButtonChargeAuto, F().ButtonChargeDynamique};
        acquisitions[essai[2]]->click();
        QVERIFY(AcquisitionEnCours != 0);
        QCoreApplication::processEvents();
        QStringList fautes;
        for (QWidget* w : F().findChildren<QWidget*>())
            if (w->isVisibleTo(fenetre.get()) && !TexteCoupe(w).isEmpty())
                fautes << QStringLiteral("%1 '%2' in %3: %4")
                              .arg(w->metaObject()->className(), w->property("text").toString(),
                                   w->parentWidget()->metaObject()->className(), TexteCoupe(w));
        QVERIFY2(fautes.isEmpty(), qPrintable(fautes.join(QStringLiteral("\n"))));
    }
};

QTEST_MAIN(TstApparence)
#include "tst_apparence.moc"
