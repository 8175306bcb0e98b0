// The load panel driven through its sliders, keys and spin buttons.
#include <QtTest>
#include <QtWidgets>

#include "load/PanelCaract.h"
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
        p = new TPanelCaract(hote = new QWidget);
        hote->resize(400, 390), p->resize(400, 390), hote->show();
        QVERIFY(QTest::qWaitForWindowExposed(hote));
    }
    void cleanupTestCase() { delete hote; }
    void init() {
        ChoixLangue(LangueFrancais), InitEtude();
        ConfigGenerale.GammePuissance = 0, ConfigGenerale.FrequenceReseau = 50;
    }

    // The controls each law shows ("1" shown) in the order: second column,
    // slider A, slider B, inertia slider, speed panel, cycle panel, inertia
    // panel; `attendus` pins the worked examples (label=text).
    void widgetsShowTheLaw_data() {
        QTest::addColumn<QList<int>>("c");  // type, mains frequency
        QTest::addColumn<QString>("montres");
        QTest::addColumn<QStringList>("attendus");
        QTest::newRow("T = cst") << QList{6, 50} << "0011000"
                                 << QStringList{"B1=2,00 Nm", "B3=314 W", "bulleB=Couple constant"};
        QTest::newRow("T = a.n + b, 60 Hz")
            << QList{7, 60} << "1111000" << QStringList{"C2=Couple à 1800tr/min", "B3=942 W"};
        QTest::newRow("cycle panel") << QList{14, 50} << "0111011" << QStringList{};
        QTest::newRow("hoist") << QList{18, 50} << "1100011"
                               << QStringList{"B1=6,90 Nm", "B2=9,55 Nm", "J=J = 0,005 kg.m²",
                                              "bulleA=Masse"};
    }
    void widgetsShowTheLaw() {
        QFETCH(QList<int>, c);
        QFETCH(QString, montres);
        QFETCH(QStringList, attendus);
        ConfigGenerale.FrequenceReseau = c[1], mode(c[0]);
        const QWidget* w[7] = {p->PanelAff2, p->TrackBarA,  p->TrackBarB,   p->TrackBarJ,
                               p->PanelN,    p->PanelCycle, p->PanelInertie};
        QString vus;
        for (const QWidget* x : w) vus += !x->isHidden() ? '1' : '0';
        QCOMPARE(vus, montres);
        const QMap<QString, QWidget*> l{
            {"C2", p->TextC2}, {"B1", p->TextB1},        {"B2", p->TextB2},       {"B3", p->TextB3},
            {"J", p->TextJ},   {"bulleA", p->TrackBarA}, {"bulleB", p->TrackBarB}};
        for (const QString& e : attendus) {
            QWidget* x = l.value(e.section('=', 0, 0));
            QCOMPARE(x->property(qobject_cast<QLabel*>(x) ? "text" : "toolTip").toString(),
                     e.section('=', 1));
        }
    }

    // Slider A or B set to a value as read: both sliders and their words
    // follow the law (every law's constraint in the unit tests). The speed
    // slider, the slope button and the Up key write their word and text.
    void controlsWriteTheirWords() {
        mode(8), p->TrackBarB->setValue(p->TrackBarB->maximum() - 90);  // B dragging A up
        QCOMPARE(QList<int>({luA(), luB(), ReglagesCourants[6], ReglagesCourants[7]}),
                 QList<int>({90, 90, 90, 90}));
        // The hoist's A starts at its minimum.
        mode(17), p->TrackBarA->setValue(p->TrackBarA->maximum() - 222 + p->TrackBarA->minimum());
        QVERIFY(luA() == 222 && ReglagesCourants[26] == 222);
        InitEtude(), mode(15), p->TrackBarN->setValue(40);
        QVERIFY(ReglagesCourants[25] == 40 && p->TextB3->text() == QStringLiteral("600 tr/min"));
        mode(14);
        for (int i = 0; i < 12; ++i) QTest::mouseClick(p->SpinButtonPenteUp, Qt::LeftButton);
        QVERIFY(ReglagesCourants[13] == 10 && p->StaticTextPente->text() == QStringLiteral("100%"));
        mode(6), p->TrackBarB->setFocus(), QTest::keyClick(p->TrackBarB, Qt::Key_Up);
        QVERIFY(ReglagesCourants[3] == 21 && p->TextB1->text() == QStringLiteral("2,10 Nm"));
    }

    // Word 14 takes the inertia table's step (positions 1-4 store 0 at a J
    // scale of 200); shown again, the slider finds its step from the word.
    void inertia() {
        for (const QList<int>& c : {QList{0, 50, 1000, 1000}, {1, 4, 0, 0}, {1, 5, 1, 1}}) {
            ConfigGenerale.GammePuissance = c[0];  // range, position, word 14, thousandths
            mode(10), p->TrackBarJ->setValue(c[1]);
            QCOMPARE(ReglagesCourants[MotInertie], c[2]);
            QCOMPARE(p->TextJ->text(),
                     QStringLiteral("J = %1 kg.m²")
                         .arg(QString::number(c[3] / 1000.0, 'f', 3).replace('.', ',')));
            mode(12);
            QCOMPARE(p->TrackBarJ->value(), c[2] == 0 ? 0 : c[1]);
        }
    }

    // Words are clamped before the sliders take them; going from law to law
    // and back, SetMode writes no word and each law finds its settings again.
    void setModeKeepsEveryLawsWords() {
        const std::pair<int, int> mots[] = {{3, 33},  {4, 50},     {5, 7},    {6, 150}, {7, 30},
                                            {8, 0},   {9, -20},    {10, 90},  {11, 60}, {12, 40},
                                            {13, 3},  {14, 99999}, {23, 100}, {24, 80}, {25, 55},
                                            {26, 60}, {27, 12},    {28, 70}};
        for (auto [m, v] : mots) ReglagesCourants[m] = v;
        mode(13);
        // Word 14 at the slider's last step.
        QCOMPARE(QList<int>({ReglagesCourants[8], ReglagesCourants[9], luB(),
                             ReglagesCourants[MotInertie]}),
                 QList({10, 10, 10, 1000}));
        const EnteteCaract avant = ReglagesCourants;
        for (int type : {8, 17, 7, 15, 14, 9, 6, 18, 12, 16, 11, 13, 10, 17, 8, 15, 7}) {
            mode(type);
            for (auto [m, v] : mots) QCOMPARE(ReglagesCourants[m], avant[m]);
        }
    }
};

QTEST_MAIN(TstPanelCaract)
#include "tst_panelcaract.moc"
