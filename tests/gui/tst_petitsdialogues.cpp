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

}  // namespace

class TstPetitsDialogues : public QObject {
    Q_OBJECT

    TAvertissements* avert = nullptr;
    TFormTrierPoints* tri = nullptr;
    TFormCalibreCourant* calibre = nullptr;
    TAboutBox* apropos = nullptr;

    static void clic(QAbstractButton* b) { QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, 8)); }

private slots:
    void initTestCase() {
        avert = new TAvertissements;
        tri = new TFormTrierPoints;
        calibre = new TFormCalibreCourant;
        apropos = new TAboutBox;
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
        QTest::addColumn<QStringList>("textes");  // title, Cancel, the three lines
        const QString bornes =
            QStringLiteral("Utilisation impérative des bornes \"ENTREE FONCTION\"");
        const QString frein =
            QStringLiteral("Dans l'automatisme de la commande du frein de sécurité.");
        QTest::addRow("fr 6") << LangueFrancais << 6
                              << QStringList{"Avertissement", "Annuler", "Attention", bornes,
                                             frein};
        // English: "Warning" above the two French lines.
        QTest::addRow("en 17") << LangueAnglais << 17
                               << QStringList{"Avertissement", "Cancel", "Warning", bornes, frein};
        QTest::addRow("es 10") << LangueEspagnol << 10
                               << QStringList{"Alerta", "Anular", "Cuidado",
                                              "Uso imperativo de las bornas \"ENTRADA FUNCIoN\"",
                                              "en el automatismo de control del motor de "
                                              "levantamiento"};
        // Other types leave the labels as they were.
        for (int t : {0, 1, 8, 12, 14})
            QTest::addRow("fr %d", t)
                << LangueFrancais << t
                << QStringList{"Avertissement", "Annuler", "avant", "avant", "avant"};
    }
    void warningTexts() {
        QFETCH(int, langue);
        QFETCH(int, type);
        QFETCH(QStringList, textes);
        ChoixLangue(langue);
        const QList<QLabel*> lignes = {avert->TextAvert0, avert->TextAvert1, avert->TextAvert2};
        for (QLabel* l : lignes) l->setText(QStringLiteral("avant"));
        avert->TypeCaract = type;
        avert->show();
        QCOMPARE(avert->windowTitle(), textes[0]);
        QCOMPARE(avert->BoutonAnnuler->text(), textes[1]);
        for (int i = 0; i < 3; ++i) QCOMPARE(lignes[i]->text(), textes[2 + i]);
        if (textes[2] != QStringLiteral("avant"))
            essai::Capturer(avert, QStringLiteral("avertissement-") + CodesLangue[langue]);
        // Enter confirms, Escape cancels.
        QTest::keyClick(avert, type == 6 ? Qt::Key_Return : Qt::Key_Escape);
        QCOMPARE(avert->result(), int(type == 6 ? QDialog::Accepted : QDialog::Rejected));
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
        QCOMPARE(tri->GrandeursListees, grandeurs);
        QCOMPARE(tri->ItemsSelect.size(), grandeurs.size());
        for (int i = 0; i < grandeurs.size(); ++i)
            QCOMPARE(tri->ItemsSelect[i]->text(), Nom(grandeurs[i]));
        QCOMPARE(tri->Ordre(), 0);
        QCOMPARE(tri->GrandeurChoisie(), int(GNumero));
        // Each item designates the quantity it names, even past a missing one.
        const int dernier = static_cast<int>(grandeurs.size()) - 1;
        clic(tri->ItemsSelect[dernier]);
        clic(tri->ItemsOrdre[1]);
        QCOMPARE(tri->ItemChoisi(), dernier);
        QCOMPARE(tri->GrandeurChoisie(), int(GPertes));
        QCOMPARE(tri->Ordre(), 1);
        tri->BitBtnOK->click();
        QCOMPARE(tri->result(), int(QDialog::Accepted));
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
        clic(tri->ItemsSelect[3]);
        QTest::keyClick(tri, Qt::Key_Escape);
        QCOMPARE(tri->result(), int(QDialog::Rejected));
        QVERIFY(std::memcmp(&avant, &Caracts[1], sizeof avant) == 0);
        QCOMPARE(EtudeEnregistree, enregistree);
    }

    // The range changes at once, in the current trial only (record place 0
    // when there is none, without marking the study changed); OK only closes.
    void currentRange_data() {
        QTest::addColumn<int>("courante");
        QTest::addColumn<int>("mot");
        QTest::addColumn<bool>("bas2A");
        QTest::addColumn<bool>("bas20A");
        QTest::addRow("20 A") << 2 << 0 << false << true;
        QTest::addRow("2 A") << 2 << 1 << true << false;
        QTest::addRow("damaged word") << 2 << 7 << false << false;
        QTest::addRow("no current trial") << 0 << 0 << false << true;
    }
    void currentRange() {
        QFETCH(int, courante);
        QFETCH(int, mot);
        QFETCH(bool, bas2A);
        QFETCH(bool, bas20A);
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        NouvelleCaract();
        NouvelleCaract();
        CaractCourante = courante;
        Caracts[courante].Entete[MotCalibre] = mot;
        Caracts[1].Entete[MotCalibre] = 0;
        EtudeEnregistree = 1;
        calibre->show();
        QCOMPARE(calibre->ButtonCalibre2A->isChecked(), bas2A);
        QCOMPARE(calibre->ButtonCalibre20A->isChecked(), bas20A);
        QTest::mouseClick(calibre->ButtonCalibre2A, Qt::LeftButton);
        QCOMPARE(Caracts[courante].Entete[MotCalibre], 1);
        QVERIFY(calibre->ButtonCalibre2A->isChecked() && !calibre->ButtonCalibre20A->isChecked());
        QCOMPARE(int(EtudeEnregistree), mot == 1 || courante == 0 ? 1 : 0);
        QTest::mouseClick(calibre->ButtonCalibre20A, Qt::LeftButton);
        QCOMPARE(Caracts[courante].Entete[MotCalibre], 0);
        QCOMPARE(int(EtudeEnregistree), courante == 0 ? 1 : 0);
        QCOMPARE(Caracts[1].Entete[MotCalibre], 0);
        EtudeEnregistree = 1;
        QTest::keyClick(calibre, Qt::Key_Return);
        QCOMPARE(calibre->result(), int(QDialog::Accepted));
        QVERIFY(!calibre->isVisible());
        QCOMPARE(Caracts[courante].Entete[MotCalibre], 0);
        QCOMPARE(int(EtudeEnregistree), 1);
    }

    // Sort, range and about dialogs in each language, one picture each.
    void captionsPerLanguage_data() {
        QTest::addColumn<int>("langue");
        // sort: title, order box, ascending, descending; range: title, 2 A; about: OK hint
        QTest::addColumn<QStringList>("textes");
        QTest::addRow("fr") << LangueFrancais
                            << QStringList{"Trier les points",
                                           "Ordre de tri",
                                           "Ordre croissant",
                                           "Ordre décroissant",
                                           "Sélection du calibre courant",
                                           "Calibre 2 A",
                                           "Fermeture de la fenêtre"};
        QTest::addRow("en") << LangueAnglais
                            << QStringList{
                                   "Sort the points",  "Sorting order",           "Ascending order",
                                   "Descending order", "current range selection", " 2 A range",
                                   "Close windows"};
        QTest::addRow("es") << LangueEspagnol
                            << QStringList{"Clasificar los puntos",
                                           "Orden de clasificación",
                                           "Orden creciente",
                                           "Orden decreciente",
                                           "Selección del calibre de la corriente",
                                           "Calibre 2 A",
                                           "Cerrar le ventana"};
    }
    void captionsPerLanguage() {
        QFETCH(int, langue);
        QFETCH(QStringList, textes);
        ChoixLangue(langue);
        InitEtude();  // descriptors in the language
        ReglagesCourants[MotTypeMachine] = MasTriphasee;
        tri->show();
        QCOMPARE(tri->windowTitle(), textes[0]);
        QCOMPARE(tri->RadioGroupOrdre->title(), textes[1]);
        QCOMPARE(tri->ItemsOrdre[0]->text(), textes[2]);
        QCOMPARE(tri->ItemsOrdre[1]->text(), textes[3]);
        QCOMPARE(tri->ItemsSelect[1]->text(), Nom(GVitesse));
        essai::Capturer(tri, QStringLiteral("trierpoints-") + CodesLangue[langue]);
        calibre->show();
        QCOMPARE(calibre->windowTitle(), textes[4]);
        QCOMPARE(calibre->ButtonCalibre2A->text(), textes[5]);
        essai::Capturer(calibre, QStringLiteral("calibrecourant-") + CodesLangue[langue]);
        apropos->setResult(-1);
        apropos->show();
        QCOMPARE(apropos->OKButton->toolTip(), textes[6]);
        QVERIFY(!apropos->Image->pixmap().isNull());
        essai::Capturer(apropos, QStringLiteral("apropos-") + CodesLangue[langue]);
        QTest::keyClick(apropos, Qt::Key_Return);
        QCOMPARE(apropos->result(), int(QDialog::Accepted));
        QVERIFY(!apropos->isVisible());
    }
};

QTEST_MAIN(TstPetitsDialogues)
#include "tst_petitsdialogues.moc"
