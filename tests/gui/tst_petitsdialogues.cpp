// The small dialogs: the warning before an industrial load, the sort
// dialog, the current-range dialog and the about box — their texts in the
// three languages, what each changes (or leaves alone) and the keyboard.
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>
#include <cstring>

#include "Captures.h"
#include "dialogs/AboutBox.h"
#include "dialogs/Avertissements.h"
#include "dialogs/CalibreCourant.h"
#include "dialogs/TrierPoints.h"
#include "study/Cp1252.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {

const char* const CodesLangue[] = {"", "fr", "en", "es"};

QString Nom(int q) { return QString::fromStdString(DepuisCp1252(Etude.Grandeurs[q].Nom.Lire())); }

// The label's text fits its width.
bool Entier(const QLabel* l) {
    return l->fontMetrics().horizontalAdvance(l->text()) <= l->contentsRect().width();
}

}  // namespace

class TstPetitsDialogues : public QObject {
    Q_OBJECT

    TAvertissements* avert = nullptr;
    TFormTrierPoints* tri = nullptr;
    TFormCalibreCourant* calibre = nullptr;
    TAboutBox* apropos = nullptr;

private slots:
    void initTestCase() {
        avert = new TAvertissements;
        tri = new TFormTrierPoints;
        calibre = new TFormCalibreCourant;
        apropos = new TAboutBox;
        QCOMPARE(Avertissements, avert);
        QCOMPARE(FormTrierPoints, tri);
        QCOMPARE(FormCalibreCourant, calibre);
        QCOMPARE(AboutBox, apropos);
    }
    void cleanupTestCase() {
        delete apropos;
        delete calibre;
        delete tri;
        delete avert;
    }
    void init() {
        ChoixLangue(LangueFrancais);
        InitEtude();
    }
    void cleanup() {
        for (QDialog* d : {static_cast<QDialog*>(avert), static_cast<QDialog*>(tri),
                           static_cast<QDialog*>(calibre), static_cast<QDialog*>(apropos)})
            d->hide();
    }

    void warningTypes() {
        QString avec;
        for (int t = 0; t < NbTypesCaract; ++t)
            if (TAvertissements::TypeAvecAvertissement(t)) avec += QString::number(t) + ' ';
        QCOMPARE(avec, QStringLiteral("6 7 9 10 11 13 15 16 17 18 "));
    }

    void warningTexts_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("annuler");
        QTest::addColumn<QString>("ligne0");
        QTest::addColumn<QString>("ligne1");
        QTest::addColumn<QString>("ligne2");
        const QString bornes =
            QStringLiteral("Utilisation impérative des bornes \"ENTREE FONCTION\"");
        const QString frein =
            QStringLiteral("Dans l'automatisme de la commande du frein de sécurité.");
        QTest::addRow("fr 6") << LangueFrancais << 6 << "Avertissement"
                              << "Annuler"
                              << "Attention" << bornes << frein;
        // English: "Warning" above the two French lines.
        QTest::addRow("en 17") << LangueAnglais << 17 << "Avertissement"
                               << "Cancel"
                               << "Warning" << bornes << frein;
        QTest::addRow("es 10") << LangueEspagnol << 10 << "Alerta"
                               << "Anular"
                               << "Cuidado"
                               << "Uso imperativo de las bornas \"ENTRADA FUNCIoN\""
                               << "en el automatismo de control del motor de levantamiento";
        // Other types leave the labels as they were.
        for (int t : {0, 1, 8, 12, 14})
            QTest::addRow("fr %d", t) << LangueFrancais << t << "Avertissement"
                                      << "Annuler"
                                      << "avant"
                                      << "avant"
                                      << "avant";
    }
    void warningTexts() {
        QFETCH(int, langue);
        QFETCH(int, type);
        QFETCH(QString, titre);
        QFETCH(QString, annuler);
        QFETCH(QString, ligne0);
        QFETCH(QString, ligne1);
        QFETCH(QString, ligne2);
        ChoixLangue(langue);
        for (QLabel* l : {avert->TextAvert0, avert->TextAvert1, avert->TextAvert2})
            l->setText(QStringLiteral("avant"));
        avert->TypeCaract = type;
        avert->show();
        QCOMPARE(avert->size(), QSize(544, 146));
        QCOMPARE(avert->windowTitle(), titre);
        QCOMPARE(avert->BoutonOK->text(), QStringLiteral("OK"));
        QCOMPARE(avert->BoutonAnnuler->text(), annuler);
        QCOMPARE(avert->TextAvert0->text(), ligne0);
        QCOMPARE(avert->TextAvert1->text(), ligne1);
        QCOMPARE(avert->TextAvert2->text(), ligne2);
        for (QLabel* l : {avert->TextAvert0, avert->TextAvert1, avert->TextAvert2}) {
            QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::red));
            QVERIFY2(Entier(l), qPrintable(l->text()));
        }
        QVERIFY(avert->TextAvert0->font().pointSize() > avert->TextAvert1->font().pointSize());
        QVERIFY(avert->BoutonOK->geometry().bottom() < avert->height());
        if (ligne0 != QStringLiteral("avant"))
            essai::Capturer(avert, QStringLiteral("avertissement-") + CodesLangue[langue]);
    }

    void warningKeyboard_data() {
        QTest::addColumn<int>("touche");
        QTest::addColumn<int>("resultat");
        QTest::addRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
        QTest::addRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
    }
    void warningKeyboard() {
        QFETCH(int, touche);
        QFETCH(int, resultat);
        avert->TypeCaract = 6;
        avert->setResult(-1);
        avert->show();
        QTest::keyClick(avert, Qt::Key(touche));
        QCOMPARE(avert->result(), resultat);
        QVERIFY(!avert->isVisible());
    }

    void sortKeys_data() {
        QTest::addColumn<int>("machine");
        QTest::addColumn<QList<int>>("grandeurs");
        QTest::addRow("none") << 0 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::addRow("DC independent") << 1 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 10};
        QTest::addRow("DC series") << 2 << QList<int>{0, 1, 2, 3, 4, 5, 6, 8, 10};
        QTest::addRow("asynchronous") << 3 << QList<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10};
        QTest::addRow("synchronous") << 4 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        // A damaged machine word lists the last machine's quantities.
        QTest::addRow("word 99") << 99 << QList<int>{0, 1, 2, 3, 4, 5, 6, 8, 9, 10};
        QTest::addRow("word -3") << -3 << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    }
    void sortKeys() {
        QFETCH(int, machine);
        QFETCH(QList<int>, grandeurs);
        ReglagesCourants[MotTypeMachine] = machine;
        // Left over from an earlier use: the dialog starts on the first items.
        tri->show();
        tri->ItemsSelect.last()->setChecked(true);
        tri->ItemsOrdre[1]->setChecked(true);
        tri->hide();

        tri->show();
        QCOMPARE(tri->size(), QSize(442, 398));
        QCOMPARE(tri->GrandeursListees, grandeurs);
        QCOMPARE(tri->ItemsSelect.size(), grandeurs.size());
        QCOMPARE(tri->RadioGroupSelect->findChildren<QRadioButton*>().size(), grandeurs.size());
        for (int i = 0; i < grandeurs.size(); ++i) {
            QCOMPARE(tri->ItemsSelect[i]->text(), Nom(grandeurs[i]));
            QVERIFY(tri->ItemsSelect[i]->isVisible());
            QVERIFY(tri->ItemsSelect[i]->geometry().bottom() <
                    tri->RadioGroupSelect->contentsRect().bottom());
        }
        QVERIFY(tri->ItemsSelect[0]->isChecked());
        QVERIFY(tri->ItemsOrdre[0]->isChecked());
        QCOMPARE(tri->Ordre(), 0);
        QCOMPARE(tri->GrandeurChoisie(), int(GNumero));

        // Each item designates the quantity it names, even past a missing one.
        const int dernier = static_cast<int>(grandeurs.size()) - 1;
        QTest::mouseClick(tri->ItemsSelect[dernier], Qt::LeftButton, {}, QPoint(6, 8));
        QTest::mouseClick(tri->ItemsOrdre[1], Qt::LeftButton, {}, QPoint(6, 8));
        QCOMPARE(tri->ItemChoisi(), dernier);
        QCOMPARE(tri->GrandeurChoisie(), int(GPertes));
        QCOMPARE(tri->Ordre(), 1);
        tri->BitBtnOK->click();
        QCOMPARE(tri->result(), int(QDialog::Accepted));
    }

    void sortTexts_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("ordre");
        QTest::addColumn<QString>("croissant");
        QTest::addColumn<QString>("decroissant");
        QTest::addRow("fr") << LangueFrancais << "Trier les points"
                            << "Ordre de tri"
                            << "Ordre croissant"
                            << "Ordre décroissant";
        QTest::addRow("en") << LangueAnglais << "Sort the points"
                            << "Sorting order"
                            << "Ascending order"
                            << "Descending order";
        QTest::addRow("es") << LangueEspagnol << "Clasificar los puntos"
                            << "Orden de clasificación"
                            << "Orden creciente"
                            << "Orden decreciente";
    }
    void sortTexts() {
        QFETCH(int, langue);
        QFETCH(QString, titre);
        QFETCH(QString, ordre);
        QFETCH(QString, croissant);
        QFETCH(QString, decroissant);
        ChoixLangue(langue);
        InitEtude();  // descriptors in the language
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        tri->show();
        QCOMPARE(tri->windowTitle(), titre);
        QCOMPARE(tri->RadioGroupOrdre->title(), ordre);
        QCOMPARE(tri->ItemsOrdre[0]->text(), croissant);
        QCOMPARE(tri->ItemsOrdre[1]->text(), decroissant);
        QCOMPARE(tri->ItemsSelect[1]->text(), Nom(GVitesse));
        for (QRadioButton* b : tri->ItemsSelect + tri->ItemsOrdre)
            QVERIFY2(b->sizeHint().width() <= b->width(), qPrintable(b->text()));
        essai::Capturer(tri, QStringLiteral("trierpoints-") + CodesLangue[langue]);
    }

    void cancellingTheSortChangesNothing() {
        ReglagesCourants[MotTypeMachine] = MccSerie;
        NouvelleCaract();
        for (int p = 0; p < 5; ++p) {
            ValeursCourantes[GVitesse] = 1000 - p;
            AjouterPoint();
        }
        Caracts[1].Entete[MotGrandeurTri] = 2;
        Caracts[1].Entete[MotOrdreTri] = 1;
        const Caracteristique avant = Caracts[1];
        const uint8_t enregistree = EtudeEnregistree;
        tri->show();
        QTest::mouseClick(tri->ItemsSelect[3], Qt::LeftButton, {}, QPoint(6, 8));
        QTest::keyClick(tri, Qt::Key_Escape);
        QCOMPARE(tri->result(), int(QDialog::Rejected));
        QVERIFY(std::memcmp(&avant, &Caracts[1], sizeof avant) == 0);
        QCOMPARE(EtudeEnregistree, enregistree);
    }

    void currentRange_data() {
        QTest::addColumn<int>("mot");
        QTest::addColumn<bool>("bas2A");
        QTest::addColumn<bool>("bas20A");
        QTest::addRow("20 A") << 0 << false << true;
        QTest::addRow("2 A") << 1 << true << false;
        QTest::addRow("damaged word") << 7 << false << false;
    }
    void currentRange() {
        QFETCH(int, mot);
        QFETCH(bool, bas2A);
        QFETCH(bool, bas20A);
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        NouvelleCaract();
        NouvelleCaract();
        Caracts[2].Entete[MotCalibre] = mot;
        Caracts[1].Entete[MotCalibre] = 0;
        EtudeEnregistree = 1;
        calibre->show();
        QCOMPARE(calibre->size(), QSize(327, 119));
        QCOMPARE(calibre->windowTitle(), QStringLiteral("Sélection du calibre courant"));
        QCOMPARE(calibre->ButtonCalibre2A->text(), QStringLiteral("Calibre 2 A"));
        QCOMPARE(calibre->ButtonCalibre20A->text(), QStringLiteral("Calibre 20 A"));
        QCOMPARE(calibre->ButtonCalibre2A->isChecked(), bas2A);
        QCOMPARE(calibre->ButtonCalibre20A->isChecked(), bas20A);

        // The range changes at once, in the current trial only.
        QTest::mouseClick(calibre->ButtonCalibre2A, Qt::LeftButton);
        QCOMPARE(Caracts[2].Entete[MotCalibre], 1);
        QVERIFY(calibre->ButtonCalibre2A->isChecked() && !calibre->ButtonCalibre20A->isChecked());
        QCOMPARE(int(EtudeEnregistree), mot == 1 ? 1 : 0);
        QTest::mouseClick(calibre->ButtonCalibre20A, Qt::LeftButton);
        QCOMPARE(Caracts[2].Entete[MotCalibre], 0);
        QCOMPARE(int(EtudeEnregistree), 0);
        QCOMPARE(Caracts[1].Entete[MotCalibre], 0);
        // OK only closes.
        EtudeEnregistree = 1;
        QTest::keyClick(calibre, Qt::Key_Return);
        QCOMPARE(calibre->result(), int(QDialog::Accepted));
        QVERIFY(!calibre->isVisible());
        QCOMPARE(Caracts[2].Entete[MotCalibre], 0);
        QCOMPARE(int(EtudeEnregistree), 1);
    }

    void currentRangeWithoutTrial() {
        // No current trial: the settings' record place 0 takes the range and
        // the study is not marked as changed.
        CaractCourante = 0;
        Caracts[0].Entete[MotCalibre] = 0;
        EtudeEnregistree = 1;
        calibre->show();
        QTest::mouseClick(calibre->ButtonCalibre2A, Qt::LeftButton);
        QCOMPARE(Caracts[0].Entete[MotCalibre], 1);
        QCOMPARE(int(EtudeEnregistree), 1);
        Caracts[0].Entete[MotCalibre] = 0;
    }

    void currentRangeTexts_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("titre");
        QTest::addColumn<QString>("deux");
        QTest::addRow("fr") << LangueFrancais << "Sélection du calibre courant"
                            << "Calibre 2 A";
        QTest::addRow("en") << LangueAnglais << "current range selection"
                            << " 2 A range";
        QTest::addRow("es") << LangueEspagnol << "Selección del calibre de la corriente"
                            << "Calibre 2 A";
    }
    void currentRangeTexts() {
        QFETCH(int, langue);
        QFETCH(QString, titre);
        QFETCH(QString, deux);
        ChoixLangue(langue);
        calibre->show();
        QCOMPARE(calibre->windowTitle(), titre);
        QCOMPARE(calibre->ButtonCalibre2A->text(), deux);
        QCOMPARE(calibre->BitBtn1->text(), QStringLiteral("OK"));
        for (QToolButton* b : {calibre->ButtonCalibre2A, calibre->ButtonCalibre20A})
            QVERIFY(b->fontMetrics().horizontalAdvance(b->text()) < b->width() - 8);
        essai::Capturer(calibre, QStringLiteral("calibrecourant-") + CodesLangue[langue]);
    }

    void aboutBox_data() {
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("bulle");
        QTest::addRow("fr") << LangueFrancais << "Fermeture de la fenêtre";
        QTest::addRow("en") << LangueAnglais << "Close windows";
        QTest::addRow("es") << LangueEspagnol << "Cerrar le ventana";
    }
    void aboutBox() {
        QFETCH(int, langue);
        QFETCH(QString, bulle);
        ChoixLangue(langue);
        apropos->setResult(-1);
        apropos->show();
        QCOMPARE(apropos->size(), QSize(315, 399));
        QCOMPARE(apropos->LabelORVANE->text(), QStringLiteral("Orvane"));
        QVERIFY(apropos->LabelORVANE->wordWrap());
        QCOMPARE(apropos->OKButton->text(), QStringLiteral("OK"));
        QCOMPARE(apropos->OKButton->toolTip(), bulle);
        QVERIFY(apropos->OKButton->isDefault());
        QVERIFY(!apropos->Image->pixmap().isNull());
        QVERIFY(!apropos->ProgramIcon->pixmap().isNull());
        QCOMPARE(apropos->palette().color(QPalette::Window), QColor(Qt::black));
        essai::Capturer(apropos, QStringLiteral("apropos-") + CodesLangue[langue]);
        QTest::keyClick(apropos, Qt::Key_Return);
        QCOMPARE(apropos->result(), int(QDialog::Accepted));
        QVERIFY(!apropos->isVisible());
    }
};

QTEST_MAIN(TstPetitsDialogues)
#include "tst_petitsdialogues.moc"
