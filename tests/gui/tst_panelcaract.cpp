// The load panel driven through its sliders, keys and spin buttons: the widgets
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
        QTest::addColumn<QList<int>>("c");          // type, range, mains frequency, language
        QTest::addColumn<QStringList>("attendus");  // label=text
        const int fr = LangueFrancais;
        for (int t = 7; t <= 17; ++t)  // 6 and 18 below
            QTest::addRow("type %d", t) << QList<int>{t, 0, 50, fr} << QStringList{};
        QTest::newRow("T = cst") << QList<int>{6, 0, 50, fr}
                                 << QStringList{"B1=2,00 Nm", "B3=314 W",
                                                "C3=Puissance à 1500tr/min",
                                                "bulleB=Couple constant"};
        QTest::newRow("Levage") << QList<int>{18, 0, 50, fr}
                                << QStringList{"B1=6,90 Nm", "B2=9,55 Nm", "B3=130 kg",
                                               "J=J = 0,005 kg.m²", "bulleA=Masse"};
        QTest::newRow("T = a.n + b, 60 Hz")
            << QList<int>{7, 0, 60, fr}
            << QStringList{"C2=Couple à 1800tr/min", "C3=Puissance à 1800tr/min", "B3=942 W",
                           "bulleA=Couple à 1800tr/min"};
        QTest::newRow("P = cst, range 3") << QList<int>{9, 3, 50, fr} << QStringList{};
        QTest::newRow("Levage, English")
            << QList<int>{17, 0, 50, LangueAnglais} << QStringList{"C2=Up torque", "C3=Weight"};
        QTest::newRow("Levage, Spanish") << QList<int>{17, 0, 50, LangueEspagnol}
                                         << QStringList{"C3=Masa", "Pent=Rendimiento :"};
        QTest::newRow("18 EN") << QList<int>{18, 0, 50, LangueAnglais} << QStringList{};
        QTest::newRow("18 ES") << QList<int>{18, 0, 50, LangueEspagnol} << QStringList{};
    }
    void widgetsShowTheComputedLaw() {
        QFETCH(QList<int>, c);
        QFETCH(QStringList, attendus);
        const int type = c[0];
        ChoixLangue(c[3]);
        ConfigGenerale.GammePuissance = c[1];
        ConfigGenerale.FrequenceReseau = c[2];
        mode(type);
        EnteteCaract r = ReglagesCourants;
        const AffichageCharge a =
            CalculerAffichage(type, r, EchellesDe(c[1], c[2]), p->TrackBarA->maximum(),
                              p->TrackBarB->maximum(), p->TrackBarN->maximum(), Textes);
        const QList<QLabel*> l = {
            p->TextC1,        p->TextC2,         p->TextC3,         p->TextB1,
            p->TextB2,        p->TextB3,         p->TextJ,          p->StaticTextReduction,
            p->StaticTextred, p->StaticTextPent, p->StaticTextPente};
        const std::string* t[] = {&a.C1, &a.C2,        &a.C3,  &a.B1,   &a.B2,   &a.B3,
                                  &a.J,  &a.Reduction, &a.Red, &a.Pent, &a.Pente};
        // The cycle panel's texts matter only while it is shown.
        const int n = a.PanneauCycle ? int(l.size()) : 7;
        for (int i = 0; i < n; ++i) QCOMPARE(l[i]->text(), QString::fromStdString(*t[i]));
        const bool montres[7] = {a.Colonne2, a.CurseurA,     a.CurseurB,      a.CurseurJ,
                                 a.PanneauN, a.PanneauCycle, a.PanneauInertie};
        const QWidget* w[7] = {p->PanelAff2, p->TrackBarA,  p->TrackBarB,   p->TrackBarJ,
                               p->PanelN,    p->PanelCycle, p->PanelInertie};
        for (int i = 0; i < 7; ++i) QCOMPARE(!w[i]->isHidden(), montres[i]);
        const QStringList noms = {"C1", "C2", "C3",        "B1",  "B2",
                                  "B3", "J",  "Reduction", "red", "Pent"};
        for (const QString& e : attendus) {
            const QString cle = e.section('=', 0, 0), texte = e.section('=', 1);
            const QString lu = cle == "bulleA"   ? p->TrackBarA->toolTip()
                               : cle == "bulleB" ? p->TrackBarB->toolTip()
                                                 : l[noms.indexOf(cle)]->text();
            QCOMPARE(lu, texte);
        }
        if (type == 18 && c[1] == 0) {
            QCoreApplication::processEvents();
            essai::Capturer(p, "panelcaract-18-" + QStringList{"FR", "EN", "ES"}[c[3] - 1]);
        }
    }

    // The user sets slider A or B to a value (as read: the handle's top is
    // the maximum); both sliders and their words follow the law (-1: not
    // checked).
    void constraints_data() {
        QTest::addColumn<QList<int>>("c");  // law, slider A, value, A, B, word A, word B
        QTest::newRow("6: B alone") << QList<int>{6, 0, 90, -1, 90, -1, 3};
        QTest::newRow("7: free") << QList<int>{7, 0, 90, 50, 90, 4, 5};
        QTest::newRow("8: B drags A up") << QList<int>{8, 0, 90, 90, 90, 6, 7};
        QTest::newRow("12: A under B refused") << QList<int>{12, 1, 5, 20, 20, 6, 7};
        QTest::newRow("9: A at least 10") << QList<int>{9, 1, 3, 10, 50, 9, 8};
        QTest::newRow("13: B at least 10") << QList<int>{13, 0, 0, 20, 10, 9, 8};
        QTest::newRow("14: B drags A up") << QList<int>{14, 0, 120, 120, 120, 10, 11};
        QTest::newRow("15: A above B refused") << QList<int>{15, 1, 90, 50, 50, 24, 23};
        QTest::newRow("16: B drags A down") << QList<int>{16, 0, 10, 10, 10, 24, 23};
        QTest::newRow("17: A alone") << QList<int>{17, 1, 222, 222, -1, 26, -1};
    }
    void constraints() {
        QFETCH(QList<int>, c);
        mode(c[0]);
        QSlider* s = c[1] ? p->TrackBarA : p->TrackBarB;
        s->setValue(s->maximum() - c[2] + (c[1] ? s->minimum() : 0));
        if (c[3] >= 0) QCOMPARE(luA(), c[3]);
        if (c[4] >= 0) QCOMPARE(luB(), c[4]);
        if (c[5] >= 0) QCOMPARE(ReglagesCourants[c[5]], c[3]);
        if (c[6] >= 0) QCOMPARE(ReglagesCourants[c[6]], c[4]);
    }

    // The speed slider, the spin buttons and the keys on slider B write
    // their word and its text; the keys move the handle the way they point.
    void otherControlsWriteTheirWord_data() {
        // law, control (0 speed slider set to `fois`; 1..4 reduction up/down,
        // slope up/down clicked, 5..6 Up/Down keys on B, `fois` times), fois,
        // word, its value
        QTest::addColumn<QList<int>>("c");
        QTest::addColumn<QString>("texte");
        QTest::newRow("break-away speed") << QList<int>{15, 0, 40, 25, 40} << "600 tr/min";
        QTest::newRow("reduction down") << QList<int>{14, 2, 1, 12, 90} << "1/90";
        QTest::newRow("slope up, capped") << QList<int>{14, 3, 12, 13, 10} << "100%";
        QTest::newRow("hoist speed up") << QList<int>{18, 1, 1, 27, 11} << "1,1 m/s";
        QTest::newRow("efficiency down, floor") << QList<int>{18, 4, 40, 28, 50} << "50%";
        QTest::newRow("key up") << QList<int>{6, 5, 1, 3, 21} << "2,10 Nm";
        QTest::newRow("key down") << QList<int>{6, 6, 2, 3, 18} << "1,80 Nm";
    }
    void otherControlsWriteTheirWord() {
        QFETCH(QList<int>, c);
        QFETCH(QString, texte);
        mode(c[0]);
        QToolButton* b[] = {nullptr, p->SpinButtonReductionUp, p->SpinButtonReductionDown,
                            p->SpinButtonPenteUp, p->SpinButtonPenteDown};
        if (c[1] == 0) p->TrackBarN->setValue(c[2]);
        p->TrackBarB->setFocus();
        for (int i = 0; c[1] && i < c[2]; ++i) {
            if (c[1] >= 5)
                QTest::keyClick(p->TrackBarB, c[1] == 5 ? Qt::Key_Up : Qt::Key_Down);
            else
                QTest::mouseClick(b[c[1]], Qt::LeftButton);
        }
        QCOMPARE(ReglagesCourants[c[3]], c[4]);
        QLabel* l = c[1] == 0   ? p->TextB3
                    : c[1] <= 2 ? p->StaticTextred
                    : c[1] <= 4 ? p->StaticTextPente
                                : p->TextB1;
        QCOMPARE(l->text(), texte);
    }

    // Word 14 takes the inertia table's step; shown again, the slider finds
    // its step from the word.
    void inertia_data() {
        QTest::addColumn<QList<int>>("c");  // range, position, word 14
        QTest::addColumn<QString>("texte");
        QTest::newRow("Jscale 1000, 50") << QList<int>{0, 50, 1000} << "J = 1,000 kg.m²";
        for (int pos = 1; pos <= 4; ++pos)
            QTest::addRow("Jscale 200, %d", pos) << QList<int>{1, pos, 0} << "J = 0,000 kg.m²";
        QTest::newRow("Jscale 200, 5") << QList<int>{1, 5, 1} << "J = 0,001 kg.m²";
    }
    void inertia() {
        QFETCH(QList<int>, c);
        QFETCH(QString, texte);
        ConfigGenerale.GammePuissance = c[0];
        mode(10);
        p->TrackBarJ->setValue(c[1]);
        QCOMPARE(ReglagesCourants[MotInertie], c[2]);
        QCOMPARE(p->TextJ->text(), texte);
        mode(12);
        QCOMPARE(p->TrackBarJ->value(), c[2] == 0 ? 0 : c[1]);
    }

    // The words are brought into range before the sliders take them; then,
    // going from law to law and back, no law writes a word while SetMode
    // moves its sliders -- not even from the previous law's slider position
    // under the new law's range -- and each law finds its settings again.
    void setModeKeepsEveryLawsWords() {
        const std::pair<int, int> mots[] = {{3, 33},  {4, 50},     {5, 7},    {6, 150}, {7, 30},
                                            {8, 0},   {9, -20},    {10, 90},  {11, 60}, {12, 40},
                                            {13, 3},  {14, 99999}, {23, 100}, {24, 80}, {25, 55},
                                            {26, 60}, {27, 12},    {28, 70}};
        for (auto [m, v] : mots) ReglagesCourants[m] = v;
        mode(13);
        QCOMPARE(ReglagesCourants[8], 10);
        QCOMPARE(ReglagesCourants[9], 10);
        QCOMPARE(luB(), 10);
        QCOMPARE(ReglagesCourants[MotInertie], 1000);  // the slider's last step
        QCOMPARE(p->TextB1->text(), QStringLiteral("1,00 Nm"));
        const EnteteCaract avant = ReglagesCourants;
        // 8 then 17: A at the top (position 0) is below the hoist's minimum;
        // 17 then 7: A low (position 240) is beyond 150.
        for (int type : {8, 17, 7, 15, 14, 9, 6, 18, 12, 16, 11, 13, 10, 17, 8, 15, 7}) {
            mode(type);
            for (auto [m, v] : mots) QCOMPARE(ReglagesCourants[m], avant[m]);
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
};

QTEST_MAIN(TstPanelCaract)
#include "tst_panelcaract.moc"
