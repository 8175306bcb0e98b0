#include "load/Affichage.h"

#include <QFontMetrics>
#include <QLabel>
#include <QResizeEvent>

namespace orvane {

namespace {

QFont PoliceGrasse() {
    QFont f;
    f.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Arial"),
                   QStringLiteral("Liberation Sans")});
    f.setWeight(QFont::Black);
    return f;
}

// Space kept free on each side of a text.
constexpr int Marge = 4;

}  // namespace

int TaillePolice(const QFont& police, const QString& texte, int hauteur, int largeur) {
    QFont f = police;
    int taille = hauteur < 1 ? 1 : hauteur;
    // Down in steps of a tenth: a few dozen tries at most.
    while (taille > 1) {
        f.setPixelSize(taille);
        const QFontMetrics m(f);
        if (m.height() <= hauteur && m.horizontalAdvance(texte) <= largeur) break;
        const int pas = taille / 10;
        taille -= pas > 0 ? pas : 1;
    }
    return taille;
}

TAffichage::TAffichage(QWidget* parent) : QFrame(parent) {
    PanelAffichage = new QFrame(this);
    PanelAffichage->setFrameStyle(QFrame::Panel | QFrame::Raised);
    PanelAffichage->setLineWidth(2);
    Panel1 = new QWidget(PanelAffichage);
    Panel2 = new QWidget(PanelAffichage);

    TextTitre = new QLabel(QStringLiteral("---------------"), PanelAffichage);
    TextTitre->setAlignment(Qt::AlignCenter);
    TextTitre->setFont(PoliceGrasse());
    QPalette titre = TextTitre->palette();
    titre.setColor(QPalette::WindowText, Qt::black);
    TextTitre->setPalette(titre);

    TextAffichage = new QLabel(QStringLiteral("---------------"), PanelAffichage);
    TextAffichage->setAlignment(Qt::AlignCenter);
    TextAffichage->setFont(PoliceGrasse());
    TextAffichage->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    TextAffichage->setAutoFillBackground(true);
    QPalette valeur = TextAffichage->palette();
    valeur.setColor(QPalette::WindowText, Qt::red);
    valeur.setColor(QPalette::Window, Qt::white);
    TextAffichage->setPalette(valeur);
}

void TAffichage::DefinirModele(const QString& modele) {
    modele_ = modele;
    PanelAffichageResize();
}

void TAffichage::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    PanelAffichage->setGeometry(rect());
    PanelAffichageResize();
}

void TAffichage::PanelAffichageResize() {
    const int h = PanelAffichage->height();
    const int cadre = PanelAffichage->frameWidth();
    const int x = cadre + Marge;
    const int l = PanelAffichage->width() - 2 * x;
    int y = cadre;
    Panel1->setGeometry(x, y, l, h / 8);
    y += h / 8;
    TextTitre->setGeometry(x, y, l, h / 5);
    y += h / 5;
    Panel2->setGeometry(x, y, l, h / 8);
    y += h / 8;
    TextAffichage->setGeometry(x, y, l, 3 * h / 8);

    QFont f = TextTitre->font();
    f.setPixelSize(TaillePolice(f, TextTitre->text(), h / 5, l - 2 * Marge));
    TextTitre->setFont(f);
    f = TextAffichage->font();
    f.setPixelSize(
        TaillePolice(f, modele_, 3 * h / 8, l - 2 * Marge - 2 * TextAffichage->frameWidth()));
    TextAffichage->setFont(f);
}

}  // namespace orvane
