#include "dialogs/Aide.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include "dialogs/Emplacements.h"
#include "dialogs/Habillage.h"
#include "study/Study.h"

namespace orvane {

namespace {

QString& DossierRemplace() {
    static QString dossier;
    return dossier;
}

QPointer<TAide>& Fenetre() {
    static QPointer<TAide> fenetre;
    return fenetre;
}

}  // namespace

QString DossierAide() {
    const QString& remplace = DossierRemplace();
    return remplace.isEmpty() ? CheminFourni(QStringLiteral("help")) : remplace;
}

QString DefinirDossierAide(const QString& dossier) {
    QString precedent = DossierRemplace();
    DossierRemplace() = dossier;
    return precedent;
}

QString CodeLangueAide(int langue) {
    switch (langue) {
        case LangueAnglais: return QStringLiteral("en");
        case LangueEspagnol: return QStringLiteral("es");
        default: return QStringLiteral("fr");
    }
}

QString PageAide(int langue, const QString& page) {
    for (const QString& code :
         {CodeLangueAide(langue), QStringLiteral("en"), QStringLiteral("fr")}) {
        const QString chemin =
            DossierAide() + QStringLiteral("/") + code + QStringLiteral("/") + page;
        if (QFileInfo(chemin).isFile()) return QFileInfo(chemin).absoluteFilePath();
    }
    return {};
}

TAide::TAide(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Aide"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    setSizeGripEnabled(true);
    resize(820, 620);

    BarreAide = new QFrame(this);
    BarreAide->setAutoFillBackground(true);
    QPalette fond = BarreAide->palette();
    fond.setColor(QPalette::Window, CouleurBarre);
    BarreAide->setPalette(fond);
    BarreAide->setFixedHeight(32);
    auto* barre = new QHBoxLayout(BarreAide);
    barre->setContentsMargins(4, 2, 4, 2);
    const auto bouton = [&](const char* nom) {
        auto* b = new QToolButton(BarreAide);
        b->setObjectName(QLatin1String(nom));
        b->setFont(PoliceArial(10));
        b->setAutoRaise(false);
        b->setCursor(Qt::PointingHandCursor);
        barre->addWidget(b);
        return b;
    };
    BoutonSommaire = bouton("BoutonSommaire");
    BoutonPrecedent = bouton("BoutonPrecedent");
    BoutonSuivant = bouton("BoutonSuivant");
    barre->addStretch(1);

    Navigateur = new QTextBrowser(this);
    Navigateur->setObjectName(QStringLiteral("Navigateur"));
    Navigateur->setOpenExternalLinks(true);
    TexteAbsente = new QLabel(this);
    TexteAbsente->setObjectName(QStringLiteral("TexteAbsente"));
    TexteAbsente->setWordWrap(true);
    TexteAbsente->setAlignment(Qt::AlignCenter);
    TexteAbsente->setTextInteractionFlags(Qt::TextSelectableByMouse);
    TexteAbsente->setFont(PoliceArial(11));
    TexteAbsente->hide();

    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    colonne->addWidget(BarreAide);
    colonne->addWidget(Navigateur, 1);
    colonne->addWidget(TexteAbsente, 1);

    connect(BoutonSommaire, &QToolButton::clicked, this, [this] { Sommaire(); });
    connect(BoutonPrecedent, &QToolButton::clicked, Navigateur, &QTextBrowser::backward);
    connect(BoutonSuivant, &QToolButton::clicked, Navigateur, &QTextBrowser::forward);
    connect(Navigateur, &QTextBrowser::historyChanged, this, [this] { Boutons(); });
    Langue();
}

void TAide::Langue() {
    setWindowTitle(TexteNumero(99));  // "Aide"
    BoutonSommaire->setText(TexteNumero(TexteAideSommaire));
    BoutonPrecedent->setText(QStringLiteral("◀ ") + TexteNumero(TexteAidePrecedent));
    BoutonSuivant->setText(TexteNumero(TexteAideSuivant) + QStringLiteral(" ▶"));
    NommerDefilement(Navigateur, windowTitle());
    Sommaire();
}

bool TAide::Sommaire() {
    const QString page = PageAide(ConfigGenerale.Langue);
    if (page.isEmpty()) {
        Navigateur->hide();
        TexteAbsente->setText(TexteNumero(TexteAideAbsente) + QStringLiteral("\n") +
                              QDir::toNativeSeparators(DossierAide()));
        TexteAbsente->show();
        Navigateur->clearHistory();
        Boutons();
        return false;
    }
    TexteAbsente->hide();
    Navigateur->show();
    const QUrl url = QUrl::fromLocalFile(page);
    if (Navigateur->source() != url) Navigateur->setSource(url);
    Boutons();
    return true;
}

void TAide::Boutons() {
    const bool pages = !Navigateur->isHidden();
    BoutonSommaire->setEnabled(pages);
    BoutonPrecedent->setEnabled(pages && Navigateur->isBackwardAvailable());
    BoutonSuivant->setEnabled(pages && Navigateur->isForwardAvailable());
}

void OuvrirAide() {
    QPointer<TAide>& f = Fenetre();
    if (!f) {
        f = new TAide;
        f->setAttribute(Qt::WA_DeleteOnClose);
        Centrer(f, QApplication::activeWindow());
    } else {
        f->Langue();
    }
    f->show();
    f->raise();
    f->activateWindow();
}

TAide* FenetreAide() { return Fenetre().data(); }

}  // namespace orvane
