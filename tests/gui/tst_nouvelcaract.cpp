// The graph view dialog: lists per machine, preselections, quadrant rules,
// what OK, Cancel and the current-range buttons write.
#include <QtTest>
#include <QtWidgets>
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
}  // namespace

class TstNouvelCaract : public QObject {
    Q_OBJECT
    TNouvelCaract d;

    void montrer(int mode, int slot, int machine, int type) {
        ReglagesCourants[MotTypeMachine] = machine, ReglagesCourants[MotTypeCaract] = type;
        d.Mode = mode, d.NumeroVue = slot, d.setResult(0), d.show();
    }
    QString quadrantsPermis() const {
        QString s;
        for (int q = 0; q < 9; ++q)
            if (d.GroupeQuadrants->button(q)->isEnabled()) s += QString::number(q);
        return s;
    }

private slots:
    void init() { ChoixLangue(LangueFrancais), InitEtude(), ConfigGenerale.GammePuissance = 0; }
    void cleanup() { d.hide(); }

    // Power range 1, and one out of the table (row 3 of the default zooms);
    // the cancel button speaks the language of the texts.
    void newViewOnSeriesMachine() {
        for (auto [gamme, ligne] : {std::pair{1, 1}, {9, 3}}) {
            ConfigGenerale.GammePuissance = gamme, EtudeEnregistree = 1, montrer(0, 2, 2, 6);
            QVERIFY(d.ItemsX.size() == 8 && d.QuadrantChoisi() == 0);
            QCOMPARE(coche(d.ItemsX) + coche(d.ItemsY), nom(GVitesse) + nom(GCouple));
            d.ItemsY.last()->click(), d.BtnOK->click();  // losses
            const VueGraphe& v = Etude.Vues[1];
            QVERIFY(v.Presente == 1 && v.Affichee == 1 && v.Quadrant == 0 && !EtudeEnregistree);
            QCOMPARE(QList<int>({v.GrandeurX, v.GrandeurY, v.ZoomX, v.ZoomY}),
                     QList<int>({GVitesse, GPertes, ZoomDefaut[ligne][GVitesse],
                                 ZoomDefaut[ligne][GPertes]}));
        }
        QCOMPARE(d.BitBtn2->text(), QStringLiteral("Annuler"));
        ChoixLangue(LangueEspagnol), d.hide(), montrer(0, 2, 2, 6);
        QCOMPARE(d.BitBtn2->text(), QStringLiteral("Anular"));
    }

    // On a time abscissa only quadrants 1 to 3 can be chosen, 2 by default;
    // a double click on an allowed quadrant validates.
    void timeAbscissaAndDoubleClick() {
        d.Q1->setChecked(true), montrer(0, 1, 3, 10);  // Q1 left down by an earlier use
        QVERIFY(d.ItemsX.size() == d.ItemsY.size() + 1 && coche(d.ItemsX) == nom(GTemps));
        QVERIFY(quadrantsPermis() == "123" && d.QuadrantChoisi() == 2);
        d.ItemsX[0]->click();  // to the speed and back
        QVERIFY(quadrantsPermis() == "012345678" && d.QuadrantChoisi() == 0);
        d.ItemsX.last()->click(), QTest::mouseDClick(d.Q6, Qt::LeftButton);  // disabled
        QVERIFY(quadrantsPermis() == "123" && d.isVisible());
        d.BtnOK->click();
        QCOMPARE(Etude.Vues[0].GrandeurX, int(GTemps));
        ReglagesCourants[MotTypeCaract] = 1;
        QTimer::singleShot(0, &d, [this] { QTest::mouseDClick(d.Q4, Qt::LeftButton); });
        QCOMPARE(d.exec(), int(QDialog::Accepted));
        QCOMPARE(Etude.Vues[0].Quadrant, 4);
    }

    // The slot's quantities and quadrant are preselected; OK keeps the zooms
    // (and an unlisted quantity), Cancel writes nothing.
    void modification() {
        // machine, type, slot, X, Y, quadrant, quadrant shown, listed, cancel
        const std::tuple<int, int, int, int, int, int, int, bool, bool> cas[] = {
            {2, 10, 3, GTemps, GPertes, 1, 1, true, false},
            {42, 6, 12, GTemps, GCourantExcitation, 99, 8, false, false},  // as machine 7, slot 4
            {0, 1, 2, GCouple, GVitesse, 4, 4, true, true}};
        for (const auto& [machine, type, vue, gx, gy, quadrant, montre, listees, annuler] : cas) {
            VueGraphe& v = Etude.Vues[std::min(vue, 4) - 1];
            v = VueGraphe{1, 0, {}, gx, 33, {}, gy, 44, {}, quadrant};
            const VueGraphe avant = v;
            EtudeEnregistree = 1, montrer(1, vue, machine, type);
            QCOMPARE(coche(d.ItemsX) + coche(d.ItemsY), listees ? nom(gx) + nom(gy) : QString());
            QCOMPARE(d.QuadrantChoisi(), montre);
            if (annuler) {
                d.ItemsX[4]->click(), d.Q1->click(), d.BitBtn2->click();
                QVERIFY(std::memcmp(&v, &avant, sizeof avant) == 0 && EtudeEnregistree == 1);
                continue;
            }
            d.BtnOK->click();
            QCOMPARE(QList<int>({v.GrandeurX, v.GrandeurY, v.ZoomX, v.ZoomY, v.Quadrant, v.Affichee,
                                 EtudeEnregistree}),
                     QList<int>({gx, gy, 33, 44, montre, 1, 0}));
        }
    }

    // A new view sets the range of the next trial only; a modification, the
    // current trial's too, and a trial's range changed must be saved (the
    // same range clicked again changes nothing).
    void currentRangeButtons() {
        NouvelleCaract(), montrer(0, 1, 1, 1);
        QVERIFY(d.ButtonCalibre20A->isChecked());
        EtudeEnregistree = 1, d.ButtonCalibre2A->click();
        QVERIFY(ReglagesCourants[MotCalibre] == 1 && Caracts[1].Entete[MotCalibre] == 0 &&
                EtudeEnregistree == 1);
        d.hide(), montrer(1, 1, 1, 1);
        QVERIFY(d.ButtonCalibre2A->isChecked());
        d.ButtonCalibre2A->click();
        QVERIFY(Caracts[1].Entete[MotCalibre] == 1 && EtudeEnregistree == 0);
        EtudeEnregistree = 1, d.ButtonCalibre2A->click();
        QCOMPARE(EtudeEnregistree, 1);
        d.ButtonCalibre20A->click();
        QVERIFY(ReglagesCourants[MotCalibre] == 0 && Caracts[1].Entete[MotCalibre] == 0 &&
                EtudeEnregistree == 0);
    }
};

QTEST_MAIN(TstNouvelCaract)
#include "tst_nouvelcaract.moc"
