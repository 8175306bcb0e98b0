// The help window: pages of the program's language, a link between pages, a
// missing help folder.
#include <QtTest>
#include <QtWidgets>

#include "OutilsEssai.h"
#include "dialogs/Aide.h"
#include "dialogs/Habillage.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {
void Langue(int code) { ConfigGenerale.Langue = code, ChoixLangue(code); }
QString Fin(TAide* a) { return a->Navigateur->source().toLocalFile().section(u'/', -2); }
}  // namespace

class TstAide : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { delete FenetreAide(), DefinirDossierAide({}), Langue(LangueFrancais); }

    // A link between pages; opened again in another language, the same
    // window shows that language's first page.
    void liensEtLangues() {
        OuvrirAide();
        TAide* aide = FenetreAide();
        QVERIFY(aide->Navigateur->toHtml().contains("href=\"liaison.html\""));
        aide->Navigateur->setSource(aide->Navigateur->source().resolved(QUrl("liaison.html")));
        QCOMPARE(Fin(aide), QStringLiteral("fr/liaison.html"));
        Langue(LangueEspagnol), OuvrirAide();
        QVERIFY(FenetreAide() == aide && aide->isVisible() && aide->TexteAbsente->isHidden());
        QVERIFY(Fin(aide) == "es/index.html" && aide->BoutonSommaire->text() == "Índice");
    }

    // No help folder: the window says where it looked and stays usable; the
    // pages come back at the next opening.
    void dossierAbsent() {
        const QString absent = QDir::tempPath() + "/orvane-sans-aide-" +
                               QString::number(QCoreApplication::applicationPid());
        DefinirDossierAide(absent), OuvrirAide();
        TAide* aide = FenetreAide();
        QVERIFY(aide && aide->isVisible() && aide->Navigateur->isHidden());
        QVERIFY(aide->TexteAbsente->text().startsWith(TexteNumero(TexteAideAbsente)) &&
                aide->TexteAbsente->text().contains(QDir::toNativeSeparators(absent)));
        QVERIFY(!aide->BoutonSommaire->isEnabled() && !aide->Sommaire());
        DefinirDossierAide({}), OuvrirAide();
        QVERIFY(aide->Navigateur->isVisible() && aide->TexteAbsente->isHidden());
    }
};

QTEST_MAIN(TstAide)
#include "tst_aide.moc"
