// The load panel driven through its sliders and spin buttons: computed
// captions and values, slider conventions, constraints of every law, the
// inertia steps, SetMode keeping the words of every law, damaged headers,
// range changes that must not write under the wrong law, tiny plots.
#include <QLabel>
#include <QSlider>
#include <QToolButton>
#include <QtTest>
#include <cstring>

#include "Captures.h"
#include "load/PanelCaract.h"
#include "study/LoisCharge.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

// The words a panel law reads or writes.
const int MotsCharge[] = {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 23, 24, 25, 26, 27, 28};

}  // namespace

class TstPanelCaract : public QObject {
    Q_OBJECT

    QWidget* hote = nullptr;
    TPanelCaract* p = nullptr;

    void mode(int type) { p->SetMode(nullptr, type); }

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

    void computedTexts_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("gamme");
        QTest::addColumn<int>("frequence");
        QTest::addColumn<QStringList>("titres");   // TextC1..3
        QTest::addColumn<QStringList>("valeurs");  // TextB1..3
        QTest::addColumn<QString>("j");
        QTest::newRow("T = cst, 50 Hz")
            << 6 << 0 << 50 << QStringList{"Couple constant", "", "Puissance à 1500tr/min"}
            << QStringList{"2,00 Nm", "", "314 W"} << "J = 0,000 kg.m²";
        QTest::newRow("T = cst, 60 Hz")
            << 10 << 0 << 60 << QStringList{"Couple constant", "", "Puissance à 1800tr/min"}
            << QStringList{"2,00 Nm", "", "376 W"} << "J = 0,000 kg.m²";
        QTest::newRow("T = a.n + b, 60 Hz")
            << 7 << 0 << 60
            << QStringList{"Couple constant", "Couple à 1800tr/min", "Puissance à 1800tr/min"}
            << QStringList{"2,00 Nm", "5,00 Nm", "942 W"} << "J = 0,000 kg.m²";
        QTest::newRow("P = cst, 60 Hz")
            << 9 << 0 << 60
            << QStringList{"Couple constant", "Couple à 2400tr/min", "Puissance constante"}
            << QStringList{"5,00 Nm", "0,79 Nm", "200 W"} << "J = 0,000 kg.m²";
        QTest::newRow("Levage") << 18 << 0 << 50
                                << QStringList{"Couple de descente", "Couple de montée", "Masse"}
                                << QStringList{"6,90 Nm", "9,55 Nm", "130 kg"} << "J = 0,005 kg.m²";
        QTest::newRow("décollage, gamme 1")
            << 15 << 1 << 50
            << QStringList{"Couple de collage", "Couple à 1500tr/min", "Vitesse décollage"}
            << QStringList{"1,00 Nm", "0,40 Nm", "150 tr/min"} << "J = 0,000 kg.m²";
        QTest::newRow("T cyclique")
            << 14 << 0 << 50 << QStringList{"Couple minimum", "", "Couple maximum"}
            << QStringList{"2,00 Nm", "", "5,00 Nm"} << "J = 0,000 kg.m²";
    }
    void computedTexts() {
        QFETCH(int, type);
        QFETCH(int, gamme);
        QFETCH(int, frequence);
        QFETCH(QStringList, titres);
        QFETCH(QStringList, valeurs);
        QFETCH(QString, j);
        ConfigGenerale.GammePuissance = gamme;
        ConfigGenerale.FrequenceReseau = frequence;
        mode(type);
        QCOMPARE(p->TextC1->text(), titres[0]);
        if (!titres[1].isEmpty()) QCOMPARE(p->TextC2->text(), titres[1]);
        QCOMPARE(p->TextC3->text(), titres[2]);
        QCOMPARE(p->TextB1->text(), valeurs[0]);
        if (!valeurs[1].isEmpty()) QCOMPARE(p->TextB2->text(), valeurs[1]);
        QCOMPARE(p->TextB3->text(), valeurs[2]);
        QCOMPARE(p->TextJ->text(), j);
    }

    void sliderHintsNameTheirValue_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("bulleA");
        QTest::addColumn<QString>("bulleB");
        QTest::newRow("7") << 7 << "Couple à 1500tr/min"
                           << "Couple constant";
        QTest::newRow("13") << 13 << "Puissance constante"
                            << "Couple constant";
        QTest::newRow("14") << 14 << "Couple maximum"
                            << "Couple minimum";
        QTest::newRow("17") << 17 << "Masse"
                            << "Couple de descente";
    }
    void sliderHintsNameTheirValue() {
        QFETCH(int, type);
        QFETCH(QString, bulleA);
        QFETCH(QString, bulleB);
        mode(type);
        QCOMPARE(p->TrackBarA->toolTip(), bulleA);
        QCOMPARE(p->TrackBarB->toolTip(), bulleB);
    }

    void constantTorquePolyline() {
        mode(6);
        const std::vector<PointCharge> attendu = {{0, 0}, {0, 200}, {1500, 200}};
        QVERIFY(p->Affichage().Points == attendu);
        const GeometrieTrace& g = p->Geometrie();
        QCOMPARE(g.GradVitesse.size(), size_t{3});
        QCOMPARE(g.GradVitesse.back().Texte, std::string("1500"));
        QCOMPARE(g.GradCouple.size(), size_t{3});
    }

    void hoistInEnglishAndSpanish() {
        ChoixLangue(LangueAnglais);
        mode(17);
        QCOMPARE(p->TextC2->text(), QStringLiteral("Up torque"));
        QCOMPARE(p->TextC3->text(), QStringLiteral("Weight"));
        QCOMPARE(p->StaticTextReduction->text(), QStringLiteral("Speed"));
        ChoixLangue(LangueEspagnol);
        p->Action(nullptr);
        QCOMPARE(p->TextC3->text(), QStringLiteral("Masa"));
        QCOMPARE(p->StaticTextPent->text(), QStringLiteral("Rendimiento :"));
    }

    void visibilityPerLaw_data() {
        QTest::addColumn<int>("type");
        // shown: column 2, A, B, J, PanelN, PanelCycle, PanelInertie
        QTest::addColumn<QString>("montres");
        QTest::newRow("6") << 6 << "0011000";
        QTest::newRow("10") << 10 << "0011001";
        QTest::newRow("7") << 7 << "1111000";
        QTest::newRow("12") << 12 << "1111001";
        QTest::newRow("13") << 13 << "1111001";
        QTest::newRow("14") << 14 << "0111011";
        QTest::newRow("15") << 15 << "1111100";
        QTest::newRow("16") << 16 << "1111101";
        QTest::newRow("17") << 17 << "1100010";
        QTest::newRow("18") << 18 << "1100011";
    }
    void visibilityPerLaw() {
        QFETCH(int, type);
        QFETCH(QString, montres);
        mode(type);
        const QWidget* w[7] = {p->PanelAff2, p->TrackBarA,  p->TrackBarB,   p->TrackBarJ,
                               p->PanelN,    p->PanelCycle, p->PanelInertie};
        QString lu;
        for (const QWidget* x : w) lu += x->isHidden() ? '0' : '1';
        QCOMPARE(lu, montres);
    }

    void sliderConventions_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("curseurA");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("mot");
        QTest::addColumn<int>("valeur");
        QTest::newRow("B of T = cst") << 6 << false << 100 << 3 << 50;
        QTest::newRow("B at the top") << 6 << false << 0 << 3 << 150;
        QTest::newRow("A of T = a.n + b") << 7 << true << 30 << 4 << 120;
        QTest::newRow("A of the hoist") << 17 << true << 120 << 26 << 180;
        QTest::newRow("A of the hoist, top") << 18 << true << 50 << 26 << 250;
        QTest::newRow("A of the hoist, bottom") << 18 << true << 250 << 26 << 50;
    }
    void sliderConventions() {
        QFETCH(int, type);
        QFETCH(bool, curseurA);
        QFETCH(int, position);
        QFETCH(int, mot);
        QFETCH(int, valeur);
        mode(type);
        (curseurA ? p->TrackBarA : p->TrackBarB)->setValue(position);
        QCOMPARE(ReglagesCourants[mot], valeur);
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
        const int luA = p->TrackBarA->maximum() - p->TrackBarA->value() + p->TrackBarA->minimum();
        const int luB = p->TrackBarB->maximum() - p->TrackBarB->value();
        if (valeurA >= 0) QCOMPARE(luA, valeurA);
        if (valeurB >= 0) QCOMPARE(luB, valeurB);
        if (mots[0] >= 0) QCOMPARE(ReglagesCourants[mots[0]], valeurA);
        if (mots[1] >= 0) QCOMPARE(ReglagesCourants[mots[1]], valeurB);
    }

    void breakAwaySpeedSlider() {
        mode(15);
        QCOMPARE(p->TrackBarN->value(), 10);
        p->TrackBarN->setValue(40);
        QCOMPARE(ReglagesCourants[25], 40);
        QCOMPARE(p->TextB3->text(), QStringLiteral("600 tr/min"));
    }

    void inertia_data() {
        QTest::addColumn<int>("gamme");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("mot14");
        QTest::addColumn<QString>("texte");
        QTest::newRow("Jscale 1000, 50") << 0 << 50 << 1000 << "J = 1,000 kg.m²";
        QTest::newRow("Jscale 200, 50") << 1 << 50 << 200 << "J = 0,200 kg.m²";
        for (int pos = 1; pos <= 4; ++pos)
            QTest::addRow("Jscale 200, %d", pos) << 1 << pos << 0 << "J = 0,000 kg.m²";
        QTest::newRow("Jscale 200, 5") << 1 << 5 << 1 << "J = 0,001 kg.m²";
        QTest::newRow("Jscale 1000, 20") << 0 << 20 << 25 << "J = 0,025 kg.m²";
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

    void spinButtons() {
        mode(14);
        QTest::mouseClick(p->SpinButtonReductionDown, Qt::LeftButton);
        QCOMPARE(ReglagesCourants[12], 90);
        QCOMPARE(p->StaticTextred->text(), QStringLiteral("1/90"));
        QTest::mouseClick(p->SpinButtonReductionUp, Qt::LeftButton);
        QTest::mouseClick(p->SpinButtonReductionUp, Qt::LeftButton);
        QCOMPARE(ReglagesCourants[12], 100);
        for (int i = 0; i < 12; ++i) QTest::mouseClick(p->SpinButtonPenteUp, Qt::LeftButton);
        QCOMPARE(ReglagesCourants[13], 10);
        QCOMPARE(p->StaticTextPente->text(), QStringLiteral("100%"));
        mode(18);
        QTest::mouseClick(p->SpinButtonReductionUp, Qt::LeftButton);
        QCOMPARE(ReglagesCourants[27], 11);
        QCOMPARE(p->StaticTextred->text(), QStringLiteral("1,1 m/s"));
        for (int i = 0; i < 40; ++i) QTest::mouseClick(p->SpinButtonPenteDown, Qt::LeftButton);
        QCOMPARE(ReglagesCourants[28], 50);
        QCOMPARE(p->StaticTextPente->text(), QStringLiteral("50%"));
        QCOMPARE(ReglagesCourants[13], 10);  // the cyclic words stay as they were
    }

    // Going from law to law and back restores each law's settings.
    void setModeKeepsEveryLawsWords() {
        const std::pair<int, int> mots[] = {{3, 33},  {4, 140},  {5, 7},   {6, 120}, {7, 30},
                                            {8, 70},  {9, 15},   {10, 90}, {11, 60}, {12, 40},
                                            {13, 3},  {23, 100}, {24, 80}, {25, 55}, {26, 60},
                                            {27, 12}, {28, 70}};
        for (auto [m, v] : mots) ReglagesCourants[m] = v;
        const EnteteCaract avant = ReglagesCourants;
        const int suite[] = {8, 17, 7, 15, 14, 9, 6, 18, 12, 16, 11, 13, 10, 17, 8, 15, 7};
        for (int type : suite) {
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
        QTest::newRow("Levage low, then T cyclique") << 18 << 14 << 10 << 50;
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

    void damagedHeaderClamped() {
        ReglagesCourants[8] = 0;
        ReglagesCourants[9] = -20;
        ReglagesCourants[MotInertie] = 99999;
        mode(13);
        QCOMPARE(ReglagesCourants[8], 10);
        QCOMPARE(ReglagesCourants[9], 10);
        QCOMPARE(p->TrackBarB->maximum() - p->TrackBarB->value(), 10);
        QCOMPARE(ReglagesCourants[MotInertie], 1000);  // the slider's last step
        QCOMPARE(p->TextB1->text(), QStringLiteral("1,00 Nm"));
        ReglagesCourants[12] = 0;
        ReglagesCourants[13] = 40;
        ReglagesCourants[10] = 900;
        mode(14);
        QCOMPARE(ReglagesCourants[12], 10);
        QCOMPARE(ReglagesCourants[13], 10);
        QCOMPARE(ReglagesCourants[10], 150);
        ReglagesCourants[28] = 0;
        ReglagesCourants[27] = 0;
        mode(17);
        QCOMPARE(ReglagesCourants[28], 50);
        QCOMPARE(ReglagesCourants[27], 5);
    }

    void validHeaderUntouched() {
        for (int type = 6; type <= 18; ++type) {
            const EnteteCaract avant = ReglagesCourants;
            mode(type);
            for (int m : MotsCharge) QCOMPARE(ReglagesCourants[m], avant[m]);
        }
    }

    // The third column follows a power-range change at the next SetMode.
    void powerRangeChange() {
        mode(9);
        QCOMPARE(p->TextB3->text(), QStringLiteral("200 W"));
        ConfigGenerale.GammePuissance = 3;
        mode(9);
        QCOMPARE(p->TextB3->text(), QStringLiteral("600 W"));
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
        const struct {
            int code;
            const char* nom;
        } langues[] = {{LangueFrancais, "FR"}, {LangueAnglais, "EN"}, {LangueEspagnol, "ES"}};
        for (const auto& l : langues) {
            ChoixLangue(l.code);
            for (int type = 6; type <= 18; ++type) {
                if (l.code != LangueFrancais && type != 7 && type != 14 && type != 16 && type != 18)
                    continue;
                mode(type);
                QCoreApplication::processEvents();
                essai::Capturer(p, QStringLiteral("panelcaract-%1-%2").arg(type).arg(l.nom));
            }
        }
    }
};

QTEST_MAIN(TstPanelCaract)
#include "tst_panelcaract.moc"
