// The help window: pages of the program's language, links between pages, a
// missing help folder.
#include <QtTest>
#include <QtWidgets>

#include "Captures.h"
#include "OutilsEssai.h"
#include "dialogs/Aide.h"
#include "dialogs/Habillage.h"
#include "study/Study.h"
#include "texts/TextesOrvane.h"

using namespace orvane;

namespace {
void Langue(int code) {
    ConfigGenerale.Langue = code;
    ChoixLangue(code);
}
QString Fin(TAide* a) {
    return a->Navigateur->source().toLocalFile().section(QLatin1Char('/'), -2);
}
// Clicks the link to `cible`, brought into view.
void Cliquer(QTextBrowser* b, const QString& cible) {
    for (QTextBlock bloc = b->document()->begin(); bloc.isValid(); bloc = bloc.next())
        for (auto it = bloc.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorHref() == cible) {
                QTextCursor c(b->document());
                c.setPosition(it.fragment().position() + it.fragment().length() / 2);
                b->setTextCursor(c);
                b->ensureCursorVisible();
                return QTest::mouseClick(b->viewport(), Qt::LeftButton, {},
                                         b->cursorRect(c).center());
            }
    QFAIL(qPrintable(cible));
}
}  // namespace

class TstAide : public QObject {
    Q_OBJECT

private slots:
    void cleanup() {
        delete FenetreAide();
        DefinirDossierAide({});
        Langue(LangueFrancais);
    }

    // A link, back and forward; opened again in another language, the same
    // window shows that language's first page.
    void liensEtLangues() {
        OuvrirAide();
        TAide* aide = FenetreAide();
        essai::Capturer(aide, "aide-fr");
        Cliquer(aide->Navigateur, QStringLiteral("liaison.html"));
        QCOMPARE(Fin(aide), QStringLiteral("fr/liaison.html"));
        QTest::mouseClick(aide->BoutonPrecedent, Qt::LeftButton);
        QCOMPARE(Fin(aide), QStringLiteral("fr/index.html"));
        QTest::mouseClick(aide->BoutonSuivant, Qt::LeftButton);
        QCOMPARE(Fin(aide), QStringLiteral("fr/liaison.html"));
        Langue(LangueEspagnol);
        OuvrirAide();
        QVERIFY(FenetreAide() == aide && aide->isVisible() && aide->TexteAbsente->isHidden());
        QVERIFY(Fin(aide) == "es/index.html" && aide->BoutonSommaire->text() == "Índice");
    }

    // Every language has the French pages, and every link leads to a page of its folder.
    void chaquePageEtChaqueLien() {
        const QDir racine(DossierAide());
        const QStringList langues = racine.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        const QStringList pagesFr = QDir(racine.filePath("fr")).entryList({"*.html"});
        QVERIFY(langues.contains("en") && pagesFr.size() >= 7);
        static const QRegularExpression lien(QStringLiteral("href=\"([^\"#:]+)\""));
        for (const QString& l : langues) {
            const QDir dossier(racine.filePath(l));
            QCOMPARE(dossier.entryList({"*.html"}), pagesFr);
            for (const QString& page : pagesFr) {
                const QString texte =
                    QString::fromStdString(essai::Contenu(dossier.filePath(page).toStdString()));
                QVERIFY2(texte.contains("<html lang=\"" + l + "\">"), qPrintable(l + "/" + page));
                for (auto m = lien.globalMatch(texte); m.hasNext();)
                    QVERIFY2(dossier.exists(m.next().captured(1)), qPrintable(l + "/" + page));
            }
        }
    }

    // No help folder: the window says where it looked and stays usable; the
    // pages come back at the next opening.
    void dossierAbsent() {
        const QString absent = QDir::tempPath() + "/orvane-sans-aide-" +
                               QString::number(QCoreApplication::applicationPid());
        DefinirDossierAide(absent);
        OuvrirAide();
        TAide* aide = FenetreAide();
        QVERIFY(aide && aide->isVisible() && aide->Navigateur->isHidden());
        QVERIFY(aide->TexteAbsente->text().startsWith(TexteNumero(TexteAideAbsente)) &&
                aide->TexteAbsente->text().contains(QDir::toNativeSeparators(absent)));
        QVERIFY(!aide->BoutonSommaire->isEnabled() && !aide->Sommaire());
        DefinirDossierAide({});
        OuvrirAide();
        QVERIFY(aide->Navigateur->isVisible() && aide->TexteAbsente->isHidden());
    }
};

QTEST_MAIN(TstAide)
#include "tst_aide.moc"
