// The new/modified graph view dialog: lists per machine, preselections,
// quadrant rules, what OK, cancel and the current-range buttons write.
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

static QString nom(int q) {
    return QString::fromStdString(DepuisCp1252(Etude.Grandeurs[q].Nom.Lire()));
}

class TstNouvelCaract : public QObject {
    Q_OBJECT

    TNouvelCaract* d = nullptr;

    void montrer(int mode, int slot, int machine, int type) {
        ReglagesCourants[MotTypeMachine] = machine;
        ReglagesCourants[MotTypeCaract] = type;
        d->Mode = mode;
        d->NumeroVue = slot;
        d->setResult(0);
        d->show();
    }
    static QString coche(const QList<QRadioButton*>& items) {
        for (auto* i : items)
            if (i->isChecked()) return i->text();
        return {};
    }
    // The quadrant buttons that can be chosen, as a string of their numbers.
    QString quadrantsPermis() const {
        QString s;
        const QList<QToolButton*> q = {d->Q0, d->Q1, d->Q2, d->Q3, d->Q4,
                                       d->Q5, d->Q6, d->Q7, d->Q8};
        for (int v = 0; v < 9; ++v)
            if (q[v]->isEnabled()) s += QString::number(v);
        return s;
    }

private slots:
    void initTestCase() {
        d = new TNouvelCaract;
        QCOMPARE(NouvelCaract, d);
    }
    void cleanupTestCase() { delete d; }
    void init() {
        ChoixLangue(LangueFrancais);
        InitEtude();
        ConfigGenerale.GammePuissance = 0;
    }
    void cleanup() { d->hide(); }

    void positionAxesIsReverseOfChoixAxes() {
        for (int m = 0; m < NbTypesMachine; ++m) {
            int listees = 0, positions = 0;
            for (int p = 1; p < NbGrandeurs; ++p)
                if (ChoixAxes[m][p] != 0) {
                    ++listees;
                    QCOMPARE(PositionAxes(m, ChoixAxes[m][p]), p);
                }
            for (int q = 0; q < NbGrandeurs; ++q)
                if (int p = PositionAxes(m, q)) {
                    ++positions;
                    QCOMPARE(ChoixAxes[m][p], q);
                }
            QCOMPARE(positions, listees);
        }
    }

    void newViewOnSeriesMachine() {
        // Power ranges 1, 3 and out of the table: rows 1, 3 and 3 of the default zooms.
        for (auto [gamme, ligne] : {std::pair{1, 1}, {3, 3}, {9, 3}}) {
            ConfigGenerale.GammePuissance = gamme;
            EtudeEnregistree = 1;
            montrer(0, 2, 2, 6);
            QCOMPARE(d->windowTitle(), QStringLiteral("Nouvelle caractéristique"));
            QCOMPARE(d->ItemsY.size(), 8);
            QCOMPARE(d->ItemsX.size(), 8);
            for (int p = 0; p < 8; ++p) QCOMPARE(d->ItemsX[p]->text(), nom(ChoixAxes[2][p + 1]));
            QVERIFY(d->ItemsY.last()->isVisible());
            QCOMPARE(coche(d->ItemsY), nom(GCouple));
            QCOMPARE(coche(d->ItemsX), nom(GVitesse));
            QCOMPARE(d->QuadrantChoisi(), 0);

            d->ItemsY.last()->click();  // losses
            d->BtnOK->click();
            QCOMPARE(d->result(), int(QDialog::Accepted));
            const VueGraphe& v = Etude.Vues[1];
            QVERIFY(v.Presente == 1 && v.Affichee == 1);
            QCOMPARE(v.GrandeurX, int(GVitesse));
            QCOMPARE(v.GrandeurY, int(GPertes));
            QCOMPARE(v.ZoomX, ZoomDefaut[ligne][GVitesse]);
            QCOMPARE(v.ZoomY, ZoomDefaut[ligne][GPertes]);
            QCOMPARE(v.Quadrant, 0);
            QCOMPARE(int(EtudeEnregistree), 0);
        }
    }

    void dynamicLoadUsesTime_data() {
        QTest::addColumn<int>("type");
        for (int t : {10, 11, 12, 13, 14, 16, 18}) QTest::addRow("type %d", t) << t;
    }
    void dynamicLoadUsesTime() {
        QFETCH(int, type);
        d->Q1->setChecked(true);  // left down by an earlier use
        montrer(0, 1, 3, type);
        QCOMPARE(d->ItemsX.size(), d->ItemsY.size() + 1);
        QCOMPARE(coche(d->ItemsX), nom(GTemps));
        QCOMPARE(d->ItemsX.last()->text(), nom(GTemps));
        QCOMPARE(quadrantsPermis(), QString("123"));
        QCOMPARE(d->QuadrantChoisi(), 2);

        d->ItemsX[0]->click();  // the user goes to the speed and back
        QCOMPARE(quadrantsPermis(), QString("012345678"));
        QCOMPARE(d->QuadrantChoisi(), 0);
        d->ItemsX.last()->click();
        QCOMPARE(quadrantsPermis(), QString("123"));
        QCOMPARE(d->QuadrantChoisi(), 2);
        d->BtnOK->click();
        QCOMPARE(Etude.Vues[0].GrandeurX, int(GTemps));
    }

    void doubleClickOnQuadrantValidates() {
        montrer(0, 1, 1, 10);
        QTest::mouseDClick(d->Q6, Qt::LeftButton);  // disabled on a time abscissa
        QVERIFY(d->isVisible());
        d->hide();

        ReglagesCourants[MotTypeCaract] = 1;
        QTimer::singleShot(0, d, [this] { QTest::mouseDClick(d->Q4, Qt::LeftButton); });
        QCOMPARE(d->exec(), int(QDialog::Accepted));
        QCOMPARE(Etude.Vues[0].Quadrant, 4);
        QCOMPARE(int(EtudeEnregistree), 0);
    }

    void modificationSelectsSlotItems() {
        const struct {
            int machine, type, gx, gy, quadrant;
        } cas[] = {{2, 10, GTemps, GPertes, 1},  // series machine, time abscissa
                   {2, 6, GPertes, GRendement, 6},
                   {5, 18, GTemps, GCourant, 3},  // DC supply
                   {5, 1, GPertes, GVitesse, 8}};
        for (const auto& c : cas) {
            VueGraphe& v = Etude.Vues[2];
            v = VueGraphe{1, 1, {}, c.gx, 33, {}, c.gy, 44, {}, c.quadrant};
            EtudeEnregistree = 1;
            montrer(1, 3, c.machine, c.type);
            QCOMPARE(coche(d->ItemsX), nom(c.gx));
            QCOMPARE(coche(d->ItemsY), nom(c.gy));
            QCOMPARE(d->QuadrantChoisi(), c.quadrant);
            d->BtnOK->click();
            QCOMPARE(QList<int>({v.GrandeurX, v.GrandeurY, v.ZoomX, v.ZoomY}),
                     QList<int>({c.gx, c.gy, 33, 44}));
            QCOMPARE(int(EtudeEnregistree), 0);
        }
    }

    // Unlisted quantities keep their place; out-of-range values stay in the tables.
    void modificationOfUnlistedOrOutOfRangeValues() {
        Etude.Vues[3] = VueGraphe{1, 1, {}, GTemps, 20, {}, GCourantExcitation, 21, {}, 99};
        montrer(1, 12, 42, 6);  // machine 42 taken as 7, slot 12 as 4; static: no time item
        QCOMPARE(d->ItemsY.size(), 9);
        QCOMPARE(d->PositionX(), -1);
        QCOMPARE(d->PositionY(), -1);
        QCOMPARE(d->QuadrantChoisi(), 8);
        d->BtnOK->click();
        QCOMPARE(Etude.Vues[3].GrandeurX, int(GTemps));
        QCOMPARE(Etude.Vues[3].GrandeurY, int(GCourantExcitation));
    }

    void cancelWritesNothing() {
        Etude.Vues[1] = VueGraphe{1, 0, {}, GCouple, 5, {}, GVitesse, 6, {}, 4};
        const VueGraphe avant = Etude.Vues[1];
        montrer(1, 2, 0, 1);
        d->ItemsX[4]->click();
        d->Q1->click();
        d->BitBtn2->click();
        QCOMPARE(d->result(), int(QDialog::Rejected));
        QVERIFY(std::memcmp(&Etude.Vues[1], &avant, sizeof avant) == 0);
        QCOMPARE(int(EtudeEnregistree), 1);
    }

    void currentRangeButtonsAndLanguage() {
        NouvelleCaract();  // characteristic 1, current
        montrer(0, 1, 1, 1);
        QVERIFY(d->ButtonCalibre20A->isChecked());
        d->ButtonCalibre2A->click();
        QCOMPARE(ReglagesCourants[MotCalibre], 1);
        QCOMPARE(Caracts[1].Entete[MotCalibre], 0);  // a new view leaves the characteristic
        d->hide();

        ChoixLangue(LangueAnglais);
        montrer(1, 1, 1, 1);
        QCOMPARE(d->windowTitle(), QStringLiteral(" Data modification "));
        QCOMPARE(d->RadioGroupX->title(), QStringLiteral(" X abscissa"));
        QVERIFY(d->ButtonCalibre2A->isChecked());
        d->ButtonCalibre2A->click();
        QCOMPARE(Caracts[1].Entete[MotCalibre], 1);
        d->ButtonCalibre20A->click();
        QCOMPARE(ReglagesCourants[MotCalibre], 0);
        QCOMPARE(Caracts[1].Entete[MotCalibre], 0);
    }
};

QTEST_MAIN(TstNouvelCaract)
#include "tst_nouvelcaract.moc"
