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

// The user sets one slider to `valeur`; both sliders and their words follow
// the law (-1: not checked).
struct Contrainte {
    int type;
    bool curseurA;
    int valeur, valeurA, valeurB, motA, motB;
};

// A control moved `fois` times (the speed slider: set to `fois`).
struct Controle {
    int type;
    int controle;  // 0 speed slider, 1..4 reduction up/down, slope up/down
    int fois, mot, valeur;
    QString texte;
};

}  // namespace

Q_DECLARE_METATYPE(Contrainte)
Q_DECLARE_METATYPE(Controle)

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
        for (int t = 6; t <= 18; ++t)
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
        for (int i = 0; i < n; ++i) QCOMPARE(l[i]->text(), Q(*t[i]));
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
        QTest::addColumn<Contrainte>("c");
        QTest::newRow("6: B alone") << Contrainte{6, false, 90, -1, 90, -1, 3};
        QTest::newRow("7: free") << Contrainte{7, false, 90, 50, 90, 4, 5};
        QTest::newRow("8: B drags A up") << Contrainte{8, false, 90, 90, 90, 6, 7};
        QTest::newRow("12: A under B refused") << Contrainte{12, true, 5, 20, 20, 6, 7};
        QTest::newRow("9: A at least 10") << Contrainte{9, true, 3, 10, 50, 9, 8};
        QTest::newRow("13: B at least 10") << Contrainte{13, false, 0, 20, 10, 9, 8};
        QTest::newRow("14: B drags A up") << Contrainte{14, false, 120, 120, 120, 10, 11};
        QTest::newRow("15: A above B refused") << Contrainte{15, true, 90, 50, 50, 24, 23};
        QTest::newRow("16: B drags A down") << Contrainte{16, false, 10, 10, 10, 24, 23};
        QTest::newRow("17: A alone") << Contrainte{17, true, 222, 222, -1, 26, -1};
    }
    void constraints() {
        QFETCH(Contrainte, c);
        mode(c.type);
        QSlider* s = c.curseurA ? p->TrackBarA : p->TrackBarB;
        s->setValue(s->maximum() - c.valeur + (c.curseurA ? s->minimum() : 0));
        if (c.valeurA >= 0) QCOMPARE(luA(), c.valeurA);
        if (c.valeurB >= 0) QCOMPARE(luB(), c.valeurB);
        if (c.motA >= 0) QCOMPARE(ReglagesCourants[c.motA], c.valeurA);
        if (c.motB >= 0) QCOMPARE(ReglagesCourants[c.motB], c.valeurB);
    }

    // The speed slider and the spin buttons write their word and its text.
    void otherControlsWriteTheirWord_data() {
        QTest::addColumn<Controle>("c");
        QTest::newRow("break-away speed") << Controle{15, 0, 40, 25, 40, "600 tr/min"};
        QTest::newRow("reduction down") << Controle{14, 2, 1, 12, 90, "1/90"};
        QTest::newRow("slope up, capped") << Controle{14, 3, 12, 13, 10, "100%"};
        QTest::newRow("hoist speed up") << Controle{18, 1, 1, 27, 11, "1,1 m/s"};
        QTest::newRow("efficiency down, floor") << Controle{18, 4, 40, 28, 50, "50%"};
    }
    void otherControlsWriteTheirWord() {
        QFETCH(Controle, c);
        mode(c.type);
        QToolButton* b[] = {nullptr, p->SpinButtonReductionUp, p->SpinButtonReductionDown,
                            p->SpinButtonPenteUp, p->SpinButtonPenteDown};
        if (c.controle == 0) p->TrackBarN->setValue(c.fois);
        for (int i = 0; c.controle && i < c.fois; ++i)
            QTest::mouseClick(b[c.controle], Qt::LeftButton);
        QCOMPARE(ReglagesCourants[c.mot], c.valeur);
        QLabel* l = c.controle == 0   ? p->TextB3
                    : c.controle <= 2 ? p->StaticTextred
                                      : p->StaticTextPente;
        QCOMPARE(l->text(), c.texte);
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
        QTest::addColumn<QList<int>>("c");  // law before, law after, word, its value
        QTest::newRow("T = a.n²+b at the top, then Levage") << QList<int>{8, 17, 26, 60};
        QTest::newRow("Levage low, then T = a.n + b") << QList<int>{17, 7, 4, 50};
    }
    void rangeChangeWritesNothing() {
        QFETCH(QList<int>, c);
        ReglagesCourants[6] = 150;  // A at the top: position 0, below the hoist's minimum
        ReglagesCourants[26] = 60;  // A low: position 240, beyond 150
        mode(c[0]);
        mode(c[1]);
        QCOMPARE(ReglagesCourants[c[2]], c[3]);
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
