// The load panel driven through its sliders and spin buttons: the widgets
// show what the load-law routines compute, the handlers write their words
// under the constraints of each law, SetMode keeps every law's words, clamps
// a damaged header and never writes while it moves the sliders.
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QtTest>

#include "Captures.h"
#include "load/PanelCaract.h"
#include "study/LoisCharge.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

// The words a panel law reads or writes.
const int MotsCharge[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 23, 24, 25, 26, 27, 28};

const QStringList Noms = {"C1", "C2", "C3", "B1", "B2", "B3", "J", "Reduction", "red", "Pent"};

QString Q(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

class TstPanelCaract : public QObject {
    Q_OBJECT

    QWidget* hote = nullptr;
    TPanelCaract* p = nullptr;

    void mode(int type) { p->SetMode(nullptr, type); }
    // Slider values as the user reads them (the handle's top is the maximum).
    int luA() const {
        return p->TrackBarA->maximum() - p->TrackBarA->value() + p->TrackBarA->minimum();
    }
    int luB() const { return p->TrackBarB->maximum() - p->TrackBarB->value(); }

private slots:
    void initTestCase() {
        hote = new QWidget;
        hote->resize(400, 390);
        p = new TPanelCaract(hote);
        p->resize(400, 390);
        hote->show();
        QVERIFY(QTest::qWaitForWindowExposed(hote));
    }
    void cleanupTestCase() { delete hote; }
    void init() {
        ChoixLangue(LangueFrancais);
        InitEtude();
        ConfigGenerale.GammePuissance = 0;
        ConfigGenerale.FrequenceReseau = 50;
    }

    // Every label and panel shows what CalculerAffichage gives for the
    // panel's words and sliders; `attendus` pins the worked examples.
    void widgetsShowTheComputedLaw_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("gamme");
        QTest::addColumn<int>("frequence");
        QTest::addColumn<int>("langue");
        QTest::addColumn<QStringList>("attendus");  // label=text
        for (int t = 6; t <= 18; ++t)
            QTest::addRow("type %d", t) << t << 0 << 50 << int(LangueFrancais) << QStringList{};
        QTest::newRow("T = cst") << 6 << 0 << 50 << int(LangueFrancais)
                                 << QStringList{"B1=2,00 Nm", "B3=314 W",
                                                "C3=Puissance à 1500tr/min",
                                                "bulleB=Couple constant"};
        QTest::newRow("Levage") << 18 << 0 << 50 << int(LangueFrancais)
                                << QStringList{"B1=6,90 Nm", "B2=9,55 Nm", "B3=130 kg",
                                               "J=J = 0,005 kg.m²", "bulleA=Masse"};
        QTest::newRow("T = a.n + b, 60 Hz")
            << 7 << 0 << 60 << int(LangueFrancais)
            << QStringList{"C2=Couple à 1800tr/min", "C3=Puissance à 1800tr/min", "B3=942 W",
                           "bulleA=Couple à 1800tr/min"};
        QTest::newRow("P = cst, range 3") << 9 << 3 << 50 << int(LangueFrancais) << QStringList{};
        QTest::newRow("Levage, English")
            << 17 << 0 << 50 << int(LangueAnglais) << QStringList{"C2=Up torque", "C3=Weight"};
        QTest::newRow("Levage, Spanish")
            << 17 << 0 << 50 << int(LangueEspagnol) << QStringList{"C3=Masa", "Pent=Rendimiento :"};
    }
    void widgetsShowTheComputedLaw() {
        QFETCH(int, type);
        QFETCH(int, gamme);
        QFETCH(int, frequence);
        QFETCH(int, langue);
        QFETCH(QStringList, attendus);
        ChoixLangue(langue);
        ConfigGenerale.GammePuissance = gamme;
        ConfigGenerale.FrequenceReseau = frequence;
        mode(type);
        EnteteCaract r = ReglagesCourants;
        const AffichageCharge a =
            CalculerAffichage(type, r, EchellesDe(gamme, frequence), p->TrackBarA->maximum(),
                              p->TrackBarB->maximum(), p->TrackBarN->maximum(), Textes);
        const QList<QLabel*> l = {
            p->TextC1,        p->TextC2,         p->TextC3,         p->TextB1,
            p->TextB2,        p->TextB3,         p->TextJ,          p->StaticTextReduction,
            p->StaticTextred, p->StaticTextPent, p->StaticTextPente};
        const std::string* c[] = {&a.C1, &a.C2,        &a.C3,  &a.B1,   &a.B2,   &a.B3,
                                  &a.J,  &a.Reduction, &a.Red, &a.Pent, &a.Pente};
        // The cycle panel's texts matter only while it is shown.
        const int n = a.PanneauCycle ? int(l.size()) : 7;
        for (int i = 0; i < n; ++i) QCOMPARE(l[i]->text(), Q(*c[i]));
        const bool montres[7] = {a.Colonne2, a.CurseurA,     a.CurseurB,      a.CurseurJ,
                                 a.PanneauN, a.PanneauCycle, a.PanneauInertie};
        const QWidget* w[7] = {p->PanelAff2, p->TrackBarA,  p->TrackBarB,   p->TrackBarJ,
                               p->PanelN,    p->PanelCycle, p->PanelInertie};
        for (int i = 0; i < 7; ++i) QCOMPARE(!w[i]->isHidden(), montres[i]);
        for (const QString& e : attendus) {
            const QString cle = e.section('=', 0, 0), texte = e.section('=', 1);
            const QString lu = cle == "bulleA"   ? p->TrackBarA->toolTip()
                               : cle == "bulleB" ? p->TrackBarB->toolTip()
                                                 : l[Noms.indexOf(cle)]->text();
            QCOMPARE(lu, texte);
        }
    }

    // The keys move the handle the way they point: up is a larger value.
    void keysMoveTheHandleUp() {
        mode(6);
        p->TrackBarB->setFocus();
        QTest::keyClick(p->TrackBarB, Qt::Key_Up);
        QCOMPARE(ReglagesCourants[3], 21);
        QTest::keyClick(p->TrackBarB, Qt::Key_Down);
        QTest::keyClick(p->TrackBarB, Qt::Key_Down);
        QCOMPARE(ReglagesCourants[3], 19);
        QCOMPARE(p->TextB1->text(), QStringLiteral("1,90 Nm"));
    }

    void constraints_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("curseurA");
        QTest::addColumn<int>("valeur");  // slider value the user sets
        QTest::addColumn<int>("valeurA");
        QTest::addColumn<int>("valeurB");
        QTest::addColumn<QList<int>>("mots");  // word of A, word of B
        QTest::newRow("6: B alone") << 6 << false << 90 << -1 << 90 << QList<int>{-1, 3};
        QTest::newRow("7: free") << 7 << false << 90 << 50 << 90 << QList<int>{4, 5};
        QTest::newRow("8: B drags A up") << 8 << false << 90 << 90 << 90 << QList<int>{6, 7};
        QTest::newRow("12: A under B refused") << 12 << true << 5 << 20 << 20 << QList<int>{6, 7};
        QTest::newRow("9: A at least 10") << 9 << true << 3 << 10 << 50 << QList<int>{9, 8};
        QTest::newRow("13: B at least 10") << 13 << false << 0 << 20 << 10 << QList<int>{9, 8};
        QTest::newRow("14: B drags A up") << 14 << false << 120 << 120 << 120 << QList<int>{10, 11};
        QTest::newRow("15: A above B refused")
            << 15 << true << 90 << 50 << 50 << QList<int>{24, 23};
        QTest::newRow("16: B drags A down") << 16 << false << 10 << 10 << 10 << QList<int>{24, 23};
        QTest::newRow("17: A alone") << 17 << true << 222 << 222 << -1 << QList<int>{26, -1};
    }
    void constraints() {
        QFETCH(int, type);
        QFETCH(bool, curseurA);
        QFETCH(int, valeur);
        QFETCH(int, valeurA);
        QFETCH(int, valeurB);
        QFETCH(QList<int>, mots);
        mode(type);
        QSlider* s = curseurA ? p->TrackBarA : p->TrackBarB;
        s->setValue(curseurA ? s->maximum() - valeur + s->minimum() : s->maximum() - valeur);
        if (valeurA >= 0) QCOMPARE(luA(), valeurA);
        if (valeurB >= 0) QCOMPARE(luB(), valeurB);
        if (mots[0] >= 0) QCOMPARE(ReglagesCourants[mots[0]], valeurA);
        if (mots[1] >= 0) QCOMPARE(ReglagesCourants[mots[1]], valeurB);
    }

    // The speed slider and the spin buttons write their word and its text.
    void otherControlsWriteTheirWord_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("controle");  // 0 speed slider, 1..4 red. up/down, slope up/down
        QTest::addColumn<int>("fois");      // clicks, or the speed slider's value
        QTest::addColumn<int>("mot");
        QTest::addColumn<int>("valeur");
        QTest::addColumn<QString>("texte");
        QTest::newRow("break-away speed") << 15 << 0 << 40 << 25 << 40 << "600 tr/min";
        QTest::newRow("reduction down") << 14 << 2 << 1 << 12 << 90 << "1/90";
        QTest::newRow("slope up, capped") << 14 << 3 << 12 << 13 << 10 << "100%";
        QTest::newRow("hoist speed up") << 18 << 1 << 1 << 27 << 11 << "1,1 m/s";
        QTest::newRow("efficiency down, floor") << 18 << 4 << 40 << 28 << 50 << "50%";
    }
    void otherControlsWriteTheirWord() {
        QFETCH(int, type);
        QFETCH(int, controle);
        QFETCH(int, fois);
        QFETCH(int, mot);
        QFETCH(int, valeur);
        QFETCH(QString, texte);
        mode(type);
        QToolButton* b[] = {nullptr, p->SpinButtonReductionUp, p->SpinButtonReductionDown,
                            p->SpinButtonPenteUp, p->SpinButtonPenteDown};
        if (controle == 0)
            p->TrackBarN->setValue(fois);
        else
            for (int i = 0; i < fois; ++i) QTest::mouseClick(b[controle], Qt::LeftButton);
        QCOMPARE(ReglagesCourants[mot], valeur);
        QLabel* l = controle == 0   ? p->TextB3
                    : controle <= 2 ? p->StaticTextred
                                    : p->StaticTextPente;
        QCOMPARE(l->text(), texte);
    }

    void inertia_data() {
        QTest::addColumn<int>("gamme");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("mot14");
        QTest::addColumn<QString>("texte");
        QTest::newRow("Jscale 1000, 50") << 0 << 50 << 1000 << "J = 1,000 kg.m²";
        for (int pos = 1; pos <= 4; ++pos)
            QTest::addRow("Jscale 200, %d", pos) << 1 << pos << 0 << "J = 0,000 kg.m²";
        QTest::newRow("Jscale 200, 5") << 1 << 5 << 1 << "J = 0,001 kg.m²";
    }
    void inertia() {
        QFETCH(int, gamme);
        QFETCH(int, position);
        QFETCH(int, mot14);
        QFETCH(QString, texte);
        ConfigGenerale.GammePuissance = gamme;
        mode(10);
        p->TrackBarJ->setValue(position);
        QCOMPARE(ReglagesCourants[MotInertie], mot14);
        QCOMPARE(p->TextJ->text(), texte);
        // Shown again, the slider finds its step from the word.
        mode(12);
        QCOMPARE(p->TrackBarJ->value(), mot14 == 0 ? 0 : position);
    }

    // Going from law to law and back restores each law's settings.
    void setModeKeepsEveryLawsWords() {
        const std::pair<int, int> mots[] = {{3, 33},  {4, 140},  {5, 7},   {6, 120}, {7, 30},
                                            {8, 70},  {9, 15},   {10, 90}, {11, 60}, {12, 40},
                                            {13, 3},  {23, 100}, {24, 80}, {25, 55}, {26, 60},
                                            {27, 12}, {28, 70}};
        for (auto [m, v] : mots) ReglagesCourants[m] = v;
        const EnteteCaract avant = ReglagesCourants;
        for (int type : {8, 17, 7, 15, 14, 9, 6, 18, 12, 16, 11, 13, 10, 17, 8, 15, 7}) {
            mode(type);
            for (int m : MotsCharge)
                if (m != MotInertie) QCOMPARE(ReglagesCourants[m], avant[m]);
        }
    }

    // A range change with the previous law's slider position must not be
    // taken for a move under the new law.
    void rangeChangeWritesNothing_data() {
        QTest::addColumn<int>("avant");
        QTest::addColumn<int>("apres");
        QTest::addColumn<int>("mot");
        QTest::addColumn<int>("valeur");
        QTest::newRow("T = a.n²+b at the top, then Levage") << 8 << 17 << 26 << 60;
        QTest::newRow("Levage low, then T = a.n + b") << 17 << 7 << 4 << 50;
    }
    void rangeChangeWritesNothing() {
        QFETCH(int, avant);
        QFETCH(int, apres);
        QFETCH(int, mot);
        QFETCH(int, valeur);
        ReglagesCourants[6] = 150;  // A at the top: position 0, below the hoist's minimum
        ReglagesCourants[26] = 60;  // A low: position 240, beyond 150
        mode(avant);
        mode(apres);
        QCOMPARE(ReglagesCourants[mot], valeur);
    }

    // The words are brought into range before the sliders take them; valid
    // words are left as they are.
    void damagedHeaderClampedValidUntouched() {
        ReglagesCourants[8] = 0;
        ReglagesCourants[9] = -20;
        ReglagesCourants[MotInertie] = 99999;
        mode(13);
        QCOMPARE(ReglagesCourants[8], 10);
        QCOMPARE(ReglagesCourants[9], 10);
        QCOMPARE(luB(), 10);
        QCOMPARE(ReglagesCourants[MotInertie], 1000);  // the slider's last step
        QCOMPARE(p->TextB1->text(), QStringLiteral("1,00 Nm"));
        for (int type = 6; type <= 18; ++type) {
            const EnteteCaract avant = ReglagesCourants;
            mode(type);
            for (int m : MotsCharge) QCOMPARE(ReglagesCourants[m], avant[m]);
        }
    }

    void noTicksOnATinyPlot() {
        mode(14);
        p->PaintBox->setMinimumSize(0, 0);
        p->PaintBox->resize(40, 30);
        QVERIFY(p->Geometrie().GradVitesse.empty());
        QVERIFY(p->Geometrie().GradCouple.empty());
        (void)p->PaintBox->grab();
        p->PaintBox->setMinimumSize(160, 120);
        p->resize(401, 390);
        p->resize(400, 390);
    }

    void captures() {
        const std::pair<int, const char*> langues[] = {
            {LangueFrancais, "FR"}, {LangueAnglais, "EN"}, {LangueEspagnol, "ES"}};
        for (auto [code, nom] : langues) {
            ChoixLangue(code);
            mode(18);
            QCoreApplication::processEvents();
            essai::Capturer(p, QStringLiteral("panelcaract-18-%1").arg(nom));
        }
    }
};

QTEST_MAIN(TstPanelCaract)
#include "tst_panelcaract.moc"
