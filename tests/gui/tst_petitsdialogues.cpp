// The small dialogs (industrial-load warning, sort, current range, about):
// texts, what each changes or leaves alone, the keyboard, a picture of each.
#include <QtTest>
#include <QtWidgets>

#include "dialogs/AboutBox.h"
#include "dialogs/Avertissements.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/TrierPoints.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

class TstPetitsDialogues : public QObject {
    Q_OBJECT

    TAvertissements avert;
    TFormTrierPoints tri;
    TFormCalibreCourant calibre;
    TAboutBox apropos;

    static void clic(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, 8)); }

private slots:
    void init() { ChoixLangue(LangueFrancais), InitEtude(); }
    void cleanup() {
        for (QDialog* d : std::initializer_list<QDialog*>{&avert, &tri, &calibre, &apropos})
            d->hide();
    }

    // "T = cst" (6) warns, "T = a.n²+b" (8) does not; Enter confirms.
    void warningTexts() {
        QVERIFY(TAvertissements::TypeAvecAvertissement(6) &&
                !TAvertissements::TypeAvecAvertissement(8));
        avert.TypeCaract = 6;
        avert.show();
        QCOMPARE(
            QStringList({avert.windowTitle(), avert.BoutonAnnuler->text(), avert.TextAvert0->text(),
                         avert.TextAvert1->text(), avert.TextAvert2->text()}),
            QStringList({"Avertissement", "Annuler", "Attention",
                         "Utilisation impérative des bornes \"ENTREE FONCTION\"",
                         "Dans l'automatisme de la commande du frein de sécurité."}));
        QTest::keyClick(&avert, Qt::Key_Return);
        QVERIFY(avert.result() == QDialog::Accepted && !avert.isVisible());
    }

    // The items follow the machine (a damaged word lists the last machine's);
    // each designates the quantity it names, even past a missing one; a
    // reopened dialog starts on the first items.
    void sortKeys() {
        ReglagesCourants[MotTypeMachine] = 99;
        tri.show();
        QCOMPARE(tri.GrandeursListees, (QList<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10}));
        tri.ItemsSelect.last()->setChecked(true), tri.ItemsOrdre[1]->setChecked(true), tri.hide();
        ReglagesCourants[MotTypeMachine] = 2, tri.show();
        const QList<int> grandeurs = {0, 1, 2, 3, 4, 5, 6, 8, 10};
        QCOMPARE(tri.GrandeursListees, grandeurs);
        QVERIFY(tri.Ordre() == 0 && tri.GrandeurChoisie() == GNumero);
        clic(tri.ItemsSelect.last()), clic(tri.ItemsOrdre[1]);
        QVERIFY(tri.ItemChoisi() == grandeurs.size() - 1 && tri.Ordre() == 1 &&
                tri.GrandeurChoisie() == GPertes);
        QTest::keyClick(&tri, Qt::Key_Return);
        QCOMPARE(tri.result(), int(QDialog::Accepted));
    }

    // The range changes at once, in the current trial only (record place 0
    // when there is none, without marking the study changed); OK only closes.
    void currentRange() {
        // current trial, its word, 20 A down: a damaged word, no current trial
        for (const QList<int>& c : {QList<int>{2, 7, 0}, {0, 0, 1}}) {
            const int courante = c[0];
            init(), ReglagesCourants[MotTypeMachine] = MasTriphasee;
            for (int k = 0; k < 2; ++k) NouvelleCaract();
            CaractCourante = courante, Caracts[courante].Entete[MotCalibre] = c[1];
            Caracts[1].Entete[MotCalibre] = 0, EtudeEnregistree = 1, calibre.show();
            QVERIFY(!calibre.ButtonCalibre2A->isChecked() &&
                    calibre.ButtonCalibre20A->isChecked() == bool(c[2]));
            QTest::mouseClick(calibre.ButtonCalibre2A, Qt::LeftButton);
            QVERIFY(Caracts[courante].Entete[MotCalibre] == 1 &&
                    calibre.ButtonCalibre2A->isChecked() && !calibre.ButtonCalibre20A->isChecked());
            QTest::mouseClick(calibre.ButtonCalibre20A, Qt::LeftButton);
            QVERIFY(Caracts[courante].Entete[MotCalibre] == 0 &&
                    Caracts[1].Entete[MotCalibre] == 0);
            QCOMPARE(int(EtudeEnregistree), courante == 0 ? 1 : 0);
            EtudeEnregistree = 1, QTest::keyClick(&calibre, Qt::Key_Return);
            QVERIFY(calibre.result() == QDialog::Accepted && !calibre.isVisible() &&
                    Caracts[courante].Entete[MotCalibre] == 0 && EtudeEnregistree == 1);
        }
    }

    // Its picture, and what it says in the language of the texts.
    void aboutBoxShowsItsPicture() {
        ChoixLangue(LangueEspagnol), apropos.show();
        QVERIFY(!apropos.Image->pixmap().isNull());
        QVERIFY(apropos.Mentions->text().startsWith(QStringLiteral("Banco de ensayo")) &&
                apropos.Mentions->text().contains(QStringLiteral("Versión 0.1")));
        ChoixLangue(LangueFrancais);
    }
};

QTEST_MAIN(TstPetitsDialogues)
#include "tst_petitsdialogues.moc"
