// The help window: pages of the program's language, a link between pages, a
// missing help folder.
#include <QtTest>
#include <QtWidgets>
#include <filesystem>
#include <fstream>

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

    // A language without pages falls back to English, then French, page by
    // page; the window opens on the page found.
    void repliDeLangue() {
        essai::DossierTemporaire d;
        for (const char* page : {"fr/index.html", "fr/seule.html", "en/index.html"}) {
            std::filesystem::create_directories((d.racine / page).parent_path());
            std::ofstream(d / page) << "<p>" << page << "</p>";
        }
        const QString racine = QString::fromStdString(d.racine.string());
        DefinirDossierAide(racine);
        const auto page = [&](int langue, const char* nom) {
            return PageAide(langue, nom).mid(racine.size());
        };
        QCOMPARE(page(LangueEspagnol, "index.html"), QStringLiteral("/en/index.html"));
        QCOMPARE(page(LangueEspagnol, "seule.html"), QStringLiteral("/fr/seule.html"));
        QCOMPARE(page(LangueFrancais, "index.html"), QStringLiteral("/fr/index.html"));
        QVERIFY(PageAide(LangueAnglais, "absente.html").isEmpty());
        Langue(LangueEspagnol), OuvrirAide();
        QVERIFY(FenetreAide()->Navigateur->isVisible());
        QCOMPARE(Fin(FenetreAide()), QStringLiteral("en/index.html"));
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
