// The new/modified graph view dialog: lists per machine, preselections,
// quadrant rules, what OK, cancel and the current-range buttons write.
#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>
#include <cstring>

#include "dialogs/NouvelCaract.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {
QString nom(int q) { return QString::fromStdString(DepuisCp1252(Etude.Grandeurs[q].Nom.Lire())); }
QString coche(const QList<QRadioButton*>& items) {
    for (auto* i : items)
        if (i->isChecked()) return i->text();
    return {};
}
// A view already in a slot, as the modification dialog finds it.
struct Modif {
    int machine, type, vue, gx, gy, quadrant, montre;  // montre: the quadrant shown
    bool listees = true, annuler = false;
};
}  // namespace
Q_DECLARE_METATYPE(Modif)

class TstNouvelCaract : public QObject {
    Q_OBJECT

    TNouvelCaract d;

    void montrer(int mode, int slot, int machine, int type) {
        ReglagesCourants[MotTypeMachine] = machine;
        ReglagesCourants[MotTypeCaract] = type;
        d.Mode = mode;
        d.NumeroVue = slot;
        d.setResult(0);
        d.show();
    }
    // The quadrant buttons that can be chosen, as a string of their numbers.
    QString quadrantsPermis() const {
        QString s;
        for (int q = 0; q < 9; ++q)
            if (d.GroupeQuadrants->button(q)->isEnabled()) s += QString::number(q);
        return s;
    }

private slots:
    void init() {
        ChoixLangue(LangueFrancais);
        InitEtude();
        ConfigGenerale.GammePuissance = 0;
    }
    void cleanup() { d.hide(); }

    void positionAxesIsReverseOfChoixAxes() {
        for (int m = 0; m < NbTypesMachine; ++m) {
            for (int p = 1; p < NbGrandeurs; ++p)
                if (const int q = ChoixAxes[m][p]) QCOMPARE(PositionAxes(m, q), p);
            for (int q = 0; q < NbGrandeurs; ++q)
                if (const int p = PositionAxes(m, q)) QCOMPARE(ChoixAxes[m][p], q);
        }
    }

    // Power ranges 1, 3 and out of the table: rows 1, 3 and 3 of the default zooms.
    void newViewOnSeriesMachine() {
        for (auto [gamme, ligne] : {std::pair{1, 1}, {3, 3}, {9, 3}}) {
            ConfigGenerale.GammePuissance = gamme;
            EtudeEnregistree = 1;
            montrer(0, 2, 2, 6);
            QCOMPARE(d.windowTitle(), QStringLiteral("Nouvelle caractéristique"));
            QCOMPARE(d.ItemsY.size(), 8);
            QCOMPARE(d.ItemsX.size(), 8);
            for (int p = 0; p < 8; ++p) QCOMPARE(d.ItemsX[p]->text(), nom(ChoixAxes[2][p + 1]));
            QVERIFY(d.ItemsY.last()->isVisible());
            QCOMPARE(coche(d.ItemsY), nom(GCouple));
            QCOMPARE(coche(d.ItemsX), nom(GVitesse));
            QCOMPARE(d.QuadrantChoisi(), 0);
            d.ItemsY.last()->click();  // losses
            d.BtnOK->click();
            QCOMPARE(d.result(), int(QDialog::Accepted));
            const VueGraphe& v = Etude.Vues[1];
            QVERIFY(v.Presente == 1 && v.Affichee == 1 && v.Quadrant == 0);
            QCOMPARE(QList<int>({v.GrandeurX, v.GrandeurY, v.ZoomX, v.ZoomY}),
                     QList<int>({GVitesse, GPertes, ZoomDefaut[ligne][GVitesse],
                                 ZoomDefaut[ligne][GPertes]}));
            QCOMPARE(int(EtudeEnregistree), 0);
        }
    }

    // On a time abscissa only quadrants 1 to 3 can be chosen, 2 by default.
    void dynamicLoadUsesTime_data() {
        QTest::addColumn<int>("type");
        for (int t : {10, 11, 12, 13, 14, 16, 18}) QTest::addRow("type %d", t) << t;
    }
    void dynamicLoadUsesTime() {
        QFETCH(int, type);
        d.Q1->setChecked(true);  // left down by an earlier use
        montrer(0, 1, 3, type);
        QCOMPARE(d.ItemsX.size(), d.ItemsY.size() + 1);
        QCOMPARE(coche(d.ItemsX), nom(GTemps));
        QCOMPARE(d.ItemsX.last()->text(), nom(GTemps));
        for (int fois = 0; fois < 2; ++fois) {
            QCOMPARE(quadrantsPermis(), QString("123"));
            QCOMPARE(d.QuadrantChoisi(), 2);
            d.ItemsX[0]->click();  // the user goes to the speed and back
            QCOMPARE(quadrantsPermis(), QString("012345678"));
            QCOMPARE(d.QuadrantChoisi(), 0);
            d.ItemsX.last()->click();
        }
        d.BtnOK->click();
        QCOMPARE(Etude.Vues[0].GrandeurX, int(GTemps));
    }

    void doubleClickOnQuadrantValidates() {
        montrer(0, 1, 1, 10);
        QTest::mouseDClick(d.Q6, Qt::LeftButton);  // disabled on a time abscissa
        QVERIFY(d.isVisible());
        d.hide();
        ReglagesCourants[MotTypeCaract] = 1;
        QTimer::singleShot(0, &d, [this] { QTest::mouseDClick(d.Q4, Qt::LeftButton); });
        QCOMPARE(d.exec(), int(QDialog::Accepted));
        QCOMPARE(Etude.Vues[0].Quadrant, 4);
        QCOMPARE(int(EtudeEnregistree), 0);
    }

    // The slot's quantities and quadrant are preselected; OK keeps the zooms
    // (and an unlisted quantity), Cancel writes nothing.
    void modification_data() {
        QTest::addColumn<Modif>("c");
        QTest::newRow("series machine, time abscissa") << Modif{2, 10, 3, GTemps, GPertes, 1, 1};
        QTest::newRow("series machine") << Modif{2, 6, 3, GPertes, GRendement, 6, 6};
        QTest::newRow("DC supply, time") << Modif{5, 18, 3, GTemps, GCourant, 3, 3};
        QTest::newRow("DC supply") << Modif{5, 1, 3, GPertes, GVitesse, 8, 8};
        // Machine 42 taken as 7, slot 12 as 4; a static law lists no time.
        QTest::newRow("unlisted, out of range")
            << Modif{42, 6, 12, GTemps, GCourantExcitation, 99, 8, false};
        QTest::newRow("cancel") << Modif{0, 1, 2, GCouple, GVitesse, 4, 4, true, true};
    }
    void modification() {
        QFETCH(Modif, c);
        VueGraphe& v = Etude.Vues[std::min(c.vue, 4) - 1];
        v = VueGraphe{1, 0, {}, c.gx, 33, {}, c.gy, 44, {}, c.quadrant};
        const VueGraphe avant = v;
        EtudeEnregistree = 1;
        montrer(1, c.vue, c.machine, c.type);
        QCOMPARE(coche(d.ItemsX), c.listees ? nom(c.gx) : QString());
        QCOMPARE(coche(d.ItemsY), c.listees ? nom(c.gy) : QString());
        QCOMPARE(d.QuadrantChoisi(), c.montre);
        if (c.annuler) {
            d.ItemsX[4]->click();
            d.Q1->click();
            d.BitBtn2->click();
            QCOMPARE(d.result(), int(QDialog::Rejected));
            QVERIFY(std::memcmp(&v, &avant, sizeof avant) == 0);
            QCOMPARE(int(EtudeEnregistree), 1);
            return;
        }
        d.BtnOK->click();
        QCOMPARE(QList<int>({v.GrandeurX, v.GrandeurY, v.ZoomX, v.ZoomY, v.Quadrant, v.Affichee}),
                 QList<int>({c.gx, c.gy, 33, 44, c.montre, 1}));
        QCOMPARE(int(EtudeEnregistree), 0);
    }

    // A new view sets the range of the next trial only; a modification, the
    // current trial's too.
    void currentRangeButtonsAndLanguage() {
        NouvelleCaract();  // characteristic 1, current
        montrer(0, 1, 1, 1);
        QVERIFY(d.ButtonCalibre20A->isChecked());
        d.ButtonCalibre2A->click();
        QCOMPARE(ReglagesCourants[MotCalibre], 1);
        QCOMPARE(Caracts[1].Entete[MotCalibre], 0);
        d.hide();
        ChoixLangue(LangueAnglais);
        montrer(1, 1, 1, 1);
        QCOMPARE(d.windowTitle(), QStringLiteral(" Data modification "));
        QCOMPARE(d.RadioGroupX->title(), QStringLiteral(" X abscissa"));
        QVERIFY(d.ButtonCalibre2A->isChecked());
        d.ButtonCalibre2A->click();
        QCOMPARE(Caracts[1].Entete[MotCalibre], 1);
        d.ButtonCalibre20A->click();
        QCOMPARE(ReglagesCourants[MotCalibre], 0);
        QCOMPARE(Caracts[1].Entete[MotCalibre], 0);
    }
};

QTEST_MAIN(TstNouvelCaract)
#include "tst_nouvelcaract.moc"
