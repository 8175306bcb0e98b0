// The help window: the pages of the program's language, the fall-back
// languages, the links between pages, a missing help folder.
#include <QDir>
#include <QLabel>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

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

QString Fin(const QUrl& url) {
    const QString chemin = url.toLocalFile();
    return chemin.section(QLatin1Char('/'), -2);
}

// Where the link to `cible` shows in the browser (brought into view).
QPoint PositionLien(QTextBrowser* b, const QString& cible) {
    for (QTextBlock bloc = b->document()->begin(); bloc.isValid(); bloc = bloc.next())
        for (auto it = bloc.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (f.charFormat().anchorHref() != cible) continue;
            QTextCursor c(b->document());
            c.setPosition(f.position() + f.length() / 2);
            b->setTextCursor(c);
            b->ensureCursorVisible();
            return b->cursorRect(c).center();
        }
    return {-1, -1};
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

    // Following a link, back and forward; opening again, in each language,
    // brings the same window to the first page of that language.
    void liensEtLangues() {
        OuvrirAide();
        TAide* aide = FenetreAide();
        const QPoint lien = PositionLien(aide->Navigateur, QStringLiteral("liaison.html"));
        QVERIFY(lien.x() >= 0);
        QTest::mouseClick(aide->Navigateur->viewport(), Qt::LeftButton, {}, lien);
        QCOMPARE(Fin(aide->Navigateur->source()), QStringLiteral("fr/liaison.html"));
        QVERIFY(aide->BoutonPrecedent->isEnabled());
        QTest::mouseClick(aide->BoutonPrecedent, Qt::LeftButton);
        QCOMPARE(Fin(aide->Navigateur->source()), QStringLiteral("fr/index.html"));
        QVERIFY(aide->BoutonSuivant->isEnabled());
        QTest::mouseClick(aide->BoutonSuivant, Qt::LeftButton);
        QCOMPARE(Fin(aide->Navigateur->source()), QStringLiteral("fr/liaison.html"));
        QTest::mouseClick(aide->BoutonSommaire, Qt::LeftButton);
        QCOMPARE(Fin(aide->Navigateur->source()), QStringLiteral("fr/index.html"));
        QTest::mouseClick(aide->Navigateur->viewport(), Qt::LeftButton, {},
                          PositionLien(aide->Navigateur, QStringLiteral("lois.html")));
        QCOMPARE(Fin(aide->Navigateur->source()), QStringLiteral("fr/lois.html"));
        essai::Capturer(aide, "aide-lois-fr");

        const std::tuple<int, QString, QString> langues[] = {{LangueFrancais, "fr", "Sommaire"},
                                                             {LangueAnglais, "en", "Contents"},
                                                             {LangueEspagnol, "es", "Índice"}};
        for (const auto& [langue, code, sommaire] : langues) {
            Langue(langue);
            OuvrirAide();
            QCOMPARE(FenetreAide(), aide);
            QVERIFY(aide->isVisible() && aide->TexteAbsente->isHidden());
            QCOMPARE(Fin(aide->Navigateur->source()), code + "/index.html");
            QVERIFY(aide->Navigateur->toPlainText().contains("Orvane"));
            QCOMPARE(aide->BoutonSommaire->text(), sommaire);
            essai::Capturer(aide, "aide-" + code + "-" + QString::number(langue));
        }
    }

    // Every page of every language exists in French and English, and every
    // link between pages leads to a page of the same folder.
    void chaquePageEtChaqueLien() {
        const QDir racine(DossierAide());
        const QStringList langues = racine.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QVERIFY(langues.contains("fr") && langues.contains("en"));
        const QStringList pagesFr = QDir(racine.filePath("fr")).entryList({"*.html"});
        QVERIFY(pagesFr.size() >= 7);
        static const QRegularExpression lien(QStringLiteral("href=\"([^\"#:]+)\""));
        for (const QString& l : langues) {
            const QDir dossier(racine.filePath(l));
            QCOMPARE(dossier.entryList({"*.html"}), pagesFr);
            for (const QString& page : pagesFr) {
                QFile f(dossier.filePath(page));
                QVERIFY(f.open(QIODevice::ReadOnly));
                const QString texte = QString::fromUtf8(f.readAll());
                QVERIFY2(texte.contains("<html lang=\"" + l + "\">"), qPrintable(l + "/" + page));
                for (auto m = lien.globalMatch(texte); m.hasNext();) {
                    const QString cible = m.next().captured(1);
                    QVERIFY2(dossier.exists(cible), qPrintable(l + "/" + page + " -> " + cible));
                }
            }
        }
    }

    // Which folder a language takes when its own is missing.
    void languesDeSecours_data() {
        QTest::addColumn<QStringList>("presentes");
        QTest::addColumn<int>("langue");
        QTest::addColumn<QString>("prise");
        const QStringList fr{"fr"}, frEn{"fr", "en"};
        QTest::newRow("Spanish present")
            << QStringList{"fr", "en", "es"} << int{LangueEspagnol} << "es";
        QTest::newRow("Spanish -> English") << frEn << int{LangueEspagnol} << "en";
        QTest::newRow("Spanish -> French") << fr << int{LangueEspagnol} << "fr";
        QTest::newRow("English -> French") << fr << int{LangueAnglais} << "fr";
        QTest::newRow("French -> English") << QStringList{"en"} << int{LangueFrancais} << "en";
        QTest::newRow("other code is French") << frEn << 9 << "fr";
        QTest::newRow("none") << QStringList{} << int{LangueFrancais} << "";
    }
    void languesDeSecours() {
        QFETCH(QStringList, presentes);
        QFETCH(int, langue);
        QFETCH(QString, prise);
        essai::DossierTemporaire dossier;
        const QString racine = QString::fromStdString(dossier.racine.string());
        for (const QString& l : presentes) {
            QVERIFY(QDir().mkpath(racine + "/" + l));
            QFile f(racine + "/" + l + "/index.html");
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("<html><body>" + l.toUtf8() + "</body></html>");
        }
        DefinirDossierAide(racine);
        const QString page = PageAide(langue);
        QCOMPARE(page.isEmpty() ? QString() : page.section('/', -2, -2), prise);
    }

    // No help folder: the window says where it looked, once, and stays usable.
    void dossierAbsent() {
        const QString absent = QDir::tempPath() + "/orvane-sans-aide-" +
                               QString::number(QCoreApplication::applicationPid());
        DefinirDossierAide(absent);
        OuvrirAide();
        TAide* aide = FenetreAide();
        QVERIFY(aide && aide->isVisible() && aide->Navigateur->isHidden());
        QVERIFY(aide->TexteAbsente->text().startsWith(TexteNumero(TexteAideAbsente)));
        QVERIFY(aide->TexteAbsente->text().contains(QDir::toNativeSeparators(absent)));
        QVERIFY(!aide->BoutonSommaire->isEnabled() && !aide->Sommaire());
        essai::Capturer(aide, "aide-absente");

        // The pages come back: the next opening shows them.
        DefinirDossierAide({});
        OuvrirAide();
        QVERIFY(aide->Navigateur->isVisible());
        QVERIFY(aide->TexteAbsente->isHidden());
    }
};

QTEST_MAIN(TstAide)
#include "tst_aide.moc"
